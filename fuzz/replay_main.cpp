// Replays a fuzz target's corpus with the ordinary compiler: every file of the folders (or
// the files) given is passed once to LLVMFuzzerTestOneInput. A crash, an abort or an
// exception that escapes fails the test; the file being read is printed first.
// Not here: finding new inputs (that is libFuzzer's, see fuzz/README.md).
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& e : fs::recursive_directory_iterator(argv[i]))
                if (e.is_regular_file()) files.push_back(e.path());
        } else {
            files.emplace_back(argv[i]);
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "sin entradas que reproducir\n";
        return 1;
    }
    for (const auto& f : files) {
        std::cerr << f.string() << "\n";
        std::ifstream in(f, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::cout << files.size() << " entradas reproducidas\n";
    return 0;
}
