#include "jobcard/JobCardText.h"

#include <cctype>
#include <string>

namespace {

constexpr const char* kGap = "   ";

std::string Folded(std::string text)
{
    for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

CString Mileage(const JobCard& card) { return card.mileage + " " + UnitName(card.unit); }

}  // namespace

CString JobLine(const JobCard& card)
{
    CString line;
    const auto add = [&](const char* label, const CString& value) {
        if (value.IsEmpty()) return;
        if (!line.IsEmpty()) line += kGap;
        line += CString(label) + value;
    };
    add("Plate: ", card.plate);
    add("Mileage: ", card.mileage.IsEmpty() ? CString() : Mileage(card));
    add("Customer: ", card.customer);
    add("Job: ", card.jobNumber);
    return line;
}

CString JobVisit(const JobCard& card)
{
    CString visit;
    if (!card.jobNumber.IsEmpty()) visit = "job " + card.jobNumber;
    if (!card.mileage.IsEmpty()) visit += (visit.IsEmpty() ? "" : ", ") + Mileage(card);
    return visit;
}

// Paragraphs end in a bare CR, as in the viewer's text, which print splits at and Save As and
// Copy turn into CR LF.
CString WithJobNotes(const CString& text, const JobCard& card)
{
    if (card.notes.IsEmpty()) return text;
    CString whole = text;
    if (!whole.IsEmpty() && whole.Bytes().back() != '\r') whole += "\r";
    CString notes = card.notes;
    notes.Replace("\r\n", "\r");
    return whole + "\rNotes\r" + notes + "\r";
}

CString WithJobCard(const CString& text, const JobCard& card)
{
    const CString line = JobLine(card);
    return WithJobNotes(line.IsEmpty() ? text : line + "\r\r" + text, card);
}

CString JobFilterKeys(const JobCard& card)
{
    std::string keys;
    for (const CString* field : {&card.plate, &card.customer, &card.jobNumber})
        if (!field->IsEmpty()) keys += "\n" + Folded(field->Bytes());
    return CString(keys);
}

bool JobKeysMatch(const CString& keys, const CString& filter)
{
    return !filter.IsEmpty() && keys.Bytes().find("\n" + Folded(filter.Bytes())) != std::string::npos;
}
