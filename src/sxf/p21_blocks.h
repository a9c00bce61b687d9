// Instance groups that many features share: points, directions and
// placements, the curve style, and the styled items that put a feature's
// geometry into the drawing.
#pragma once

#include "sxf/p21_context.h"

#include <QStringView>

#include <cstdint>
#include <span>
#include <string_view>

namespace sxf::p21 {

// Degrees to radians, in the library's order of operations.
double radians(double degrees);

// CARTESIAN_POINT(' ',(x,y)); returns its number.
int32_t writePoint(P21Output& o, double x, double y);
// DIRECTION(' ',(x,y)) in the angle form (the library's rotations and
// terminator directions); returns its number.
int32_t writeAngleDirection(P21Output& o, double x, double y);
// DIRECTION(' ',(cos a,sin a)) for `degrees`.
int32_t writeRotation(P21Output& o, double degrees);
// AXIS2_PLACEMENT_2D(' ',#point,#direction), or with $ for direction 0.
int32_t writeAxis(P21Output& o, int32_t point, int32_t direction);
// SYMBOL_TARGET(' ',#axis,sx,sy), scales in the angle form.
int32_t writeSymbolTarget(P21Output& o, int32_t axis, double sx, double sy);
// PRESENTATION_STYLE_ASSIGNMENT((NULL_STYLE(.NULL.))).
int32_t writeNullStyle(P21Output& o);
// PRESENTATION_STYLE_ASSIGNMENT((#style)).
int32_t writeStyleAssignment(P21Output& o, int32_t style);
// SYMBOL_COLOUR(#colour), SYMBOL_STYLE(' ',#that) and its assignment;
// returns the assignment.
int32_t writeSymbolStyle(P21Output& o, int32_t colour);

// CURVE_STYLE(' ',#font,#width,#colour) and its assignment for the codes
// given; returns the assignment, or 0 (writing nothing) when a code names
// no table entry.
int32_t writeCurveStyle(Context& ctx, int32_t lineType, int32_t width, int32_t colour);

// The record lists of styled items: the records without arguments that
// come before REPRESENTATION_ITEM(name) and STYLED_ITEM((#psa),#item).
enum class Styled : uint8_t { Curve, DimensionCurve, LeaderCurve, ProjectionCurve, Symbol, Subfigure, Text };

// Writes the complex styled item of `kind`; returns its number.
int32_t writeStyledItem(P21Output& o, Styled kind, QStringView name, int32_t style, int32_t item);

}  // namespace sxf::p21
