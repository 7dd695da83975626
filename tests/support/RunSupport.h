#pragma once
// Helpers shared by the engine, text and exchange tests: a session built from an
// exchange fixture or a golden start directory, and output lines read back as shapes.
#include "base/Number.h"
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "program/Session.h"
#include "settings/Presets.h"
#include "support/TestSupport.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::test {

/// A session in `mode` whose exchange data come from tests/fixtures/exchange/<name>.
inline Session sessionFromExchange(const std::string &name, Mode mode)
{
    Session s;
    s.mode = mode;
    s.exchangeList = readLines(fixture("exchange/" + name));
    if (mode == Mode::FrameAll || mode == Mode::FrameEach)
        s.exchangeCopy = s.exchangeList;
    s.verdict = readExchange(s.exchangeList, mode, s.exchange);
    s.files.settingsList = Lines(30, "0");
    s.form.basic.ComboBox9 = 0;
    s.form.basic.CheckBox5 = false;
    return s;
}

/// A golden start directory: settings, preset 1, memo, mode and exchange file.
inline Session sessionFromGolden(const std::string &name)
{
    const auto dir = fixture("golden/" + name);
    Session s;
    const Lines modeLines = readLines(dir / "mode");
    s.mode = modeFromArgument(modeLines.empty() ? "" : modeLines[0]);
    s.files.settingsList = readLines(dir / "PLDATA.tx");
    s.files.quickSelect.setLoaded(1, readLines(dir / "PSDATA1.tx"));
    presets::recall(s.files.quickSelect, s.form, 1);
    s.form.CheckBox4 = s.files.settingsList.at(24) != "0";
    s.form.Memo1 = readLines(dir / "memo.txt");
    s.exchangeList = readLines(dir / "jwc_temp.txt");
    if (s.mode == Mode::FrameAll || s.mode == Mode::FrameEach)
        s.exchangeCopy = s.exchangeList;
    s.verdict = readExchange(s.exchangeList, s.mode, s.exchange);
    return s;
}

inline Lines goldenExpected(const std::string &name) { return readLines(fixture("golden/" + name + "/expected.jwc_temp.txt")); }

/// The numbers of a command line after its keyword, read back.
inline std::vector<long double> numbersOf(const std::string &line, std::size_t skip = 0)
{
    std::istringstream in(line.substr(skip));
    std::vector<long double> values;
    std::string token;
    while (in >> token)
        values.push_back(parseFloat(token));
    return values;
}

/// A plain line record " x1 y1 x2 y2" read back; throws when the line is something else.
struct Segment {
    long double x1, y1, x2, y2;
};
inline Segment segmentOf(const std::string &line)
{
    if (line.empty() || line[0] != ' ')
        throw std::runtime_error("not a plain line: " + line);
    const auto v = numbersOf(line);
    if (v.size() != 4)
        throw std::runtime_error("not a plain line: " + line);
    return {v[0], v[1], v[2], v[3]};
}

/// A text record "ch x y dx dy "text read back.
struct TextRecord {
    long double x, y, dx, dy;
    std::string text;
};
inline TextRecord textOf(const std::string &line)
{
    const std::size_t quote = line.find('"');
    if (line.compare(0, 3, "ch ") != 0 || quote == std::string::npos)
        throw std::runtime_error("not a text record: " + line);
    const auto v = numbersOf(line.substr(0, quote), 3);
    if (v.size() != 4)
        throw std::runtime_error("not a text record: " + line);
    return {v[0], v[1], v[2], v[3], line.substr(quote + 1)};
}

/// Output lines as UTF-8 text, one per line, for a readable diff when a comparison fails.
inline std::string readable(const Lines &lines)
{
    std::string s;
    for (const auto &l : lines)
        s += sjis::toUtf8(l) + "\n";
    return s;
}

} // namespace quillet::test
