#pragma once
// Workshop Details: the workshop's name, address, phone and e-mail or web address, printed at
// the top of every printout. OK keeps them in the program's settings, Cancel leaves them as
// they were.
#include "framework/Dialog.h"
#include "output/WorkshopDetails.h"
#include "res/resource.h"

// The details as kept; all empty until the user enters some.
WorkshopDetails LoadWorkshopDetails();
// Whether every detail was kept.
bool SaveWorkshopDetails(const WorkshopDetails& details);

class CWorkshopDlg : public CDialogEx {
public:
    explicit CWorkshopDlg(CWnd* parent);
    // After OK: whether the settings took the details.
    bool Kept() const { return m_kept; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()

private:
    WorkshopDetails m_details;
    bool m_kept = false;
};
