#pragma once

// The entries the window module exports to the program, as plain C so that either
// side can be built by another compiler run.
extern "C" {
/// The program with its window; returns the exit status.
using QuilletRunWindow = int (*)(int argc, char **argv);
}

/// The exported name of the window entry.
inline constexpr const char *kRunWindowEntry = "quillet_run_window";
