#include "engine/EmbeddedText.h"

#include "base/Platform.h"
#include "base/RealMath.h"
#include "base/Sjis.h"
#include "engine/TextWriter.h"

#include <array>

namespace quillet {

namespace {

bool isCodeChar(char c) { return c == '$' || c == '%' || c == '&' || c == '=' || c == '_'; }

// "ma" and "wa" make a three-character code with any code character.
bool isNameCode(const std::string &text, std::size_t i)
{
    return text.compare(i + 1, 2, "ma") == 0 || text.compare(i + 1, 2, "wa") == 0;
}

// Plain text up to the next code character, looked for byte by byte.
std::size_t runEnd(const std::string &text, std::size_t i)
{
    while (i < text.size() && !isCodeChar(text[i]))
        ++i;
    return i;
}

// A value below 10 takes two characters; the code character says where the filler goes.
std::string padded(char code, int value)
{
    const std::string digits = std::to_string(value);
    if (value >= 10)
        return digits;
    switch (code) {
    case '$': return digits + " ";
    case '&':
    case '_': return " " + digits;
    default: return "0" + digits;
    }
}

std::string twoDigits(int value) { return value < 10 ? "0" + std::to_string(value) : std::to_string(value); }

// The output is Shift-JIS like every other record.
std::string japanese(const char *utf8) { return sjis::fromUtf8(utf8); }

constexpr std::array<const char *, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
// Monday first, as the week is printed.
constexpr std::array<const char *, 7> kWeekdays = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};
constexpr std::array<const char *, 7> kWeekdaysJa = {"月", "火", "水", "木", "金", "土", "日"};

int mondayFirst(const std::tm &now) { return (now.tm_wday + 6) % 7; }

// The year in two digits: counted from 2000, and the last two digits before it.
int shortYear(int year) { return year >= 2000 ? year - 2000 : (year % 100 + 100) % 100; }

// The year of the Japanese era: Reiwa from 1 May 2019, counted from 2018; before that
// the Heisei count (which runs on backwards before Heisei began).
int eraYear(int year, int month)
{
    const bool reiwa = year > 2019 || (year == 2019 && month >= 5);
    return reiwa ? year - 2018 : year - 1988;
}

// The value of a two-character code; a code the tables do not list yields nothing.
std::string codeValue(char code, char letter, const std::tm &now)
{
    const int year = now.tm_year + 1900, month = now.tm_mon + 1, day = now.tm_mday;
    const int hour = now.tm_hour;
    switch (letter) {
    case 'y': return padded(code, shortYear(year));
    case 'Y': return std::to_string(eraYear(year, month));
    case 'm': return padded(code, month);
    case 'd': return padded(code, day);
    case 'H': return padded(code, hour);
    case 'h': return padded(code, hour >= 13 ? hour - 12 : hour);
    case 'M': return padded(code, now.tm_min);
    case 'S': return padded(code, now.tm_sec);
    case 'n': return hour <= 11 ? "AM" : "PM";
    case 'N': return japanese(hour <= 11 ? "前" : "後");
    case 'w': return japanese(kWeekdaysJa[std::size_t(mondayFirst(now))]);
    case 'f':
    case 'F': {
        if (code == '$')
            return {};
        const char fill = code == '&' || code == '_' ? ' ' : '0';
        auto part = [fill](int v) { return v < 10 ? std::string(1, fill) + std::to_string(v) : std::to_string(v); };
        std::string date = std::to_string(year) + "/" + part(month) + "/" + part(day);
        if (letter == 'F')
            date += " " + twoDigits(hour) + ":" + twoDigits(now.tm_min) + ":" + twoDigits(now.tm_sec);
        return date;
    }
    default: return {};
    }
}

std::tm currentTime(const EngineRun &e)
{
    if (e.ctx.fixedNow)
        return *e.ctx.fixedNow;
    return platform::localTime(std::time(nullptr));
}

} // namespace

std::vector<EmbeddedPiece> embeddedPieces(const std::string &text)
{
    std::vector<EmbeddedPiece> pieces;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!isCodeChar(c)) {
            const std::size_t end = runEnd(text, i);
            pieces.push_back({text.substr(i, end - i), int(end - i)});
            i = end;
        } else if (isNameCode(text, i)) {
            pieces.push_back({text.substr(i, 3), 3});
            i += 3;
        } else {
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            int advance = 2;
            // The host widens the file-date codes to the date it puts in their place.
            if (c == '=' || c == '_')
                advance = next == 'f' ? 10 : next == 'F' ? 19 : 2;
            pieces.push_back({text.substr(i, 2), advance});
            i += 2;
        }
    }
    return pieces;
}

std::string expandDateCodes(const std::string &text, const std::tm &now)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!isCodeChar(c)) {
            const std::size_t end = runEnd(text, i);
            out.append(text, i, end - i);
            i = end;
        } else if (isNameCode(text, i)) {
            const bool month = text[i + 1] == 'm';
            out += month ? kMonths[std::size_t(now.tm_mon)] : kWeekdays[std::size_t(mondayFirst(now))];
            i += 3;
        } else {
            if (i + 1 < text.size())
                out += codeValue(c, text[i + 1], now);
            i += 2;
        }
    }
    return out;
}

void writeEmbeddedLine(EngineRun &e, PointF at, const std::string &line)
{
    const std::string text = line.substr(2);
    if (line[1] == '2') {
        writeTextRecord(e, at, expandDateCodes(text, currentTime(e)));
        return;
    }

    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    // The advance of one half-width character, held in 32 bits like every other size.
    const float unit = f32((ext(m.charSpacing) / 2 + m.halfWidth) * m.scale);
    PointF p = at;
    if (e.mode() == Mode::TextMode && e.form().textCentreBase) {
        // The host centres the records in this mode; start half the line's width back
        // and write the pieces left-based instead.
        const int width = measureLine(line, true).width;
        const float half = f32(((ext(m.charSpacing) / 2 + m.halfWidth) * width - ext(m.charSpacing) / 2) * m.scale / 2);
        if (g.horizontal())
            p.x = f32(ext(at.x) - half);
        else
            p.y = f32(ext(at.y) - half);
        e.out.raw("cc0");
    }

    for (const EmbeddedPiece &piece : embeddedPieces(text)) {
        writeTextRecord(e, p, piece.text);
        const float a = f32(piece.advance * ext(unit));
        if (g.horizontal()) {
            p.x = f32(g.verticalFont && !g.rightward ? ext(p.x) - a : ext(p.x) + a);
        } else {
            // A vertical font runs down the page; turned ordinary text runs back when
            // the tilt has turned the column round.
            const bool back = g.verticalFont || (e.tilt() && g.upward != g.rightward);
            p.y = f32(back ? ext(p.y) - a : ext(p.y) + a);
        }
    }
}

} // namespace quillet
