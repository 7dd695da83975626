#pragma once
#include <cstddef>

// The entries the window module exports to the program, as plain C so that either
// side can be built by another compiler run.
extern "C" {
/// The program with its window; returns the exit status.
using QuilletRunWindow = int (*)(int argc, char **argv);

/// The picture of a run as a PNG file, painted by the window's painter: `output` and
/// `exchange` are the run's lines and the exchange file's, Shift-JIS, each line
/// ending in CR LF; `frameMode` is 1 in the modes that frame existing texts; `path`
/// is UTF-8. Returns 0, or 1 with a UTF-8 reason in `error` (cut to `errorSize`).
using QuilletWritePng = int (*)(const char *output, std::size_t outputSize, const char *exchange,
                                std::size_t exchangeSize, int frameMode, int width, int height, const char *path,
                                char *error, std::size_t errorSize);
}

/// The exported name of the window entry.
inline constexpr const char *kRunWindowEntry = "quillet_run_window";
/// The exported name of the PNG entry.
inline constexpr const char *kWritePngEntry = "quillet_write_png";
