#include "ui/ImeControl.h"

#include <QWidget>

#ifdef _WIN32
// clang-format off
#include <windows.h>
#include <imm.h> // needs the types of windows.h
// clang-format on
#endif

namespace quillet::ui::ime {

#ifdef _WIN32

namespace {

DWORD conversionFor(ImeMode mode)
{
    switch (mode) {
    case ImeMode::Hiragana:
        return IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    case ImeMode::FullKatakana:
        return IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
    case ImeMode::HalfKatakana:
        return IME_CMODE_NATIVE | IME_CMODE_KATAKANA;
    case ImeMode::FullAlphanumeric:
        return IME_CMODE_ALPHANUMERIC | IME_CMODE_FULLSHAPE;
    }
    return IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
}

// Runs `change` on the window's input context; a window without one (no IME
// installed) is left alone.
template <typename Change> void withContext(QWidget *window, Change change)
{
    if (!window)
        return;
    const HWND hwnd = reinterpret_cast<HWND>(window->winId());
    const HIMC himc = ImmGetContext(hwnd);
    if (!himc)
        return;
    change(himc);
    ImmReleaseContext(hwnd, himc);
}

} // namespace

void open(QWidget *window, ImeMode mode)
{
    withContext(window, [mode](HIMC himc) {
        ImmSetOpenStatus(himc, TRUE);
        DWORD conversion = 0, sentence = 0;
        ImmGetConversionStatus(himc, &conversion, &sentence);
        ImmSetConversionStatus(himc, conversionFor(mode), sentence);
    });
}

void close(QWidget *window)
{
    withContext(window, [](HIMC himc) { ImmSetOpenStatus(himc, FALSE); });
}

void resetControl(QWidget *control)
{
    // Every control of the window shares the window's handle; giving it back its
    // default context undoes a context of the control's own.
    if (control && control->window())
        ImmAssociateContextEx(reinterpret_cast<HWND>(control->window()->winId()), nullptr, IACE_DEFAULT);
}

#else

void open(QWidget *, ImeMode) {}
void close(QWidget *) {}
void resetControl(QWidget *) {}

#endif

} // namespace quillet::ui::ime
