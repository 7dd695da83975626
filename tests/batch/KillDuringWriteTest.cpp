// Kills the batch mode with SIGKILL at random moments, many times over, and checks
// that every data file of the start directory is whole afterwards (its old content or
// its new one, never a mix and never empty) and that the temporary a kill leaves
// behind is cleared by the next run instead of piling up. QUILLET_KILL_TRIALS and
// QUILLET_KILL_SEED make a longer or another run.
#ifndef _WIN32
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace quillet;
using test::TempDir;

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

long envNumber(const char *name, long fallback)
{
    const char *value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

// The data files of `dir`; temporaries go to `temporaries`.
Files dataFiles(const TempDir &dir, std::vector<std::string> *temporaries = nullptr)
{
    Files files;
    for (const auto &entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (isTemporaryName(name)) {
            if (temporaries)
                temporaries->push_back(name);
        } else {
            files[name] = readBytes(entry.path());
        }
    }
    return files;
}

// Starts the batch mode in `dir`. With slow writes every write and rename of the
// program waits a little, so that more kills land inside one.
pid_t start(const TempDir &dir, const std::vector<std::string> &args, bool slowWrites)
{
    std::vector<std::string> argv = {QUILLET_EXE, "--batch", "--now", "2024-05-07T09:05:03"};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (chdir(dir.path().c_str()) != 0)
        _exit(126);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    // The kills are timed from how long whole runs take, and aimed at their ends,
    // where the writes are. Under the address sanitizer the leak check at exit takes
    // as long as the slowed writes themselves and would draw every kill past them.
    // What a killed run leaks is nobody's concern, and leaks are checked elsewhere.
    const char *const given = std::getenv("ASAN_OPTIONS");
    std::string asan = std::string(given ? given : "") + ":detect_leaks=0";
#ifdef QUILLET_IO_SHIM
    if (slowWrites) {
        setenv("LD_PRELOAD", QUILLET_IO_SHIM, 1);
        setenv("QUILLET_IO_DELAY_US", "5000", 1);
        asan += ":verify_asan_link_order=0";
    }
#else
    (void)slowWrites;
#endif
    setenv("ASAN_OPTIONS", asan.c_str(), 1);
    std::vector<char *> raw;
    for (std::string &a : argv)
        raw.push_back(a.data());
    raw.push_back(nullptr);
    execv(raw[0], raw.data());
    _exit(127);
}

int finish(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

void restore(const TempDir &dir, const Files &files)
{
    for (const auto &[name, bytes] : files)
        dir.writeBytes(name, bytes);
}

std::string withLfEnds(std::string bytes)
{
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at))
        bytes.erase(at, 1);
    return bytes;
}

struct KillCase {
    const char *name;
    std::vector<std::string> args;
    int status;            ///< of a run that is not killed
    bool shortPatterns;    ///< a damaged PKDATA.tx: start-up fails, the files are closed
};

class KillDuringWrite : public ::testing::TestWithParam<KillCase> {};

} // namespace

TEST_P(KillDuringWrite, LeavesEveryFileOldOrNewAndNoTemporaryPilesUp)
{
    const KillCase &c = GetParam();
    TempDir dir;
    test::copyStartData(dir);
    dir.write("jwc_temp.txt", readLines(test::fixture("exchange/annotation.jwc_temp.txt")));
    dir.write("memo.txt", {test::sj("外壁：吹付タイル")});
    if (c.shortPatterns) {
        Lines patterns = readLines(dir / "PKDATA.tx");
        patterns.pop_back();
        dir.write("PKDATA.tx", patterns);
    }
    // LF line ends: every file the run rewrites (with CR LF) differs from its old self.
    Files before = dataFiles(dir);
    for (auto &[name, bytes] : before)
        bytes = withLfEnds(bytes);
    restore(dir, before);

    // What an uninterrupted run leaves, and how long a slowed one takes.
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_EQ(finish(start(dir, c.args, true)), c.status);
    const auto slowRun = std::chrono::steady_clock::now() - t0;
    const Files after = dataFiles(dir);
    restore(dir, before);
    const auto t1 = std::chrono::steady_clock::now();
    ASSERT_EQ(finish(start(dir, c.args, false)), c.status);
    const auto fastRun = std::chrono::steady_clock::now() - t1;
    ASSERT_EQ(dataFiles(dir), after);
    int rewritten = 0;
    for (const auto &[name, bytes] : after)
        rewritten += before.at(name) != bytes;
    ASSERT_GE(rewritten, 3);

    const long trials = envNumber("QUILLET_KILL_TRIALS", 24);
    std::mt19937 random(unsigned(envNumber("QUILLET_KILL_SEED", 17)));
    int interrupted = 0, between = 0;
    for (long trial = 0; trial < trials; ++trial) {
        restore(dir, before); // the temporaries of earlier kills stay where they are
        // Every fourth kill may come at any moment of a run; the others aim at the
        // writes, which the slowed run spends its extra time in, at its end.
        const bool slow = trial % 4 != 0;
        const long fast = long(std::chrono::duration_cast<std::chrono::microseconds>(fastRun).count());
        const long slowed = long(std::chrono::duration_cast<std::chrono::microseconds>(slowRun).count());
        const long from = slow ? std::max(0L, slowed - (slowed - fast) * 13 / 10) : 0;
        const long to = slow ? slowed * 21 / 20 : fast * 6 / 5;
        const auto wait = std::chrono::microseconds(std::uniform_int_distribution<long>(from, to)(random));
        const pid_t pid = start(dir, c.args, slow);
        std::this_thread::sleep_for(wait);
        kill(pid, SIGKILL);
        finish(pid);

        std::vector<std::string> temporaries;
        const Files now = dataFiles(dir, &temporaries);
        ASSERT_EQ(now.size(), before.size()) << "trial " << trial;
        int renewed = 0;
        for (const auto &[name, bytes] : now) {
            ASSERT_TRUE(bytes == before.at(name) || bytes == after.at(name))
                << name << " is neither old nor new after trial " << trial << " (killed after " << wait.count()
                << " µs)";
            renewed += bytes != before.at(name);
        }
        // A kill leaves at most the one temporary it interrupted; older ones are gone.
        ASSERT_LE(temporaries.size(), 1u) << "temporaries pile up after trial " << trial;
        interrupted += !temporaries.empty();
        between += renewed > 0 && renewed < rewritten;
    }
    std::cout << "[ KILLS    ] " << trials << " trials: " << interrupted << " left a temporary, " << between
              << " stopped between two files\n";
    if (trials >= 20) {
        EXPECT_GT(interrupted + between, 0) << "no kill landed inside the writes";
    }

    restore(dir, before);
    EXPECT_EQ(finish(start(dir, c.args, false)), c.status);
    std::vector<std::string> temporaries;
    EXPECT_EQ(dataFiles(dir, &temporaries), after);
    EXPECT_TRUE(temporaries.empty()) << temporaries.front();
}

INSTANTIATE_TEST_SUITE_P(Batch, KillDuringWrite,
                         ::testing::Values(KillCase{"Completes", {"--memo", "memo.txt"}, 0, false},
                                           KillCase{"ClosesAfterAFailedStartup", {}, 1, true}),
                         [](const auto &info) { return std::string(info.param.name); });

#endif
