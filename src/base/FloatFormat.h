#pragma once
// The short path of writing a float in the general format, inline for the writers that
// put out hundreds of numbers a run (a cloud's bump centres); Number.cpp holds the rest
// and takes these pieces from here.
#include "base/Number.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillet {

namespace floatformat {

// Two decimal digits per table entry: halves the divisions of a digit string.
inline constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

inline constexpr std::uint64_t kPowersOf10[] = {1ull,
                                         10ull,
                                         100ull,
                                         1000ull,
                                         10000ull,
                                         100000ull,
                                         1000000ull,
                                         10000000ull,
                                         100000000ull,
                                         1000000000ull,
                                         10000000000ull,
                                         100000000000ull,
                                         1000000000000ull,
                                         10000000000000ull,
                                         100000000000000ull,
                                         1000000000000000ull,
                                         10000000000000000ull,
                                         100000000000000000ull,
                                         1000000000000000000ull,
                                         10000000000000000000ull};

inline constexpr std::uint64_t kPowersOf5[] = {1ull,        5ull,         25ull,         125ull,         625ull,
                                        3125ull,     15625ull,     78125ull,      390625ull,      1953125ull,
                                        9765625ull,  48828125ull,  244140625ull,  1220703125ull,  6103515625ull,
                                        30517578125ull, 152587890625ull, 762939453125ull};

// Copies sixteen bytes, of which the caller counts only its own: one move instead of
// a call for a few bytes. Every use stays within the 32 bytes of the output
// (at most sign, 14 digits and a point precede the last copy) and of the digits.
inline void copy16(char *to, const char *from) { std::memcpy(to, from, 16); }

// Exactly eight decimal digits of v < 10^8, leading zeros included.
inline void writeEight(std::uint32_t v, char *out)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // All eight at once in one 64-bit word, each split in its own lanes: the two
    // halves of four digits in 32-bit lanes, their hundreds in 16-bit lanes, their
    // tens in bytes. A quotient by 100 below 10^4 is (x * 10486) >> 20 and one by 10
    // below 100 is (x * 103) >> 10, exactly, and no lane's product reaches the next
    // lane. A little-endian word stored as is puts its lowest lane first, where the
    // most significant half, hundred and ten were put.
    std::uint64_t x = (v / 10000) | (std::uint64_t(v % 10000) << 32);
    const std::uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007Full;
    x = hundreds | ((x - 100 * hundreds) << 16);
    const std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Full;
    x = tens | ((x - 10 * tens) << 8);
    x += 0x3030303030303030ull; // '0' in every byte
    std::memcpy(out, &x, 8);
#else
    const std::uint32_t high = v / 10000, low = v % 10000;
    std::memcpy(out, kDigitPairs + 2 * (high / 100), 2);
    std::memcpy(out + 2, kDigitPairs + 2 * (high % 100), 2);
    std::memcpy(out + 4, kDigitPairs + 2 * (low / 100), 2);
    std::memcpy(out + 6, kDigitPairs + 2 * (low % 100), 2);
#endif
}

#if defined(__SSE2__)
// A constant the compiler cannot see through. GCC turns a product by 100 or by 10 in
// 16-bit lanes into a run of shifts and additions, several times as many instructions
// as the one multiplication, on the path of every coordinate written.
inline __m128i opaque(__m128i v)
{
#if defined(__GNUC__)
    __asm__("" : "+x"(v));
#endif
    return v;
}

// Two runs of eight digits, of high < 10^8 and of low < 10^8, as characters in one
// register: high's in the low eight bytes, its most significant in the lowest.
inline __m128i twoEightDigitLanes(std::uint32_t high, std::uint32_t low)
{
    // Four groups of four digits, one in each 32-bit lane, split in 16-bit lanes into
    // hundreds and the rest, then in bytes into tens and ones: all sixteen at once. A
    // quotient by 100 below 10^4 is (x * 5243) >> 19 and one by 10 below 100 is
    // (x * 6554) >> 16, exactly. Lanes are stored lowest first, where the most
    // significant group, hundred and ten were put.
    // The two runs of eight digits, one in each 64-bit lane, are split into groups
    // of four there too: a quotient by 10^4 below 10^8 is (x * 3518437209) >> 45,
    // exactly, and the remainders go to the odd 32-bit lanes.
    const __m128i halves = _mm_set_epi64x(std::int64_t(low), std::int64_t(high));
    const __m128i quotients = _mm_srli_epi64(_mm_mul_epu32(halves, _mm_set1_epi32(int(3518437209u))), 45);
    const __m128i remainders = _mm_sub_epi32(halves, _mm_mul_epu32(quotients, _mm_set1_epi32(10000)));
    const __m128i groups = _mm_or_si128(quotients, _mm_slli_epi64(remainders, 32));
    const __m128i hundreds = _mm_srli_epi16(_mm_mulhi_epu16(groups, _mm_set1_epi16(5243)), 3);
    const __m128i pairs = _mm_or_si128(
        hundreds,
        _mm_slli_epi32(_mm_sub_epi16(groups, _mm_mullo_epi16(hundreds, opaque(_mm_set1_epi16(100)))), 16));
    // The tens t of n < 100 in the low byte and the ones n - 10t in the high one: the
    // 16-bit lane t + 256(n - 10t) = 256n - 2559t.
    const __m128i tens = _mm_mulhi_epu16(pairs, _mm_set1_epi16(6554));
    const __m128i digits =
        _mm_sub_epi16(_mm_slli_epi16(pairs, 8), _mm_mullo_epi16(tens, opaque(_mm_set1_epi16(2559))));
    return _mm_add_epi8(digits, _mm_set1_epi8('0'));
}

// The sixteen digits of v < 10^16 as characters in one register, the most significant
// in its lowest byte.
inline __m128i sixteenDigitLanes(std::uint64_t v)
{
    return twoEightDigitLanes(std::uint32_t(v / 100000000u), std::uint32_t(v % 100000000u));
}
#endif

// Exactly sixteen decimal digits of v < 10^16, leading zeros included.
inline void sixteenDigits(std::uint64_t v, char *out)
{
#if defined(__SSE2__)
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), sixteenDigitLanes(v));
#else
    writeEight(std::uint32_t(v / 100000000u), out);
    writeEight(std::uint32_t(v % 100000000u), out + 8);
#endif
}

// How many decimal zeros v (not 0) ends in: counted from the value, not read back from
// its written digits (see digitsWithPoint).
inline int trailingDecimalZeros(std::uint64_t v)
{
    int zeros = 0;
    for (; v % 10 == 0; v /= 10)
        ++zeros;
    return zeros;
}

// The sixteen digits of v (< 10^16, its first digit no zero) into out[0..15], and how
// many of them a number keeps: `whole` (1 to 15), or with `shown` > 0 a point after
// the first `whole` (the digits after it moved on by one, the last dropped) and
// `shown` more. One 16-byte store.
//
// Nothing written here is read back. The digits are moved into place in the register
// rather than stored and copied again from where the number starts: a load that
// begins inside a store still under way and runs past it waits until that store is
// done. And the caller counts the zeros a fraction ends in from its value rather than
// from the written digits, whose place depends on every number before it on the line.
// Both cost a good part of the time of writing a cloud's lines.
inline std::size_t digitsWithPoint(std::uint64_t v, int whole, int shown, char *out)
{
#if defined(__SSE2__)
    __m128i digits = sixteenDigitLanes(v);
    if (shown != 0) {
        const __m128i at = _mm_set1_epi8(char(whole));
        const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i before = _mm_cmpgt_epi8(at, index), here = _mm_cmpeq_epi8(at, index);
        const __m128i after = _mm_slli_si128(digits, 1);
        digits = _mm_or_si128(_mm_or_si128(_mm_and_si128(before, digits), _mm_and_si128(here, _mm_set1_epi8('.'))),
                              _mm_andnot_si128(_mm_or_si128(before, here), after));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), digits);
#else
    char digits[16];
    sixteenDigits(v, digits);
    if (shown != 0) {
        std::memcpy(out, digits, std::size_t(whole));
        out[whole] = '.';
        std::memcpy(out + whole + 1, digits + whole, std::size_t(15 - whole));
    } else {
        std::memcpy(out, digits, 16);
    }
#endif
    return std::size_t(shown == 0 ? whole : whole + 1 + shown);
}

// A float whose biased exponent lies from `lowest` to `highest` (where every one is
// normal) is m * 2^-k, m with its hidden bit: `k` receives k and the result is m; 0
// for every other float.
inline std::uint32_t mantissaOf(std::uint32_t bits, int lowest, int highest, int &k)
{
    const int biased = int((bits >> 23) & 0xFFu);
    if (biased < lowest || biased > highest)
        return 0;
    k = 150 - biased;
    return (bits & 0x7FFFFFu) | 0x800000u;
}

// scaled / 2^cut (cut >= 1) rounded to an integer, ties to even as printf rounds: the
// bits shifted out tell which way.
inline std::uint64_t shiftRounded(std::uint64_t scaled, int cut)
{
    std::uint64_t q = scaled >> cut;
    const std::uint64_t rest = scaled & ((std::uint64_t(1) << cut) - 1), half = std::uint64_t(1) << (cut - 1);
    if (rest > half || (rest == half && (q & 1u) != 0))
        ++q;
    return q;
}

// How many of the k decimal places of m * 2^-k (m not 0, its hidden bit above 2^k) are
// written: the value times 10^k is m * 5^k, whose trailing decimal zeros are as many
// as m's trailing zero bits below 2^k (all k of them for a whole number).
inline int exactPlacesShown(std::uint32_t m, int k)
{
#if defined(__GNUC__)
    const int zeros = __builtin_ctz(m);
#else
    int zeros = 0;
    for (std::uint32_t v = m; (v & 1u) == 0; v >>= 1)
        ++zeros;
#endif
    return zeros < k ? k - zeros : 0;
}

#if defined(__SSE2__) && defined(__x86_64__)
// 5^k * 10^(8 - k): a fraction f * 2^-k (k <= 8) times 10^8 is f times this.
inline constexpr std::uint32_t kEightPlacesPerStep[] = {100000000u, 50000000u, 25000000u, 12500000u, 6250000u,
                                                        3125000u,   1562500u,  781250u,    390625u};

// Many coordinates of a drawing in millimetres at its scale lie from 2^15 (some 33
// metres) up, where a float m * 2^-k has at most eight binary places (k <= 8) and its
// text is exact: the integer part (5 to 8 digits), then the fraction f * 2^-k as the
// eight digits of f * 5^k * 10^(8 - k), of which the first k less f's trailing zero
// bits are kept. Both runs of eight are made side by side and stored where they go,
// with no 64-bit division and no point moved into place; nothing stored is read back
// (see digitsWithPoint). Stores up to 18 bytes.
inline std::size_t coarseFloatTo(char *out, std::uint32_t bits, std::uint32_t m, int k, int wholeDigits)
{
    const std::uint32_t f = m & ((1u << k) - 1);
    const __m128i digits = twoEightDigitLanes(m >> k, f * kEightPlacesPerStep[k]);
    char *p = out;
    if (bits >> 31)
        *p++ = '-';
    // The low eight bytes less the leading zeros: a right shift of the little-endian
    // word drops its lowest bytes.
    const std::uint64_t whole = std::uint64_t(_mm_cvtsi128_si64(digits)) >> (8 * (8 - wholeDigits));
    std::memcpy(p, &whole, 8);
    p += wholeDigits;
    *p = '.';
    // The high eight bytes, through the unaligned 64-bit store (a double's store must
    // be aligned).
    _mm_storel_epi64(reinterpret_cast<__m128i *>(p + 1), _mm_unpackhi_epi64(digits, digits));
    const int shown = exactPlacesShown(m, k);
    p += shown == 0 ? 0 : shown + 1;
    return std::size_t(p - out);
}
#endif

// Most coordinates, radii and angles lie between 1 and 2^24, where a float is an
// integer part below 2^24 and a fraction f * 2^-k (k <= 23), written here without the
// general digit machinery. Fifteen significant digits leave p = 15 - (integer digits)
// places for the fraction. A value with at most p decimal places (k less m's trailing
// zero bits) is written exactly, all its places shown. Otherwise it is rounded to p
// places: f * 5^p fits 64 bits (f < 2^23, p <= 14), f * 10^p / 2^k is that shifted
// right by k - p, and the bits shifted out tell how to round (ties to even, as printf).
// Writes such a value and returns its length; 0 for every other value.
inline std::size_t mediumFloatTo(char *out, float value)
{
    const std::uint32_t bits = floatBits(value);
    int k = 0; // |value| = m * 2^-k
    const std::uint32_t m = mantissaOf(bits, 127, 150, k);
    if (m == 0)
        return 0;
    std::uint64_t whole = m >> k;
    // The integer part has 24 - k bits, so about (24 - k) * log10(2) digits: 1233 / 4096
    // is log10(2) closely enough that one comparison settles it below 2^24.
    const int log10Floor = ((24 - k) * 1233) >> 12;
    int wholeDigits = log10Floor + (whole >= kPowersOf10[log10Floor] ? 1 : 0);
#if defined(__SSE2__) && defined(__x86_64__)
    if (k <= 8)
        return coarseFloatTo(out, bits, m, k, wholeDigits);
#endif
    int places = 15 - wholeDigits;
    // All the digits as one number of at most sixteen (the integer part has at most
    // eight, and a carry adds one to fifteen), `places` of them after the point, of which
    // `shown` are written: the others are trailing zeros.
    std::uint64_t all = 0;
    int shown = 0;
    // Many a radius, size and coordinate has fewer exact places than k.
    const int exactPlaces = exactPlacesShown(m, k);
    if (exactPlaces <= places) {
        // Exactly: the value times 10^p is (m / 2^(k - p)) * 5^p, whose last digit is
        // a 5 unless p is 0; so all p places are shown.
        places = exactPlaces;
        all = std::uint64_t(m >> (k - exactPlaces)) * kPowersOf5[exactPlaces];
        shown = exactPlaces;
    } else {
        const std::uint32_t f = m & ((1u << k) - 1);
        std::uint64_t fraction = shiftRounded(f * kPowersOf5[places], k - places);
        if (fraction == kPowersOf10[places]) {
            fraction = 0;
            if (++whole == kPowersOf10[wholeDigits])
                ++wholeDigits;
        }
        all = whole * kPowersOf10[places] + fraction;
        // Less the zeros the rounding ended in.
        shown = fraction == 0 ? 0 : places - trailingDecimalZeros(fraction);
    }
    // Written as one run of sixteen digits, moved up to the first so that none leads:
    // `all` has wholeDigits + places of them (a carry into a sixteenth leaves no
    // fraction), and whole digits, point and shown fraction are at most sixteen bytes.
    char *p = out;
    if (bits >> 31)
        *p++ = '-';
    p += digitsWithPoint(all * kPowersOf10[16 - wholeDigits - places], wholeDigits, shown, p);
    return std::size_t(p - out);
}


// Fractions from 2^-9 up to 1 (the flatnesses of half discs, most angles in radians,
// the smaller radii) take a path of their own too. Such a float is m * 2^-k with m
// below 2^24 and k from 24 to 32; it has z zeros after the point (0 to 2), which exact
// comparisons of m * 10^(z+1) with 2^k tell, and fifteen significant digits are
// p = 15 + z places. m * 5^p fits 64 bits (p <= 17), m * 10^p / 2^k is that shifted
// right by k - p, and the bits shifted out tell how to round (ties to even, as printf).
// Writes such a value and returns its length; 0 for every other value.
inline std::size_t fractionFloatTo(char *out, float value)
{
    const std::uint32_t bits = floatBits(value);
    int k = 0; // |value| = m * 2^-k
    const std::uint64_t m = mantissaOf(bits, 118, 126, k);
    if (m == 0)
        return 0;
    const std::uint64_t one = std::uint64_t(1) << k;
    const int zeros = 10 * m >= one ? 0 : (100 * m >= one ? 1 : 2);
    const int places = 15 + zeros;
    const std::uint64_t digitsValue = shiftRounded(m * kPowersOf5[places], k - places); // k - places: 9 to 17
    // Rounded up into the next power of ten, which no float of the span is near
    // enough to: left to the general path all the same.
    if (digitsValue >= kPowersOf10[15])
        return 0;
    char *p = out;
    if (bits >> 31)
        *p++ = '-';
    std::memcpy(p, "0.00", 4); // "0." and up to two zeros, of which `zeros` count
    p += 2 + zeros;
    // The fifteen digits moved up by one, a zero after them, stored where they go and
    // not read back (see digitsWithPoint).
    sixteenDigits(digitsValue * 10, p);
    p += 15 - trailingDecimalZeros(digitsValue);
    return std::size_t(p - out);
}

/// formatFloatTo for every value mediumFloatTo leaves (Number.cpp).
std::size_t otherFloatTo(char *out, float value);

} // namespace floatformat

/// formatFloatTo with its short path, the values from 1 to 2^24, inline.
inline std::size_t formatFloatInline(char *out, float value)
{
    if (const std::size_t n = floatformat::mediumFloatTo(out, value))
        return n;
    return floatformat::otherFloatTo(out, value);
}

} // namespace quillet
