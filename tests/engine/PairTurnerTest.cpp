#include "base/Errors.h"
#include "geometry/Turning.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace quillet;

namespace {

struct TurnCase {
    const char *name;
    PointF a, b, centre, indicated2, p3;
    TurnFlags flags;
};

bool sameBits(float x, float y) { return std::memcmp(&x, &y, sizeof x) == 0; }

void expectSame(PointF got, PointF want)
{
    EXPECT_TRUE(sameBits(got.x, want.x)) << got.x << " != " << want.x;
    EXPECT_TRUE(sameBits(got.y, want.y)) << got.y << " != " << want.y;
}

// Consecutive cases differ in one input only, so that a turn kept from the case
// before is wrong for each of them.
const TurnCase kCases[] = {
    {"sloped", {100, 50}, {300, 80}, {0, 0}, {0, 0}, {1000, 700}, {0, 1, 1, 0}},
    {"same, other points", {-40, 20}, {0, 90}, {10, 10}, {0, 0}, {1000, 700}, {0, 1, 1, 0}},
    {"leftward", {-40, 20}, {0, 90}, {10, 10}, {0, 0}, {1000, 700}, {0, 0, 1, 0}},
    {"vertical", {-40, 20}, {0, 90}, {10, 10}, {0, 0}, {1000, 700}, {1, 0, 1, 0}},
    {"vertical, downward", {-40, 20}, {0, 90}, {10, 10}, {0, 0}, {1000, 700}, {1, 0, 0, 0}},
    {"vertical, point 2 left", {-40, 20}, {0, 90}, {10, 10}, {0, 0}, {1000, 700}, {1, 0, 0, 1}},
    {"point 3 moved", {-40, 20}, {0, 90}, {10, 10}, {0, 0}, {1000, -700}, {1, 0, 0, 1}},
    {"indicated point 2 moved", {-40, 20}, {0, 90}, {10, 10}, {5, 0}, {1000, -700}, {1, 0, 0, 1}},
    {"straight up", {-40, 20}, {0, 90}, {10, 10}, {5, 0}, {5, 700}, {0, 1, 1, 0}},
    {"straight down, zero", {-40, 20}, {0, 90}, {10, 10}, {5, 0}, {5, -0.0f}, {0, 1, 1, 0}},
    {"straight down, signed zero", {-40, 20}, {0, 90}, {10, 10}, {5, 0}, {5, 0.0f}, {0, 1, 1, 0}},
    {"points on the centre's vertical", {10, 50}, {10, -50}, {10, 10}, {5, 0}, {900, 300}, {0, 1, 1, 0}},
};

} // namespace

// One turner kept over many pairs gives what rotatePair gives for each pair alone.
TEST(PairTurner, TurnsEveryPairAsRotatePairDoes)
{
    PairTurner turner;
    for (int round = 0; round < 2; ++round) {
        for (const TurnCase &c : kCases) {
            SCOPED_TRACE(c.name);
            PointF wantA = c.a, wantB = c.b, gotA = c.a, gotB = c.b;
            const float want = rotatePair(wantA, wantB, c.centre, c.indicated2, c.p3, c.flags);
            const float got = turner.rotate(gotA, gotB, c.centre, c.indicated2, c.p3, c.flags);
            EXPECT_TRUE(sameBits(got, want));
            expectSame(gotA, wantA);
            expectSame(gotB, wantB);
        }
    }
}

// A point nobody reads may be left where it was, but the one that is read and the
// angle stay rotatePair's.
TEST(PairTurner, PointsNotNeededChangeNothingElse)
{
    PairTurner turner;
    for (const TurnCase &c : kCases) {
        SCOPED_TRACE(c.name);
        PointF wantA = c.a, wantB = c.b;
        const float want = rotatePair(wantA, wantB, c.centre, c.indicated2, c.p3, c.flags);
        PointF a = c.a, b = c.b;
        EXPECT_TRUE(sameBits(turner.rotate(a, b, c.centre, c.indicated2, c.p3, c.flags, true, false), want));
        expectSame(a, wantA);
        a = c.a, b = c.b;
        EXPECT_TRUE(sameBits(turner.rotate(a, b, c.centre, c.indicated2, c.p3, c.flags, false, true), want));
        expectSame(b, wantB);
        a = c.a, b = c.b;
        EXPECT_TRUE(sameBits(turner.rotate(a, b, c.centre, c.indicated2, c.p3, c.flags, false, false), want));
    }
}

// Turning a point far out in the float range overflows; leaving such a point
// unturned because nobody reads it would let a run go on that used to end there.
TEST(PairTurner, APointNotNeededStillFailsWhereTurningItFails)
{
    const float huge = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    struct Failing {
        const char *name;
        PointF unread;
        bool overflow; // else an invalid operation
    };
    const Failing cases[] = {
        {"beyond the range once turned", {-huge, huge}, true},
        {"infinite", {inf, inf}, false},
    };
    const PointF centre{huge / 2, 0}, indicated2{0, 0}, p3{1000, 700};
    const TurnFlags flags{0, 1, 1, 0};
    for (const Failing &c : cases) {
        SCOPED_TRACE(c.name);
        PointF a{1, 1}, b = c.unread, ra{1, 1}, rb = c.unread;
        PairTurner turner;
        if (c.overflow) {
            EXPECT_THROW(rotatePair(ra, rb, centre, indicated2, p3, flags), OverflowError);
            EXPECT_THROW(turner.rotate(a, b, centre, indicated2, p3, flags, true, false), OverflowError);
        } else {
            EXPECT_THROW(rotatePair(ra, rb, centre, indicated2, p3, flags), InvalidOperationError);
            EXPECT_THROW(turner.rotate(a, b, centre, indicated2, p3, flags, true, false), InvalidOperationError);
        }
    }
}
