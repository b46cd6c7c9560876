// Runs a fuzz target without libFuzzer (a compiler without -fsanitize=fuzzer): every file of
// the corpus folders given, then a fixed-seed series of mutations of each, so the ordinary
// test run still walks inputs beyond the corpus under the sanitizers.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// A small fixed-seed generator: the same mutations on every run, so a failure repeats.
class Random {
public:
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<uint32_t>(m_state);
    }
    size_t Below(size_t bound) { return bound == 0 ? 0 : Next() % bound; }

private:
    uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

// Bytes that matter to the rules: line ends, the end-of-file mark, tab, NUL, space, GBK lead bytes.
constexpr char kInteresting[] = {'\r', '\n', '\x1A', '\t', '\0', ' ', '\x81', '\xFE', '\\', 'A', 'a'};

std::string Mutated(std::string input, Random& random, const std::vector<std::string>& corpus)
{
    const int steps = 1 + static_cast<int>(random.Below(4));
    for (int step = 0; step < steps; ++step) {
        switch (random.Below(5)) {
        case 0:  // flip one bit
            if (!input.empty()) input[random.Below(input.size())] ^= static_cast<char>(1u << random.Below(8));
            break;
        case 1:  // insert a byte that matters
            input.insert(random.Below(input.size() + 1), 1, kInteresting[random.Below(sizeof kInteresting)]);
            break;
        case 2:  // erase a run
            if (!input.empty()) {
                const size_t at = random.Below(input.size());
                input.erase(at, 1 + random.Below(input.size() - at));
            }
            break;
        case 3:  // splice in part of another corpus file
            if (!corpus.empty()) {
                const std::string& other = corpus[random.Below(corpus.size())];
                const size_t from = random.Below(other.size() + 1);
                input.insert(random.Below(input.size() + 1), other.substr(from, random.Below(other.size() - from + 1)));
            }
            break;
        default:  // repeat a run, to grow long lines
            if (!input.empty()) {
                const size_t at = random.Below(input.size());
                const std::string run = input.substr(at, 1 + random.Below(16));
                for (size_t times = random.Below(64); times > 0; --times) input.insert(at, run);
            }
            break;
        }
    }
    return input;
}

void Run(const std::string& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(path);
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    // A corpus that is missing would make this run pass having checked nothing.
    if (corpus.empty()) {
        std::fprintf(stderr, "no corpus files found\n");
        return 1;
    }
    const char* mutationsSetting = std::getenv("FUZZ_REPLAY_MUTATIONS");
    const long mutations = mutationsSetting ? std::strtol(mutationsSetting, nullptr, 10) : 2000;
    Random random;
    long runs = 0;
    for (const std::string& input : corpus) {
        Run(input);
        ++runs;
    }
    for (long i = 0; i < mutations; ++i, ++runs) Run(Mutated(corpus[random.Below(corpus.size())], random, corpus));
    std::printf("%ld inputs run, %zu from the corpus\n", runs, corpus.size());
    return 0;
}
