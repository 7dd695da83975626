#include "base/Errors.h"
#include "base/Number.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace quillet;

struct FloatCase {
    float value;
    const char *text;
};

class FormatFloat : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FormatFloat, PrintsWidenedValueWithFifteenDigits)
{
    EXPECT_EQ(formatFloat(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Examples, FormatFloat,
                         ::testing::Values(FloatCase{12.3f, "12.3000001907349"}, FloatCase{0.1f, "0.100000001490116"},
                                           FloatCase{1.0f / 3.0f, "0.333333343267441"},
                                           FloatCase{100.0001220703125f, "100.000122070312"},
                                           FloatCase{0.0f, "0"}, FloatCase{-0.0f, "0"}, FloatCase{1.0f, "1"},
                                           FloatCase{-2.5f, "-2.5"}, FloatCase{1520.5f, "1520.5"},
                                           FloatCase{1e15f, "999999986991104"}, FloatCase{1152921504606846976.0f, "1.15292150460685E18"}, FloatCase{123456789012345.0f, "123456788103168"},
                                           FloatCase{0.5f, "0.5"}, FloatCase{100.0f, "100"}, FloatCase{1e-7f, "1.0000000116861E-7"},
                                           FloatCase{0.00001525878906250f, "0.0000152587890625"},
                                           FloatCase{1.5e20f, "1.50000003006132E20"}, FloatCase{0.75e-6f, "7.50000026528141E-7"}, FloatCase{-0.25f, "-0.25"}));

struct GeneralCase {
    long double value;
    const char *text;
};

class FormatGeneral : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneral, UsesExponentOnlyBelowMinusFiveOrFromFifteen)
{
    EXPECT_EQ(formatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Layout, FormatGeneral,
                         ::testing::Values(GeneralCase{1e-7L, "1E-7"}, GeneralCase{0.00001L, "0.00001"},
                                           GeneralCase{0.000001L, "1E-6"}, GeneralCase{-1e-7L, "-1E-7"},
                                           GeneralCase{1e14L, "100000000000000"}, GeneralCase{1e15L, "1E15"},
                                           GeneralCase{1.5e20L, "1.5E20"}, GeneralCase{-1234.5L, "-1234.5"},
                                           // ties to even at the fifteenth digit
                                           GeneralCase{100000000000000.5L, "100000000000000"},
                                           GeneralCase{100000000000001.5L, "100000000000002"},
                                           GeneralCase{9.999999999999999L, "10"}, GeneralCase{15.0L, "15"},
                                           GeneralCase{1.0L / 3.0L, "0.333333333333333"}));

struct ParseCase {
    const char *text;
    bool valid;
    long double value;
};

class ParseFloat : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFloat, AcceptsOnlyPlainDecimalNumbers)
{
    const ParseCase &c = GetParam();
    if (c.valid) {
        EXPECT_EQ(parseFloat(c.text), c.value) << c.text;
    } else {
        EXPECT_THROW(parseFloat(c.text), ConvertError) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseFloat,
                         ::testing::Values(ParseCase{"1520.5", true, 1520.5L}, ParseCase{" 2.5 ", true, 2.5L},
                                           ParseCase{"-3", true, -3.0L}, ParseCase{"+.5", true, 0.5L},
                                           ParseCase{"1e3", true, 1000.0L}, ParseCase{"1.5E-2", true, 0.015L},
                                           ParseCase{"2.5 ", true, 2.5L}, ParseCase{"", false, 0},
                                           ParseCase{" ", false, 0}, ParseCase{"1,5", false, 0},
                                           ParseCase{"1 2", false, 0}, ParseCase{"abc", false, 0},
                                           ParseCase{"1e", false, 0}, ParseCase{".", false, 0},
                                           ParseCase{"-", false, 0}, ParseCase{"0x10", false, 0},
                                           ParseCase{"1.2.3", false, 0}, ParseCase{"1e5000", false, 0},
                                           ParseCase{"-1e5000", false, 0}, ParseCase{"1e-5000", true, 0}));

struct IntCase {
    const char *text;
    bool valid;
    int value;
};

class ParseInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseInt, AcceptsBlanksBeforeSignAndDigits)
{
    const IntCase &c = GetParam();
    if (c.valid) {
        EXPECT_EQ(parseInt(c.text), c.value) << c.text;
    } else {
        EXPECT_THROW(parseInt(c.text), ConvertError) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseInt,
                         ::testing::Values(IntCase{"0", true, 0}, IntCase{"  -3", true, -3}, IntCase{"+12", true, 12},
                                           IntCase{"2147483647", true, 2147483647},
                                           IntCase{"-2147483648", true, -2147483647 - 1},
                                           IntCase{"2147483648", false, 0}, IntCase{"12 ", false, 0},
                                           IntCase{"", false, 0}, IntCase{"1.0", false, 0}, IntCase{"-", false, 0},
                                           IntCase{"000", true, 0}, IntCase{"x", false, 0}));

TEST(ToFloat, ThrowsOverflowOnlyBeyondTheFloatRange)
{
    EXPECT_EQ(toFloat(1e38L), 1e38f);
    EXPECT_THROW(toFloat(1e39L), OverflowError);
    EXPECT_THROW(toFloat(-1e39L), OverflowError);
}

// The number format rounds 32-bit values with integer arithmetic of its own; printf
// is an independent rounding of the same exact values. Both must agree, ties included
// (a float's exact decimal expansion often ends in a 5 just past the fifteenth
// digit), over the whole float range.
namespace {
std::string viaPrintf(float f)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", static_cast<long double>(f));
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const std::size_t e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    if (exponent < -5 || exponent >= 15) {
        out = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E" +
              (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        out = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else {
        const std::size_t intLen = std::size_t(exponent) + 1;
        out = digits.size() <= intLen ? digits + std::string(intLen - digits.size(), '0')
                                      : digits.substr(0, intLen) + "." + digits.substr(intLen);
    }
    return negative ? "-" + out : out;
}
} // namespace

TEST(FormatFloat, RoundsLikePrintfOverTheFloatRange)
{
    std::uint32_t state = 12345;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    int compared = 0;
    for (int i = 0; i < 300000; ++i) {
        std::uint32_t bits = next();
        if (i % 3 == 0)
            bits &= 0xFFFFF000u; // short mantissas: the decimal expansion ends early, ties are common
        if (i % 5 == 0)
            bits = (bits & 0x807FFFFFu) | ((100u + bits % 60u) << 23); // drawing magnitudes, 2^-27 .. 2^32
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (!std::isfinite(f) || f == 0)
            continue;
        ASSERT_EQ(formatFloat(f), viaPrintf(f)) << "bits " << bits;
        ++compared;
    }
    EXPECT_GT(compared, 290000);
}

// The format takes a float's digits by one of several integer paths, chosen by the
// size of its exponent; each edge between them is checked against printf, for ties at
// the fifteenth digit rounding either way as well.
TEST(FormatFloat, AgreesWithPrintfAtTheEdgesOfItsDigitPaths)
{
    const float values[] = {
        16777215.0f,                    // the largest integer of 24 bits
        std::ldexp(16777215.0f, 40),    // the largest integer of the 64-bit path
        std::ldexp(16777215.0f, 41),    // beyond it
        std::ldexp(1.0f, 63), std::ldexp(1.0f, 64), std::ldexp(1.0f, 100),
        std::ldexp(16777215.0f, -44),   // the smallest fraction step of the shift path
        std::ldexp(16777215.0f, -45),   // beyond it
        std::ldexp(1.0f, -44), std::ldexp(3.0f, -45), std::ldexp(1.0f, -126), std::ldexp(1.0f, -149),
        std::ldexp(1.0f, -22),          // 2.384185791015625E-7: a tie, the fifteenth digit even
        std::ldexp(3.0f, -22),          // 7.152557373046875E-7: a tie, the fifteenth digit odd
        std::ldexp(1.0f, -23), std::ldexp(5.0f, -24),
        1.0f, std::ldexp(1.0f, 24),     // the ends of the span from 1 to 2^24
        1 + std::ldexp(1.0f, -23),      // its finest step
        1 + std::ldexp(1.0f, -15),      // 1.000030517578125: a tie, the fifteenth digit even
        1 + std::ldexp(3.0f, -15),      // 1.000091552734375: a tie, the fifteenth digit odd
        std::ldexp(1.0f, 15),           // where the exact path of eight places begins
        std::nextafter(std::ldexp(1.0f, 15), 0.0f),  // the last float before it
        std::ldexp(1.0f, 15) + std::ldexp(1.0f, -8), // its finest step: all eight places
        1500 + std::ldexp(1.0f, -11),   // eleven places, all a four-digit number keeps: exact
        1500 + std::ldexp(1.0f, -12),   // twelve: rounded, a tie, the fifteenth digit even
        0.1f, 0.3f, 0.65f, 1e-5f, 9.99999e-6f, 28.5166664f, 123456.789f, 8388607.5f, 999999.9375f,
        1e15f, 1e16f, std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
        std::numeric_limits<float>::epsilon()};
    for (const float v : values) {
        ASSERT_EQ(formatFloat(v), viaPrintf(v)) << v;
        ASSERT_EQ(formatFloat(-v), viaPrintf(-v)) << -v;
    }
}

// All sixteen digits are made at once, four groups of four side by side: every group
// value in every group's place, beside other values, must come out as printf writes it.
TEST(WriteSixteenDigits, WritesEveryGroupValueInEveryPlace)
{
    const std::uint64_t edges[] = {0, 1, 9, 10, 99, 100, 9999, 10000, 99999999, 100000000, 100000001,
                                   999999999999, 1000000000000, 1234567890123456, 9999999999999999};
    auto check = [](std::uint64_t v) {
        char out[17] = {};
        writeSixteenDigits(v, out);
        char expected[24];
        std::snprintf(expected, sizeof expected, "%016llu", static_cast<unsigned long long>(v));
        ASSERT_EQ(std::string(out, 16), expected);
    };
    for (const std::uint64_t v : edges)
        check(v);
    for (std::uint64_t g = 0; g < 10000; ++g)
        for (std::uint64_t place = 1; place <= 1000000000000ull; place *= 10000) {
            const std::uint64_t others = (9999 - g) * 1000100010001ull; // each group 9999 - g
            check(others - (9999 - g) * place + g * place);
        }
}

// Between 1 and 2^24 a float's text comes from its own short path; the digits of the
// general path must be the same, for every mantissa step at every exponent of the span
// (a stride through it; the edges of rounding and carries as well).
TEST(FormatFloat, ShortSpanAgreesWithTheGeneralPath)
{
    auto check = [](float v) {
        char fast[kGeneralCapacity], general[kGeneralCapacity];
        const std::size_t n = formatFloatTo(fast, v);
        const std::size_t m = formatGeneralTo(general, static_cast<long double>(v));
        ASSERT_EQ(std::string(fast, n), std::string(general, m)) << v;
    };
    for (int exponent = 0; exponent < 24; ++exponent)
        for (std::uint32_t mantissa = 0; mantissa < (1u << 23); mantissa += 4099) {
            const float v = std::ldexp(1.0f + std::ldexp(float(mantissa), -23), exponent);
            check(v);
            check(-v);
            check(std::nextafter(v, 0.0f));
            check(std::nextafter(v, 1e30f));
        }
    // Nines that carry into a new digit once rounded to fifteen places.
    for (const float v : {9.99999999999999f, 99999.9999999999f, 999999.999999999f, 9999999.5f, 16777215.0f})
        check(v);
    // Fractions from 2^-9 to 1 have a short path of their own: a stride through its
    // exponents, and both sides of where the zeros after the point change in number.
    for (int exponent = -9; exponent < 0; ++exponent)
        for (std::uint32_t mantissa = 0; mantissa < (1u << 23); mantissa += 4099) {
            const float v = std::ldexp(1.0f + std::ldexp(float(mantissa), -23), exponent);
            check(v);
            check(-v);
        }
    for (const float edge : {0.1f, 0.01f, std::ldexp(1.0f, -9), 1.0f})
        for (const float v : {std::nextafter(edge, 0.0f), edge, std::nextafter(edge, 1.0f)}) {
            check(v);
            check(-v);
        }
}

// Lines are built from numbers written straight into a buffer: the longest texts must
// fit it and equal the string forms.
TEST(FormatGeneral, WritesIntoABufferOfTheStatedCapacity)
{
    const long double values[] = {-std::numeric_limits<long double>::denorm_min(),
                                  std::numeric_limits<long double>::lowest(),
                                  -1.23456789012345e-5L,
                                  -123456789012345.6L,
                                  -0.000123456789012345678L,
                                  -std::numeric_limits<long double>::infinity(),
                                  std::numeric_limits<long double>::quiet_NaN(),
                                  0.0L};
    for (const long double v : values) {
        char buf[kGeneralCapacity + 8];
        std::memset(buf, '#', sizeof buf);
        const std::size_t n = formatGeneralTo(buf, v);
        ASSERT_LE(n, kGeneralCapacity);
        EXPECT_EQ(std::string(buf, n), formatGeneral(v));
        EXPECT_EQ(std::string(buf + kGeneralCapacity, 8), "########");
        if (static_cast<long double>(static_cast<float>(v)) == v || std::isnan(v)) {
            std::memset(buf, '#', sizeof buf);
            const std::size_t m = formatFloatTo(buf, static_cast<float>(v));
            EXPECT_EQ(std::string(buf, m), formatFloat(static_cast<float>(v)));
        }
    }
}

// Short decimals are converted by the reader itself, everything else by strtold; the
// two must give the same bits (sign of zero included) for every text both could read.
TEST(ParseFloat, ShortDecimalsMatchStrtoldBitForBit)
{
    auto same = [](const std::string &text) {
        const long double want = std::strtold(text.c_str(), nullptr);
        const long double got = parseFloat(text);
        return got == want && std::signbit(got) == std::signbit(want);
    };
    const char *const texts[] = {"0", "-0", "+0.0", "1.", ".5", "0.1", "-3.1416", "1.5708", "7306.10278372591",
                                 "-830.25", "123456789.123456789", "9999999999999999999", "18446744073709551615",
                                 "0.000000000000000000000000001", "0.0000000000000000000000000001",
                                 "000000000000000000000000012345.5", "1e3", "2.5E-3"};
    for (const char *t : texts)
        EXPECT_TRUE(same(t)) << t;

    std::uint32_t state = 2024;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int i = 0; i < 100000; ++i) {
        std::string text = next() % 4 == 0 ? "-" : "";
        const int whole = int(next() % 13), fraction = int(next() % 22);
        for (int k = 0; k < whole; ++k)
            text += char('0' + next() % 10);
        if (fraction > 0 || whole == 0) {
            text += '.';
            for (int k = 0; k < std::max(fraction, 1); ++k)
                text += char('0' + next() % 10);
        }
        ASSERT_TRUE(same(text)) << text;
    }
}

TEST(ToFloat, PassesNonNumbersAndKeepsWhatRoundsIntoTheRange)
{
    const long double top = std::numeric_limits<float>::max();
    EXPECT_TRUE(std::isnan(toFloat(std::numeric_limits<long double>::quiet_NaN())));
    EXPECT_EQ(toFloat(std::numeric_limits<long double>::infinity()), std::numeric_limits<float>::infinity());
    EXPECT_EQ(toFloat(-std::numeric_limits<long double>::infinity()), -std::numeric_limits<float>::infinity());
    // Just above the largest float, yet nearer to it than to the next power of two.
    EXPECT_EQ(toFloat(top * (1 + 0x1p-30L)), std::numeric_limits<float>::max());
    EXPECT_EQ(toFloat(-top * (1 + 0x1p-30L)), -std::numeric_limits<float>::max());
    EXPECT_THROW(toFloat(top * (1 + 0x1p-23L)), OverflowError);
}
