// The setting preview on Panel3: PaintBox1 shows the window's choices, PaintBox2 the
// preset under the pointer.
#include "ui/TForm1.h"

#include "preview/PreviewBox.h"

#include <algorithm>

#include <QCheckBox>
#include <QMouseEvent>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

using namespace quillet;

namespace {

void colourPanel(QWidget *panel, const QColor &colour)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
}

} // namespace

void TForm1::wirePreview()
{
    PaintBox1->setSource([this] { return std::optional(preview::fromForm(m_session.form, m_session.mode)); });
    PaintBox2->setSource([this] {
        return preview::fromPreset(m_session.files.quickSelect, m_session.form, m_session.mode, m_hoveredPreset);
    });
    for (QToolButton *button : m_presetButtons) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    setMouseTracking(true);
}

void TForm1::presetHoverEvent(QObject *watched, const QEvent *event)
{
    const auto found = std::find(m_presetButtons.begin(), m_presetButtons.end(), watched);
    if (found == m_presetButtons.end())
        return;
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
        PresetButtonMouseMove(int(found - m_presetButtons.begin()) + 1);
    else if (event->type() == QEvent::Leave)
        FormMouseMove();
}

void TForm1::PresetButtonMouseMove(int preset)
{
    if (!m_session.form.presetHoverImage || m_hoveredPreset == preset)
        return;
    m_hoveredPreset = preset;
    PaintBox1->hide();
    colourPanel(Panel3, QColor(192, 192, 192));
    PaintBox2->show();
    PaintBox2->update();
    if (m_session.files.quickSelect.isEmpty(preset)) {
        Label17->show();
        Timer1->start();
    }
}

void TForm1::FormMouseMove()
{
    if (!PaintBox2->isVisible() && m_hoveredPreset == 0)
        return;
    PaintBox2->hide();
    colourPanel(Panel3, QColor(255, 251, 240));
    m_hoveredPreset = 0;
    PaintBox1->show();
}

void TForm1::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over controls that do not track the pointer arrive here too; only the
    // bare surface ends the preset's picture (leaving a preset button does as well).
    if (!childAt(event->position().toPoint()))
        FormMouseMove();
    QWidget::mouseMoveEvent(event);
}
