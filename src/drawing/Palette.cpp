#include "drawing/Palette.h"

#include <array>
#include <cstdio>

namespace quillet::drawing {

Rgb penRgb(int pen)
{
    static const std::array<Rgb, 10> pens = {{
        {0, 0, 0},
        {0, 160, 200},
        {0, 0, 0},
        {0, 160, 0},
        {200, 160, 0},
        {224, 0, 224},
        {0, 0, 255},
        {64, 64, 64},
        {255, 0, 0},
        {128, 128, 128},
    }};
    return pen >= 1 && pen <= 9 ? pens[std::size_t(pen)] : pens[0];
}

Rgb colourNumberRgb(std::uint32_t number)
{
    return {std::uint8_t(number & 0xFF), std::uint8_t((number >> 8) & 0xFF), std::uint8_t((number >> 16) & 0xFF)};
}

Rgb rgbOf(const Colour &colour) { return colour.pen == 10 ? colourNumberRgb(colour.number) : penRgb(colour.pen); }

std::string hexOf(Rgb rgb)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return buf;
}

const std::vector<double> &dashPattern(int lineType)
{
    static const std::array<std::vector<double>, 10> patterns = {{
        {},
        {},
        {6, 3},
        {2, 2},
        {10, 4},
        {14, 3, 2, 3},
        {24, 4, 3, 4},
        {14, 3, 2, 3, 2, 3},
        {24, 4, 3, 4, 3, 4},
        {1, 3},
    }};
    return patterns[lineType >= 1 && lineType <= 9 ? std::size_t(lineType) : 0];
}

} // namespace quillet::drawing
