// Fitting, zooming and panning a view.
#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

constexpr double kMinScale = 1e-6;
constexpr double kMaxScale = 1e5;

}  // namespace

View fitView(QRectF area, QSizeF size, double marginPx)
{
    View v;
    const double w = size.width() - 2 * marginPx, h = size.height() - 2 * marginPx;
    if (area.width() <= 0 || area.height() <= 0 || w <= 0 || h <= 0) {
        v.topLeft = QPointF(area.left(), area.bottom());
        return v;
    }
    v.scale = std::clamp(std::min(w / area.width(), h / area.height()), kMinScale, kMaxScale);
    // Centre the area: the device's middle shows the area's middle.
    const QPointF middle = area.center();
    v.topLeft = QPointF(middle.x() - size.width() / 2 / v.scale, middle.y() + size.height() / 2 / v.scale);
    return v;
}

View zoomAt(const View& view, QPointF devicePoint, double factor)
{
    if (!(factor > 0) || !std::isfinite(factor))
        return view;
    const QPointF fixed = view.toSheet(devicePoint);
    View v;
    v.scale = std::clamp(view.scale * factor, kMinScale, kMaxScale);
    v.topLeft = QPointF(fixed.x() - devicePoint.x() / v.scale, fixed.y() + devicePoint.y() / v.scale);
    return v;
}

View panBy(const View& view, QPointF delta)
{
    View v = view;
    v.topLeft += QPointF(-delta.x() / view.scale, delta.y() / view.scale);
    return v;
}

}  // namespace render
