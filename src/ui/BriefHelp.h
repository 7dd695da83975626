#pragma once
#include <QObject>
#include <QPointer>

class QStatusBar;
class QWidget;

namespace quillet::ui {

/// The brief help of the main window: while it is on, the status bar shows the hint
/// of the control under the pointer. Hints are the controls' status tips; a control
/// without one shows the hint of the nearest control around it that has one.
class BriefHelp : public QObject {
    Q_OBJECT
public:
    BriefHelp(QWidget *window, QStatusBar *bar);
    ~BriefHelp() override;

    void setOn(bool on);
    bool isOn() const { return m_on; }

    /// The hint the status bar shows over `control` (empty when nothing around it
    /// inside `window` has one).
    static QString hintFor(const QWidget *control, const QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(const QWidget *control);

    QPointer<QWidget> m_window;
    QStatusBar *m_bar;
    bool m_on = false;
};

} // namespace quillet::ui
