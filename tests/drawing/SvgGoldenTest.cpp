#include "drawing/DrawingReader.h"
#include "drawing/SvgProbe.h"
#include "drawing/SvgWriter.h"
#include "base/Sjis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace quillet;
using namespace quillet::drawing;
using namespace quillet::test;

namespace {

struct Box {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    void add(double x, double y)
    {
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    }
};

std::vector<double> tokens(const std::string &s)
{
    std::istringstream in(s);
    std::vector<double> v;
    std::string t;
    while (in >> t)
        v.push_back(std::stod(t));
    return v;
}

/// The points a drawing record passes through, worked out from its numbers alone:
/// end points and corners as written, curves sampled along their own ellipse.
bool recordPoints(const std::string &line, std::vector<P> &pts)
{
    const double pi = 3.14159265358979323846;
    auto curve = [&](double x, double y, double r, double f, double tilt, double from, double span) {
        for (int k = 0; k <= 360; ++k) {
            const double a = from + span * k / 360;
            const double u = r * std::cos(a), v = f * r * std::sin(a);
            pts.push_back({x + u * std::cos(tilt) - v * std::sin(tilt), y + u * std::sin(tilt) + v * std::cos(tilt)});
        }
    };
    if (line[0] == ' ' || line.compare(0, 3, "sl ") == 0) {
        const auto v = tokens(line[0] == ' ' ? line : line.substr(3));
        for (std::size_t k = 0; k + 1 < v.size(); k += 2)
            pts.push_back({v[k], v[k + 1]});
        return true;
    }
    if (line.compare(0, 3, "ci ") == 0) {
        const auto v = tokens(line.substr(3));
        if (v.size() == 3)
            curve(v[0], v[1], v[2], 1, 0, 0, 2 * pi);
        else
            curve(v[0], v[1], v[2], v[5], v[6] * pi / 180, v[3] * pi / 180,
                  std::fmod(v[4] - v[3] + 720, 360) * pi / 180);
        return true;
    }
    if (line.compare(0, 3, "sc ") == 0) {
        const auto v = tokens(line.substr(3));
        if (v[7] == 100)
            curve(v[0], v[1], v[2], v[3], v[4], 0, 2 * pi);
        else
            curve(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
        return true;
    }
    return false;
}

/// The farthest any point of `a` lies from the polyline through `b`.
double farthest(const std::vector<P> &a, const std::vector<P> &b)
{
    double worst = 0;
    for (const P &p : a) {
        double best = std::hypot(p.x - b[0].x, p.y - b[0].y);
        for (std::size_t k = 1; k < b.size(); ++k) {
            const double ex = b[k].x - b[k - 1].x, ey = b[k].y - b[k - 1].y, len2 = ex * ex + ey * ey;
            double t = len2 > 0 ? ((p.x - b[k - 1].x) * ex + (p.y - b[k - 1].y) * ey) / len2 : 0;
            t = std::clamp(t, 0.0, 1.0);
            best = std::min(best, std::hypot(p.x - b[k - 1].x - t * ex, p.y - b[k - 1].y - t * ey));
        }
        worst = std::max(worst, best);
    }
    return worst;
}

bool isTextRecord(const std::string &l) { return l.size() > 2 && l[0] == 'c' && l.find('"') != std::string::npos && l.compare(0, 2, "cn") != 0; }

std::vector<std::string> goldenCases()
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(fixture("golden")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Picture pictureOfGolden(const std::string &name, Lines *output = nullptr)
{
    const Lines lines = readLines(fixture("golden/" + name + "/expected.jwc_temp.txt"));
    const Drawing d = readDrawing(lines, contextFromExchange(readLines(fixture("golden/" + name + "/jwc_temp.txt"))));
    EXPECT_TRUE(d.diagnostics.empty()) << d.diagnostics.front().line << ": " << d.diagnostics.front().message;
    if (output)
        *output = lines;
    return Picture{d.items, {}, {}};
}

} // namespace

// Every golden output drawn as SVG: a well-formed document with one element per
// drawing record in the record's order, each reaching exactly as far as the record's
// own numbers say (so nothing is lost, moved, mirrored or bent the wrong way), and
// every text with its own characters.
TEST(SvgGolden, EveryRecordOfEveryGoldenOutputIsDrawnWhereItsNumbersSay)
{
    const auto names = goldenCases();
    ASSERT_GE(names.size(), 8u);
    for (const auto &name : names) {
        SCOPED_TRACE(name);
        Lines output;
        const std::string svg = svgOf(pictureOfGolden(name, &output));
        std::vector<XmlElement> elements;
        ASSERT_NO_THROW(elements = parseXml(svg));
        ASSERT_EQ(elements.front().name, "svg");

        std::vector<const XmlElement *> shapes, texts;
        for (const auto &e : elements) {
            const std::string cls = e.attr("class");
            if (cls == "line" || cls == "arc" || cls == "solid")
                shapes.push_back(&e);
            else if (cls == "text")
                texts.push_back(&e);
        }
        std::size_t shape = 0, text = 0;
        Box all, drawn;
        for (const auto &line : output) {
            std::vector<P> expected;
            if (recordPoints(line, expected)) {
                ASSERT_LT(shape, shapes.size()) << "no element for " << line;
                std::vector<P> got = svgShapePoints(*shapes[shape++]);
                for (P &p : got)
                    p.y = -p.y;
                // Curves are sampled on both sides; the polylines stay within thousandths of a unit.
                EXPECT_LT(farthest(got, expected), 0.05) << line;
                EXPECT_LT(farthest(expected, got), 0.05) << line;
                for (const P &p : expected)
                    all.add(p.x, p.y);
                for (const P &p : got)
                    drawn.add(p.x, p.y);
            } else if (isTextRecord(line)) {
                ASSERT_LT(text, texts.size()) << "no element for " << line;
                EXPECT_EQ(texts[text++]->text, sjis::toUtf8(line.substr(line.find('"') + 1)));
            }
        }
        EXPECT_EQ(shape, shapes.size());
        EXPECT_EQ(text, texts.size());
        // The picture's lines, arcs and solids cover exactly what the output's numbers cover.
        EXPECT_NEAR(drawn.minX, all.minX, 1e-2);
        EXPECT_NEAR(drawn.minY, all.minY, 1e-2);
        EXPECT_NEAR(drawn.maxX, all.maxX, 1e-2);
        EXPECT_NEAR(drawn.maxY, all.maxY, 1e-2);
    }
}

TEST(SvgGolden, ColoursFollowThePenPaletteAndTheSolidColour)
{
    const std::string svg = svgOf(pictureOfGolden("cloud-fill"));
    const auto elements = parseXml(svg);
    int cream = 0, green = 0;
    for (const auto &e : elements) {
        if (e.attr("class") == "solid")
            cream += e.attr("fill") == "#fffbf0"; // lc10 15793151: red 255, green 251, blue 240
        if (e.attr("class") == "line" || e.attr("class") == "arc")
            green += e.attr("stroke") == "#00a000"; // pen 3
    }
    EXPECT_EQ(cream, 11);
    EXPECT_EQ(green, 10);
}

TEST(SvgWriter, TextsKeepFontSizeAndDirectionAndEscapeMarkup)
{
    Context c;
    c.kinds[1] = {2, 4, 0, 1};
    const Drawing d = readDrawing({sj("cn\"$<ＭＳ 明朝>"), "cn1", "ch 10 20 0 5 \"a<&>\"b", sj("cn\"$<@ＭＳ 明朝>"),
                                   "ch 0 0 0 -5 \"x"},
                                  c);
    const auto elements = parseXml(svgOf(Picture{d.items, {}, {{{1, 2}, "1"}}}));
    std::vector<const XmlElement *> texts;
    int marks = 0;
    for (const auto &e : elements) {
        if (e.name == "text")
            texts.push_back(&e);
        marks += e.attr("class") == "mark";
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, "a<&>\"b");
    EXPECT_EQ(texts[0]->attr("font-family"), "ＭＳ 明朝");
    EXPECT_EQ(texts[0]->attr("font-size"), "4");
    // Running up the page with y up is a quarter turn clockwise in SVG's y-down frame.
    EXPECT_NE(texts[0]->attr("transform").find("translate(10 -20) rotate(-90)"), std::string::npos);
    EXPECT_EQ(texts[1]->attr("font-family"), "ＭＳ 明朝");
    EXPECT_EQ(texts[1]->attr("writing-mode"), "vertical-rl");
    EXPECT_EQ(marks, 1);
}
