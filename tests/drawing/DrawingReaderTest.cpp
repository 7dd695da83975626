#include "drawing/DrawingReader.h"
#include "drawing/Shapes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::drawing;
using quillet::test::sj;

namespace {

template <typename T> const T &only(const Drawing &d)
{
    EXPECT_TRUE(d.diagnostics.empty()) << d.diagnostics.front().message;
    EXPECT_EQ(d.items.size(), 1u);
    const T *shape = d.items.empty() ? nullptr : std::get_if<T>(&d.items.front().shape);
    if (!shape)
        throw std::runtime_error("not the expected shape");
    return *shape;
}

} // namespace

TEST(DrawingReader, ReadsEveryShapeRecord)
{
    const Line l = only<Line>(readDrawing({" 1 -2.5 3E2 4"}));
    EXPECT_DOUBLE_EQ(l.a.y, -2.5);
    EXPECT_DOUBLE_EQ(l.b.x, 300);

    const Arc circle = only<Arc>(readDrawing({"ci 10 20 5"}));
    EXPECT_TRUE(circle.whole);
    EXPECT_DOUBLE_EQ(circle.radius, 5);

    const Arc arc = only<Arc>(readDrawing({"ci 10 20 5 90 -90 0.5 30"}));
    EXPECT_FALSE(arc.whole);
    EXPECT_EQ((std::vector<double>{arc.start, arc.end, arc.flatness, arc.tilt}), (std::vector<double>{90, -90, 0.5, 30}));

    EXPECT_TRUE(only<SolidArc>(readDrawing({"sc 1 2 3 1 0 0 3.1416 100"})).whole);
    const SolidArc half = only<SolidArc>(readDrawing({"sc 1 2 3 0.5 1.5708 -1.5708 3.1416 5"}));
    EXPECT_FALSE(half.whole);
    EXPECT_DOUBLE_EQ(half.start, -1.5708);
    EXPECT_DOUBLE_EQ(half.tilt, 1.5708);

    EXPECT_EQ(only<Solid>(readDrawing({"sl 0 0 1 0 0 1"})).corners.size(), 3u);
    EXPECT_EQ(only<Solid>(readDrawing({"sl 0 0 1 0 1 1 0 1"})).corners.size(), 4u);

    // The text runs from the quote to the end of the line, quotes and blanks included.
    const Text t = only<Text>(readDrawing({"ch 1 2  0 -3 \"a \"b\" "}));
    EXPECT_EQ(t.text, "a \"b\" ");
    EXPECT_DOUBLE_EQ(t.direction.y, -3);
    const Text v = only<Text>(readDrawing({"cv 1 2 3 0 \""}));
    EXPECT_EQ(v.record, "cv");
    EXPECT_EQ(v.text, "");
}

TEST(DrawingReader, ItemsTakeTheStateTheRecordsBeforeThemSet)
{
    Context c;
    c.groupScales[1] = 100;
    c.kinds[3] = {3, 3, 0.5, 2};
    const Drawing d = readDrawing({"lc3", "lt5", "ly4", "lg1", " 0 0 1 1", "lc10 15793151", "sl 0 0 1 0 0 1", "lc2",
                                   "sc 0 0 1 1 0 0 3.1416 100", "lyf", sj("cn\"$<ＭＳ ゴシック>"), "cn3", "cc4",
                                   "ch 0 0 1 0 \"x", "cn0 4 4 0.5 6", "ch 0 0 1 0 \"y", sj("cn\"$<@ＭＳ 明朝>)"),
                                   "ch 0 0 1 0 \"z"},
                                  c);
    ASSERT_TRUE(d.diagnostics.empty());
    ASSERT_EQ(d.items.size(), 6u);
    const Style &line = d.items[0].style;
    EXPECT_EQ((std::vector<int>{line.colour.pen, line.lineType, line.layer, line.group}), (std::vector<int>{3, 5, 4, 1}));
    EXPECT_EQ(d.items[0].line, 5);
    EXPECT_EQ(d.items[1].style.colour, (Colour{10, 15793151}));
    EXPECT_EQ(d.items[2].style.colour, (Colour{2, 0}));
    EXPECT_EQ(d.items[3].style.layer, 15);

    const Text &x = std::get<Text>(d.items[3].shape);
    EXPECT_EQ(x.font, sj("ＭＳ ゴシック"));
    EXPECT_EQ(x.textKind, 3);
    EXPECT_EQ(x.basePoint, 4);
    EXPECT_EQ(x.pen, 2);
    EXPECT_DOUBLE_EQ(x.size.height, 300); // kind 3 at the scale of group 1
    EXPECT_DOUBLE_EQ(x.size.spacing, 50);
    const Text &y = std::get<Text>(d.items[4].shape);
    EXPECT_EQ(y.textKind, 0);
    EXPECT_DOUBLE_EQ(y.size.width, 400);
    EXPECT_EQ(y.pen, 6);
    // The closing font record hands the host its font back: the next text uses it.
    EXPECT_EQ(std::get<Text>(d.items[5].shape).font, sj("@ＭＳ 明朝"));
}

// Every line here is broken or unknown: it draws nothing, is reported with its own
// line number, and leaves the state as it was.
TEST(DrawingReader, ReportsUnknownAndBrokenLinesWithoutGuessing)
{
    const char *bad[] = {
        "", "xy", "hq", "#", " 1 2 3", " 1 2 3 a", " 1 2 3 4 5", " NAN 1 2 3", " 1 2 3 INF",
        "ci 1 2", "ci 1 2 3 4", "ci 1 2 -3", "ci 1 2 3 0 180 0 0", "ci1 2 3",
        "sc 1 2 3 1 0 0 3.1416", "sc 1 2 3 1 0 0 1 5", "sc 1 2 3 1 0 0 3.1416 7", "sc 1 2 3 0 0 0 3.1416 100",
        "sl 0 0 1 1", "sl 0 0 1 1 2 2 3", "sl 0 0 1 1 2 2 3 3 4 4",
        "lc0", "lc12", "lcx", "lc 3", "lc10", "lc10 ", "lc10 -1", "lc10 16777216", "lc10 1.5", "lc10 1 2",
        "lt0", "lt", "lt10", "ly", "lyg", "lyA", "ly10", "lg", "lg-1",
        "by", "by x", "by -1", "by 2",
        "cn\"abc", "cn\"$<abc", "cn\"$<abc>x", "cn11", "cnx", "cn", "cn0 4 4", "cn0 0 4 1",
        "cc9", "cc", "cc-1",
        "ch 1 2 3 \"x", "ch 1 2 3 4 x", "ch 1 2 0 0 \"x", "ch1 2 3 4 \"x", "cx 1 2 3 4 \"x", "ch 1 2 3 4 5 \"x",
    };
    Lines lines{"lc3", "lt2", "ly4", "lg1", "cn3", "cc1", "cn\"$<F>"};
    for (const char *b : bad)
        lines.push_back(b);
    lines.push_back(" 0 0 1 1");
    lines.push_back("ch 0 0 1 0 \"t");

    const Drawing d = readDrawing(lines);
    ASSERT_EQ(d.diagnostics.size(), std::size(bad));
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_EQ(d.diagnostics[i].line, int(i + 8)) << bad[i];
        EXPECT_EQ(d.diagnostics[i].text, bad[i]);
        EXPECT_FALSE(d.diagnostics[i].message.empty());
    }
    ASSERT_EQ(d.items.size(), 2u);
    const Style &s = d.items[0].style;
    EXPECT_EQ((std::vector<int>{s.colour.pen, s.lineType, s.layer, s.group}), (std::vector<int>{3, 2, 4, 1}));
    const Text &t = std::get<Text>(d.items[1].shape);
    EXPECT_EQ((std::vector<int>{t.textKind, t.basePoint}), (std::vector<int>{3, 1}));
    EXPECT_EQ(t.font, "F");
}

TEST(DrawingReader, TakesTheHostStateFromTheExchangeFile)
{
    const Lines file = readLines(quillet::test::fixture("exchange/selected-texts.jwc_temp.txt"));
    const Context c = contextFromExchange(file);
    EXPECT_DOUBLE_EQ(c.groupScales[1], 100);
    EXPECT_DOUBLE_EQ(c.groupScales[4], 20);
    EXPECT_DOUBLE_EQ(c.kinds[10].height, 10);
    EXPECT_DOUBLE_EQ(c.kinds[3].spacing, 0.5);
    EXPECT_EQ(c.kinds[5].pen, 3);
    EXPECT_EQ((std::vector<int>{c.style.group, c.style.layer, c.style.colour.pen, c.style.lineType, c.textKind}),
              (std::vector<int>{1, 4, 3, 1, 3}));
    EXPECT_EQ(c.font, sj("ＭＳ ゴシック"));

    // The selected texts keep the sizes of their own kinds and groups.
    const auto texts = selectedTexts(file, c);
    ASSERT_EQ(texts.size(), 4u);
    const Text &free = std::get<Text>(texts[2].shape);
    EXPECT_EQ(free.text, sj("外壁：吹付タイル"));
    EXPECT_EQ(free.basePoint, 4);
    EXPECT_DOUBLE_EQ(free.size.height, 400);
    // Jw_cad hands a text over with its own length: the frame goes around that.
    EXPECT_DOUBLE_EQ(textBox(free).length, 1600);
    const Text &last = std::get<Text>(texts[3].shape);
    EXPECT_EQ(texts[3].style.group, 2);
    EXPECT_DOUBLE_EQ(last.size.height, 5 * 50);
}

TEST(DrawingShapes, ArcExtentsReachWhereTheCurveTurns)
{
    struct Case {
        const char *line;
        double minX, minY, maxX, maxY;
    } cases[] = {
        {"ci 0 0 10", -10, -10, 10, 10},
        {"ci 0 0 10 0 180 0.5 0", -10, 0, 10, 5},      // upper half of a flat ellipse
        {"ci 0 0 10 0 180 0.5 90", -5, -10, 0, 10},    // the same turned to the left
        {"ci 0 0 10 90 -90 1 0", -10, -10, 0, 10},     // runs counter-clockwise through 180
        {"ci 0 0 10 -90 90 1 0", 0, -10, 10, 10},
        {"ci 5 5 10 0 90 1 0", 5, 5, 15, 15},
        {"sc 0 0 2 1 0 0 3.1416 100", -2, -2, 2, 2},
        {"sc 0 0 2 0.5 -3.1416 0 3.1416 5", -2, -1, 2, 0}, // the bump below a cloud's lower side
        {"sl 0 0 4 1 -1 3", -1, 0, 4, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const Drawing d = readDrawing({c.line});
        ASSERT_EQ(d.items.size(), 1u);
        const Bounds b = boundsOf(d.items[0].shape);
        EXPECT_NEAR(b.minX, c.minX, 1e-3);
        EXPECT_NEAR(b.minY, c.minY, 1e-3);
        EXPECT_NEAR(b.maxX, c.maxX, 1e-3);
        EXPECT_NEAR(b.maxY, c.maxY, 1e-3);
    }
}

TEST(DrawingShapes, TextBoxHangsFromItsBasePoint)
{
    // Four half-width characters of width 2 and spacing 1: 4 × 1.5 − 0.5 = 5.5 long.
    Context c;
    c.kinds[1] = {2, 3, 1, 1};
    struct Case {
        const char *base;
        Vec origin;
    } cases[] = {{"cc0", {10, 20}}, {"cc1", {7.25, 20}}, {"cc5", {4.5, 18.5}}, {"cc8", {4.5, 17}}};
    for (const auto &k : cases) {
        SCOPED_TRACE(k.base);
        const Drawing d = readDrawing({"cn1", k.base, "ch 10 20 7 0 \"ABCD"}, c);
        const TextBox box = textBox(std::get<Text>(d.items.at(0).shape));
        EXPECT_DOUBLE_EQ(box.length, 5.5);
        EXPECT_NEAR(box.origin.x, k.origin.x, 1e-12);
        EXPECT_NEAR(box.origin.y, k.origin.y, 1e-12);
    }
    // Running down the page, the text's height lies to the right of its line.
    const Drawing d = readDrawing({"cn1", "ch 10 20  0 -7 \"AB"}, c);
    const auto corners = textBox(std::get<Text>(d.items.at(0).shape)).corners();
    EXPECT_NEAR(corners[2].x, 13, 1e-12);
    EXPECT_NEAR(corners[2].y, 20 - 2.5, 1e-12);
}
