#pragma once
#include "program/OutputPicture.h"
#include "program/Session.h"

#include <QString>
#include <QTimer>
#include <QTransform>
#include <QWidget>

namespace quillet::outputview {

/// The window "出力図": what "入力完了" would draw for the current choices, fitted to
/// the window, beside the main window. It never writes the start directory's files,
/// changes a choice or shows a message box; whether it was open and where it stood
/// are kept in the user's settings (QSettings).
class OutputView : public QWidget {
    Q_OBJECT
public:
    OutputView(const Session &session, QWidget *mainWindow);
    ~OutputView() override;

    /// Shows the window beside the main window, or where it stood last, and draws.
    void open();
    /// Redraws once the choices have stopped changing for a moment.
    void scheduleRefresh();
    /// Runs the dry run and redraws now.
    void refreshNow();
    /// Back to the whole picture fitted to the window.
    void fitToWindow();

    /// Whether the window was open when the program last ended.
    static bool wasOpen();

    const OutputPicture &result() const { return m_result; }
    /// The message shown instead of a drawing, empty while a drawing is shown.
    QString shownMessage() const;
    /// Device transform of the picture: the fit, then zoom and pan.
    QTransform viewTransform() const;

    void saveSvg(const QString &path);
    void savePng(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void rememberPlace(bool open) const;
    void placeBesideMainWindow();

    const Session &m_session;
    QWidget *m_mainWindow;
    QTimer m_debounce;
    OutputPicture m_result;
    QTransform m_zoomPan;
    QPointF m_dragFrom;
    bool m_dragging = false;
    QString m_status;
};

} // namespace quillet::outputview
