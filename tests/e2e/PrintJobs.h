#pragma once
// The print jobs Mardello sends, as the spooler's PDF printer writes them (a PDF named after the
// job) and poppler's Unix tools read them back. Wine starts a Unix binary as a Unix process whose
// handle cannot be waited on, so the command leaves its output and exit status in files.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/harness/Harness.h"

namespace e2e {

inline std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Text from the ANSI code page (GBK here) as UTF-8, the way poppler gives it back.
inline std::string Utf8FromAnsi(const std::string& text)
{
    if (text.empty()) return {};
    const int wideSize = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideSize);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// UTF-8, as the program's views are made, in the ANSI code page, as the viewer's text is read back.
inline std::string AnsiFromUtf8(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int wideSize = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideSize);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, text.data(), size, nullptr, nullptr);
    return text;
}

struct UnixResult {
    int status = -1;
    std::string output;  // stdout and stderr together
};

// Runs `command` with /bin/sh and waits for it to finish, handling this thread's messages meanwhile.
inline std::optional<UnixResult> RunUnix(const std::string& command, DWORD timeoutMs = kDefaultTimeoutMs)
{
    ScratchFolder results;
    const std::string unixResults = results.UnixPath();
    // The status file appears by rename, so it is never seen half written.
    const std::string script = "(" + command + ") >'" + unixResults + "/output' 2>&1; echo $? >'" + unixResults +
                               "/status.part'; mv '" + unixResults + "/status.part' '" + unixResults + "/status'";
    if (const LONG error = SpawnUnix({"/bin/sh", "-c", script}, false)) {
        ADD_FAILURE() << "cannot start /bin/sh: " << error;
        return std::nullopt;
    }
    const std::string status = results.Path() + "\\status";
    if (!WaitUntil([&] { return GetFileAttributesA(status.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs)) {
        ADD_FAILURE() << "Unix command did not finish in " << timeoutMs << " ms: " << command;
        return std::nullopt;
    }
    UnixResult result;
    result.status = std::atoi(ReadWholeFile(status).value_or("-1").c_str());
    result.output = ReadWholeFile(results.Path() + "\\output").value_or("");
    return result;
}

// A line of text on a printed page, as poppler finds it: the words at one height, joined
// without the spaces between them (poppler's word breaks in CJK text are its own guess).
struct PrintedLine {
    int page = 0;  // 0 for the first page
    double top = 0, bottom = 0, left = 0, right = 0;  // points from the paper's top and left edges
    std::string text;  // UTF-8
};

struct PrintedJob {
    std::string fileName, title;
    int pages = 0;
    double pageWidth = 0, pageHeight = 0;  // points
    std::vector<PrintedLine> lines;  // page by page, top to bottom
};

// Every non-space byte of `text`, in order: what a printed line is compared by.
inline std::string WithoutSpaces(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t') out += c;
    return out;
}

namespace detail {

inline std::string Attribute(const std::string& element, const std::string& name)
{
    const std::string key = " " + name + "=\"";
    const size_t at = element.find(key);
    if (at == std::string::npos) return {};
    const size_t from = at + key.size();
    return element.substr(from, element.find('"', from) - from);
}

// "&amp;" goes last, so that the text of an escaped entity stays as it is.
inline std::string Unescaped(std::string text)
{
    for (const auto& [entity, plain] : {std::pair{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''},
                                        {"&amp;", '&'}})
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::char_traits<char>::length(entity), 1, plain);
    return text;
}

// Reads pdftotext -bbox output: <page width=...> elements holding <word yMin=...>text</word>.
inline void ReadWords(const std::string& bbox, PrintedJob& job)
{
    int page = -1;
    std::istringstream lines(bbox);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("<page ") != std::string::npos) {
            ++page;
            job.pageWidth = std::atof(Attribute(line, "width").c_str());
            job.pageHeight = std::atof(Attribute(line, "height").c_str());
            continue;
        }
        const size_t open = line.find("<word ");
        if (open == std::string::npos) continue;
        const size_t textStart = line.find('>', open) + 1;
        const auto at = [&](const char* name) { return std::atof(Attribute(line, name).c_str()); };
        const PrintedLine word{page, at("yMin"), at("yMax"), at("xMin"), at("xMax"),
                               Unescaped(line.substr(textStart, line.find("</word>") - textStart))};
        // Words of one line share their top to within rounding; poppler lists them left to right.
        PrintedLine* current = job.lines.empty() ? nullptr : &job.lines.back();
        if (current && current->page == page && std::abs(current->top - word.top) < 1.0) {
            current->text += word.text;
            current->right = word.right;
            current->bottom = std::max(current->bottom, word.bottom);
        } else {
            job.lines.push_back(word);
        }
    }
}

}  // namespace detail

// Reads a printed PDF (a Windows path) with pdfinfo and pdftotext.
inline std::optional<PrintedJob> ReadPrintedJob(const std::string& pdf)
{
    const std::string unixPdf = UnixPath(pdf);
    auto info = RunUnix("pdfinfo '" + unixPdf + "'");
    auto words = RunUnix("pdftotext -bbox '" + unixPdf + "' -");
    if (!info || !words || info->status != 0 || words->status != 0) {
        ADD_FAILURE() << "poppler cannot read " << unixPdf << ": " << (info ? info->output : "")
                      << (words ? words->output : "");
        return std::nullopt;
    }
    PrintedJob job;
    job.fileName = pdf.substr(pdf.find_last_of('\\') + 1);
    std::istringstream infoLines(info->output);
    for (std::string line; std::getline(infoLines, line);) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(0, colon);
        std::string value = line.substr(line.find_first_not_of(' ', colon + 1));
        if (key == "Pages") job.pages = std::atoi(value.c_str());
        if (key == "Title") job.title = value;
    }
    detail::ReadWords(words->output, job);
    return job;
}

// Moves a read job out of the printer's folder into the folder MARDELLO_E2E_ARTIFACTS names
// (or deletes it when none is named), so a person can look at the pages of the last run.
inline void KeepAsArtifact(const std::string& pdf, const std::string& name)
{
    const std::string folder = PathFromEnvironment("MARDELLO_E2E_ARTIFACTS");
    if (!folder.empty()) {
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string kept = folder + "\\" + name + ".pdf";
        if (MoveFileExA(pdf.c_str(), kept.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING)) return;
    }
    DeleteFileA(pdf.c_str());
}

// What the printer's device contexts report for `index` (by default their resolution); 0 when
// there is no such printer.
inline int PrinterCaps(const std::string& printer, int index = LOGPIXELSY)
{
    HDC dc = CreateDCA(nullptr, printer.c_str(), nullptr, nullptr);
    if (!dc) return 0;
    const int value = GetDeviceCaps(dc, index);
    DeleteDC(dc);
    return value;
}

// Makes `dpi` the printer's default resolution, as its owner would in its settings; the print
// dialog then hands out device contexts of that resolution.
inline ::testing::AssertionResult SetPrinterResolution(const std::string& printer, int dpi)
{
    std::string name = printer;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE handle = nullptr;
    if (!OpenPrinterA(name.data(), &handle, &access))
        return ::testing::AssertionFailure() << "no printer " << printer << ": error " << GetLastError();
    const LONG size = DocumentPropertiesA(nullptr, handle, name.data(), nullptr, nullptr, 0);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : sizeof(DEVMODEA));
    auto* settings = reinterpret_cast<DEVMODEA*>(buffer.data());
    bool done = size > 0 && DocumentPropertiesA(nullptr, handle, name.data(), settings, nullptr, DM_OUT_BUFFER) == IDOK;
    if (done) {
        settings->dmPrintQuality = settings->dmYResolution = static_cast<short>(dpi);
        settings->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
        done = DocumentPropertiesA(nullptr, handle, name.data(), settings, settings, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
    }
    // The printer's default for everyone (8) and for this user (9), which comes first.
    PRINTER_INFO_8A everyone{settings};
    PRINTER_INFO_9A user{settings};
    done = done && SetPrinterA(handle, 8, reinterpret_cast<BYTE*>(&everyone), 0) &&
           SetPrinterA(handle, 9, reinterpret_cast<BYTE*>(&user), 0);
    ClosePrinter(handle);
    if (!done) return ::testing::AssertionFailure() << "cannot change the settings of " << printer;
    if (PrinterCaps(printer) != dpi)
        return ::testing::AssertionFailure() << printer << " still prints at " << PrinterCaps(printer) << " dpi";
    return ::testing::AssertionSuccess();
}

// The spooler's number of a job, from its PDF's file name, which the PDF printer ends with "job_"
// and the number; empty when there is none.
inline std::string JobNumber(const std::string& pdfName)
{
    const size_t at = pdfName.rfind("job_");
    return at == std::string::npos ? "" : pdfName.substr(at + 4, pdfName.find('.', at) - at - 4);
}

// How many copies the spooler was asked to make of a job (the PDF printer writes each job once,
// whatever the copies); 0 when the spooler does not say. `pdfName` is the job's PDF file name.
inline int CopiesOfJob(const std::string& pdfName)
{
    const std::string number = JobNumber(pdfName);
    const auto attributes =
        number.empty() ? std::nullopt : RunUnix("ipptool -tv ipp://localhost/jobs/" + number + " get-job-attributes.test");
    const std::string output = attributes ? attributes->output : "";
    const std::string key = " copies (integer) = ";
    const size_t at = output.find(key);
    return at == std::string::npos ? 0 : std::atoi(output.c_str() + at + key.size());
}

// The queue a job went to, from the spooler's list of jobs; `pdfName` is the job's PDF file name.
inline std::string QueueOfJob(const std::string& pdfName)
{
    const std::string number = JobNumber(pdfName);
    if (number.empty()) return "<no job number in " + pdfName + ">";
    const auto jobs = RunUnix("lpstat -W all -o");
    if (!jobs) return "<no job list>";
    // Lines read "queue-number  user  size  date".
    std::istringstream lines(jobs->output);
    for (std::string line; std::getline(lines, line);) {
        const std::string id = line.substr(0, line.find(' '));
        const size_t dash = id.rfind('-');
        if (dash != std::string::npos && id.substr(dash + 1) == number) return id.substr(0, dash);
    }
    return "<job " + number + " is not listed>";
}

// The folder the PDF printer writes to, and the jobs that arrive in it.
class PdfFolder {
public:
    PdfFolder() : m_path(PathFromEnvironment("MARDELLO_PDF_DIR")) { m_before = Files(); }

    bool Known() const { return !m_path.empty(); }

    // Reads the next new job, its PDF then kept as the artifact `name`; a failure when none comes.
    std::optional<PrintedJob> ReadNewJob(const std::string& name)
    {
        const auto pdf = Known() ? WaitForNewJob() : std::nullopt;
        if (!pdf) {
            ADD_FAILURE() << (Known() ? "no PDF came out of the printer"
                                      : "MARDELLO_PDF_DIR is not set: source scripts/cups-env.sh");
            return std::nullopt;
        }
        auto job = ReadPrintedJob(*pdf);
        KeepAsArtifact(*pdf, name);
        return job;
    }

    // Waits for a PDF that was not there when this object was made, or at the last call, and
    // that the printer has finished writing; its Windows path.
    std::optional<std::string> WaitForNewJob(DWORD timeoutMs = 60000)
    {
        std::string found;
        const auto arrived = [&] {
            for (const std::string& name : Files())
                if (found.empty() && !m_before.count(name) && Finished(m_path + "\\" + name)) found = name;
            return !found.empty();
        };
        if (!WaitUntil(arrived, timeoutMs)) return std::nullopt;
        m_before.insert(found);
        return m_path + "\\" + found;
    }

private:
    std::set<std::string> Files() const
    {
        std::set<std::string> names;
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((m_path + "\\*.pdf").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return names;
        do names.insert(entry.cFileName);
        while (FindNextFileA(find, &entry));
        FindClose(find);
        return names;
    }

    // A PDF ends with %%EOF, which the printer writes last.
    static bool Finished(const std::string& path)
    {
        const std::string bytes = ReadWholeFile(path).value_or("");
        const size_t tail = bytes.size() > 32 ? bytes.size() - 32 : 0;
        return bytes.find("%%EOF", tail) != std::string::npos;
    }

    std::string m_path;
    std::set<std::string> m_before;
};

}  // namespace e2e
