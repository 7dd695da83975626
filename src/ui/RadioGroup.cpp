#include "ui/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

namespace quillet::ui {

RadioGroup::RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(title, parent)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 0, 2, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    // Items run down the first column, then the next, as a designer's radio group lays them out.
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        m_buttons.addButton(button, i);
        layout->addWidget(button, i % rows, i / rows);
    }
    connect(&m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::itemIndexChanged);
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons.button(index)) {
        button->setChecked(true);
        return;
    }
    // An index outside the items leaves none selected, like an empty settings line.
    m_buttons.setExclusive(false);
    for (QAbstractButton *b : m_buttons.buttons())
        b->setChecked(false);
    m_buttons.setExclusive(true);
}

} // namespace quillet::ui
