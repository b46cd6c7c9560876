#pragma once
// The print preview: the pages Print would print on the default printer, one at a time,
// scaled to fit the window. Print closes it with IDC_PREVIEW_PRINT, for the caller to print.
#include "framework/Dialog.h"
#include "output/PrintPages.h"
#include "res/resource.h"

class CPrintPreviewDlg : public CDialogEx {
public:
    // `withoutPrinter`: the pages were laid out for a page of their own, not for a printer.
    CPrintPreviewDlg(const CPrintPages& pages, bool withoutPrinter, CWnd* parent);

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    BOOL OnInitDialog() override;

    void OnPreviousPage() { ShowPage(m_page - 1); }
    void OnNextPage() { ShowPage(m_page + 1); }
    void OnPrintPages() { EndDialog(IDC_PREVIEW_PRINT); }
    void OnPaint();
    BOOL OnEraseBkgnd(CDCHandle dc);
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* limits);

    DECLARE_MESSAGE_MAP()

private:
    bool TurnPageByKey(WPARAM key);
    void OpenLarge();
    void ShowPage(int page);
    int BarHeight() const;
    RECT PaperOnScreen(const RECT& area) const;
    void DrawPaper(const CDCHandle& dc, const RECT& area) const;

    const CPrintPages& m_pages;
    bool m_withoutPrinter;
    int m_page = 0;
};
