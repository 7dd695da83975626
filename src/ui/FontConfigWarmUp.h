#pragma once
#include <thread>

namespace quillet::ui {

/// fontconfig reads its whole configuration the first time a font is asked for: the
/// largest cost before the window can lay out its first text, and one that depends on
/// nothing the program does first. While a warm-up lives, that reading runs on another
/// core; fontsReady() waits for it, and is called before anything asks for a font, so
/// that the two never read the configuration side by side. Without fontconfig (on
/// Windows) it does nothing.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    /// Waits for the reading, if nobody did.
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    /// Returns once no warm-up is reading the configuration.
    static void fontsReady();

private:
    std::thread m_reading;
};

} // namespace quillet::ui
