#include "reports/EncodingChoice.h"

#include <string>

#include "res/resource.h"

namespace {

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

bool IsListed(unsigned codePage)
{
    for (const EncodingItem& item : kEncodings)
        if (item.codePage == codePage) return true;
    return false;
}

}  // namespace

BEGIN_MESSAGE_MAP(CEncodingChoice, CCmdTarget)
    ON_COMMAND_RANGE(IDM_ENCODING_AUTOMATIC, IDM_ENCODING_SYSTEM, &CEncodingChoice::OnChoose)
END_MESSAGE_MAP()

CEncodingChoice::CEncodingChoice(EncodingChoiceListener& listener)
    : m_listener(listener), m_chosen(IDM_ENCODING_AUTOMATIC)
{
}

void CEncodingChoice::SourceChanged() { m_chosen = IDM_ENCODING_AUTOMATIC; }

void CEncodingChoice::AddMenu(HMENU menu) const
{
    HMENU encodings = ::CreatePopupMenu();
    if (!encodings) return;
    for (const EncodingItem& item : kEncodings) {
        // The system's code page is listed once: on a Western system it is the Western entry.
        if (item.codePage == kSystemCodePage && IsListed(::GetACP())) continue;
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
    if (codePage == kAutomatic) return AutomaticEncoding(reportBytes);
    return ChosenEncoding(reportBytes, codePage == kSystemCodePage ? ::GetACP() : codePage);
}

void CEncodingChoice::OnChoose(UINT id)
{
    if (id == m_chosen) return;
    m_chosen = id;
    m_listener.ReadReportsAgain();
}
