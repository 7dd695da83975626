#include "batch/Batch.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/Sjis.h"
#include "program/CompleteInput.h"
#include "base/Host.h"
#include "base/Messages.h"
#include "program/Session.h"
#include "program/Startup.h"
#include "settings/Presets.h"
#include "model/MemoCapacity.h"

#include <cstdio>
#include <optional>

namespace quillet {

namespace {

class BatchHost : public Host {
public:
    explicit BatchHost(std::ostream &err) : m_err(err) {}
    void warning(const std::string &text) override { say("warning: ", text); }
    void notice(const std::string &text) override { say("notice: ", text); }
    bool question(const std::string &text) override
    {
        say("question: ", text);
        return false;
    }
    int screenHeight() const override { return 1 << 20; }

private:
    void say(const char *kind, const std::string &text)
    {
        std::string utf8 = sjis::toUtf8(text);
        for (std::size_t at = utf8.find("\r\n"); at != std::string::npos; at = utf8.find("\r\n", at))
            utf8.replace(at, 2, "\n");
        m_err << kind << utf8 << '\n';
        m_err.flush();
    }
    std::ostream &m_err;
};

struct Options {
    int preset = 0;
    std::optional<std::string> memoFile;
    std::optional<std::tm> now;
    std::string mode;
};

std::optional<std::tm> parseNow(const std::string &text)
{
    std::tm tm{};
    char tail = 0;
    if (text.size() != 19 || std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &tm.tm_year, &tm.tm_mon,
                                         &tm.tm_mday, &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &tail) != 6)
        return std::nullopt;
    if (tm.tm_mon < 1 || tm.tm_mon > 12 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 || tm.tm_min > 59 ||
        tm.tm_sec > 59)
        return std::nullopt;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    // Let the library fill in the day of the week, which the date codes print.
    std::tm probe = tm;
    probe.tm_isdst = -1;
    if (std::mktime(&probe) == -1)
        return std::nullopt;
    tm.tm_wday = probe.tm_wday;
    tm.tm_yday = probe.tm_yday;
    return tm;
}

bool parseOptions(const std::vector<std::string> &args, Options &o, std::string &problem)
{
    bool haveMode = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--preset") {
            std::int32_t n = 0;
            if (!hasValue || !tryParseInt(args[++i], n) || n < 1 || n > 10) {
                problem = "--preset takes a number from 1 to 10";
                return false;
            }
            o.preset = n;
        } else if (a == "--memo") {
            if (!hasValue) {
                problem = "--memo takes a file";
                return false;
            }
            o.memoFile = args[++i];
        } else if (a == "--now") {
            if (!hasValue || !(o.now = parseNow(args[++i]))) {
                problem = "--now takes a local time YYYY-MM-DDTHH:MM:SS";
                return false;
            }
        } else if (a.compare(0, 2, "--") == 0) {
            problem = "unknown option " + a;
            return false;
        } else if (haveMode) {
            problem = "only one mode argument is taken";
            return false;
        } else {
            o.mode = a;
            haveMode = true;
        }
    }
    return true;
}

} // namespace

int runBatch(const std::vector<std::string> &args, const std::filesystem::path &startDir, std::ostream &err)
{
    Options options;
    std::string problem;
    if (!parseOptions(args, options, problem)) {
        err << "usage: quillet --batch [--preset N] [--memo FILE] [--now YYYY-MM-DDTHH:MM:SS] [MODE]\n"
            << problem << '\n';
        return kBatchUsage;
    }
    Lines memo;
    if (options.memoFile) {
        const std::filesystem::path memoPath = std::filesystem::u8path(*options.memoFile);
        try {
            memo = applyMemoCapacity(readLines(memoPath.is_absolute() ? memoPath : startDir / memoPath));
        } catch (const InOutError &) {
            err << "usage: the memo file " << *options.memoFile << " cannot be read\n";
            return kBatchUsage;
        }
    }

    BatchHost host(err);
    Session session;
    session.fixedNow = options.now;
    try {
        if (runStartup(session, host, options.mode, startDir) == StartupResult::Ended)
            return kBatchStartupEnded;
        runFirstShow(session, host);
        if (options.preset > 0 &&
            presets::click(session.settingsScope(), host, options.preset, true) == presets::ClickOutcome::Empty)
            host.notice(msg::notSavedLabel());
        if (!session.outputEnabled) {
            closeWindow(session, host);
            return kBatchOutputDisabled;
        }
        if (options.memoFile)
            session.form.Memo1 = memo;
        completeInput(session, host);
        return kBatchCompleted;
    } catch (const std::exception &e) {
        err << "error: " << sjis::toUtf8(e.what()) << '\n';
        return kBatchAppError;
    }
}

} // namespace quillet
