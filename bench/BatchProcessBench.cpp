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

void fresh(const fs::path &golden, const fs::path &dir)
{
    fs::remove_all(dir);
    fs::copy(golden, dir);
}

} // namespace

int main(int argc, char **argv)
{
#ifdef _WIN32
    std::printf("the paired process timing runs on POSIX systems only\n");
    return 0;
#else
    const int runs = argc > 1 ? std::atoi(argv[1]) : 25;
    const fs::path golden = fs::path(QUILLET_SOURCE_DIR) / "tests" / "fixtures" / "golden" / "rectangle-arrow";
    const fs::path root = fs::temp_directory_path() / "quillet-batch-bench";
    fs::create_directories(root);
    std::vector<double> program, floor, usage;
    for (int i = 0; i < runs; ++i) {
        fresh(golden, root / "a");
        program.push_back(timed(root / "a", {QUILLET_EXE, "--batch", "--preset", "1", "--memo", "memo.txt",
                                             "--now", "2024-05-07T09:05:03"}));
        fresh(golden, root / "b");
        floor.push_back(timed(root / "b", {COPY_MIN_EXE}));
        usage.push_back(timed(root / "b", {QUILLET_EXE, "--batch", "--bogus"}));
    }
    fs::remove_all(root);
    const double p = median(program), f = median(floor), u = median(usage);
    std::printf("batch run: quillet %.2f ms, floor (read and write the files) %.2f ms, ratio %.2f (target <= 1.5), "
                "%d paired runs\n",
                p, f, p / f, runs);
    std::printf("usage error alone: %.2f ms, ratio %.2f to the floor\n", u, u / f);
    return 0;
#endif
}
