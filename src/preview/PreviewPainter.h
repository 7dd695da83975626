#pragma once
#include "preview/PreviewInputs.h"

#include <QImage>

class QPainter;

namespace quillet::preview {

/// Draws the setting preview for a panel `panelWidth` pixels wide (105 as designed).
/// The painter's origin is the top left corner of the paint box.
void paintPreview(QPainter &painter, const PreviewInputs &inputs, int panelWidth);

/// The preview on the panel's cream ground, as an image of the given size.
QImage renderPreview(const PreviewInputs &inputs, int width, int height);

} // namespace quillet::preview
