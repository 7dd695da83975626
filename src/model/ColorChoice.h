#pragma once
#include <array>

namespace quillet {

/// The colour chooser of the window (`ColorBox1`, `ColorBox2`): item 0 is the custom
/// colour, then the standard and extended colours. Colours are Windows colour numbers
/// (red in the low byte).
struct ColorChoice {
    static constexpr int kNoItem = -1;
    static constexpr std::array<int, 21> kListed = {
        0,        // custom placeholder; the real value is `custom`
        0,        // black
        128,      // maroon
        32768,    // green
        32896,    // olive
        8388608,  // navy
        8388736,  // purple
        8421376,  // teal
        8421504,  // gray
        12632256, // silver
        255,      // red
        65280,    // lime
        65535,    // yellow
        16711680, // blue
        16711935, // fuchsia
        16776960, // aqua
        16777215, // white
        12639424, // money green
        15780518, // sky blue
        15793151, // cream
        10789024, // medium gray
    };
    static constexpr int kItemCount = int(kListed.size());

    int custom = 0;
    int item = kNoItem;

    /// Colour number of the selection; no selection gives 0.
    int color() const
    {
        if (item == 0)
            return custom;
        if (item > 0 && item < kItemCount)
            return kListed[std::size_t(item)];
        return 0;
    }

    /// Selects a listed colour's item, or puts an unlisted colour into the custom entry.
    void selectColor(int colorNumber)
    {
        for (int i = 1; i < kItemCount; ++i) {
            if (kListed[std::size_t(i)] == colorNumber) {
                item = i;
                return;
            }
        }
        custom = colorNumber;
        item = 0;
    }

    /// Selects an item by index; an index outside the list selects nothing.
    void selectItem(int index) { item = (index >= 0 && index < kItemCount) ? index : kNoItem; }

    bool operator==(const ColorChoice &o) const { return custom == o.custom && item == o.item; }
    bool operator!=(const ColorChoice &o) const { return !(*this == o); }
};

} // namespace quillet
