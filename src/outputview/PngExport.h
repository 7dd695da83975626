#pragma once
#include "base/TextFile.h"

#include <filesystem>
#include <string>

namespace quillet::outputview {

/// The picture of a run's output over its exchange file, painted as the output view
/// paints it, fitted into width × height pixels and written as a PNG file. Works
/// without a display: when no application object exists yet, one is made on the
/// offscreen platform. False with `error` (UTF-8) set when it cannot be written.
bool writeRunPng(const Lines &output, const Lines &exchange, bool frameMode, int width, int height,
                 const std::filesystem::path &file, std::string &error);

} // namespace quillet::outputview
