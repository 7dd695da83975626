#pragma once
// Helpers shared by the engine, text and exchange tests: a session built from an
// exchange fixture or a golden start directory, and output lines read back as shapes.
#include "base/Number.h"
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "exchange/Session.h"
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
    s.settingsList = Lines(30, "0");
    s.form.basic.ComboBox9 = 0;
    s.form.basic.CheckBox5 = false;
    return s;
}

/// The choices a quick-select preset file stores, put onto the form (lines 0..49).
inline void applyPresetLines(const Lines &p, FormModel &f)
{
    auto i = [&](int n) { return int(parseInt(p.at(std::size_t(n)))); };
    f.ComboBoxEx1 = i(0);
    f.ComboBox2 = i(1);
    f.ComboBoxEx2 = i(2);
    f.ComboBoxEx3 = i(3);
    f.ComboBox8 = i(5);
    f.ComboBox6 = i(6);
    f.SpinEdit1 = i(7);
    f.ComboBox5 = i(8);
    f.ComboBoxEx4 = i(9);
    f.SpeedButton2 = p[10] == "1";
    f.SpeedButton1 = p[11] == "1";
    f.ColorBox2.custom = i(12);
    f.ColorBox2.selectItem(i(13));
    f.SpeedButton10 = p[14] == "1";
    f.selectedFontName = p[15];
    f.SpeedButton11 = p[16] == "1";
    f.fontSwitch = i(17);
    f.CheckBox2 = p[18] == "1";
    BasicSettings &b = f.basic;
    b.SpinEdit5 = i(25);
    b.ComboBox10 = i(26);
    b.SpinEdit6 = i(27);
    b.ComboBox11 = i(28);
    b.ComboBox13 = i(29);
    b.SpinEdit2 = i(30);
    b.SpinEdit3 = i(31);
    b.SpinEdit4 = i(32);
    b.ComboBox12 = i(33);
    b.ComboBox14 = i(34);
    b.ComboBox15 = i(35);
    b.ComboBox16 = i(36);
    b.ComboBox17 = i(37);
    b.ComboBox9 = i(38);
    f.ListBox1 = i(41);
    b.ComboBox1 = p[42].front() - '0';
    b.ComboBox3 = p[42].back() - '0';
    b.RadioGroup1 = i(43);
    b.CheckBox5 = p[44] == "1";
}

/// A golden start directory: settings, preset 1, memo, mode and exchange file.
inline Session sessionFromGolden(const std::string &name)
{
    const auto dir = fixture("golden/" + name);
    Session s;
    const Lines modeLines = readLines(dir / "mode");
    s.mode = modeFromArgument(modeLines.empty() ? "" : modeLines[0]);
    s.settingsList = readLines(dir / "PLDATA.tx");
    applyPresetLines(readLines(dir / "PSDATA1.tx"), s.form);
    s.form.CheckBox4 = s.settingsList.at(24) != "0";
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

} // namespace quillet::test
