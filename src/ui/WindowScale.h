#pragma once
#include <QRect>

class QWidget;

namespace quillet::ui {

/// A designed length scaled by n/1024, rounded to the nearest pixel.
int scaled(int length, int n);
QRect scaled(const QRect &rect, int n);

// A window designed at 96 dpi is scaled by n/1024 in steps: its size, so that it
// can be put on the screen before anything is made on it; its font, before its
// controls are made (they are made under it, and no font is loaded twice); then the
// place, size and own pixel font of every control.

/// Scales the window's size by n/1024.
void scaleWindowSize(QWidget *window, int n);

/// Scales the window's own pixel font by n/1024.
void scaleWindowFont(QWidget *window, int n);

/// Scales the place and size of every control on the window by n/1024, and every
/// pixel font set on a control in code; fonts that controls take from the window
/// (also through a style sheet) are left as they are.
void scaleControls(QWidget *window, int n);

/// Scales one control made after its window was scaled, as scaleControls would have.
void scaleControl(QWidget *control, int n);

} // namespace quillet::ui
