#pragma once
#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <utility>

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;

namespace quillet::ui::build {

/// Creates a control at its designed place (96 dpi pixels) under its designer name.
template <typename W, typename... Args> W *place(QWidget *parent, const char *name, QRect geometry, Args &&...args)
{
    auto *widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

/// Every named widget under root by its object name; where two share a name the one
/// met first in a depth-first walk wins. One walk instead of a search per name.
QHash<QString, QWidget *> widgetsByName(const QWidget *root);

/// Shows the controls made on a window after it was shown, as showing the window
/// would have: every direct child that was not hidden on purpose. (A control made on
/// a window not yet shown appears with it; one made on a shown window waits.)
void showControlsMadeOnAShownWindow(QWidget *window);

/// A caption; labels take the colour of what lies under them.
QLabel *label(QWidget *parent, const char *name, QRect geometry, const QString &text);

/// A flat button that may stay down (a speed button).
QToolButton *speedButton(QWidget *parent, const char *name, QRect geometry, const QString &text, bool toggle);

/// A drop-down list of fixed items.
QComboBox *list(QWidget *parent, const char *name, QRect geometry, const QStringList &items);

/// "0" … "9", "A" … "F" after a first item: the group and layer lists.
QStringList hexItems(const QString &first);

/// The window's font: ＭＳ ゴシック where it exists, a Japanese gothic elsewhere, in pixels.
QFont gothicFont(int pixelSize);

/// A plain rectangle of colour, used for the panels laid over the window.
QFrame *panel(QWidget *parent, const char *name, QRect geometry, const QColor &colour);

} // namespace quillet::ui::build
