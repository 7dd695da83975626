#pragma once
// What the benchmarks share: the session a batch run of a start directory computes its
// output from, set up the way the batch mode sets it up.
#include "program/Session.h"

#include <filesystem>
#include <vector>

namespace quillet::bench {

/// Sets up `s` as `quillet --batch` would in `dir`, with the mode in `dir/mode`, the
/// memo in `dir/memo.txt` and the date codes' time in `dir/now` (else 2024-05-07
/// 00:00:00). No file is written: start-up goes through its writes as a dry run
/// does. False where start-up ends the program or leaves 入力完了 disabled, or a file
/// cannot be read.
bool batchSessionOf(const std::filesystem::path &dir, Session &s);

/// The folders directly under `under`, by name; none where it is no folder.
std::vector<std::filesystem::path> startDirectories(const std::filesystem::path &under);

} // namespace quillet::bench
