#include "base/Number.h"

#include "base/FloatFormat.h"

#include "base/Errors.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillet {

using namespace floatformat;

namespace {

// The `count` decimal digits of `v`, most significant first, straight into `out`:
// eight digits at a time in 32-bit arithmetic, two per step.
void writeDigits(std::uint64_t v, int count, char *out)
{
    char *p = out + count;
    while (v >= 100000000u) {
        std::uint32_t low = std::uint32_t(v % 100000000u);
        v /= 100000000u;
        for (int i = 0; i < 4; ++i) {
            p -= 2;
            std::memcpy(p, kDigitPairs + 2 * (low % 100), 2);
            low /= 100;
        }
    }
    std::uint32_t w = std::uint32_t(v);
    while (w >= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (w % 100), 2);
        w /= 100;
    }
    if (w >= 10)
        std::memcpy(p - 2, kDigitPairs + 2 * w, 2);
    else
        p[-1] = char('0' + w);
}

// The decimal digits of `v`, most significant first, at least `width` of them (zeros
// in front); returns how many were written (at most 20).
int putDigits(std::uint64_t v, char *out, int width = 1)
{
    char tmp[20];
    int k = 20;
    while (v >= 100) {
        const unsigned r = unsigned(v % 100);
        v /= 100;
        k -= 2;
        std::memcpy(tmp + k, kDigitPairs + 2 * r, 2);
    }
    if (v >= 10) {
        k -= 2;
        std::memcpy(tmp + k, kDigitPairs + 2 * v, 2);
    } else {
        tmp[--k] = char('0' + v);
    }
    while (20 - k < width)
        tmp[--k] = '0';
    std::memcpy(out, tmp + k, std::size_t(20 - k));
    return 20 - k;
}

// Rounds the exact digit string `all` (`length` digits) to fifteen significant digits,
// ties to even as printf does, drops trailing zeros and moves the result to `digits`.
void roundTo15(char *all, int length, char *digits, std::size_t &count, int &exponent)
{
    if (length > 15) {
        bool up = all[15] > '5';
        if (all[15] == '5') {
            bool rest = false;
            for (int i = 16; i < length && !rest; ++i)
                rest = all[i] != '0';
            up = rest || ((all[14] - '0') % 2 == 1);
        }
        length = 15;
        if (up) {
            int i = 14;
            while (i >= 0 && all[i] == '9')
                all[i--] = '0';
            if (i < 0) {
                all[0] = '1';
                ++exponent;
            } else {
                ++all[i];
            }
        }
    }
    while (length > 1 && all[length - 1] == '0')
        --length;
    std::memcpy(digits, all, std::size_t(length));
    count = std::size_t(length);
}


// Rounds q (`length` digits, at most fifteen) up when the part cut off is more than
// half a unit of its last digit, or exactly half and q is odd (ties to even, as printf
// rounds); a carry into a sixteenth digit moves the exponent. Then drops trailing
// zeros and writes the digits.
void finishDigits(std::uint64_t q, int length, bool above, bool tie, char *digits, std::size_t &count,
                  int &exponent)
{
    if (above || (tie && (q & 1u) != 0))
        ++q;
    if (q == kPowersOf10[length]) {
        q = kPowersOf10[length - 1];
        ++exponent;
    }
    while (q % 10 == 0) {
        q /= 10;
        --length;
    }
    writeDigits(q, length, digits);
    count = std::size_t(length);
}

// The exact digits of an integer n below 2^64, rounded to fifteen.
void integerDigits(std::uint64_t n, char *digits, std::size_t &count, int &exponent)
{
    int length = 1;
    while (length < 20 && n >= kPowersOf10[length])
        ++length;
    exponent = length - 1;
    if (length <= 15) {
        finishDigits(n, length, false, false, digits, count, exponent);
        return;
    }
    const std::uint64_t unit = kPowersOf10[length - 15];
    const std::uint64_t rest = n % unit, half = unit / 2;
    finishDigits(n / unit, 15, rest > half, rest == half, digits, count, exponent);
}

#if defined(__SIZEOF_INT128__)
using u128 = unsigned __int128;

struct WidePowers {
    u128 five[45];
    u128 ten[39];
};

constexpr WidePowers makeWidePowers()
{
    WidePowers p{};
    p.five[0] = 1;
    for (int i = 1; i < 45; ++i)
        p.five[i] = p.five[i - 1] * 5;
    p.ten[0] = 1;
    for (int i = 1; i < 39; ++i)
        p.ten[i] = p.ten[i - 1] * 10;
    return p;
}

constexpr WidePowers kWide = makeWidePowers();

int bitLength(u128 n)
{
    const std::uint64_t high = std::uint64_t(n >> 64), low = std::uint64_t(n);
    return high != 0 ? 128 - __builtin_clzll(high) : (low != 0 ? 64 - __builtin_clzll(low) : 0);
}

// A value m * 2^-k below 2^24 (m below 2^24, odd, k at most 44) is n * 10^-k with
// n = m * 5^k below 2^128. With d digits of n beyond the fifteenth, n / 10^d is
// m * 5^(k-d) / 2^d: the cut is a shift and the part cut off is exact, so the
// rounding needs no division. (d <= k: the value has at most eight integer digits.)
bool fractionDigits(std::uint64_t m, int k, char *digits, std::size_t &count, int &exponent)
{
    if (k > 44 || m >= (1u << 24))
        return false;
    const u128 n = u128(m) * kWide.five[k];
    int length = (bitLength(n) - 1) * 1233 >> 12; // at most the digit count of n
    if (length < 1)
        length = 1;
    while (length < 39 && n >= kWide.ten[length])
        ++length;
    exponent = length - 1 - k;
    if (length <= 15) {
        finishDigits(std::uint64_t(n), length, false, false, digits, count, exponent);
        return true;
    }
    const int d = length - 15;
    if (d > k)
        return false;
    const u128 scaled = u128(m) * kWide.five[k - d];
    const u128 rest = scaled & ((u128(1) << d) - 1), half = u128(1) << (d - 1);
    finishDigits(std::uint64_t(scaled >> d), 15, rest > half, rest == half, digits, count, exponent);
    return true;
}
#endif

// A nonzero finite 32-bit value is m * 2^e exactly (m below 2^24); with m's trailing
// zero bits folded into e, the values drawings use are integers below 2^64 (e >= 0)
// or fractions m * 2^-k whose exact digits fit 128 bits. False for other values.
bool floatDigitsShort(float value, char *digits, std::size_t &count, int &exponent)
{
    const std::uint32_t bits = floatBits(value);
    const int biased = int((bits >> 23) & 0xFFu);
    std::uint64_t m = bits & 0x7FFFFFu;
    int e = -149;
    if (biased != 0) {
        m |= 0x800000u;
        e = biased - 150;
    }
    if (m == 0 || biased == 0xFF)
        return false;
#if defined(__GNUC__)
    if (e < 0) {
        const int zeros = std::min(__builtin_ctzll(m), -e);
        m >>= zeros;
        e += zeros;
    }
#else
    while (e < 0 && (m & 1u) == 0) {
        m >>= 1;
        ++e;
    }
#endif
    if (e >= 0) {
        if (e > 40) // m < 2^24
            return false;
        integerDigits(m << e, digits, count, exponent);
        return true;
    }
#if defined(__SIZEOF_INT128__)
    return fractionDigits(m, -e, digits, count, exponent);
#else
    return false;
#endif
}

// The same for the values beyond 64 bits: m * 2^e (e >= 0) or m * 5^-e fits 128 bits
// for the magnitudes drawings use. False for values outside that span.
bool floatDigits128(float value, char *digits, std::size_t &count, int &exponent)
{
#if defined(__SIZEOF_INT128__)
    using u128 = unsigned __int128;
    int e2 = 0;
    const float mantissa = std::frexp(std::fabs(value), &e2); // value = mantissa * 2^e2, mantissa in [0.5, 1)
    u128 n = static_cast<u128>(std::ldexp(mantissa, 24));     // exact: a float has 24 significant bits
    int e = e2 - 24;
    int scale = 0; // the value is n * 10^-scale
    if (e >= 0) {
        if (e > 100)
            return false;
        n <<= e;
    } else {
        if (-e > 44)
            return false;
        for (int i = 0; i < -e; ++i)
            n *= 5;
        scale = -e;
    }
    // One 128-bit division splits off the low nineteen digits; the rest is 64-bit.
    char all[48];
    int length = 0;
    constexpr std::uint64_t kTen19 = 10000000000000000000ull;
    if (n >> 64) {
        length += putDigits(static_cast<std::uint64_t>(n / kTen19), all);
        length += putDigits(static_cast<std::uint64_t>(n % kTen19), all + length, 19);
    } else {
        length += putDigits(static_cast<std::uint64_t>(n), all);
    }
    exponent = length - 1 - scale;
    roundTo15(all, length, digits, count, exponent);
    return true;
#else
    (void)value, (void)digits, (void)count, (void)exponent;
    return false;
#endif
}

// The fifteen significant digits of a nonzero finite value through printf's rounding.
void printfDigits(long double value, char *digits, std::size_t &count, int &exponent)
{
    // "d.dddddddddddddde±x" from printf, rounded the same way.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", std::fabs(value));
    const char *e = std::strchr(buf, 'e');
    exponent = std::atoi(e + 1);
    count = 0;
    digits[count++] = buf[0];
    for (const char *q = buf + 2; q < e; ++q)
        digits[count++] = *q;
    while (count > 1 && digits[count - 1] == '0')
        --count;
}

void floatDecimal15(float value, char *digits, std::size_t &count, int &exponent)
{
    if (!floatDigitsShort(value, digits, count, exponent) && !floatDigits128(value, digits, count, exponent))
        printfDigits(value, digits, count, exponent);
}

// The fifteen correctly rounded significant digits of a nonzero finite `value`,
// trailing zeros dropped, and its decimal exponent after rounding.
void decimal15(long double value, char *digits, std::size_t &count, int &exponent)
{
    const float single = static_cast<float>(value);
    if (static_cast<long double>(single) == value)
        floatDecimal15(single, digits, count, exponent);
    else
        printfDigits(value, digits, count, exponent);
}

// Room for the digits of a number: fifteen, and what the fixed-size copies below read.
constexpr std::size_t kDigitRoom = 32;
static_assert(kGeneralCapacity >= 32, "layOut copies 16 bytes at a time up to the 32nd");

// Lays out rounded digits (`digits` holding kDigitRoom bytes) in the general format
// into `out` (kGeneralCapacity bytes); returns the length written.
std::size_t layOut(char *out, bool negative, const char *digits, std::size_t count, int exponent)
{
    char *p = out;
    if (negative)
        *p++ = '-';
    if (exponent < -5 || exponent >= 15) {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = '.';
            copy16(p, digits + 1);
            p += count - 1;
        }
        *p++ = 'E';
        if (exponent < 0)
            *p++ = '-';
        p += putDigits(std::uint64_t(std::abs(exponent)), p);
    } else if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            *p++ = '0';
        copy16(p, digits);
        p += count;
    } else {
        const std::size_t intLen = std::size_t(exponent) + 1;
        copy16(p, digits);
        if (count <= intLen) {
            p += count;
            for (std::size_t i = count; i < intLen; ++i)
                *p++ = '0';
        } else {
            p += intLen;
            *p++ = '.';
            copy16(p, digits + intLen);
            p += count - intLen;
        }
    }
    return std::size_t(p - out);
}

std::size_t copyText(char *out, const char *text)
{
    const std::size_t n = std::strlen(text);
    std::memcpy(out, text, n);
    return n;
}

/// Writes NaN, the infinities and zero, which have no digits to lay out, and returns
/// their length; 0 for every other value.
std::size_t digitlessTo(char *out, long double value)
{
    if (std::isnan(value))
        return copyText(out, "NAN");
    if (std::isinf(value))
        return copyText(out, value < 0 ? "-INF" : "INF");
    if (value == 0)
        return copyText(out, "0");
    return 0;
}

} // namespace

std::size_t formatGeneralTo(char *out, long double value)
{
    if (const std::size_t n = digitlessTo(out, value))
        return n;
    char digits[kDigitRoom];
    std::size_t count = 0;
    int exponent = 0;
    decimal15(value, digits, count, exponent);
    return layOut(out, value < 0, digits, count, exponent);
}

namespace floatformat {

// Out of line, so that the short path does not carry the long one's stack frame.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
std::size_t otherFloatTo(char *out, float value)
{
    if (const std::size_t n = fractionFloatTo(out, value))
        return n;
    if (const std::size_t n = digitlessTo(out, value))
        return n;
    char digits[kDigitRoom];
    std::size_t count = 0;
    int exponent = 0;
    floatDecimal15(value, digits, count, exponent);
    return layOut(out, value < 0, digits, count, exponent);
}

} // namespace floatformat

void writeSixteenDigits(std::uint64_t v, char *out) { sixteenDigits(v, out); }

std::size_t formatFloatTo(char *out, float value) { return formatFloatInline(out, value); }

std::string formatGeneral(long double value)
{
    char buf[kGeneralCapacity];
    return std::string(buf, formatGeneralTo(buf, value));
}

std::string formatFloat(float value)
{
    char buf[kGeneralCapacity];
    return std::string(buf, formatFloatTo(buf, value));
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void badFloat(std::string_view text)
{
    throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

// Most numbers are plain decimals: "[blanks][sign]digits[.digits][blanks]" of at most
// nineteen significant digits and at most 27 after the point. Such a text is
// N / 10^k with both N and 10^k exact in the 64-bit mantissa, so one division rounds
// it exactly as strtold rounds the decimal. Read in one pass; false for every other
// text (an exponent, more digits, anything malformed), which the full reading decides.
bool plainDecimal(std::string_view text, long double &out)
{
    static constexpr long double kPowersOf10[] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
        1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    constexpr int kMaxFraction = int(sizeof kPowersOf10 / sizeof kPowersOf10[0]) - 1;
    if (std::numeric_limits<long double>::digits < 64)
        return false;
    const char *p = text.data(), *const end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    std::uint64_t n = 0;
    int significant = 0, digits = 0, fraction = 0;
    bool point = false;
    for (; p < end; ++p) {
        const char c = *p;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c))
            break;
        if (n != 0 || c != '0')
            ++significant;
        if (significant > 19)
            return false;
        n = n * 10 + std::uint64_t(c - '0');
        ++digits;
        fraction += point;
    }
    while (p < end && *p == ' ')
        ++p;
    if (p != end || digits == 0 || fraction > kMaxFraction)
        return false;
    const long double value = static_cast<long double>(n) / kPowersOf10[fraction];
    out = negative ? -value : value;
    return true;
}
} // namespace

long double parseFloat(std::string_view text)
{
    long double plain = 0;
    if (plainDecimal(text, plain))
        return plain;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    const std::size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t intDigits = 0, fracDigits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++intDigits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++fracDigits;
    }
    if (intDigits + fracDigits == 0)
        badFloat(text);
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && isDigit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            badFloat(text);
    }
    const std::size_t end = i;
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        badFloat(text);
    const std::string number(text.substr(start, end - start));
    const long double value = std::strtold(number.c_str(), nullptr);
    // A number beyond the extended range is no value at all: taken as infinity it
    // would run through the arithmetic and come out as "INF" in the drawing.
    if (std::isinf(value))
        badFloat(text);
    return value;
}

bool tryParseInt(const std::string &text, std::int32_t &out)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == n)
        return false;
    long long value = 0;
    for (; i < n; ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            return false;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

std::int32_t parseInt(const std::string &text)
{
    std::int32_t value = 0;
    if (!tryParseInt(text, value))
        throw ConvertError("'" + text + "' is not a valid integer value");
    return value;
}

float toFloatOutsideRange(long double value)
{
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        // Values that round to FLT_MAX are still representable.
        const float f = static_cast<float>(value);
        if (std::isinf(f))
            throw OverflowError("Floating point overflow");
        return f;
    }
    return static_cast<float>(value);
}

} // namespace quillet
