// Hand-made drawings for the render tests: tables and features added in
// code, references resolved as a reader resolves them, assemblies closed
// in file order (symbols first, then the sheet with everything after).
#pragma once

#include "sxf/drawing.h"

#include <QString>

#include <initializer_list>
#include <vector>

namespace rendertest {

class DrawingMaker {
public:
    // A drawing with one shown layer, black, one continuous line type and
    // the 0.13 mm width: the references `ink` returns.
    DrawingMaker();

    int32_t layer(const QString& name, bool shown = true);
    int32_t colour(int r, int g, int b);
    int32_t lineType(int32_t predefinedCode);
    int32_t userLineType(std::vector<double> pitches);
    int32_t width(double mm);
    int32_t font(const QString& name);

    // References to table entries (indices); layer 0, black, continuous,
    // thinnest unless given.
    sxf::TableRefs ink(int32_t colour = 0, int32_t lineType = 0, int32_t width = 0, int32_t layer = 0) const;

    int32_t line(double x1, double y1, double x2, double y2, const sxf::TableRefs& refs);
    int32_t polyline(std::initializer_list<sxf::T2DPoint> points, const sxf::TableRefs& refs);
    int32_t circle(double cx, double cy, double r, const sxf::TableRefs& refs);
    int32_t arc(double cx, double cy, double r, double start, double end, bool clockwise, const sxf::TableRefs& refs);
    int32_t ellipse(double cx, double cy, double rx, double ry, double rotation, const sxf::TableRefs& refs);
    int32_t marker(double x, double y, int32_t code, const sxf::TableRefs& refs);
    int32_t text(const sxf::SfcText& t, const sxf::TableRefs& refs);
    int32_t placement(const QString& symbol, double x, double y, double angle, double sx, double sy, int32_t layer = -1);
    int32_t fill(int32_t outerCurve, std::vector<int32_t> holeCurves, const sxf::TableRefs& refs);
    int32_t externalHatch(int32_t outerCurve, const sxf::TableRefs& refs, const QString& name = QStringLiteral("hatch"));
    int32_t linearDim(const sxf::LinearDimFeature& d, const sxf::TableRefs& refs);
    int32_t label(std::initializer_list<sxf::T2DPoint> points, int32_t arrowCode, bool balloon, const sxf::TableRefs& refs);

    // Any other feature, given whole; its references are set to `refs` (or
    // left as given when the feature has none of its own to set).
    int32_t spline(std::initializer_list<sxf::T2DPoint> points, bool closed, const sxf::TableRefs& refs);
    int32_t clothoid(const sxf::ClothoidFeature& c, const sxf::TableRefs& refs);
    int32_t ellipseArc(const sxf::EllipseArcFeature& e, const sxf::TableRefs& refs);
    int32_t hatching(int32_t outerCurve, const sxf::TableRefs& refs);
    int32_t tiles(int32_t outerCurve, const sxf::TableRefs& refs);
    int32_t externalSymbol(double x, double y, const sxf::TableRefs& refs);
    int32_t arcDim(const sxf::ArcDimFeature& d, bool angular, const sxf::TableRefs& refs);
    int32_t radiusDim(const sxf::RadiusDimFeature& d, const sxf::TableRefs& refs);
    int32_t diameterDim(const sxf::DiameterDimFeature& d, const sxf::TableRefs& refs);

    // Closes the features since the last assembly as a symbol (they are its
    // members) or as a composite curve (its segments, a closed polyline
    // given here first). Returns the index of the symbol or curve.
    int32_t closeSymbol(const QString& name);
    int32_t closedCurve(std::initializer_list<sxf::T2DPoint> ring, bool visible, const sxf::TableRefs& refs);

    // The drawing with its sheet (of `width` by `height` mm) closing the
    // rest; placements resolve to the symbols by name.
    sxf::Drawing finish(double width = 100, double height = 100);

    sxf::Drawing& drawing() { return m_d; }

private:
    int32_t add(sxf::FeatureKind kind, int32_t index);
    sxf::FeatureRange pending();
    int32_t m_assembled = 0;
    int32_t m_number = 10;
    sxf::Drawing m_d;
};

}  // namespace rendertest
