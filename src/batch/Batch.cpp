#include "batch/Batch.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/Platform.h"
#include "base/Sjis.h"
#include "drawing/SvgWriter.h"
#include "program/OutputPicture.h"
#include "program/CompleteInput.h"
#include "base/Host.h"
#include "base/Messages.h"
#include "program/Session.h"
#include "program/Startup.h"
#include "model/MemoCapacity.h"

#include <ctime>
#include <optional>
#include <string>

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
    bool help = false;
    bool version = false;
    bool dryRun = false;
    std::optional<std::string> svgFile;
    std::optional<std::string> pngFile;
    std::optional<std::pair<int, int>> size;
};

constexpr int kDefaultPngWidth = 1024, kDefaultPngHeight = 768;
constexpr int kLargestPngSide = 16384;

/// "WxH" with both sides from 1 to kLargestPngSide.
std::optional<std::pair<int, int>> parseSize(const std::string &text)
{
    const std::size_t x = text.find('x');
    std::int32_t w = 0, h = 0;
    if (x == std::string::npos || x == 0 || text[0] == '+' || text[0] == ' ' || text[x + 1] == '+' ||
        text[x + 1] == ' ' || !tryParseInt(text.substr(0, x), w) || !tryParseInt(text.substr(x + 1), h) || w < 1 ||
        h < 1 || w > kLargestPngSide || h > kLargestPngSide)
        return std::nullopt;
    return std::make_pair(int(w), int(h));
}

// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar, for
// any year: the date codes need the day of the week, and a date before 1970 has no
// time stamp the C library would convert.
long daysFromEpoch(int year, int month, int day)
{
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return long(era) * 146097 + dayOfEra - 719468;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// "YYYY-MM-DDTHH:MM:SS": digits where the pattern has letters, the separators exactly.
bool readNowFields(const std::string &text, int &year, int &month, int &day, int &hour, int &minute, int &second)
{
    static const std::string pattern = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i])
            return false;
    }
    auto field = [&text](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
    year = field(0, 4);
    month = field(5, 2);
    day = field(8, 2);
    hour = field(11, 2);
    minute = field(14, 2);
    second = field(17, 2);
    return true;
}

} // namespace

std::optional<std::tm> parseBatchNow(const std::string &text, std::string &problem)
{
    int year, month, day, hour, minute, second;
    if (!readNowFields(text, year, month, day, hour, minute, second)) {
        problem = "--now takes a local time YYYY-MM-DDTHH:MM:SS";
        return std::nullopt;
    }
    if (month < 1 || month > 12)
        problem = "month " + text.substr(5, 2) + " does not exist";
    else if (day < 1 || day > daysInMonth(year, month))
        problem = text.substr(0, 7) + " has no day " + text.substr(8, 2);
    else if (hour > 23)
        problem = "hour " + text.substr(11, 2) + " does not exist (00 to 23)";
    else if (minute > 59)
        problem = "minute " + text.substr(14, 2) + " does not exist (00 to 59)";
    else if (second > 59)
        problem = "second " + text.substr(17, 2) + " does not exist (00 to 59)";
    if (!problem.empty()) {
        problem = "--now " + text + ": " + problem;
        return std::nullopt;
    }
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const long days = daysFromEpoch(year, month, day);
    tm.tm_wday = int(((days + 4) % 7 + 7) % 7); // 1 January 1970 was a Thursday
    tm.tm_yday = int(days - daysFromEpoch(year, 1, 1));
    return tm;
}

namespace {

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
            if (!hasValue) {
                problem = "--now takes a local time YYYY-MM-DDTHH:MM:SS";
                return false;
            }
            if (!(o.now = parseBatchNow(args[++i], problem)))
                return false;
        } else if (a == "--help") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--dry-run") {
            o.dryRun = true;
        } else if (a == "--svg" || a == "--png") {
            if (!hasValue) {
                problem = a + " takes a file";
                return false;
            }
            (a == "--svg" ? o.svgFile : o.pngFile) = args[++i];
        } else if (a == "--size") {
            if (!hasValue || !(o.size = parseSize(args[++i]))) {
                problem = "--size takes WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kLargestPngSide);
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
    if (o.size && !o.pngFile) {
        problem = "--size goes with --png";
        return false;
    }
    return true;
}

const char *const kUsageLine = "usage: quillet --batch [--preset N] [--memo FILE] [--now YYYY-MM-DDTHH:MM:SS] "
                               "[--dry-run] [--svg FILE] [--png FILE [--size WxH]] [MODE]\n";

/// Writes the pictures asked for; false after telling `err` about the first that failed.
bool writePictures(const Options &o, const Session &session, const std::filesystem::path &startDir,
                   const PngWriter &png, std::ostream &err)
{
    auto place = [&startDir](const std::string &file) {
        const std::filesystem::path p = std::filesystem::u8path(file);
        return p.is_absolute() ? p : startDir / p;
    };
    const bool frameMode = session.mode == Mode::FrameAll || session.mode == Mode::FrameEach;
    try {
        if (o.svgFile)
            writeBytesAtomically(place(*o.svgFile), drawing::svgOf(pictureOfOutput(session, session.output)));
    } catch (const std::exception &e) {
        err << "error: the picture " << *o.svgFile << " cannot be written: " << e.what() << '\n';
        return false;
    }
    if (o.pngFile) {
        const auto size = o.size.value_or(std::make_pair(kDefaultPngWidth, kDefaultPngHeight));
        std::string problem;
        if (!png(session.output, session.exchangeList, frameMode, size.first, size.second, place(*o.pngFile),
                 problem)) {
            err << "error: the picture " << *o.pngFile << " cannot be written: " << problem << '\n';
            return false;
        }
    }
    return true;
}

/// The lines a dry run would have written, Shift-JIS with CR LF as in the file.
void printLines(const Lines &lines, std::ostream &out)
{
    platform::binaryStandardOutput();
    const std::string bytes = joinLines(lines);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.flush();
}

} // namespace

const std::vector<BatchStatusRow> &batchStatusTable()
{
    static const std::vector<BatchStatusRow> rows = {
        {kBatchCompleted, "「入力完了」 ran to the end (with --dry-run: its lines were printed and no file was written)"},
        {kBatchOutputDisabled,
         "a start-up failure had disabled 「入力完了」: the files were closed as the window would close them"},
        {kBatchUsage, "bad command line (--png too, in a build without the window)"},
        {kBatchStartupEnded, "start-up ended the program (settings file missing)"},
        {kBatchAppError,
         "an unexpected error; jwc_temp.txt was left as it was (in T1 start-up has already emptied it)"},
        {kBatchRunFailed, "the drawing run ended with one of its error messages (a scale of 0, a fixed leader length "
                          "with point 1 on point 2, …): the warning was printed and jwc_temp.txt holds what the run "
                          "wrote before it"},
        {kBatchPictureFailed, "a picture asked for with --svg or --png could not be written; everything else was done"},
    };
    return rows;
}

std::string versionText() { return std::string("quillet ") + QUILLET_VERSION; }

const char *batchUsage()
{
    static const std::string text = [] {
        std::string t = kUsageLine;
        t += "       quillet --help | --version\n"
             "Runs the start-up and 入力完了 in the current directory without a window.\n"
             "  --preset N     recall quick-select preset N (1 to 10) first\n"
             "  --memo FILE    the input box takes the lines of FILE (Shift-JIS)\n"
             "  --now TIME     the local date and time the date codes print\n"
             "  --dry-run      print the lines 入力完了 would write (Shift-JIS, CR LF) and write no file\n"
             "  --svg FILE     also write the picture of the run as SVG (drawing units, y up)\n"
             "  --png FILE     also write the picture as PNG, drawn by the window's painter\n"
             "  --size WxH     the PNG's size in pixels (default 1024x768)\n"
             "  MODE           T1 to T5 (or t1 to t5); anything else is the annotation mode\n"
             "exit status:\n";
        for (const BatchStatusRow &row : batchStatusTable())
            t += "  " + std::to_string(row.status) + "  " + row.meaning + "\n";
        return t;
    }();
    return text.c_str();
}

int runBatch(const std::vector<std::string> &args, const std::filesystem::path &startDir, std::ostream &out,
             std::ostream &err, const PngWriter &png)
{
    Options options;
    std::string problem;
    if (!parseOptions(args, options, problem)) {
        err << kUsageLine << problem << "\n(quillet --batch --help lists the options and exit statuses)\n";
        return kBatchUsage;
    }
    if (options.help) {
        out << batchUsage();
        return kBatchCompleted;
    }
    if (options.version) {
        out << versionText() << '\n';
        return kBatchCompleted;
    }
    if (options.pngFile && !png) {
        err << kUsageLine << "--png needs the window's painter, and this quillet has no window\n";
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
    // A dry run goes every step of the real one, the emptying of the exchange file in
    // T1 and the close-time files included, with the disk left alone.
    std::optional<FileWritesHeld> held;
    if (options.dryRun)
        held.emplace();
    int status = kBatchCompleted;
    try {
        // A run that could never hand its drawing back must not leave the start-up's
        // repairs and new files behind either.
        if (!options.dryRun)
            checkWritable(startDir / "jwc_temp.txt");
        bool presetEmpty = false;
        if (runBatchStart(session, host, options.mode, startDir, options.preset, presetEmpty) ==
            StartupResult::Ended)
            return kBatchStartupEnded;
        if (presetEmpty)
            host.notice(msg::notSavedLabel());
        if (!session.outputEnabled) {
            closeWindow(session, host);
            return kBatchOutputDisabled;
        }
        if (options.memoFile)
            session.form.memoLines = memo;
        status = completeInput(session, host) == RunFault::None ? kBatchCompleted : kBatchRunFailed;
    } catch (const Error &e) {
        err << "error: " << sjis::toUtf8(e.what()) << '\n';
        return kBatchAppError;
    }
    held.reset();
    if (options.dryRun)
        printLines(session.output, out);
    if (!writePictures(options, session, startDir, png, err))
        return kBatchPictureFailed;
    return status;
}

} // namespace quillet
