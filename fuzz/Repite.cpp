// Runs a fuzz target's entry point once on every file named, or on every
// file of every directory named: the seeds and the inputs that once failed,
// replayed in every test run without the fuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n);

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::vector<fs::path> archivos;
    for (int i = 1; i < argc; ++i) {
        // A directory that does not exist holds no inputs yet.
        const fs::path p(argv[i]);
        if (fs::is_directory(p)) {
            for (const auto& e : fs::directory_iterator(p))
                if (e.is_regular_file() && !e.path().filename().string().starts_with('.'))
                    archivos.push_back(e.path());
        } else if (fs::exists(p)) {
            archivos.push_back(p);
        }
    }
    for (const auto& a : archivos) {
        std::ifstream f(a, std::ios::binary);
        if (!f) {
            std::fprintf(stderr, "cannot read %s\n", a.c_str());
            return 1;
        }
        const std::string datos((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        // Named first, so that a failing input is known by its file.
        std::fprintf(stderr, "%s\n", a.c_str());
        // A target sets aside (-1) what it will not check: never a seed.
        if (LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(datos.data()), datos.size()) != 0) {
            std::fprintf(stderr, "set aside by the target\n");
            return 1;
        }
    }
    std::printf("%zu inputs replayed\n", archivos.size());
    return archivos.empty() ? 1 : 0;
}
