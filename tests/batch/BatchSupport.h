#pragma once
// Running the built program in batch mode in a scratch start directory, and seeing
// afterwards which of its files changed.
#include "support/TestSupport.h"

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quillet::test {

struct BatchRun {
    int status;
    std::string err;
};

/// Runs `quillet --batch args` in `dir`; `environment` ("NAME=value ...") goes before
/// the command, for the write-fault shim.
inline BatchRun runBatchIn(const TempDir &dir, const std::string &args, const std::string &environment = "")
{
    namespace fs = std::filesystem;
    const fs::path errFile = dir.path().parent_path() / (dir.path().filename().string() + ".err");
    const std::string command = "cd '" + dir.path().string() + "' && " + environment + " '" QUILLET_EXE
                                "' --batch " + args + " 2> '" + errFile.string() + "'";
    const int raw = std::system(command.c_str());
#ifdef _WIN32
    const int status = raw;
#else
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    BatchRun run{status, readBytes(errFile)};
    fs::remove(errFile);
    return run;
}

/// Every file under `dir` by its relative name; a symbolic link shows as "-> target".
inline std::map<std::string, std::string> snapshotTree(const TempDir &dir)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(dir.path()); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = fs::relative(it->path(), dir.path()).generic_string();
        if (it->is_symlink())
            files[name] = "-> " + fs::read_symlink(it->path()).generic_string();
        else if (it->is_regular_file())
            files[name] = readBytes(it->path());
    }
    return files;
}

/// Names whose content differs, appeared, or went (" (removed)").
inline std::set<std::string> changedFiles(const std::map<std::string, std::string> &before,
                                          const std::map<std::string, std::string> &after)
{
    std::set<std::string> names;
    for (const auto &[name, bytes] : after) {
        const auto it = before.find(name);
        if (it == before.end() || it->second != bytes)
            names.insert(name);
    }
    for (const auto &[name, bytes] : before)
        if (!after.count(name))
            names.insert(name + " (removed)");
    return names;
}

} // namespace quillet::test
