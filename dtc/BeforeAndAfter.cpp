#include "dtc/BeforeAndAfter.h"

#include <set>
#include <string>
#include <utility>

#include "reports/ViewerText.h"

namespace {

using CodeKey = std::pair<std::string, std::string>;

CodeKey KeyOf(const TroubleCode& code) { return {code.system.Bytes(), code.code.Bytes()}; }

std::set<CodeKey> KeysOf(const std::vector<TroubleCode>& codes)
{
    std::set<CodeKey> keys;
    for (const TroubleCode& code : codes) keys.insert(KeyOf(code));
    return keys;
}

// The program's words, with the Chinese beside them as the reports have it (GBK).
constexpr const char* kTitle = "Before and after the repair / \xCE\xAC\xD0\xDE\xC7\xB0\xBA\xF3\xB6\xD4\xB1\xC8";
constexpr const char* kCleared = "Cleared / \xD2\xD1\xC7\xE5\xB3\xFD";
constexpr const char* kStillPresent = "Still present / \xC8\xD4\xB4\xE6\xD4\xDA";
constexpr const char* kNew = "New / \xD0\xC2\xB3\xF6\xCF\xD6";
constexpr const char* kNone = "None / \xCE\xDE";
constexpr const char* kNoReport = " (no trouble code report / \xCE\xDE\xB9\xCA\xD5\xCF\xC2\xEB\xB1\xA8\xB8\xE6)";

constexpr const char* kSystemIndent = "    ";
constexpr const char* kCodeIndent = "        ";

void AddLine(CString& view, const CString& line) { view += "\r\n" + line; }

CString RunLine(const char* label, const RunCodes& run)
{
    return CString(label) + run.runTime + (run.hasReport ? "" : kNoReport);
}

// The codes of one group under their systems, each system once, in the order they first come.
void AddGroup(CString& view, const char* name, const std::vector<TroubleCode>& codes)
{
    AddLine(view, "");
    AddLine(view, name);
    if (codes.empty()) AddLine(view, CString(kSystemIndent) + kNone);
    std::set<std::string> shown;
    for (const TroubleCode& first : codes) {
        if (!shown.insert(first.system.Bytes()).second) continue;
        if (!first.system.IsEmpty()) AddLine(view, kSystemIndent + ViewerLine(first.system));
        const char* indent = first.system.IsEmpty() ? kSystemIndent : kCodeIndent;
        for (const TroubleCode& code : codes)
            if (code.system == first.system) AddLine(view, indent + ViewerLine(code.code + "\t" + code.text));
    }
}

}  // namespace

CodeChanges CompareCodes(const std::vector<TroubleCode>& before, const std::vector<TroubleCode>& after)
{
    const std::set<CodeKey> beforeKeys = KeysOf(before);
    const std::set<CodeKey> afterKeys = KeysOf(after);
    CodeChanges changes;
    for (const TroubleCode& code : before)
        if (!afterKeys.count(KeyOf(code))) changes.cleared.push_back(code);
    for (const TroubleCode& code : after)
        (beforeKeys.count(KeyOf(code)) ? changes.stillPresent : changes.added).push_back(code);
    return changes;
}

CString BeforeAndAfterView(const CString& vin, const RunCodes& before, const RunCodes& after)
{
    const CodeChanges changes = CompareCodes(before.codes, after.codes);
    CString view;
    AddLine(view, kTitle);
    AddLine(view, "VIN:    " + ViewerLine(vin));
    AddLine(view, RunLine("Before: ", before));
    AddLine(view, RunLine("After:  ", after));
    AddGroup(view, kCleared, changes.cleared);
    AddGroup(view, kStillPresent, changes.stillPresent);
    AddGroup(view, kNew, changes.added);
    AddLine(view, "");
    AddLine(view, CString(kCleared) + ": " + std::to_string(changes.cleared.size()).c_str());
    AddLine(view, CString(kStillPresent) + ": " + std::to_string(changes.stillPresent.size()).c_str());
    AddLine(view, CString(kNew) + ": " + std::to_string(changes.added.size()).c_str());
    return view;
}
