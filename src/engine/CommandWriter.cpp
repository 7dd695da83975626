#include "engine/CommandWriter.h"

namespace quillet {

CommandWriter::CommandWriter(Lines &output, const std::string &hostColorLine, int leaderColor)
    : m_output(output), m_hostColorLine(hostColorLine), m_leaderColor(leaderColor)
{
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

void CommandWriter::line(PointF a, PointF b) { line(a.x, a.y, b.x, b.y); }

void CommandWriter::line(float x1, float y1, float x2, float y2)
{
    m_output.push_back(" " + number(x1) + " " + number(y1) + " " + number(x2) + " " + number(y2));
}

void CommandWriter::circle(PointF c, float r)
{
    m_output.push_back("ci " + number(c.x) + " " + number(c.y) + " " + number(r));
}

void CommandWriter::arc(PointF c, float r, const std::string &tail, float tilt)
{
    m_output.push_back("ci " + number(c.x) + " " + number(c.y) + " " + number(r) + tail + number(tilt));
}

void CommandWriter::arc(PointF c, float r, const std::string &tail)
{
    m_output.push_back("ci " + number(c.x) + " " + number(c.y) + " " + number(r) + tail);
}

void CommandWriter::solidCircle(PointF c, float r)
{
    m_output.push_back("sc " + number(c.x) + " " + number(c.y) + " " + number(r) + " 1 0 0 3.1416 100");
}

void CommandWriter::solidTriangle(PointF a, PointF b, PointF c)
{
    m_output.push_back("sl " + number(a.x) + " " + number(a.y) + " " + number(b.x) + " " + number(b.y) + " " +
                       number(c.x) + " " + number(c.y));
}

void CommandWriter::solidQuad(PointF a, PointF b, PointF c, PointF d)
{
    m_output.push_back("sl " + number(a.x) + " " + number(a.y) + " " + number(b.x) + " " + number(b.y) + " " +
                       number(c.x) + " " + number(c.y) + " " + number(d.x) + " " + number(d.y));
}

void CommandWriter::solidHalfDisc(PointF c, float r, const std::string &flatness, const std::string &tilt,
                                  const std::string &start)
{
    m_output.push_back("sc " + number(c.x) + " " + number(c.y) + " " + number(r) + " " + flatness + " " + tilt +
                       " " + start + " 3.1416 5");
}

void CommandWriter::fillColor(int colorNumber) { m_output.push_back("lc10 " + std::to_string(colorNumber)); }

void CommandWriter::raw(const std::string &line) { m_output.push_back(line); }

} // namespace quillet
