#include "ui/WorkshopDlg.h"

#include <algorithm>
#include <string>

#include "framework/WideText.h"
#include "framework/WinApp.h"

namespace {

constexpr const char* kSection = "Workshop";

struct Detail {
    int editId;
    const char* entry;
    CString WorkshopDetails::*field;
    int maxTyped;  // characters: the header stays a few lines, a longer detail wraps on the page
};

constexpr Detail kDetails[] = {
    {IDC_WORKSHOP_NAME, "Name", &WorkshopDetails::name, 50},
    {IDC_WORKSHOP_ADDRESS1, "Address1", &WorkshopDetails::address1, 70},
    {IDC_WORKSHOP_ADDRESS2, "Address2", &WorkshopDetails::address2, 70},
    {IDC_WORKSHOP_PHONE, "Phone", &WorkshopDetails::phone, 70},
    {IDC_WORKSHOP_WEB, "Web", &WorkshopDetails::web, 70},
};

// The edit boxes are Unicode windows, so a detail keeps characters the system's code page lacks.
CString EditText(HWND edit)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(0, ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size())))));
    return CString(Utf8Text(text));
}

}  // namespace

WorkshopDetails LoadWorkshopDetails()
{
    WorkshopDetails details;
    const CWinApp* app = AfxGetApp();
    if (!app) return details;
    for (const Detail& detail : kDetails) details.*detail.field = app->GetProfileUtf8(kSection, detail.entry);
    return details;
}

bool SaveWorkshopDetails(const WorkshopDetails& details)
{
    const CWinApp* app = AfxGetApp();
    bool kept = app != nullptr;
    for (const Detail& detail : kDetails)
        kept = kept && app->WriteProfileUtf8(kSection, detail.entry, details.*detail.field);
    return kept;
}

CWorkshopDlg::CWorkshopDlg(CWnd* parent) : CDialogEx(IDD_WORKSHOP, parent), m_details(LoadWorkshopDetails())
{
    m_bWideTemplate = true;
}

BEGIN_MESSAGE_MAP(CWorkshopDlg, CDialogEx)
END_MESSAGE_MAP()

BOOL CWorkshopDlg::OnInitDialog()
{
    for (const Detail& detail : kDetails) GetDlgItem(detail.editId).SendMessage(EM_LIMITTEXT, detail.maxTyped);
    return CDialogEx::OnInitDialog();
}

void CWorkshopDlg::DoDataExchange(CDataExchange* exchange)
{
    for (const Detail& detail : kDetails) {
        const HWND edit = GetDlgItem(detail.editId).m_hWnd;
        CString& field = m_details.*detail.field;
        if (exchange->m_bSaveAndValidate)
            field = EditText(edit);
        else
            ::SetWindowTextW(edit, WideText(field, field.GetLength(), CP_UTF8).c_str());
    }
}

// Spaces around a detail would only shift it on the page.
void CWorkshopDlg::OnOK()
{
    UpdateData(TRUE);
    for (const Detail& detail : kDetails) (m_details.*detail.field).Trim();
    m_kept = SaveWorkshopDetails(m_details);
    EndDialog(IDOK);
}
