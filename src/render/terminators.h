// The small shapes drawn at points: the arrowheads and other terminators of
// dimensions and labels (codes 1 to 11), and point markers (codes 1 to 7).
#pragma once

#include <QPointF>

#include <vector>

namespace render {

// How a part of a terminator is filled: not at all, with the page's colour
// (a "blanked" shape hides what lies under it) or with its line colour.
enum class PartFill { None, Page, Ink };

// One outline of a terminator, in the coordinates of its tip or point.
struct TerminatorPart {
    std::vector<QPointF> points;
    bool closed = false;
    PartFill fill = PartFill::None;
};

struct Terminator {
    std::vector<TerminatorPart> parts;
    bool known = true;  // false: a code with no shape; the parts draw a cross
};

// The terminator of `code` with its tip at `tip`, pointing along the unit
// vector `direction` (an arrow's tip looks that way, its body lies behind
// it), `scale` times the normal size of 2.5 mm (a scale of 0 or less counts
// as 1; the length stays between 0.8 and 20 mm). Codes: 1 blanked arrow,
// 2 blanked box, 3 blanked dot, 4 origin circle, 5 filled box, 6 filled
// arrow, 7 filled dot, 8 integral, 9 open arrow, 10 slash, 11 unfilled
// arrow. Code 0 gives no parts; other codes a cross with known false.
Terminator arrowhead(QPointF tip, QPointF direction, int code, double scale);

// The point marker of `code` at `at`, turned by `angleDeg` and `scale`
// times its normal size of 0.8 mm (a scale of 0 or less counts as 1):
// 1 star, 2 circle, 3 dot, 4 plus, 5 square, 6 triangle, 7 cross. Other
// codes give a cross with known false.
Terminator pointMarker(QPointF at, int code, double angleDeg, double scale);

}  // namespace render
