// The box of a text: which point of it the base point is, and where its
// lower-left corner and sides lie.
#pragma once

#include <QPointF>

namespace render {

// A text box in the drawing's millimetres: the lower-left corner, the unit
// vector along the text (the text angle) and the one across it (90 degrees
// further), the width along and the height across.
struct TextBox {
    QPointF corner;
    QPointF along{1, 0};
    QPointF across{0, 1};
    double width = 0;
    double height = 0;

    // The point of base point position `code` (1 lower left, 2 lower
    // centre, 3 lower right, 4 to 6 the middle row, 7 to 9 the upper row, in
    // the same order).
    QPointF point(int code) const;
};

// The box whose base point of position `code` is `base`, `width` long at
// `angleDeg` and `height` high. A code outside 1..9 counts as 1; a negative
// width or height counts as its size.
TextBox textBoxAt(QPointF base, int code, double width, double height, double angleDeg);

}  // namespace render
