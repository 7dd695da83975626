#include "ui/FontConfigWarmUp.h"

#if defined(QUILLET_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace quillet::ui {

namespace {
// The warm-up alive, if any; only the thread that made it asks, and only that thread
// makes fonts.
FontConfigWarmUp *running = nullptr;
} // namespace

FontConfigWarmUp::FontConfigWarmUp()
{
#if defined(QUILLET_HAVE_FONTCONFIG)
    m_reading = std::thread([] { FcInit(); });
    running = this;
#endif
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    fontsReady();
    if (running == this)
        running = nullptr;
}

void FontConfigWarmUp::fontsReady()
{
    if (running && running->m_reading.joinable())
        running->m_reading.join();
}

} // namespace quillet::ui
