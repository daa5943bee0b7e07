// Feeds a fuzz target every file of the folders named on its command line,
// without libFuzzer. The test suite replays each target's seeds this way, so
// the sanitizer suite (scripts/run-sanitizer-tests.sh) runs them under
// AddressSanitizer and UndefinedBehaviorSanitizer; a target that finds an
// input wrong aborts, and the test fails.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        if (error) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
        std::sort(files.begin(), files.end());
        for (const std::filesystem::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            std::printf("%s\n", file.filename().c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++inputs;
        }
    }
    std::printf("%zu inputs\n", inputs);
    // A folder without seeds is a mistake, not a pass.
    return inputs > 0 ? 0 : 1;
}
