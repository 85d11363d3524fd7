// Replays fuzzer inputs through a harness's entry point without libFuzzer:
// every file named, and every file in the folders named (in name order), is
// given to LLVMFuzzerTestOneInput once. A crash or a broken property ends the
// process as it would end a fuzzing run; a folder that is missing or empty is
// an error too, so a regression folder cannot silently stop being replayed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

static bool replay(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::printf("%s (%zu bytes)\n", file.c_str(), bytes.size());
    std::fflush(stdout);
    // An empty vector's data() may be null; the fuzzer never passes null.
    static const uint8_t none = 0;
    LLVMFuzzerTestOneInput(bytes.empty() ? &none : reinterpret_cast<const uint8_t *>(bytes.data()),
                           bytes.size());
    return true;
}

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry &e : fs::directory_iterator(arg, ec))
                if (e.is_regular_file())
                    files.push_back(e.path());
            std::sort(files.begin(), files.end());
            if (files.empty()) {
                std::fprintf(stderr, "%s: no inputs\n", argv[i]);
                ok = false;
            }
            for (const fs::path &f : files)
                replayed += replay(f) ? 1 : (ok = false, 0);
        } else if (fs::is_regular_file(arg, ec)) {
            replayed += replay(arg) ? 1 : (ok = false, 0);
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            ok = false;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return ok ? 0 : 1;
}
