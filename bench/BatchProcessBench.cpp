// A whole `quillet --batch` process against the floor of a program that merely reads
// the same start directory and writes jwc_temp.txt back (bench/perf/copy_min.cpp),
// run in turn, pair by pair, in fresh copies of a golden start directory. Prints the
// medians and their ratio; nothing here passes or fails.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
// Wall time of one process started directly (no shell), in milliseconds.
double timed(const fs::path &dir, std::vector<std::string> args)
{
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    fs::current_path(before);
    return ms;
}
#endif

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

/// A start directory made afresh from `parts`, copied in order (later ones win).
void fresh(const std::vector<fs::path> &parts, const fs::path &dir)
{
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const fs::path &part : parts)
        for (const auto &entry : fs::directory_iterator(part))
            fs::copy(entry.path(), dir / entry.path().filename(), fs::copy_options::overwrite_existing);
}

/// Paired runs of quillet and the floor in fresh copies of one start directory; prints
/// the medians and their ratio.
void pair(const char *what, const std::vector<fs::path> &parts, const fs::path &root, int runs)
{
    std::vector<double> program, floor;
    for (int i = 0; i < runs; ++i) {
        fresh(parts, root / "a");
        program.push_back(timed(root / "a", {QUILLET_EXE, "--batch", "--preset", "1", "--memo", "memo.txt",
                                             "--now", "2024-05-07T09:05:03"}));
        fresh(parts, root / "b");
        floor.push_back(timed(root / "b", {COPY_MIN_EXE}));
    }
    const double p = median(program), f = median(floor);
    std::printf("batch run, %s: quillet %.2f ms, floor (read and write the files) %.2f ms, ratio %.2f "
                "(target <= 1.5), %d paired runs\n",
                what, p, f, p / f, runs);
}

} // namespace

int main(int argc, char **argv)
{
#ifdef _WIN32
    std::printf("the paired process timing runs on POSIX systems only\n");
    return 0;
#else
    const int runs = argc > 1 ? std::atoi(argv[1]) : 25;
    const fs::path source(QUILLET_SOURCE_DIR);
    const fs::path golden = source / "tests" / "fixtures" / "golden" / "rectangle-arrow";
    const fs::path root = fs::temp_directory_path() / "quillet-batch-bench";
    fs::create_directories(root);
    // The golden directory lacks the phrase book and the preset memos, so its run also
    // creates them; a start directory as installed has every file.
    pair("golden start directory", {golden}, root, runs);
    pair("complete start directory", {source / "data" / "start", golden}, root, runs);
    std::vector<double> usage, floor;
    for (int i = 0; i < runs; ++i) {
        fresh({golden}, root / "b");
        floor.push_back(timed(root / "b", {COPY_MIN_EXE}));
        usage.push_back(timed(root / "b", {QUILLET_EXE, "--batch", "--bogus"}));
    }
    fs::remove_all(root);
    std::printf("usage error alone: %.2f ms, ratio %.2f to the floor\n", median(usage), median(usage) / median(floor));
    return 0;
#endif
}
