#pragma once
#include "model/FormModel.h"

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace quillet::ui {

/// A control whose state is one number of the form model: an item index, a spin
/// value, or 0/1 for a toggle button or check box. Keyed by the designer name,
/// which is both the control's objectName() and the model member's name.
struct ValueBinding {
    const char *name;
    int (*get)(const FormModel &);
    void (*set)(FormModel &, int);
};

/// A colour list bound to a colour choice of the model.
struct ColorBinding {
    const char *name;
    ColorChoice &(*field)(FormModel &);
};

/// A single-line text field bound to a Shift-JIS text of the model.
struct TextBinding {
    const char *name;
    std::string &(*field)(FormModel &);
};

const std::vector<ValueBinding> &valueBindings();
const std::vector<ColorBinding> &colorBindings();
const std::vector<TextBinding> &textBindings();

/// The number a control shows (see ValueBinding); -1 for a list with nothing selected.
int widgetValue(const QWidget *widget);
/// Shows a number on a control without judging it; callers block its signals.
void setWidgetValue(QWidget *widget, int value);
/// Calls `changed` after every change of the control's number by the user.
void onWidgetValueChanged(QWidget *widget, QObject *context, const std::function<void()> &changed);

} // namespace quillet::ui
