#pragma once
#include "model/ColorChoice.h"

#include <QColor>
#include <QComboBox>

namespace quillet::ui {

/// A colour list: the custom colour first, then the listed colours, each with a
/// swatch. Choosing the custom entry lets the user mix its colour.
class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget *parent = nullptr);

    ColorChoice choice() const;
    void setChoice(const ColorChoice &choice);
    QColor selectedColor() const { return toQColor(choice().color()); }

    /// A colour number (red in the low byte) as a QColor.
    static QColor toQColor(int colorNumber);
    static int toColorNumber(const QColor &color);

signals:
    /// The user chose an entry.
    void choiceChanged();
    void droppedDown();
    void closedUp();

protected:
    void showPopup() override;
    void hidePopup() override;

private:
    void chooseCustom();
    void setCustom(int colorNumber);

    int m_custom = 0;
};

} // namespace quillet::ui
