#pragma once
// Job Details: the plate, the mileage and its unit, the customer, the job number and notes of the
// run in view. The fields take any characters; OK hands the card back, Cancel leaves it.
#include "framework/Dialog.h"
#include "jobcard/JobCard.h"
#include "res/resource.h"

class CJobCardDlg : public CDialogEx {
public:
    // `where`: the line at the top, saying where the details are kept or that they are not.
    CJobCardDlg(CWnd* parent, const JobCard& card, const CString& where);
    const JobCard& Card() const { return m_card; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()

private:
    JobCard m_card;
    CString m_where;
};

// The unit the user chose last, for a mileage not given yet.
MileageUnit RememberedMileageUnit();
