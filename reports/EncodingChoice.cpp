#include "reports/EncodingChoice.h"

#include <string>

#include "framework/WinApp.h"
#include "res/resource.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kEncodingEntry = "Encoding";  // the choice's place in the menu, 0 for Automatic

constexpr unsigned kAutomatic = 0;
constexpr unsigned kSystemCodePage = 1;  // the system's code page, whichever it is when a report is read

struct EncodingItem {
    UINT id;
    const char* text;
    unsigned codePage;
};

constexpr EncodingItem kEncodings[] = {
    {IDM_ENCODING_AUTOMATIC, "&Automatic", kAutomatic},
    {IDM_ENCODING_GBK, "&Chinese (GBK)", kCodePageGbk},
    {IDM_ENCODING_UTF8, "&UTF-8", kCodePageUtf8},
    {IDM_ENCODING_WESTERN, "&Western (Windows-1252)", kCodePageWestern},
    {IDM_ENCODING_SYSTEM, "&System's code page", kSystemCodePage},
};
constexpr UINT kEncodingCount = sizeof kEncodings / sizeof kEncodings[0];

}  // namespace

BEGIN_MESSAGE_MAP(CEncodingChoice, CCmdTarget)
    ON_COMMAND_RANGE(IDM_ENCODING_AUTOMATIC, IDM_ENCODING_SYSTEM, &CEncodingChoice::OnChoose)
END_MESSAGE_MAP()

CEncodingChoice::CEncodingChoice(PartCallback& callback) : m_callback(callback), m_chosen(IDM_ENCODING_AUTOMATIC)
{
    const CWinApp* app = AfxGetApp();
    const UINT kept = app ? app->GetProfileInt(kSettingsSection, kEncodingEntry, 0) : 0;
    if (kept < kEncodingCount) m_chosen = kEncodings[kept].id;
}

void CEncodingChoice::AddMenu(HMENU menu) const
{
    HMENU encodings = ::CreatePopupMenu();
    if (!encodings) return;
    for (const EncodingItem& item : kEncodings) {
        std::string text = item.text;
        if (item.codePage == kSystemCodePage) text += " (" + std::to_string(::GetACP()) + ")";
        ::AppendMenuA(encodings, MF_STRING, item.id, text.c_str());
    }
    ::CheckMenuRadioItem(encodings, IDM_ENCODING_AUTOMATIC, IDM_ENCODING_SYSTEM, m_chosen, MF_BYCOMMAND);
    // The menu destroys its submenu with it.
    if (!::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(encodings), "&Encoding")) ::DestroyMenu(encodings);
}

ReportEncoding CEncodingChoice::EncodingOf(std::string_view reportBytes) const
{
    const unsigned codePage = kEncodings[m_chosen - IDM_ENCODING_AUTOMATIC].codePage;
    if (codePage == kAutomatic) return DetectedEncoding(reportBytes, kCodePageGbk);
    if (codePage == kSystemCodePage) return {::GetACP(), 0};
    // A mark that says what the user chose is no character.
    const ReportEncoding found = DetectedEncoding(reportBytes, codePage);
    return {codePage, found.codePage == codePage ? found.markSize : 0};
}

void CEncodingChoice::OnChoose(UINT id)
{
    if (id == m_chosen) return;
    m_chosen = id;
    const CWinApp* app = AfxGetApp();
    if (app) app->WriteProfileInt(kSettingsSection, kEncodingEntry, static_cast<int>(id - IDM_ENCODING_AUTOMATIC));
    m_callback.ReadReportsAgain();
}
