#include "preview/PreviewBox.h"

#include "preview/PreviewPainter.h"

#include <QPainter>

namespace quillet::preview {

PreviewBox::PreviewBox(QWidget *parent) : QWidget(parent) {}

void PreviewBox::paintEvent(QPaintEvent *)
{
    const std::optional<PreviewInputs> inputs = m_source ? m_source() : std::nullopt;
    if (!inputs)
        return;
    // The scale follows the panel the box lies on, which start-up may have scaled.
    const int panelWidth = parentWidget() ? parentWidget()->width() : width();
    QPainter painter(this);
    paintPreview(painter, *inputs, panelWidth);
}

} // namespace quillet::preview
