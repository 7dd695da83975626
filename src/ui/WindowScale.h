#pragma once
#include <QRect>

class QWidget;

namespace quillet::ui {

/// A designed length scaled by n/1024, rounded to the nearest pixel.
int scaled(int length, int n);
QRect scaled(const QRect &rect, int n);

/// Scales a window designed at 96 dpi, with everything on it, by n/1024: the
/// window's size, the place and size of every control and every pixel font size.
/// The same as scaleWindowFont and then scaleControls.
void scaleWindow(QWidget *window, int n);

/// Scales the window's own pixel font by n/1024. Done before the controls are made,
/// it reaches them as they are made and no font is loaded twice.
void scaleWindowFont(QWidget *window, int n);

/// Scales the window's size and the place, size and own pixel font of every control
/// on it by n/1024; the window's own font is left as it is.
void scaleControls(QWidget *window, int n);

/// Scales one control laid over a window already scaled by n/1024, with what it
/// holds, as scaleControls would have: for parts made after the window was scaled.
void scalePart(QWidget *part, int n);

} // namespace quillet::ui
