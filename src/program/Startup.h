#pragma once
#include "base/Host.h"
#include "program/Session.h"

#include <array>
#include <filesystem>
#include <string>

namespace quillet {

/// One row of the window-size table: the whole window is scaled by n/1024, then
/// the three grids get their default column width, row height and height.
struct WindowSizeRow {
    int screenHeight; ///< 600, 768, 864, or 865 for "more than 864"
    char variant;     ///< '0' or '1'
    int n;
    struct Grid { int colWidth, rowHeight, height; };
    Grid phraseGrid;  ///< MLStringGrid1
    Grid indexGrid;   ///< StringGrid2
    Grid numberGrid;  ///< StringGrid3
};

/// The window-size row for a screen height and display variant; nullptr keeps the designed size.
const WindowSizeRow *windowSizeFor(int screenHeight, const std::string &variantLine);

/// The row the start-up chose (Session::windowSizeRow), or nullptr for the designed size.
const WindowSizeRow *windowSizeRow(int index);

enum class StartupResult {
    Running, ///< the window waits for the user (possibly with "入力完了" disabled)
    Ended,   ///< start-up ended the program (settings file missing, screen too small)
};

/// The start-up sequence of the main window's creation, in its order, with every
/// message. `argument` is the first command-line argument ("" when none); the
/// start directory is `startDir`. The phrase book is opened as part of it.
StartupResult runStartup(Session &session, Host &host, const std::string &argument,
                         const std::filesystem::path &startDir);

/// What the window shows on first show: preset memos and presets are loaded and the
/// start-up preset pressed when the settings ask for it.
void runFirstShow(Session &session, Host &host);

/// What the batch mode runs before 「入力完了」, and what the benchmarks take their
/// sessions from: start-up with `argument` in `startDir`, the first show, then quick-
/// select preset `preset` pressed (none for 0). Returns start-up's result; when it
/// ended the program nothing after it runs. `presetEmpty` says whether the preset
/// pressed held no choices.
StartupResult runBatchStart(Session &session, Host &host, const std::string &argument,
                            const std::filesystem::path &startDir, int preset, bool &presetEmpty);

/// Closing the window: close-time settings, page index and open page are written;
/// jwc_temp.txt is left as it is.
void closeWindow(Session &session, Host &host);


} // namespace quillet
