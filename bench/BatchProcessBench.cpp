// Prints how long a whole `quillet --batch` run takes in a start directory, beside the
// time of merely copying the same files, so start-up and output costs can be told from
// the file system's. Figures only; nothing here passes or fails.
#include "base/TextFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path prepare(const fs::path &root, int i)
{
    const fs::path dir = root / ("run" + std::to_string(i));
    fs::create_directories(dir);
    for (const auto &entry : fs::directory_iterator(fs::path(QUILLET_SOURCE_DIR) / "data" / "start"))
        fs::copy_file(entry.path(), dir / entry.path().filename(), fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(QUILLET_SOURCE_DIR) / "data" / "samples" / "annotation.jwc_temp.txt", dir / "jwc_temp.txt",
                  fs::copy_options::overwrite_existing);
    return dir;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 50;
    const fs::path root = fs::temp_directory_path() / "quillet-bench";
    fs::remove_all(root);
    using clock = std::chrono::steady_clock;

    auto t0 = clock::now();
    for (int i = 0; i < runs; ++i)
        prepare(root, i);
    const double copyMs = std::chrono::duration<double, std::milli>(clock::now() - t0).count() / runs;

    const std::string memo = (fs::path(QUILLET_SOURCE_DIR) / "data" / "samples" / "memo.txt").string();
    t0 = clock::now();
    for (int i = 0; i < runs; ++i) {
        const std::string command = "cd '" + (root / ("run" + std::to_string(i))).string() + "' && '" QUILLET_EXE
                                    "' --batch --memo '" + memo + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "run %d did not complete\n", i);
    }
    const double batchMs = std::chrono::duration<double, std::milli>(clock::now() - t0).count() / runs;
    fs::remove_all(root);

    std::printf("runs: %d\n", runs);
    std::printf("copying the start directory: %.3f ms per run\n", copyMs);
    std::printf("quillet --batch (process start to exit): %.3f ms per run\n", batchMs);
    return 0;
}
