#include "engine/CommandWriter.h"

#include <algorithm>
#include <cstring>

namespace quillet {

CommandWriter::CommandWriter(PackedLines &output, const std::string &hostColorLine, int leaderColor)
    : m_output(output), m_hostColorLine(hostColorLine), m_leaderColor(leaderColor)
{
}

void CommandWriter::makeRoom(std::size_t n)
{
    m_room = std::max({std::size_t(160), 2 * m_room, m_length + n + 2 * kGeneralCapacity});
    m_line = m_output.room(m_room);
}

std::size_t CommandWriter::setOf(std::uint32_t bits)
{
    // The set from the top bits of a 64-bit product: the values that repeat differ
    // mostly in their high bits (sign, exponent), which a 32-bit product barely mixes
    // into its top bits (0, 180 and many a radius shared one slot).
    static_assert(kRecentSets == 8, "three bits of the hash pick the set");
    return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> 61);
}

int CommandWriter::findRecent(std::uint32_t bits, std::size_t set) const
{
    const RecentNumber *const slots = m_recent[set];
    int hit = -1;
    for (int i = 0; i < 2; ++i)
        if (slots[i].length != 0 && slots[i].bits == bits)
            hit = i;
    return hit;
}

CommandWriter &CommandWriter::num(float value)
{
    const std::uint32_t bits = floatBits(value);
    const std::size_t set = setOf(bits);
    const int hit = findRecent(bits, set);
    // Only a number found, with room ahead, is copied here; the rest is out of line,
    // so that this path saves no registers and its calls are the last thing it does.
    if (hit < 0 || m_length + kGeneralCapacity > m_room)
        return numMissed(value, bits, set, hit);
    static_assert(sizeof RecentNumber::text <= kGeneralCapacity, "a kept number fits the room ahead");
    const RecentNumber &slot = m_recent[set][hit];
    std::memcpy(m_line + m_length, slot.text, sizeof slot.text);
    m_length += slot.length;
    m_older[set] = std::uint8_t(1 - hit);
    if (m_length + kGeneralCapacity > m_room)
        return roomAhead();
    return *this;
}

CommandWriter &CommandWriter::numMissed(float value, std::uint32_t bits, std::size_t set, int hit)
{
    if (m_length + kGeneralCapacity > m_room) // a writer that has written nothing yet
        makeRoom(0);
    m_length += keptNumberTo(m_line + m_length, value, bits, set, hit);
    return roomAhead();
}

std::size_t CommandWriter::numberTo(char *out, float value)
{
    const std::uint32_t bits = floatBits(value);
    const std::size_t set = setOf(bits);
    return keptNumberTo(out, value, bits, set, findRecent(bits, set));
}

std::size_t CommandWriter::keptNumberTo(char *out, float value, std::uint32_t bits, std::size_t set, int hit)
{
    RecentNumber *const slots = m_recent[set];
    std::size_t length = 0;
    if (hit < 0) {
        // Formatted straight into `out`, then kept.
        hit = m_older[set];
        RecentNumber &slot = slots[hit];
        length = formatFloatTo(out, value);
        // A float prints in at most 22 characters ("-0.0000123456791201234").
        if (length <= sizeof slot.text) {
            std::memcpy(slot.text, out, sizeof slot.text);
            slot.length = std::uint8_t(length);
            slot.bits = bits;
        }
    } else {
        const RecentNumber &slot = slots[hit];
        std::memcpy(out, slot.text, sizeof slot.text);
        length = slot.length;
    }
    m_older[set] = std::uint8_t(1 - hit);
    return length;
}

CommandWriter &CommandWriter::roomAhead()
{
    if (m_length + kGeneralCapacity > m_room)
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
