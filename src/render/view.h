// A view onto the sheet: how many device pixels a millimetre takes and which
// sheet point lies at the device's top-left corner. The sheet's y axis
// points up, the device's down.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

namespace render {

struct View {
    double scale = 1;  // device pixels per millimetre
    QPointF topLeft;   // the sheet point at device (0, 0)

    QPointF toDevice(QPointF sheet) const
    {
        return {(sheet.x() - topLeft.x()) * scale, (topLeft.y() - sheet.y()) * scale};
    }
    QPointF toSheet(QPointF device) const
    {
        return {topLeft.x() + device.x() / scale, topLeft.y() - device.y() / scale};
    }
    // The map from sheet millimetres onto the device.
    QTransform transform() const
    {
        return {scale, 0, 0, -scale, -topLeft.x() * scale, topLeft.y() * scale};
    }
    // The part of the sheet a device of `size` shows.
    QRectF visibleSheet(QSizeF size) const
    {
        return QRectF(QPointF(topLeft.x(), topLeft.y() - size.height() / scale),
                      QSizeF(size.width() / scale, size.height() / scale));
    }
};

// The view that shows all of `area` centred on a device of `size`, with
// `marginPx` free on each side. An empty area or device gives a scale of 1.
View fitView(QRectF area, QSizeF size, double marginPx);

// `view` zoomed by `factor` so that the sheet point under `devicePoint`
// stays there. The scale stays within [1e-6, 1e5] pixels per millimetre.
View zoomAt(const View& view, QPointF devicePoint, double factor);

// `view` moved so that what was at device point p is now at p + `delta`.
View panBy(const View& view, QPointF delta);

}  // namespace render
