#pragma once
#include "base/TextFile.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillet {

/// Exit statuses of the batch mode.
enum BatchStatus {
    kBatchCompleted = 0,      ///< "入力完了" ran to the end
    kBatchOutputDisabled = 1, ///< a start-up failure had disabled "入力完了"; closed instead
    kBatchUsage = 2,          ///< bad command line
    kBatchStartupEnded = 3,   ///< start-up ended the program
    kBatchAppError = 4,       ///< an error reached the application handler
    kBatchRunFailed = 5,      ///< the drawing run ended with one of its error messages
    kBatchPictureFailed = 6,  ///< a picture asked for could not be written; all else was done
};

/// One row of the exit-status table that --help prints and the README repeats.
struct BatchStatusRow {
    int status;
    const char *meaning; ///< UTF-8
};
const std::vector<BatchStatusRow> &batchStatusTable();

/// Draws the picture of a run's output over its exchange file into a PNG file of
/// width × height pixels with the window's painter; false with `error` (UTF-8) set
/// when it cannot. The program hands one over when its window module is there.
using PngWriter = std::function<bool(const Lines &output, const Lines &exchange, bool frameMode, int width,
                                     int height, const std::filesystem::path &file, std::string &error)>;

/// "quillet " and the version.
std::string versionText();

/// The local time of `--now YYYY-MM-DDTHH:MM:SS` as the date codes read it, with the day
/// of the week and of the year filled in; any date of the Gregorian calendar from year
/// 0000 to 9999. Unset, with `problem` saying why, for another form or a date and time
/// that does not exist.
std::optional<std::tm> parseBatchNow(const std::string &text, std::string &problem);

/// The batch mode's usage text with its options and exit statuses, as --help prints it.
const char *batchUsage();

/// `quillet --batch [options] [MODE]`: the start-up and "入力完了" of the window without
/// any widget, in `startDir`. `args` are the arguments after "--batch". Messages go
/// to `err` as UTF-8 lines; `--help`, `--version` and the lines of `--dry-run` go to
/// `out`. `--png` needs `png`; without it --png is a bad command line. An error of
/// the program's own classes ends it with kBatchAppError; any other exception is a
/// fault of the program itself and is left to the caller.
int runBatch(const std::vector<std::string> &args, const std::filesystem::path &startDir, std::ostream &out,
             std::ostream &err, const PngWriter &png = {});

} // namespace quillet
