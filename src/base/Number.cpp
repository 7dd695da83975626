#include "base/Number.h"

#include "base/Errors.h"

#include <cstdint>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace quillet {

namespace {

// A 32-bit value is m * 2^e exactly; for the magnitudes drawings use, m * 2^e (e >= 0)
// or m * 5^-e (the value times 10^-e) fits 128 bits, so its fifteen significant digits
// can be rounded exactly, ties to even as printf does, without any floating-point
// arithmetic. False for values outside that span.
bool floatDigits(float value, char *digits, std::size_t &count, int &exponent)
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
    // Decimal digits, most significant first: one 128-bit division splits off the low
    // nineteen digits, the rest is 64-bit arithmetic.
    char all[48];
    int length = 0;
    auto put = [&all, &length](std::uint64_t v, int width) {
        char tmp[20];
        int k = 0;
        do {
            tmp[k++] = char('0' + int(v % 10));
            v /= 10;
        } while (v != 0 || k < width);
        while (k > 0)
            all[length++] = tmp[--k];
    };
    constexpr std::uint64_t kTen19 = 10000000000000000000ull;
    if (n >> 64) {
        put(static_cast<std::uint64_t>(n / kTen19), 0);
        put(static_cast<std::uint64_t>(n % kTen19), 19);
    } else {
        put(static_cast<std::uint64_t>(n), 0);
    }
    exponent = length - 1 - scale;
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
    return true;
#else
    (void)value, (void)digits, (void)count, (void)exponent;
    return false;
#endif
}

// The fifteen correctly rounded significant digits of a nonzero finite `value`,
// trailing zeros dropped, and its decimal exponent after rounding.
void decimal15(long double value, char *digits, std::size_t &count, int &exponent)
{
    const float single = static_cast<float>(value);
    if (static_cast<long double>(single) == value && floatDigits(single, digits, count, exponent))
        return;
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

} // namespace

std::string formatGeneral(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    const bool negative = value < 0;
    char digits[24];
    std::size_t count = 0;
    int exponent = 0;
    decimal15(value, digits, count, exponent);

    std::string out;
    out.reserve(32);
    if (negative)
        out += '-';
    if (exponent < -5 || exponent >= 15) {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits + 1, count - 1);
        }
        out += 'E';
        if (exponent < 0)
            out += '-';
        out += std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        out += "0.";
        out.append(std::size_t(-exponent - 1), '0');
        out.append(digits, count);
    } else {
        const std::size_t intLen = std::size_t(exponent) + 1;
        if (count <= intLen) {
            out.append(digits, count);
            out.append(intLen - count, '0');
        } else {
            out.append(digits, intLen);
            out += '.';
            out.append(digits + intLen, count - intLen);
        }
    }
    return out;
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void badFloat(const std::string &text)
{
    throw ConvertError("'" + text + "' is not a valid floating point value");
}
} // namespace

long double parseFloat(const std::string &text)
{
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
    const std::string number = text.substr(start, end - start);
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

float toFloat(long double value)
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
