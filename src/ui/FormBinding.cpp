#include "ui/FormBinding.h"

#include "ui/RadioGroup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>

namespace quillet::ui {

// The stringised designer name and the member it reads are one token, so the table
// cannot pair a control with another control's value.
#define QUILLET_BIND(path, member)                                                                                        \
    ValueBinding                                                                                                          \
    {                                                                                                                     \
#member,                                                                                                          \
            [](const FormModel &                                                                                          \
                   f) { return int(f.path member); },                                                                     \
                                                   [](FormModel & f,                                                      \
                                                      int v) { f.path member =                                            \
                                                                   static_cast<decltype(f.path member)>(v); } \
    }
#define FORM(member) QUILLET_BIND(, member)
#define BASIC(member) QUILLET_BIND(basic., member)

const std::vector<ValueBinding> &valueBindings()
{
    static const std::vector<ValueBinding> table = {
        FORM(ComboBoxEx1),   FORM(ComboBox2),     FORM(ComboBoxEx2),   FORM(ComboBoxEx3), FORM(ComboBox8),
        FORM(ComboBox6),     FORM(SpinEdit1),     FORM(ComboBox5),     FORM(ComboBoxEx4), FORM(SpeedButton2),
        FORM(SpeedButton1),  FORM(SpeedButton10), FORM(SpeedButton11), FORM(CheckBox2),   FORM(ListBox1),
        FORM(SpeedButton18), FORM(CheckBox3),     FORM(CheckBox4),     FORM(CheckBox1),   FORM(CheckBox6),
        BASIC(SpinEdit5),    BASIC(ComboBox10),   BASIC(SpinEdit6),    BASIC(ComboBox11), BASIC(ComboBox13),
        BASIC(SpinEdit2),    BASIC(SpinEdit3),    BASIC(SpinEdit4),    BASIC(ComboBox12), BASIC(ComboBox14),
        BASIC(ComboBox15),   BASIC(ComboBox16),   BASIC(ComboBox17),   BASIC(ComboBox9),  BASIC(ComboBox1),
        BASIC(ComboBox3),    BASIC(RadioGroup1),  BASIC(CheckBox5),
    };
    return table;
}

#undef BASIC
#undef FORM
#undef QUILLET_BIND

const std::vector<ColorBinding> &colorBindings()
{
    static const std::vector<ColorBinding> table = {
        {"ColorBox1", [](FormModel &f) -> ColorChoice & { return f.basic.ColorBox1; }},
        {"ColorBox2", [](FormModel &f) -> ColorChoice & { return f.ColorBox2; }},
    };
    return table;
}

const std::vector<TextBinding> &textBindings()
{
    static const std::vector<TextBinding> table = {
        {"Edit7", [](FormModel &f) -> std::string & { return f.Edit7; }},
    };
    return table;
}

int widgetValue(const QWidget *widget)
{
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentIndex();
    if (auto *spin = qobject_cast<const QSpinBox *>(widget))
        return spin->value();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->isChecked() ? 1 : 0;
    if (auto *list = qobject_cast<const QListWidget *>(widget))
        return list->currentRow();
    if (auto *group = qobject_cast<const RadioGroup *>(widget))
        return group->itemIndex();
    return -1;
}

void setWidgetValue(QWidget *widget, int value)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
    else if (auto *spin = qobject_cast<QSpinBox *>(widget))
        spin->setValue(value);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setChecked(value != 0);
    else if (auto *list = qobject_cast<QListWidget *>(widget))
        list->setCurrentRow(value >= 0 && value < list->count() ? value : -1);
    else if (auto *group = qobject_cast<RadioGroup *>(widget))
        group->setItemIndex(value);
}

void onWidgetValueChanged(QWidget *widget, QObject *context, const std::function<void()> &changed)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        QObject::connect(combo, &QComboBox::currentIndexChanged, context, changed);
    else if (auto *spin = qobject_cast<QSpinBox *>(widget))
        QObject::connect(spin, &QSpinBox::valueChanged, context, changed);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QObject::connect(button, &QAbstractButton::toggled, context, changed);
    else if (auto *list = qobject_cast<QListWidget *>(widget))
        QObject::connect(list, &QListWidget::currentRowChanged, context, changed);
    else if (auto *group = qobject_cast<RadioGroup *>(widget))
        QObject::connect(group, &RadioGroup::itemIndexChanged, context, changed);
}

} // namespace quillet::ui
