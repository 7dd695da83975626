#pragma once
#include <filesystem>
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
};

/// `quillet --batch [--preset N] [--memo FILE] [--now YYYY-MM-DDTHH:MM:SS] [MODE]`:
/// the start-up and "入力完了" of the window without any widget, in `startDir`.
/// `args` are the arguments after "--batch". Messages go to `err` as UTF-8 lines.
int runBatch(const std::vector<std::string> &args, const std::filesystem::path &startDir, std::ostream &err);

} // namespace quillet
