#pragma once
// One fuzz target per file the program reads. Each target puts the input bytes in
// place of one file of an otherwise sound start directory, runs the whole batch mode
// on it in-process (start-up, first show, preset, "入力完了" or the close) and checks
// what it left on disk. The same targets are driven by libFuzzer (clang builds) and by
// the seeded mutation driver of the normal test suite.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::fuzz {

/// An input that broke a promise about the files (the program did not crash, but it
/// damaged, emptied or left behind something it must not).
class Finding : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Target {
    std::string name;
    std::string seedKind; ///< folder under tests/fuzz/seeds holding its seed inputs
    void (*run)(const Target &target, const std::string &input);
    std::string file;     ///< the file the input becomes
    std::string baseCase; ///< golden case the rest of the start directory comes from
    std::vector<std::string> args; ///< batch arguments
};

const std::vector<Target> &targets();
const Target *findTarget(const std::string &name);

/// Runs a target on one input. Throws Finding for a broken promise; an exception that
/// is not one of the program's own error classes passes through (it is a fault too).
void runTarget(const Target &target, const std::string &input);

std::filesystem::path seedDir(const Target &target);
std::filesystem::path regressionDir(const Target &target);

/// Every regular file under `dir`, sorted by name; none when it does not exist.
std::vector<std::filesystem::path> filesIn(const std::filesystem::path &dir);

} // namespace quillet::fuzz
