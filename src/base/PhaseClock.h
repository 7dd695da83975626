#pragma once
#include <string>

/// Where the time of start-up and of 「入力完了」 goes, for finding what to make
/// faster: with QUILLET_STARTUP_PHASES=1 in the environment the program marks the end
/// of each phase and prints them to stderr; without it every call costs one test of a
/// flag.
namespace quillet::phases {

/// True when QUILLET_STARTUP_PHASES is set to a value other than "0" or empty.
bool enabled();

/// Starts the clock: the next phase is measured from here. Later calls start it again.
void start();

/// Ends the phase that ran since the previous mark (or since start) under `name`.
void mark(const char *name);

/// The phases marked since start, one line each ("phase 12.345 ms 11.002 ms cpu  name":
/// wall time, then processor time), then the total, under a heading line with `title`.
std::string report(const char *title);

/// Prints report(title) to stderr when enabled.
void print(const char *title);

} // namespace quillet::phases
