// Text-mode line reading fed in random chunks: the lines it gives, each with its LF, are the
// file up to 0x1A with CR LF folded to LF, whatever the chunking; no line is lost or reordered.
#include <algorithm>
#include <vector>

#include "framework/TextModeDecoder.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// What the C runtime's text mode gives for the bytes: cut at 0x1A, then each CR LF as LF.
std::string TextModeBytes(const std::string& file)
{
    const std::string kept = file.substr(0, file.find('\x1A'));
    std::string folded;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i] == '\r' && i + 1 < kept.size() && kept[i + 1] == '\n') continue;
        folded += kept[i];
    }
    return folded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    // The first bytes choose the chunk sizes, cycled; a chunk of 0 bytes is a valid read too.
    std::vector<size_t> chunks;
    for (int i = 0, count = 1 + input.Byte() % 8; i < count; ++i) chunks.push_back(input.Byte() % 17);
    const std::string file = input.Rest();

    TextModeDecoder decoder;
    std::string joined;
    size_t lines = 0;
    auto take = [&] {
        for (CString line; decoder.NextLine(line); ++lines) {
            FUZZ_CHECK(line.Bytes().find('\n') == std::string::npos);
            joined += line.Bytes() + "\n";
        }
    };
    size_t at = 0;
    for (size_t c = 0; at < file.size(); ++c) {
        const size_t chunk = chunks[c % chunks.size()];
        // An empty read must change nothing; then at least one byte, so the loop ends.
        if (chunk == 0) decoder.Feed(file.data() + at, 0);
        const size_t length = std::min(std::max<size_t>(chunk, 1), file.size() - at);
        decoder.Feed(file.data() + at, length);
        at += length;
        take();
    }
    decoder.FeedEnd();
    take();

    std::string expected = TextModeBytes(file);
    if (!expected.empty() && expected.back() != '\n') expected += '\n';
    FUZZ_CHECK(joined == expected);
    FUZZ_CHECK(decoder.SawEndOfFileMark() == (file.find('\x1A') != std::string::npos));
    CString none;
    FUZZ_CHECK(!decoder.NextLine(none));
    return 0;
}
