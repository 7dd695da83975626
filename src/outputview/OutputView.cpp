#include "outputview/OutputView.h"

#include "base/Sjis.h"
#include "base/TextFile.h"
#include "drawing/SvgWriter.h"
#include "outputview/PicturePainter.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <exception>

namespace quillet::outputview {

namespace {

constexpr int kDebounceMs = 150;
const QSize kDefaultSize(640, 480);

QSettings userSettings() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "Quillet", "quillet"); }

QString fromSjis(const std::string &sjis) { return QString::fromStdString(sjis::toUtf8(sjis)); }

} // namespace

OutputView::OutputView(const Session &session, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window), m_session(session), m_mainWindow(mainWindow)
{
    setObjectName("OutputView");
    setWindowTitle(QStringLiteral("出力図"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Typing goes on in the main window: the view never takes the focus by showing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMinimumSize(200, 150);
    resize(kDefaultSize);
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kDebounceMs);
    connect(&m_debounce, &QTimer::timeout, this, &OutputView::refreshNow);
}

OutputView::~OutputView()
{
    // The program ends with the window still open: it opens again next time.
    if (isVisible())
        rememberPlace(true);
}

bool OutputView::wasOpen() { return userSettings().value("outputView/open", false).toBool(); }

void OutputView::open()
{
    if (!isVisible()) {
        const QByteArray geometry = userSettings().value("outputView/geometry").toByteArray();
        if (geometry.isEmpty() || !restoreGeometry(geometry))
            placeBesideMainWindow();
        show();
    }
    raise();
    // The input box keeps the keyboard, also where the platform gives a new window it.
    if (m_mainWindow && m_mainWindow->isVisible())
        m_mainWindow->activateWindow();
    refreshNow();
    rememberPlace(true);
}

void OutputView::placeBesideMainWindow()
{
    const QScreen *screen = m_mainWindow ? m_mainWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen || !m_mainWindow) {
        resize(kDefaultSize);
        return;
    }
    // The free strip of the screen right, left, below or above the main window that
    // holds the largest view, so that no control of the main window is covered; only
    // when none holds the smallest view does the view go over the main window.
    const QRect avail = screen->availableGeometry();
    const QRect main = m_mainWindow->frameGeometry();
    const int gap = 8;
    const QRect strips[] = {
        QRect(QPoint(main.right() + gap, avail.top()), avail.bottomRight()),
        QRect(avail.topLeft(), QPoint(main.left() - gap, avail.bottom())),
        QRect(QPoint(avail.left(), main.bottom() + gap), avail.bottomRight()),
        QRect(avail.topLeft(), QPoint(avail.right(), main.top() - gap)),
    };
    QRect best;
    for (const QRect &strip : strips) {
        const QSize fit = kDefaultSize.boundedTo(strip.size());
        if (fit.width() >= minimumWidth() && fit.height() >= minimumHeight() &&
            fit.width() * fit.height() > best.width() * best.height()) {
            // Next to the main window's top or left edge where the strip allows.
            const int x = std::clamp(main.left(), strip.left(), strip.right() - fit.width() + 1);
            const int y = std::clamp(main.top(), strip.top(), strip.bottom() - fit.height() + 1);
            best = QRect(QPoint(strip == strips[1] ? strip.right() - fit.width() + 1 : x,
                                strip == strips[3] ? strip.bottom() - fit.height() + 1 : y),
                         fit);
        }
    }
    if (best.isEmpty())
        best = QRect(avail.topRight() - QPoint(kDefaultSize.width() - 1, 0), kDefaultSize);
    resize(best.size());
    move(best.topLeft());
}

void OutputView::rememberPlace(bool open) const
{
    QSettings settings = userSettings();
    settings.setValue("outputView/open", open);
    settings.setValue("outputView/geometry", saveGeometry());
}

void OutputView::scheduleRefresh()
{
    if (isVisible())
        m_debounce.start();
}

void OutputView::refreshNow()
{
    m_debounce.stop();
    m_result = dryRunPicture(m_session);
    m_status.clear();
    update();
}

void OutputView::fitToWindow()
{
    m_zoomPan.reset();
    update();
}

QString OutputView::shownMessage() const
{
    if (!m_result.message.empty())
        return fromSjis(m_result.message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!m_result.written)
        return m_session.mode == Mode::TextImport ? QStringLiteral("取込モードでは図を書き込みません")
                                                  : QStringLiteral("入力完了は使えません");
    return {};
}

QTransform OutputView::viewTransform() const
{
    return fitTransform(pictureExtent(m_result.picture), QRectF(rect())) * m_zoomPan;
}

void OutputView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QString message = shownMessage();
    if (!message.isEmpty()) {
        painter.setPen(QColor(160, 0, 0));
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, message);
        return;
    }
    paintPicture(painter, m_result.picture, viewTransform());
    QString status = m_status;
    if (!m_result.diagnostics.empty()) {
        const auto &d = m_result.diagnostics.front();
        status = QStringLiteral("読めない行 %1: %2").arg(d.line).arg(fromSjis(d.text));
    }
    if (!status.isEmpty()) {
        painter.setPen(QColor(96, 96, 96));
        painter.drawText(rect().adjusted(6, 0, -6, -4), Qt::AlignLeft | Qt::AlignBottom, status);
    }
}

void OutputView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    // The point under the pointer stays where it is.
    const QPointF p = event->position();
    const double factor = std::pow(1.25, steps);
    m_zoomPan = m_zoomPan * QTransform::fromTranslate(-p.x(), -p.y()) * QTransform::fromScale(factor, factor) *
                QTransform::fromTranslate(p.x(), p.y());
    update();
}

void OutputView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        m_dragging = true;
        m_dragFrom = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void OutputView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPointF d = event->position() - m_dragFrom;
    m_dragFrom = event->position();
    m_zoomPan = m_zoomPan * QTransform::fromTranslate(d.x(), d.y());
    update();
}

void OutputView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
    unsetCursor();
}

void OutputView::mouseDoubleClickEvent(QMouseEvent *) { fitToWindow(); }

void OutputView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const bool drawn = shownMessage().isEmpty();
    QAction *svg = menu.addAction(QStringLiteral("SVGで保存..."), this, [this, folder] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("SVGで保存"), folder + "/quillet.svg",
                                                          QStringLiteral("SVG (*.svg)"));
        if (!path.isEmpty())
            saveSvg(path);
    });
    QAction *png = menu.addAction(QStringLiteral("PNGで保存..."), this, [this, folder] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PNGで保存"), folder + "/quillet.png",
                                                          QStringLiteral("PNG (*.png)"));
        if (!path.isEmpty())
            savePng(path);
    });
    svg->setEnabled(drawn);
    png->setEnabled(drawn);
    menu.addSeparator();
    menu.addAction(QStringLiteral("全体を表示"), this, &OutputView::fitToWindow);
    menu.exec(event->globalPos());
}

void OutputView::saveSvg(const QString &path)
{
    try {
        writeBytesAtomically(std::filesystem::u8path(path.toStdString()), drawing::svgOf(m_result.picture));
        m_status = QStringLiteral("保存しました: %1").arg(path);
    } catch (const std::exception &error) {
        m_status = QStringLiteral("保存できません: %1").arg(QString::fromStdString(error.what()));
    }
    update();
}

void OutputView::savePng(const QString &path)
{
    try {
        const QByteArray png = pngOf(m_result.picture, size());
        writeBytesAtomically(std::filesystem::u8path(path.toStdString()), png.toStdString());
        m_status = QStringLiteral("保存しました: %1").arg(path);
    } catch (const std::exception &error) {
        m_status = QStringLiteral("保存できません: %1").arg(QString::fromStdString(error.what()));
    }
    update();
}

void OutputView::closeEvent(QCloseEvent *event)
{
    rememberPlace(false);
    m_debounce.stop();
    event->accept();
}

} // namespace quillet::outputview
