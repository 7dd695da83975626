#include "base/PhaseClock.h"

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quillet::phases {

namespace {

using Clock = std::chrono::steady_clock;

// Wall time is what the user waits; processor time shows the work itself, which
// other processes on a busy machine do not stretch.
struct Phase {
    std::string name;
    Clock::duration wall;
    std::clock_t cpu;
};

struct State {
    Clock::time_point begin = Clock::now();
    Clock::time_point last = begin;
    std::clock_t cpuBegin = std::clock();
    std::clock_t cpuLast = cpuBegin;
    std::vector<Phase> phases;
};

State &state()
{
    static State s;
    return s;
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
double milliseconds(std::clock_t ticks) { return 1000.0 * double(ticks) / CLOCKS_PER_SEC; }

} // namespace

bool enabled()
{
    static const bool on = [] {
        const char *value = std::getenv("QUILLET_STARTUP_PHASES");
        return value && *value && std::string(value) != "0";
    }();
    return on;
}

void start()
{
    if (!enabled())
        return;
    State &s = state();
    s.begin = s.last = Clock::now();
    s.cpuBegin = s.cpuLast = std::clock();
    s.phases.clear();
}

void mark(const char *name)
{
    if (!enabled())
        return;
    State &s = state();
    const Clock::time_point now = Clock::now();
    const std::clock_t cpu = std::clock();
    s.phases.push_back({name, now - s.last, cpu - s.cpuLast});
    s.last = now;
    s.cpuLast = cpu;
}

std::string report(const char *title)
{
    const State &s = state();
    std::string text = std::string(title) + "\n";
    char line[160];
    for (const Phase &phase : s.phases) {
        std::snprintf(line, sizeof line, "phase %8.3f ms %8.3f ms cpu  %s\n", milliseconds(phase.wall),
                      milliseconds(phase.cpu), phase.name.c_str());
        text += line;
    }
    std::snprintf(line, sizeof line, "phase %8.3f ms %8.3f ms cpu  total\n", milliseconds(s.last - s.begin),
                  milliseconds(s.cpuLast - s.cpuBegin));
    return text + line;
}

void print(const char *title)
{
    if (!enabled())
        return;
    const std::string text = report(title);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace quillet::phases
