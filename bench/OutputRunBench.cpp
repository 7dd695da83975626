// Time of one output run computed in-process, for every golden start directory (the
// heaviest drawings the project keeps: clouds with fill, frames around many texts,
// tilted ovals after a bend), for the slowest of the seeded random start directories
// (kept in bench/random-heavy), for start directories made heavier by hand than any
// random one (bench/heavy-by-hand) and for a synthetic worst case of five full lines
// of full-width text. Prints microseconds per run against the 50 µs budget; nothing here
// passes or fails.
//
//   OutputRunBench [RUNS]              every case above
//   OutputRunBench [RUNS] --only TEXT  the cases whose name holds TEXT (for a profiler)
//   OutputRunBench [RUNS] --scan DIR   every start directory under DIR, slowest first
//
// A start directory holds the files a batch run reads, `memo.txt`, and `mode` (the
// mode argument); `now` (YYYY-MM-DDTHH:MM:SS) fixes the date codes, else 2024-05-07.
// tests/tools/random_runs.py --make-only writes such directories.
#include "StartDirectory.h"

#include "base/Sjis.h"
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "program/CompleteInput.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

using namespace quillet;
namespace fs = std::filesystem;

namespace {

constexpr double kBudget = 50;

// Microseconds per run: the median over rounds of the time on the clock (what a user
// waits) and of the processor time (what the run costs; on a machine shared with
// other work it is the steadier figure).
struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing microsecondsPerRun(const Session &s, long runs, std::size_t &lines, int rounds = 5)
{
    // Rounds of about 20 ms each, at most `runs` runs: the heaviest random cases take
    // a hundred times as long as the lightest.
    const auto probe = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i)
        lines = computeOutput(s).output.size();
    const double probeUs =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - probe).count() / 10;
    runs = std::max(20L, std::min(runs, long(20000 / std::max(probeUs, 0.01))));
    std::vector<double> walls, cpus;
    for (int round = 0; round < rounds; ++round) {
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < runs; ++i)
            lines = computeOutput(s).output.size();
        walls.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
                        double(runs));
        cpus.push_back(double(std::clock() - cpuStart) * 1e6 / CLOCKS_PER_SEC / double(runs));
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void report(const std::string &name, std::size_t lines, Timing t)
{
    std::printf("  %-24s %4zu lines  %8.2f us  %.2f of the %.0f us budget  (cpu %8.2f us)\n", name.c_str(), lines,
                t.wall, t.wall / kBudget, kBudget, t.cpu);
}

// Every start directory under `under`, timed with few runs, the slowest `shown` listed.
int scan(const fs::path &under, long runs, std::size_t shown)
{
    struct Timed {
        Timing t;
        std::size_t lines;
        std::string name;
    };
    std::vector<Timed> timed;
    for (const fs::path &dir : bench::startDirectories(under)) {
        Session s;
        if (!bench::batchSessionOf(dir, s))
            continue;
        std::size_t lines = 0;
        try {
            timed.push_back({microsecondsPerRun(s, runs, lines, 3), lines, dir.filename().string()});
        } catch (const std::exception &) {
            // A run that ends in an error the run does not report is no output run.
        }
    }
    std::sort(timed.begin(), timed.end(), [](const Timed &a, const Timed &b) { return a.t.cpu > b.t.cpu; });
    std::printf("%zu start directories under %s, slowest processor time first (median of 3 rounds, at most %ld runs each)\n",
                timed.size(),
                under.string().c_str(), runs);
    for (std::size_t i = 0; i < timed.size() && i < shown; ++i)
        report(timed[i].name, timed[i].lines, timed[i].t);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    long runs = 2000;
    fs::path scanDir;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scan" && i + 1 < argc)
            scanDir = argv[++i];
        else if (arg == "--only" && i + 1 < argc)
            only = argv[++i];
        else
            runs = std::atol(argv[i]);
    }
    if (!scanDir.empty())
        return scan(scanDir, runs, 40);

    const fs::path source(QUILLET_SOURCE_DIR);
    std::printf("output run, in-process (median of 5 rounds of about 20 ms, at most %ld runs each; budget %.0f us)\n",
                runs, kBudget);
    double worst = 0;
    std::string slowest;
    auto timeCase = [&](const std::string &name, const Session &s) {
        if (name.find(only) == std::string::npos)
            return;
        std::size_t lines = 0;
        const Timing t = microsecondsPerRun(s, runs, lines);
        if (t.wall > worst) {
            worst = t.wall;
            slowest = name;
        }
        report(name, lines, t);
    };
    std::vector<fs::path> cases = bench::startDirectories(source / "tests" / "fixtures" / "golden");
    for (const char *kept : {"random-heavy", "heavy-by-hand"}) {
        const std::vector<fs::path> heavy = bench::startDirectories(source / "bench" / kept);
        cases.insert(cases.end(), heavy.begin(), heavy.end());
    }
    for (const fs::path &dir : cases) {
        const fs::path from = dir.parent_path().filename();
        const std::string name =
            (from == "golden" ? "" : from == "random-heavy" ? "random " : "by hand ") + dir.filename().string();
        if (name.find(only) == std::string::npos)
            continue;
        Session s;
        if (!bench::batchSessionOf(dir, s)) {
            std::printf("  %-24s could not be set up\n", name.c_str());
            continue;
        }
        timeCase(name, s);
    }

    Session heavy5;
    heavy5.mode = Mode::Bend;
    heavy5.exchangeList = readLines(source / "tests/fixtures/exchange/bend.jwc_temp.txt");
    readExchange(heavy5.exchangeList, heavy5.mode, heavy5.exchange);
    heavy5.exchange.point3Line = "hp3   6020.5 5810.25"; // sloped, so the text is turned
    heavy5.files.settingsList = Lines(30, "0");
    std::string line;
    while (line.size() < 70)
        line += sjis::fromUtf8("注");
    heavy5.form.memoLines = Lines(5, line);
    heavy5.form.tip = Tip::Arrow4;
    heavy5.form.frameKind = FrameKind::CloudUneven;
    heavy5.form.tiltOn = true;
    heavy5.form.fillOn = true;
    heavy5.form.basic.arrowAngle = 3;
    timeCase("5 lines, cloud, fill", heavy5);
    std::printf("slowest: %s, %.2f us per run, %.2f of the budget\n", slowest.c_str(), worst, worst / kBudget);
    return 0;
}
