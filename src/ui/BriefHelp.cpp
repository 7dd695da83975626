#include "ui/BriefHelp.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QWidget>

namespace quillet::ui {

BriefHelp::BriefHelp(QWidget *window, QStatusBar *bar) : QObject(window), m_window(window), m_bar(bar) {}

BriefHelp::~BriefHelp()
{
    setOn(false);
}

void BriefHelp::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    // The pointer's moves reach the application's filters whatever control is under
    // it, also controls that do not track the mouse themselves.
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

QString BriefHelp::hintFor(const QWidget *control, const QWidget *window)
{
    for (const QWidget *w = control; w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (w == window)
            break;
    }
    return QString();
}

bool BriefHelp::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseMove || type == QEvent::Enter) && watched->isWidgetType())
        follow(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}

void BriefHelp::follow(const QWidget *control)
{
    // Lists dropped down from a box are windows of their own; the hint stays as it was.
    if (!m_window || control->window() != m_window)
        return;
    const QString hint = hintFor(control, m_window);
    if (m_bar->currentMessage() != hint)
        m_bar->showMessage(hint);
}

} // namespace quillet::ui
