#include "ui/ColorBox.h"

#include "ui/Icons.h"

#include <QColorDialog>

namespace quillet::ui {

namespace {
const char16_t *const kNames[ColorChoice::kItemCount] = {
    u"カスタム...",  u"黒",       u"栗色",     u"緑", u"オリーブ", u"濃紺", u"紫",   u"青緑", u"灰色",
    u"銀色",         u"赤",       u"ライム",   u"黄", u"青",       u"赤紫", u"水色", u"白",   u"マネーグリーン",
    u"スカイブルー", u"クリーム", u"中間灰色",
};
} // namespace

ColorBox::ColorBox(QWidget *parent) : QComboBox(parent)
{
    for (int i = 0; i < ColorChoice::kItemCount; ++i)
        addItem(icons::colorSwatch(toQColor(ColorChoice::kListed[std::size_t(i)])), QString::fromUtf16(kNames[i]));
    setCustom(0);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == 0)
            chooseCustom();
        emit choiceChanged();
    });
}

QColor ColorBox::toQColor(int colorNumber)
{
    return QColor(colorNumber & 0xFF, (colorNumber >> 8) & 0xFF, (colorNumber >> 16) & 0xFF);
}

int ColorBox::toColorNumber(const QColor &color)
{
    return color.red() | color.green() << 8 | color.blue() << 16;
}

ColorChoice ColorBox::choice() const
{
    ColorChoice c;
    c.custom = m_custom;
    c.selectItem(currentIndex());
    return c;
}

void ColorBox::setChoice(const ColorChoice &choice)
{
    setCustom(choice.custom);
    setCurrentIndex(choice.item);
}

void ColorBox::setCustom(int colorNumber)
{
    m_custom = colorNumber;
    setItemIcon(0, icons::colorSwatch(toQColor(colorNumber)));
}

void ColorBox::chooseCustom()
{
    const QColor chosen = QColorDialog::getColor(toQColor(m_custom), this);
    if (chosen.isValid())
        setCustom(toColorNumber(chosen));
}

void ColorBox::showPopup()
{
    emit droppedDown();
    QComboBox::showPopup();
}

void ColorBox::hidePopup()
{
    QComboBox::hidePopup();
    emit closedUp();
}

} // namespace quillet::ui
