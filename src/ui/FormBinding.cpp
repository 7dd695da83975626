#include "ui/FormBinding.h"

#include "ui/RadioGroup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>

namespace quillet::ui {

// One row per control: its designer name and the model field it shows. The binding
// test walks the table, so a name without a widget or a field fails there.
#define QUILLET_BIND(name, path, member)                                                                              \
    ValueBinding                                                                                                      \
    {                                                                                                                 \
        name, [](const FormModel &f) { return int(f.path member); },                                                 \
            [](FormModel &f, int v) { f.path member = static_cast<decltype(f.path member)>(v); }                      \
    }
#define FORM(name, member) QUILLET_BIND(name, , member)
#define BASIC(name, member) QUILLET_BIND(name, basic., member)

const std::vector<ValueBinding> &valueBindings()
{
    static const std::vector<ValueBinding> table = {
        FORM("ComboBoxEx1", tip),
        FORM("ComboBox2", lineType),
        FORM("ComboBoxEx2", frameKind),
        FORM("ComboBoxEx3", attachPosition),
        FORM("ComboBox8", copyMethod),
        FORM("ComboBox6", textKind),
        FORM("SpinEdit1", extensionLength),
        FORM("ComboBox5", extensionMode),
        FORM("ComboBoxEx4", slide),
        FORM("SpeedButton2", embeddedTextOn),
        FORM("SpeedButton1", imeOn),
        FORM("SpeedButton10", fillOn),
        FORM("SpeedButton11", tiltOn),
        FORM("CheckBox2", textCentreBase),
        FORM("ListBox1", patternIndex),
        FORM("SpeedButton18", presetSaveMode),
        FORM("CheckBox3", continuous),
        FORM("CheckBox4", fixedLeaderLength),
        FORM("CheckBox1", memosAsHints),
        FORM("CheckBox6", presetHoverImage),
        BASIC("SpinEdit5", arrowLength),
        BASIC("ComboBox10", leaderColour),
        BASIC("SpinEdit6", lineGap),
        BASIC("ComboBox11", arrowColour),
        BASIC("ComboBox13", extensionColour),
        BASIC("SpinEdit2", fillGap),
        BASIC("SpinEdit3", verticalGap),
        BASIC("SpinEdit4", horizontalGap),
        BASIC("ComboBox12", dotColour),
        BASIC("ComboBox14", frameColour),
        BASIC("ComboBox15", writeGroup),
        BASIC("ComboBox16", lineLayer),
        BASIC("ComboBox17", textLayer),
        BASIC("ComboBox9", arrowAngle),
        BASIC("ComboBox1", dotRadiusMm),
        BASIC("ComboBox3", dotRadiusTenths),
        BASIC("RadioGroup1", detectionRange),
        BASIC("CheckBox5", noFrameGap),
    };
    return table;
}

#undef BASIC
#undef FORM
#undef QUILLET_BIND

const std::vector<ColorBinding> &colorBindings()
{
    static const std::vector<ColorBinding> table = {
        {"ColorBox1", [](FormModel &f) -> ColorChoice & { return f.basic.windowColour; }},
        {"ColorBox2", [](FormModel &f) -> ColorChoice & { return f.fillColour; }},
    };
    return table;
}

const std::vector<TextBinding> &textBindings()
{
    static const std::vector<TextBinding> table = {
        {"Edit7", [](FormModel &f) -> std::string & { return f.newPatternName; }},
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
