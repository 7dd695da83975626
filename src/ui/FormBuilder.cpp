#include "ui/FormBuilder.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace quillet::ui::build {

QHash<QString, QWidget *> widgetsByName(const QWidget *root)
{
    QHash<QString, QWidget *> byName;
    for (QWidget *child : root->findChildren<QWidget *>()) {
        if (!child->objectName().isEmpty() && !byName.contains(child->objectName()))
            byName.insert(child->objectName(), child);
    }
    return byName;
}

void showControlsMadeOnAShownWindow(QWidget *window)
{
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && child->isHidden() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
            child->show();
    }
}

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

namespace {

// The gothic families in order of preference, cut down to those installed. A family
// that is missing is not skipped cheaply: the font database looks for a stand-in for
// it, once for every script the window's texts mix (kanji, kana, Latin), before it
// tries the next name; on a machine without MS Gothic that was a few milliseconds of
// every start-up, and the font it settled on was IPAGothic all the same.
const QStringList &gothicFamilies()
{
    static const QStringList families = [] {
        const QStringList preferred{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                                    QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                                    QStringLiteral("Noto Sans Mono CJK JP")};
        const QStringList installed = QFontDatabase::families();
        QStringList present;
        for (const QString &family : preferred)
            if (installed.contains(family, Qt::CaseInsensitive))
                present << family;
        // With none of them the database's own stand-in is the best there is.
        return present.isEmpty() ? preferred : present;
    }();
    return families;
}

} // namespace

QFont gothicFont(int pixelSize)
{
    QFont font;
    // Where MS Gothic is missing, IPAGothic has its metrics: five annotation lines fit
    // the input box as designed, which the taller Noto lines do not.
    font.setFamilies(gothicFamilies());
    font.setPixelSize(pixelSize);
#if !defined(Q_OS_WIN)
    // Through FreeType, hinting a glyph of these fonts costs more than drawing it, and
    // at this size it moves strokes by less than a pixel; the first paint loads a few
    // hundred glyphs. On Windows the preference would switch MS Gothic from its
    // embedded bitmaps to smoothed outlines, so it is left alone there.
    font.setHintingPreference(QFont::PreferNoHinting);
#endif
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
