#pragma once
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace quillet {

/// General decimal format of the drawing commands: at most 15 significant digits,
/// correctly rounded, no trailing zeros, '.' as decimal point, exponent form
/// ("1E-7", "1.5E20") when the decimal exponent is below -5 or at least 15.
std::string formatGeneral(long double value);

/// A 32-bit value as every command writes it: widened, then formatted.
std::string formatFloat(float value);

/// Room that formatGeneralTo and formatFloatTo may write into.
constexpr std::size_t kGeneralCapacity = 32;

/// formatGeneral and formatFloat into `out` (kGeneralCapacity chars, no terminating
/// zero); return the length. For lines built from many numbers without a string each.
std::size_t formatGeneralTo(char *out, long double value);
std::size_t formatFloatTo(char *out, float value);

/// The sixteen decimal digits of v < 10^16, leading zeros included, into out[0..16).
void writeSixteenDigits(std::uint64_t v, char *out);

/// Reads a decimal number: optional blanks around, optional sign, digits with an
/// optional point and fraction, optional exponent. Throws ConvertError otherwise.
long double parseFloat(std::string_view text);

/// Reads a decimal integer: optional blanks before, optional sign, digits.
/// Throws ConvertError otherwise (also when it does not fit 32 bits).
std::int32_t parseInt(const std::string &text);

/// parseInt that reports failure instead of throwing.
bool tryParseInt(const std::string &text, std::int32_t &out);

/// toFloat for the values beyond the largest float (and NaN).
float toFloatOutsideRange(long double value);

/// The bits of a 32-bit value: what tells two floats apart exactly (a signed zero and
/// each NaN are values of their own).
inline std::uint32_t floatBits(float value)
{
    static_assert(sizeof(std::uint32_t) == sizeof value, "32-bit float");
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

/// Rounds to float and throws OverflowError when the value does not fit.
inline float toFloat(long double value)
{
    // Nearly every value is inside the range: that check alone stays inline.
    if (std::fabs(value) <= static_cast<long double>(std::numeric_limits<float>::max()))
        return static_cast<float>(value);
    return toFloatOutsideRange(value);
}

} // namespace quillet
