#include "StartDirectory.h"

#include "base/Host.h"
#include "base/TextFile.h"
#include "batch/Batch.h"
#include "program/Startup.h"

#include <algorithm>
#include <exception>

namespace fs = std::filesystem;

namespace quillet::bench {

namespace {

class QuietHost : public Host {
public:
    void warning(const std::string &) override {}
    void notice(const std::string &) override {}
    bool question(const std::string &) override { return false; }
    int screenHeight() const override { return 1024; }
};

std::tm timeOf(const fs::path &dir)
{
    std::string problem;
    if (fileExists(dir / "now")) {
        const Lines now = readLines(dir / "now");
        if (!now.empty())
            if (const std::optional<std::tm> t = parseBatchNow(now[0], problem))
                return *t;
    }
    return *parseBatchNow("2024-05-07T00:00:00", problem);
}

} // namespace

bool batchSessionOf(const fs::path &dir, Session &s)
{
    try {
        FileWritesHeld held;
        QuietHost host;
        const Lines mode = readLines(dir / "mode");
        s.fixedNow = timeOf(dir);
        bool presetEmpty = false;
        if (runBatchStart(s, host, mode.empty() ? "" : mode[0], dir, 1, presetEmpty) == StartupResult::Ended)
            return false;
        s.form.memoLines = readLines(dir / "memo.txt");
    } catch (const std::exception &) {
        return false;
    }
    return s.outputEnabled;
}

std::vector<fs::path> startDirectories(const fs::path &under)
{
    std::vector<fs::path> dirs;
    if (!fs::is_directory(under))
        return dirs;
    for (const auto &entry : fs::directory_iterator(under))
        if (entry.is_directory())
            dirs.push_back(entry.path());
    std::sort(dirs.begin(), dirs.end());
    return dirs;
}

} // namespace quillet::bench
