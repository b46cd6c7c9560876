#include "ui/JobCardDlg.h"

#include <algorithm>
#include <string>

#include "framework/WideText.h"
#include "framework/WinApp.h"

namespace {

constexpr const char* kSection = "Job";
constexpr const char* kUnitEntry = "MileageUnit";

struct Field {
    int editId;
    CString JobCard::*value;
    int maxTyped;
};

constexpr Field kFields[] = {
    {IDC_JOB_PLATE, &JobCard::plate, kPlateMaxLength},
    {IDC_JOB_MILEAGE, &JobCard::mileage, kMileageMaxLength},
    {IDC_JOB_CUSTOMER, &JobCard::customer, kCustomerMaxLength},
    {IDC_JOB_NUMBER, &JobCard::jobNumber, kJobNumberMaxLength},
    {IDC_JOB_NOTES, &JobCard::notes, kNotesMaxLength},
};

// The edit boxes are Unicode windows, so a field keeps characters the system's code page lacks.
CString EditText(HWND edit)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(0, ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size())))));
    return CString(Utf8Text(text));
}

void SetText(HWND window, const CString& utf8) { ::SetWindowTextW(window, WideText(utf8, utf8.GetLength(), CP_UTF8).c_str()); }

}  // namespace

MileageUnit RememberedMileageUnit()
{
    const CWinApp* app = AfxGetApp();
    return app && app->GetProfileInt(kSection, kUnitEntry, 0) == 1 ? MileageUnit::Mi : MileageUnit::Km;
}

CJobCardDlg::CJobCardDlg(CWnd* parent, const JobCard& card, const CString& where)
    : CDialogEx(IDD_JOB_CARD, parent), m_card(card), m_where(where)
{
    m_bWideTemplate = true;
    if (m_card.mileage.IsEmpty()) m_card.unit = RememberedMileageUnit();
}

BEGIN_MESSAGE_MAP(CJobCardDlg, CDialogEx)
END_MESSAGE_MAP()

BOOL CJobCardDlg::OnInitDialog()
{
    for (const Field& field : kFields) GetDlgItem(field.editId).SendMessage(EM_LIMITTEXT, field.maxTyped);
    const CWnd unit = GetDlgItem(IDC_JOB_UNIT);
    for (MileageUnit each : {MileageUnit::Km, MileageUnit::Mi})
        unit.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UnitName(each)));
    SetText(GetDlgItem(IDC_JOB_KEPT).m_hWnd, m_where);
    return CDialogEx::OnInitDialog();
}

void CJobCardDlg::DoDataExchange(CDataExchange* exchange)
{
    const CWnd unit = GetDlgItem(IDC_JOB_UNIT);
    for (const Field& field : kFields) {
        const HWND edit = GetDlgItem(field.editId).m_hWnd;
        if (exchange->m_bSaveAndValidate)
            m_card.*field.value = EditText(edit);
        else
            SetText(edit, m_card.*field.value);
    }
    if (exchange->m_bSaveAndValidate)
        m_card.unit = unit.SendMessage(CB_GETCURSEL) == 1 ? MileageUnit::Mi : MileageUnit::Km;
    else
        unit.SendMessage(CB_SETCURSEL, m_card.unit == MileageUnit::Mi ? 1 : 0);
}

// Spaces around a field would only shift it on the page; blank lines around the notes too.
void CJobCardDlg::OnOK()
{
    UpdateData(TRUE);
    for (CString* field : {&m_card.plate, &m_card.customer, &m_card.jobNumber}) field->Trim();
    std::string notes = m_card.notes.Bytes();
    notes.erase(notes.find_last_not_of(" \t\r\n") == std::string::npos ? 0 : notes.find_last_not_of(" \t\r\n") + 1);
    while (notes.compare(0, 2, "\r\n") == 0) notes.erase(0, 2);
    m_card.notes = CString(notes);
    // Leading zeros are no part of a mileage.
    std::string mileage = m_card.mileage.Bytes();
    mileage.erase(0, std::min(mileage.find_first_not_of('0'), mileage.empty() ? 0 : mileage.size() - 1));
    m_card.mileage = CString(mileage);
    if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(kSection, kUnitEntry, m_card.unit == MileageUnit::Mi ? 1 : 0);
    EndDialog(IDOK);
}
