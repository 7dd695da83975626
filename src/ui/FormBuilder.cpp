#include "ui/FormBuilder.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace quillet::ui::build {

QLabel *label(QWidget *parent, const char *name, QRect geometry, const QString &text)
{
    return place<QLabel>(parent, name, geometry, text);
}

QToolButton *speedButton(QWidget *parent, const char *name, QRect geometry, const QString &text, bool toggle)
{
    auto *button = place<QToolButton>(parent, name, geometry);
    button->setText(text);
    button->setCheckable(toggle);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

QComboBox *list(QWidget *parent, const char *name, QRect geometry, const QStringList &items)
{
    auto *combo = place<QComboBox>(parent, name, geometry);
    combo->addItems(items);
    combo->setMaxVisibleItems(20);
    return combo;
}

QStringList hexItems(const QString &first)
{
    QStringList items{first};
    for (int i = 0; i < 16; ++i)
        items << QString::number(i, 16).toUpper();
    return items;
}

QFont gothicFont(int pixelSize)
{
    QFont font;
    // Where MS Gothic is missing, IPAGothic has its metrics: five annotation lines fit
    // the input box as designed, which the taller Noto lines do not.
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans Mono CJK JP")});
    font.setPixelSize(pixelSize);
    return font;
}

QFrame *panel(QWidget *parent, const char *name, QRect geometry, const QColor &colour)
{
    auto *widget = place<QFrame>(parent, name, geometry);
    widget->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

} // namespace quillet::ui::build
