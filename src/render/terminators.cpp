// Terminator and marker shapes.
#include "render/terminators.h"

#include "render/curve_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

namespace {

TerminatorPart circle(QPointF centre, double r, PartFill fill)
{
    TerminatorPart part{{}, true, fill};
    appendEllipse(part.points, centre, r, r, 0);
    return part;
}

TerminatorPart polygon(std::vector<QPointF> points, PartFill fill)
{
    return {std::move(points), true, fill};
}

TerminatorPart segment(QPointF a, QPointF b)
{
    return {{a, b}, false, PartFill::None};
}

Terminator unknownCross(QPointF at, double size)
{
    Terminator t;
    t.known = false;
    t.parts.push_back(segment(at + QPointF(-size, -size), at + QPointF(size, size)));
    t.parts.push_back(segment(at + QPointF(-size, size), at + QPointF(size, -size)));
    return t;
}

}  // namespace

Terminator arrowhead(QPointF tip, QPointF direction, int code, double scale)
{
    if (code == 0)
        return {};
    const double length = std::clamp(2.5 * (scale > 0 ? scale : 1.0), 0.8, 20.0);
    const QPointF back = -direction * length;
    const QPointF side(-direction.y() * length / 3, direction.x() * length / 3);
    const QPointF barb1 = tip + back + side, barb2 = tip + back - side;
    const double box = length * 0.2;
    const std::vector<QPointF> square{tip + QPointF(box, box), tip + QPointF(-box, box), tip + QPointF(-box, -box),
                                      tip + QPointF(box, -box)};
    const QPointF slash = (direction + QPointF(-direction.y(), direction.x())) * (length * 0.4);
    Terminator t;
    switch (code) {
    case 1: t.parts.push_back(polygon({tip, barb1, barb2}, PartFill::Page)); break;
    case 2: t.parts.push_back(polygon(square, PartFill::Page)); break;
    case 3: t.parts.push_back(circle(tip, length * 0.25, PartFill::Page)); break;
    case 4: t.parts.push_back(circle(tip, length * 0.25, PartFill::None)); break;
    case 5: t.parts.push_back(polygon(square, PartFill::Ink)); break;
    case 6: t.parts.push_back(polygon({tip, barb1, barb2}, PartFill::Ink)); break;
    case 7: t.parts.push_back(circle(tip, length * 0.25, PartFill::Ink)); break;
    case 8:
    case 10: t.parts.push_back(segment(tip + slash, tip - slash)); break;
    case 9: t.parts.push_back({{barb1, tip, barb2}, false, PartFill::None}); break;
    case 11: t.parts.push_back(polygon({tip, barb1, barb2}, PartFill::None)); break;
    default: return unknownCross(tip, length / 2);
    }
    return t;
}

Terminator pointMarker(QPointF at, int code, double angleDeg, double scale)
{
    const double size = 0.8 * (scale > 0 ? scale : 1.0);
    const double a = angleDeg * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const auto turned = [&](double x, double y) { return at + QPointF(x * c - y * s, x * s + y * c); };
    Terminator t;
    switch (code) {
    case 1:
    case 4:
    case 7:
        if (code != 7) {
            t.parts.push_back(segment(turned(-size, 0), turned(size, 0)));
            t.parts.push_back(segment(turned(0, -size), turned(0, size)));
        }
        if (code != 4) {
            t.parts.push_back(segment(turned(-size, -size), turned(size, size)));
            t.parts.push_back(segment(turned(-size, size), turned(size, -size)));
        }
        break;
    case 2: t.parts.push_back(circle(at, size, PartFill::None)); break;
    case 3: t.parts.push_back(circle(at, std::max(size * 0.25, 0.15), PartFill::Ink)); break;
    case 5:
        t.parts.push_back(polygon({turned(-size, -size), turned(size, -size), turned(size, size), turned(-size, size)},
                                  PartFill::None));
        break;
    case 6:
        t.parts.push_back(polygon({turned(-size, -size * 0.6), turned(size, -size * 0.6), turned(0, size)}, PartFill::None));
        break;
    default: return unknownCross(at, size);
    }
    return t;
}

}  // namespace render
