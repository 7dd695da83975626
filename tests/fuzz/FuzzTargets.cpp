#include "fuzz/FuzzTargets.h"

#include "base/Platform.h"
#include "base/TextFile.h"
#include "base/Errors.h"
#include "batch/Batch.h"
#include "drawing/RunPicture.h"
#include "drawing/SvgWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace quillet::fuzz {

namespace fs = std::filesystem;

namespace {

const fs::path kSourceDir = QUILLET_SOURCE_DIR;
const std::vector<std::string> kNow = {"--now", "2024-05-07T09:05:03"};

std::vector<std::string> args(std::vector<std::string> first, const std::string &mode = "")
{
    first.insert(first.end(), kNow.begin(), kNow.end());
    if (!mode.empty())
        first.push_back(mode);
    return first;
}

void runStartDirectory(const Target &target, const std::string &input);
void runDrawingReader(const Target &target, const std::string &input);

const std::vector<std::string> kPresetAndMemo = {"--preset", "1", "--memo", "memo.txt"};
const std::vector<std::string> kMemoOnly = {"--memo", "memo.txt"};

const std::vector<Target> kTargets = {
    {"exchange-annotation", "exchange", runStartDirectory, "jwc_temp.txt", "rectangle-arrow", args(kPresetAndMemo)},
    {"exchange-text-import", "exchange", runStartDirectory, "jwc_temp.txt", "rectangle-arrow",
     args(kPresetAndMemo, "T1")},
    {"exchange-frame-all", "exchange", runStartDirectory, "jwc_temp.txt", "frames-around-texts",
     args(kPresetAndMemo, "T2")},
    {"exchange-frame-each", "exchange", runStartDirectory, "jwc_temp.txt", "frames-around-texts",
     args(kPresetAndMemo, "T3")},
    {"exchange-text-mode", "exchange", runStartDirectory, "jwc_temp.txt", "textmode-underline",
     args(kPresetAndMemo, "T4")},
    {"exchange-bend", "exchange", runStartDirectory, "jwc_temp.txt", "bend-oval-tilt", args(kPresetAndMemo, "T5")},
    // Without a preset the settings and the pattern themselves drive the drawing.
    {"settings", "settings", runStartDirectory, "PLDATA.tx", "cloud-fill", args(kMemoOnly)},
    {"patterns", "patterns", runStartDirectory, "PKDATA.tx", "dot-layers", args(kMemoOnly)},
    {"preset", "presets", runStartDirectory, "PSDATA2.tx", "vertical-bracket",
     args({"--preset", "2", "--memo", "memo.txt"})},
    {"preset-memos", "preset-memos", runStartDirectory, "SENTAKUMEMO.TX", "rectangle-arrow", args(kPresetAndMemo)},
    {"page-index", "page-index", runStartDirectory, "PJDATA.tx", "rectangle-arrow", args(kPresetAndMemo)},
    {"page", "pages", runStartDirectory, "PMDATA1.tx", "rectangle-arrow", args(kPresetAndMemo)},
    {"batch-memo", "memo", runStartDirectory, "memo.txt", "date-codes", args(kPresetAndMemo)},
    // The reader of drawing command lines and the SVG picture, in memory: the input
    // serves as the output lines and as the exchange file beneath them.
    {"drawing", "drawing", runDrawingReader, "", "", {}},
};

using Snapshot = std::map<std::string, std::string>;

std::string slurp(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put(const fs::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// The start directory every run of a target begins from: a golden case with the
// phrase book of a new installation.
const Snapshot &baseFiles(const std::string &goldenCase)
{
    static std::map<std::string, Snapshot> cache;
    auto it = cache.find(goldenCase);
    if (it != cache.end())
        return it->second;
    Snapshot files;
    for (const fs::path &file : filesIn(kSourceDir / "tests/fixtures/golden" / goldenCase)) {
        const std::string name = file.filename().string();
        if (name != "expected.jwc_temp.txt" && name != "mode")
            files[name] = slurp(file);
    }
    for (const char *name : {"PJDATA.tx", "PMDATA1.tx", "SENTAKUMEMO.TX"})
        files[name] = slurp(kSourceDir / "data/start" / name);
    return cache.emplace(goldenCase, std::move(files)).first->second;
}

// One scratch start directory per process, emptied before every run.
class Scratch {
public:
    Scratch()
    {
        // Thousands of small files are written per second: memory, not disk, if we can.
        std::error_code ec;
        const char *chosen = std::getenv("QUILLET_FUZZ_DIR");
        const fs::path root = chosen && *chosen                 ? fs::path(chosen)
                              : fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                                 : fs::temp_directory_path();
        m_path = root / ("quillet-fuzz-" + std::to_string(platform::processId()));
        fs::create_directories(m_path);
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path &path() const { return m_path; }
    void reset(const Snapshot &files)
    {
        for (const auto &entry : fs::directory_iterator(m_path))
            fs::remove_all(entry.path());
        for (const auto &[name, bytes] : files)
            put(m_path / name, bytes);
    }

private:
    fs::path m_path;
};

Scratch &scratch()
{
    static Scratch instance;
    return instance;
}

Snapshot snapshot(const fs::path &dir)
{
    Snapshot files;
    for (const auto &entry : fs::directory_iterator(dir))
        files[entry.path().filename().string()] = entry.is_regular_file() ? slurp(entry.path()) : "<folder>";
    return files;
}

void expect(bool ok, const std::string &what)
{
    if (!ok)
        throw Finding(what);
}

bool isTextImport(const Target &t) { return std::find(t.args.begin(), t.args.end(), "T1") != t.args.end(); }

// The settings file may change only in the lines the close-time write owns, by the
// padding to 30 lines, and by an empty window position becoming "0".
void checkSettings(const std::string &before, const std::string &after)
{
    const Lines old = splitLines(before), now = splitLines(after);
    expect(old.size() > 24, "PLDATA.tx rewritten although it failed its check");
    expect(now.size() >= 30 && now.size() >= old.size(), "PLDATA.tx rewritten with lines missing");
    const std::set<std::size_t> owned = {4, 11, 16, 17, 23, 24};
    for (std::size_t i = 0; i < old.size(); ++i)
        expect(owned.count(i) || old[i] == now[i], "PLDATA.tx line " + std::to_string(i) + " changed");
}

void checkFile(const Target &t, int status, const std::string &name, const std::string &before,
               const std::string &after)
{
    if (before == after)
        return;
    expect(status != kBatchStartupEnded, name + " changed although start-up ended the program");
    expect(after == joinLines(splitLines(after)), name + " is not whole CR LF lines");
    if (name == "jwc_temp.txt") {
        if (isTextImport(t))
            expect(after.empty(), "jwc_temp.txt of the text import is not empty");
        else
            expect(status == kBatchCompleted || status == kBatchRunFailed,
                   "jwc_temp.txt rewritten by a run that did not complete");
    } else if (name == "PLDATA.tx") {
        checkSettings(before, after);
    } else if (name == "PJDATA.tx") {
        Lines index = splitLines(before);
        index.resize(20);
        expect(splitLines(after) == index, "PJDATA.tx rewritten with other names");
    } else if (name == "PMDATA1.tx") {
        expect(splitLines(before).size() == 180, "PMDATA1.tx of a wrong line count rewritten");
        expect(splitLines(after) == splitLines(before), "PMDATA1.tx rewritten with other blocks");
    } else {
        expect(false, name + " changed, which the batch mode never writes");
    }
}

void runStartDirectory(const Target &target, const std::string &input)
{
    Snapshot files = baseFiles(target.baseCase);
    files[target.file] = input;
    Scratch &dir = scratch();
    dir.reset(files);
    const Snapshot before = snapshot(dir.path());

    std::ostringstream out, err;
    const int status = runBatch(target.args, dir.path(), out, err);
    const Snapshot after = snapshot(dir.path());

    expect(status == kBatchCompleted || status == kBatchRunFailed || status == kBatchOutputDisabled ||
               status == kBatchStartupEnded || status == kBatchAppError,
           "exit status " + std::to_string(status) + ": " + err.str());
    for (const auto &[name, bytes] : after) {
        expect(!isTemporaryName(name), "temporary left behind: " + name);
        expect(before.count(name) > 0, "file created: " + name);
    }
    for (const auto &[name, bytes] : before) {
        const auto now = after.find(name);
        expect(now != after.end(), "file removed: " + name);
        checkFile(target, status, name, bytes, now->second);
    }
}

void expectFinite(double value, const std::string &what)
{
    expect(std::isfinite(value), what + " is not a finite number");
}

void expectFinite(const drawing::Vec &v, const std::string &what)
{
    expectFinite(v.x, what);
    expectFinite(v.y, what);
}

// Every number a picture holds must be one an SVG viewer can place.
void checkItems(const std::vector<drawing::Item> &items)
{
    using namespace drawing;
    for (const Item &item : items) {
        const std::string where = "shape of line " + std::to_string(item.line);
        if (const auto *l = std::get_if<Line>(&item.shape)) {
            expectFinite(l->a, where), expectFinite(l->b, where);
        } else if (const auto *a = std::get_if<Arc>(&item.shape)) {
            expectFinite(a->centre, where);
            for (double v : {a->radius, a->start, a->end, a->flatness, a->tilt})
                expectFinite(v, where);
        } else if (const auto *sa = std::get_if<SolidArc>(&item.shape)) {
            expectFinite(sa->centre, where);
            for (double v : {sa->radius, sa->flatness, sa->tilt, sa->start, sa->span})
                expectFinite(v, where);
        } else if (const auto *so = std::get_if<Solid>(&item.shape)) {
            for (const Vec &c : so->corners)
                expectFinite(c, where);
        } else if (const auto *t = std::get_if<Text>(&item.shape)) {
            expectFinite(t->at, where), expectFinite(t->direction, where);
            for (double v : {t->size.width, t->size.height, t->size.spacing})
                expectFinite(v, where);
        }
    }
}

// The SVG without its texts and font names, which may hold any letters.
std::string numbersOf(std::string svg)
{
    for (const char *open : {">", "font-family=\""}) {
        const char close = open[0] == '>' ? '<' : '"';
        for (std::size_t at = svg.find(open); at != std::string::npos; at = svg.find(open, at + 1)) {
            const std::size_t from = at + std::strlen(open), to = svg.find(close, from);
            svg.erase(from, to == std::string::npos ? std::string::npos : to - from);
        }
    }
    return svg;
}

void runDrawingReader(const Target &, const std::string &input)
{
    const Lines lines = splitLines(input);
    for (const bool frameMode : {false, true}) {
        drawing::Picture picture;
        try {
            picture = drawing::pictureOfRun(lines, lines, frameMode);
        } catch (const Error &) {
            continue; // reported by the batch mode as a picture it cannot write
        }
        checkItems(picture.items);
        checkItems(picture.underlay);
        for (const drawing::Mark &mark : picture.marks)
            expectFinite(mark.at, "picked point " + mark.label);
        const std::string svg = numbersOf(drawing::svgOf(picture, {800}));
        expect(svg.find("INF") == std::string::npos && svg.find("NAN") == std::string::npos,
               "the picture holds INF or NAN");
    }
}

} // namespace

const std::vector<Target> &targets() { return kTargets; }

const Target *findTarget(const std::string &name)
{
    for (const Target &t : kTargets)
        if (t.name == name)
            return &t;
    return nullptr;
}

void runTarget(const Target &target, const std::string &input) { target.run(target, input); }

fs::path seedDir(const Target &target) { return kSourceDir / "tests/fuzz/seeds" / target.seedKind; }

fs::path regressionDir(const Target &target) { return kSourceDir / "tests/fuzz/regressions" / target.name; }

std::vector<fs::path> filesIn(const fs::path &dir)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file())
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace quillet::fuzz
