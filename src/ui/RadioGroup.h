#pragma once
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace quillet::ui {

/// A titled group of radio buttons with one item index, as the settings store it.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent = nullptr);

    int itemIndex() const { return m_buttons.checkedId(); }
    void setItemIndex(int index);

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup m_buttons;
};

} // namespace quillet::ui
