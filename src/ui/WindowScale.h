#pragma once
#include <QRect>

class QWidget;

namespace quillet::ui {

/// A designed length scaled by n/1024, rounded to the nearest pixel.
int scaled(int length, int n);
QRect scaled(const QRect &rect, int n);

/// Scales a window designed at 96 dpi, with everything on it, by n/1024: the
/// window's size, the place and size of every control and every pixel font size.
void scaleWindow(QWidget *window, int n);

} // namespace quillet::ui
