#pragma once
#include "drawing/Drawing.h"
#include "drawing/Shapes.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QTransform>

class QPainter;

namespace quillet::outputview {

/// Everything the picture shows, texts, selected texts and picked points included.
drawing::Bounds pictureExtent(const drawing::Picture &picture);

/// Drawing units (y up) to device pixels: the extent fitted into `target` less a
/// margin, centred, with the same scale on both axes.
QTransform fitTransform(const drawing::Bounds &extent, const QRectF &target, double margin = 16);

/// Paints the picture through `toDevice` on white: the selected texts in grey first,
/// then the items in their order, then the picked points.
void paintPicture(QPainter &painter, const drawing::Picture &picture, const QTransform &toDevice);

/// The picture fitted into an image of `size` pixels.
QImage renderPicture(const drawing::Picture &picture, QSize size);

/// The same image as PNG bytes.
QByteArray pngOf(const drawing::Picture &picture, QSize size);

} // namespace quillet::outputview
