// Replays fuzz inputs without libFuzzer: every file in the folders (or files) given on the command
// line goes through LLVMFuzzerTestOneInput once. Missing folders are skipped.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
void RunFile(const std::filesystem::path& path, int& count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++count;
}
}  // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) {
            RunFile(path, count);
        } else if (std::filesystem::is_directory(path, ec)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ec)) {
                if (entry.is_regular_file()) RunFile(entry.path(), count);
            }
        } else {
            std::printf("skipped missing %s\n", argv[i]);
        }
    }
    std::printf("replayed %d inputs\n", count);
    return 0;
}
