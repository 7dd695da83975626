#include "engine/CommandWriter.h"

#include <algorithm>
#include <cstring>

namespace quillet {

CommandWriter::CommandWriter(Lines &output, const std::string &hostColorLine, int leaderColor)
    : m_output(output), m_hostColorLine(hostColorLine), m_leaderColor(leaderColor)
{
}

void CommandWriter::makeRoom(std::size_t n)
{
    m_line.resize(std::max({std::size_t(160), 2 * m_line.size(), m_length + n + 2 * kGeneralCapacity}));
}

CommandWriter &CommandWriter::num(float value)
{
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value, "32-bit float");
    std::memcpy(&bits, &value, sizeof bits);
    RecentNumber &slot = m_recent[(bits * 2654435761u) >> 28];
    if (m_length + kGeneralCapacity > m_line.size()) // a writer that has written nothing yet
        makeRoom(0);
    if (slot.length == 0 || slot.bits != bits) {
        // Formatted straight into the room ahead of the line, then kept.
        const std::size_t length = formatFloatTo(&m_line[m_length], value);
        // A float prints in at most 22 characters ("-0.0000123456791201234").
        if (length <= sizeof slot.text) {
            std::memcpy(slot.text, &m_line[m_length], length);
            slot.length = std::uint8_t(length);
            slot.bits = bits;
        }
        m_length += length;
    } else {
        static_assert(sizeof slot.text <= kGeneralCapacity, "a kept number fits the room ahead");
        std::memcpy(&m_line[m_length], slot.text, sizeof slot.text);
        m_length += slot.length;
    }
    if (m_length + kGeneralCapacity > m_line.size())
        makeRoom(0);
    return *this;
}

CommandWriter &CommandWriter::point(PointF p)
{
    put(" ");
    num(p.x);
    put(" ");
    return num(p.y);
}

void CommandWriter::colorNumber(int n)
{
    if (n >= 1)
        m_output.push_back("lc" + std::to_string(n));
    else
        m_output.push_back(m_hostColorLine);
}

void CommandWriter::color(int chooser) { colorNumber(chooser >= 1 ? chooser : m_leaderColor); }

void CommandWriter::leaderColor() { colorNumber(m_leaderColor); }

void CommandWriter::line(PointF a, PointF b) { start("").point(a).point(b).finish(); }

void CommandWriter::line(float x1, float y1, float x2, float y2) { line(PointF{x1, y1}, PointF{x2, y2}); }

void CommandWriter::circle(PointF c, float r) { start("ci").point(c).put(" ").num(r).finish(); }

void CommandWriter::arc(PointF c, float r, const std::string &tail, float tilt)
{
    start("ci").point(c).put(" ").num(r).put(tail).num(tilt).finish();
}

void CommandWriter::arc(PointF c, float r, const std::string &tail)
{
    start("ci").point(c).put(" ").num(r).put(tail).finish();
}

void CommandWriter::solidCircle(PointF c, float r)
{
    start("sc").point(c).put(" ").num(r).put(" 1 0 0 3.1416 100").finish();
}

void CommandWriter::solidTriangle(PointF a, PointF b, PointF c) { start("sl").point(a).point(b).point(c).finish(); }

void CommandWriter::solidQuad(PointF a, PointF b, PointF c, PointF d)
{
    start("sl").point(a).point(b).point(c).point(d).finish();
}

void CommandWriter::solidHalfDisc(PointF c, float r, const std::string &flatness, const std::string &tilt,
                                  const std::string &start)
{
    this->start("sc").point(c).put(" ").num(r).put(" ").put(flatness).put(" ").put(tilt).put(" ").put(start);
    put(" 3.1416 5").finish();
}

void CommandWriter::fillColor(int colorNumber) { m_output.push_back("lc10 " + std::to_string(colorNumber)); }

void CommandWriter::raw(const std::string &line) { m_output.push_back(line); }

} // namespace quillet
