#include "base/Number.h"

#include "base/Errors.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace quillet {

std::string formatGeneral(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // %.14Le gives the 15 correctly rounded significant digits and the decimal
    // exponent after rounding; the layout is then ours.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);
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
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += "E";
        if (exponent < 0)
            out += "-";
        out += std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        out = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else {
        const std::size_t intLen = std::size_t(exponent) + 1;
        if (digits.size() <= intLen) {
            out = digits + std::string(intLen - digits.size(), '0');
        } else {
            out = digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    }
    return negative ? "-" + out : out;
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
