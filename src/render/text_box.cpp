// Text box geometry.
#include "render/text_box.h"

#include <cmath>
#include <numbers>

namespace render {

namespace {

// The offsets of a base point code from the lower-left corner, as fractions
// of the width and the height.
QPointF fractions(int code)
{
    if (code < 1 || code > 9)
        code = 1;
    const int column = (code - 1) % 3;
    const int row = (code - 1) / 3;
    return {column * 0.5, row * 0.5};
}

}  // namespace

QPointF TextBox::point(int code) const
{
    const QPointF f = fractions(code);
    return corner + along * (f.x() * width) + across * (f.y() * height);
}

TextBox textBoxAt(QPointF base, int code, double width, double height, double angleDeg)
{
    const double a = angleDeg * std::numbers::pi / 180.0;
    TextBox box;
    box.along = QPointF(std::cos(a), std::sin(a));
    box.across = QPointF(-std::sin(a), std::cos(a));
    box.width = std::abs(width);
    box.height = std::abs(height);
    const QPointF f = fractions(code);
    box.corner = base - box.along * (f.x() * box.width) - box.across * (f.y() * box.height);
    return box;
}

}  // namespace render
