#pragma once
#include <ctime>
#include <filesystem>
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
};

/// The local time of `--now YYYY-MM-DDTHH:MM:SS` as the date codes read it, with the day
/// of the week and of the year filled in; any date of the Gregorian calendar from year
/// 0000 to 9999. Unset, with `problem` saying why, for another form or a date and time
/// that does not exist.
std::optional<std::tm> parseBatchNow(const std::string &text, std::string &problem);

/// The batch mode's usage text with its options and exit statuses, as --help prints it.
const char *batchUsage();

/// `quillet --batch [--preset N] [--memo FILE] [--now YYYY-MM-DDTHH:MM:SS] [MODE]`:
/// the start-up and "入力完了" of the window without any widget, in `startDir`.
/// `args` are the arguments after "--batch". Messages go to `err` as UTF-8 lines;
/// `--help` prints the usage text to `out`.
int runBatch(const std::vector<std::string> &args, const std::filesystem::path &startDir, std::ostream &out,
             std::ostream &err);

} // namespace quillet
