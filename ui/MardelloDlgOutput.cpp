// Print, the preview, Copy and Save As: the VIN box and the viewer's text, as shown and edited, to
// the printer, the clipboard or a file. A print or a save that fails says so in the status line.
#include "output/CopyToClipboard.h"
#include "ui/MardelloDlg.h"
#include "ui/ReportOutput.h"

ShownReport CMardelloDlg::Shown()
{
    UpdateData(TRUE);
    return {m_strVin, m_richReport.Shown(), m_reportSource.Folder(), [this] { return m_richReport.GetUnicodeText(); },
            m_jobCard.Card()};
}

void CMardelloDlg::ShowSaid(const StatusWord& said)
{
    if (!said) return;
    m_reportSource.Say(*said);
    ShowSource();
}

void CMardelloDlg::OnPrint()
{
    MarkActiveButton(IDC_BTN_PRINT);
    ShowSaid(PrintReport(this, Shown()));
}

void CMardelloDlg::OnPrintPreview()
{
    if (PreviewReport(this, Shown())) OnPrint();
}

void CMardelloDlg::OnCopy()
{
    MarkActiveButton(IDC_BTN_COPY);
    UpdateData(TRUE);
    CopyToClipboard(m_jobCard.WithCard(m_richReport.GetUnicodeText()), m_hWnd);
}

void CMardelloDlg::OnSaveAs() { ShowSaid(SaveReportAs(this, Shown())); }
