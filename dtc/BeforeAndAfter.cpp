#include "dtc/BeforeAndAfter.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The program's words, with the Chinese beside them.
constexpr const char* kTitle = "Before and after the repair / 维修前后对比";
constexpr const char* kCleared = "Cleared / 已清除";
constexpr const char* kStillPresent = "Still present / 仍存在";
constexpr const char* kNew = "New / 新出现";
constexpr const char* kNone = "None / 无";
constexpr const char* kNoReport = " (no trouble code report / 无故障码报告)";
constexpr const char* kCutReport = " (trouble code report not read to its end / 故障码报告未读完)";
constexpr const char* kAbsent = "—";

constexpr const char* kSystemIndent = "    ";
constexpr const char* kCodeIndent = "        ";
constexpr const char* kColumn = "    ";

void AddLine(std::string& view, std::string_view line)
{
    view += "\r\n";
    view += line;
}

// A code's text is its status, then a tab and its description, as the device writes them; the
// viewer shows a tab as spaces, so a gap of two spaces or more parts them too. A text without
// one is all status.
struct StatusAndDescription {
    std::string_view status, description;
};

StatusAndDescription Split(std::string_view text)
{
    const size_t gap = std::min(text.find('\t'), text.find("  "));
    if (gap == std::string_view::npos) return {text, {}};
    std::string_view description = text.substr(gap);
    while (!description.empty() && (description.front() == ' ' || description.front() == '\t')) description.remove_prefix(1);
    return {text.substr(0, gap), description};
}

// One code's line: the code in the run before, after, or both.
struct CodeLine {
    const TroubleCodeList* before = nullptr;
    const TroubleCode* inBefore = nullptr;
    const TroubleCodeList* after = nullptr;
    const TroubleCode* inAfter = nullptr;
};

std::string_view StatusIn(const TroubleCodeList* list, const TroubleCode* code)
{
    return code ? Split(list->Text(*code)).status : std::string_view();
}

void AddStatus(std::string& view, const char* label, std::string_view status)
{
    view += label;
    const size_t before = view.size();
    AppendShownLine(view, status);
    if (view.size() == before) view += kAbsent;
}

// Compared, the line shows the code's status in both runs, so a cleared code never reads as
// current, unless neither run gives it one; the description is the later run's.
void AddCodeLine(std::string& view, const char* indent, const CodeLine& line, bool compared)
{
    const TroubleCodeList& list = line.inAfter ? *line.after : *line.before;
    const TroubleCode& code = line.inAfter ? *line.inAfter : *line.inBefore;
    view += "\r\n";
    view += indent;
    view += TroubleCodeList::Code(code);
    const StatusAndDescription text = Split(list.Text(code));
    const std::string_view before = StatusIn(line.before, line.inBefore), after = StatusIn(line.after, line.inAfter);
    if (compared) {
        if (!before.empty() || !after.empty()) {
            AddStatus(view, "    before: ", before);
            AddStatus(view, " · after: ", after);
        }
    } else if (!text.status.empty()) {
        view += kColumn;
        AppendShownLine(view, text.status);
    }
    if (!text.description.empty()) {
        view += kColumn;
        AppendShownLine(view, text.description);
    }
}

// The codes of one group under their systems, each system once, in the order they first come.
// One pass numbers the systems as they come and counts their codes; a second puts each code in
// place. `lineAt(i)` gives the group's i-th code line.
template <typename LineAt>
void AddGroup(std::string& view, const char* name, const TroubleCodeList& list, size_t count, LineAt lineAt, bool compared)
{
    AddLine(view, "");
    AddLine(view, name);
    if (count == 0) AddLine(view, std::string(kSystemIndent) + kNone);
    const auto systemOf = [&](size_t i) {
        const CodeLine line = lineAt(i);
        return (line.inAfter ? line.inAfter : line.inBefore)->system;
    };
    constexpr uint32_t kUnseen = UINT32_MAX;
    std::vector<uint32_t> rank(list.SystemCount(), kUnseen);
    std::vector<uint32_t> first;  // by rank: where the system's codes start in `order`
    for (size_t i = 0; i < count; ++i) {
        uint32_t& systemRank = rank[systemOf(i)];
        if (systemRank == kUnseen) {
            systemRank = static_cast<uint32_t>(first.size());
            first.push_back(0);
        }
        ++first[systemRank];
    }
    uint32_t start = 0;
    for (uint32_t& codes : first) start += std::exchange(codes, start);
    std::vector<uint32_t> order(count);
    {
        std::vector<uint32_t> next = first;
        for (size_t i = 0; i < count; ++i) order[next[rank[systemOf(i)]]++] = static_cast<uint32_t>(i);
    }
    for (size_t i = 0; i < count; ++i) {
        const uint32_t system = systemOf(order[i]);
        const bool named = !list.SystemNamed(system).empty();
        if (named && first[rank[system]] == i) {
            AddLine(view, kSystemIndent);
            AppendShownLine(view, list.SystemNamed(system));
        }
        AddCodeLine(view, named ? kCodeIndent : kSystemIndent, lineAt(order[i]), compared);
    }
}

std::string RunLine(const char* label, const RunCodes& run)
{
    std::string line = label + run.runTime.Bytes();
    if (!run.visit.IsEmpty()) line += "   " + run.visit.Bytes();
    if (run.report == ReportRead::Missing) line += kNoReport;
    if (run.report == ReportRead::CutShort || run.report == ReportRead::NoAnswer) line += kCutReport;
    return line;
}

void AddCount(std::string& view, const char* name, size_t count)
{
    AddLine(view, std::string(name) + ": " + std::to_string(count));
}

// Without both reports whole, a code missing from one run says nothing of the car.
void AddNoComparison(std::string& view, const RunCodes& before, const RunCodes& after)
{
    const bool beforeRead = before.report == ReportRead::Whole, afterRead = after.report == ReportRead::Whole;
    AddLine(view, "");
    if (!beforeRead && !afterRead) {
        AddLine(view, "Not compared: neither run has a whole trouble code report. / 未对比：两次都没有完整的故障码报告。");
        return;
    }
    AddLine(view, beforeRead ? "Not compared: the run after has no whole trouble code report. / 未对比：维修后的一次没有完整的故障码报告。"
                             : "Not compared: the run before has no whole trouble code report. / 未对比：维修前的一次没有完整的故障码报告。");
    const TroubleCodeList& other = beforeRead ? before.codes : after.codes;
    AddGroup(view, beforeRead ? "Codes before, for reference / 维修前的故障码（仅供参考）" : "Codes after, for reference / 维修后的故障码（仅供参考）",
             other, other.codes.size(), [&](size_t i) {
                 return beforeRead ? CodeLine{&other, &other.codes[i], nullptr, nullptr}
                                   : CodeLine{nullptr, nullptr, &other, &other.codes[i]};
             }, false);
}

}  // namespace

CodeChanges CompareCodes(const TroubleCodeList& before, const TroubleCodeList& after)
{
    // The after run's systems by the before run's numbers, or numbers past them when only it names them.
    const auto byName = [](const TroubleCodeList& list) {
        std::vector<uint32_t> systems(list.SystemCount());
        for (uint32_t i = 0; i < systems.size(); ++i) systems[i] = i;
        std::sort(systems.begin(), systems.end(), [&](uint32_t a, uint32_t b) { return list.SystemNamed(a) < list.SystemNamed(b); });
        return systems;
    };
    const std::vector<uint32_t> beforeSystems = byName(before), afterSystems = byName(after);
    std::vector<uint64_t> common(after.SystemCount());
    uint64_t past = before.SystemCount();
    for (size_t a = 0, b = 0; a < afterSystems.size(); ++a) {
        const std::string_view name = after.SystemNamed(afterSystems[a]);
        while (b < beforeSystems.size() && before.SystemNamed(beforeSystems[b]) < name) ++b;
        common[afterSystems[a]] = b < beforeSystems.size() && before.SystemNamed(beforeSystems[b]) == name ? beforeSystems[b] : past++;
    }
    std::vector<std::pair<uint64_t, uint32_t>> beforeKeys(before.codes.size());
    for (uint32_t i = 0; i < beforeKeys.size(); ++i)
        beforeKeys[i] = {uint64_t{before.codes[i].system} << 16 | before.codes[i].form, i};
    std::sort(beforeKeys.begin(), beforeKeys.end());

    CodeChanges changes;
    std::vector<bool> stays(before.codes.size());
    for (uint32_t i = 0; i < after.codes.size(); ++i) {
        const uint64_t key = common[after.codes[i].system] << 16 | after.codes[i].form;
        const auto found = std::lower_bound(beforeKeys.begin(), beforeKeys.end(), std::make_pair(key, uint32_t{0}));
        if (found != beforeKeys.end() && found->first == key) {
            changes.stillPresent.push_back({found->second, i});
            stays[found->second] = true;
        } else {
            changes.added.push_back(i);
        }
    }
    for (uint32_t i = 0; i < before.codes.size(); ++i)
        if (!stays[i]) changes.cleared.push_back(i);
    return changes;
}

CString BeforeAndAfterView(const CString& vin, const RunCodes& before, const RunCodes& after)
{
    std::string view;
    AddLine(view, kTitle);
    AddLine(view, "VIN:    ");
    AppendShownLine(view, vin.Bytes());
    AddLine(view, RunLine("Before: ", before));
    AddLine(view, RunLine("After:  ", after));
    if (before.report != ReportRead::Whole || after.report != ReportRead::Whole) {
        AddNoComparison(view, before, after);
        return CString(std::move(view));
    }
    const CodeChanges changes = CompareCodes(before.codes, after.codes);
    // Room for what the view will most likely take, so that it is not copied as it grows: each
    // code's line once, its texts shown about twice, and each system's line in at most two groups.
    size_t likely = 1024 + 16 * (changes.cleared.size() + changes.stillPresent.size() + changes.added.size());
    for (const RunCodes* run : {&before, &after}) {
        for (const TroubleCode& code : run->codes.codes) likely += 2 * code.textSize;
        for (size_t system = 0; system < run->codes.SystemCount(); ++system) likely += 2 * (8 + run->codes.SystemNamed(system).size());
    }
    view.reserve(view.size() + likely);
    const TroubleCodeList* was = &before.codes;
    const TroubleCodeList* is = &after.codes;
    AddGroup(view, kCleared, *was, changes.cleared.size(), [&](size_t i) {
        return CodeLine{was, &was->codes[changes.cleared[i]], is, nullptr};
    }, true);
    AddGroup(view, kStillPresent, *is, changes.stillPresent.size(), [&](size_t i) {
        return CodeLine{was, &was->codes[changes.stillPresent[i].first], is, &is->codes[changes.stillPresent[i].second]};
    }, true);
    AddGroup(view, kNew, *is, changes.added.size(), [&](size_t i) {
        return CodeLine{was, nullptr, is, &is->codes[changes.added[i]]};
    }, true);
    AddLine(view, "");
    AddCount(view, kCleared, changes.cleared.size());
    AddCount(view, kStillPresent, changes.stillPresent.size());
    AddCount(view, kNew, changes.added.size());
    return CString(std::move(view));
}
