// The viewer text built from report lines: one paragraph per line, none lost; each shown line
// has no NUL and no white space at either end, grows only by the tab widening, and keeps
// every byte that is not white space, in order.
#include <vector>

#include "reports/ViewerText.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::string WithoutWhiteSpace(const std::string& bytes)
{
    std::string kept;
    for (char byte : bytes)
        if (byte != '\0' && !IsTrimmedSpace(static_cast<unsigned char>(byte))) kept += byte;
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Report lines never hold an LF: the text-mode reader splits at it.
    std::vector<std::string> lines;
    for (size_t from = 0;;) {
        const size_t lf = input.find('\n', from);
        lines.push_back(input.substr(from, lf == std::string::npos ? std::string::npos : lf - from));
        if (lf == std::string::npos) break;
        from = lf + 1;
    }

    CString viewer;
    for (const std::string& line : lines) {
        const CString shown = ViewerLine(CString(line));
        const std::string& bytes = shown.Bytes();
        FUZZ_CHECK(bytes.find('\0') == std::string::npos);
        FUZZ_CHECK(bytes.empty() || (!IsTrimmedSpace(static_cast<unsigned char>(bytes.front())) &&
                                     !IsTrimmedSpace(static_cast<unsigned char>(bytes.back()))));
        size_t tabs = 0;
        for (char byte : line) tabs += byte == '\t';
        FUZZ_CHECK(bytes.size() <= line.size() + 3 * tabs);
        FUZZ_CHECK(WithoutWhiteSpace(bytes) == WithoutWhiteSpace(line));

        const size_t before = viewer.Size();
        AppendReportLine(viewer, CString(line));
        FUZZ_CHECK(viewer.Bytes().compare(before, std::string::npos, "\r\n" + bytes) == 0);
    }

    // Split back at the paragraph breaks: exactly one paragraph per line, in order.
    const std::string& text = viewer.Bytes();
    size_t paragraphs = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++paragraphs;
    FUZZ_CHECK(paragraphs == lines.size());
    FUZZ_CHECK(text.compare(0, 2, "\r\n") == 0);
    return 0;
}
