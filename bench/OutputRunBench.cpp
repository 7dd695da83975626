// Time of one output run computed in-process, for every golden start directory (the
// heaviest drawings the project keeps: clouds with fill, frames around many texts,
// tilted ovals after a bend) and for a synthetic worst case of five full lines of
// full-width text. Prints microseconds per run against the 50 µs budget; nothing here
// passes or fails.
#include "base/Host.h"
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "program/CompleteInput.h"
#include "program/Startup.h"
#include "settings/Presets.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace quillet;
namespace fs = std::filesystem;

namespace {

class QuietHost : public Host {
public:
    void warning(const std::string &) override {}
    void notice(const std::string &) override {}
    bool question(const std::string &) override { return false; }
    int screenHeight() const override { return 1024; }
};

// The session a batch run of the golden case would compute its output from.
bool sessionOf(const fs::path &golden, Session &s)
{
    QuietHost host;
    const Lines mode = readLines(golden / "mode");
    s.fixedNow = std::tm{};
    s.fixedNow->tm_year = 124;
    s.fixedNow->tm_mon = 4;
    s.fixedNow->tm_mday = 7;
    if (runStartup(s, host, mode.empty() ? "" : mode[0], golden) == StartupResult::Ended)
        return false;
    presets::click(s.settingsScope(), host, 1, true);
    s.form.memoLines = readLines(golden / "memo.txt");
    return s.outputEnabled;
}

double microsecondsPerRun(const Session &s, long runs, std::size_t &lines)
{
    std::vector<double> samples;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < runs; ++i)
            lines = computeOutput(s).output.size();
        samples.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
                          double(runs));
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const long runs = argc > 1 ? std::atol(argv[1]) : 2000;
    const double budget = 50;
    std::printf("output run, in-process (median of 5 rounds of %ld runs; budget %.0f us)\n", runs, budget);
    double worst = 0;
    std::vector<fs::path> cases;
    for (const auto &entry : fs::directory_iterator(fs::path(QUILLET_SOURCE_DIR) / "tests" / "fixtures" / "golden"))
        cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    for (const fs::path &golden : cases) {
        // Start-up may create a missing file: run it on a copy.
        const fs::path copy = fs::temp_directory_path() / ("quillet-bench-" + golden.filename().string());
        fs::remove_all(copy);
        fs::copy(golden, copy);
        Session s;
        const bool ready = sessionOf(copy, s);
        fs::remove_all(copy);
        if (!ready) {
            std::printf("  %-22s could not be set up\n", golden.filename().string().c_str());
            continue;
        }
        std::size_t lines = 0;
        const double us = microsecondsPerRun(s, runs, lines);
        worst = std::max(worst, us);
        std::printf("  %-22s %4zu lines  %7.2f us  %.2f of budget\n", golden.filename().string().c_str(), lines, us,
                    us / budget);
    }

    Session heavy;
    heavy.mode = Mode::Bend;
    heavy.exchangeList = readLines(fs::path(QUILLET_SOURCE_DIR) / "tests/fixtures/exchange/bend.jwc_temp.txt");
    readExchange(heavy.exchangeList, heavy.mode, heavy.exchange);
    heavy.exchange.point3Line = "hp3   6020.5 5810.25"; // sloped, so the text is turned
    heavy.files.settingsList = Lines(30, "0");
    std::string line;
    while (line.size() < 70)
        line += sjis::fromUtf8("注");
    heavy.form.memoLines = Lines(5, line);
    heavy.form.tip = Tip::Arrow4;
    heavy.form.frameKind = FrameKind::CloudUneven;
    heavy.form.tiltOn = true;
    heavy.form.fillOn = true;
    heavy.form.basic.arrowAngle = 3;
    std::size_t lines = 0;
    const double us = microsecondsPerRun(heavy, runs, lines);
    worst = std::max(worst, us);
    std::printf("  %-22s %4zu lines  %7.2f us  %.2f of budget\n", "5 lines, cloud, fill", lines, us, us / budget);
    std::printf("slowest: %.2f us per run, %.2f of the budget\n", worst, worst / budget);
    return 0;
}
