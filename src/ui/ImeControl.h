#pragma once
#include "model/FormModel.h"

class QWidget;

namespace quillet::ui {

/// The input method of the main window. Only Windows lets a program choose the
/// conversion mode; elsewhere the platform's input method stays as the user set it.
namespace ime {

/// Opens the window's input method in the given conversion mode.
void open(QWidget *window, ImeMode mode);

/// Closes the window's input method.
void close(QWidget *window);

/// Drops any input-method mode that `control` holds of its own, so that the window's
/// mode applies to it again.
void resetControl(QWidget *control);

} // namespace ime
} // namespace quillet::ui
