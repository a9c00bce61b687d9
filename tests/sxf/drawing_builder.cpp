// Drawings in memory for the rule-check tests.
#include "tests/sxf/drawing_builder.h"

namespace sxftest {

using namespace sxf;

namespace {

constexpr SfcAttr kAttr{1, 1, 1, 1};

SfcTextBlock textBlock()
{
    SfcTextBlock t;
    t.mf = 1;
    t.fo = 1;
    t.st = QStringLiteral("100");
    t.sy = 2.5;
    t.sx = 7.5;
    return t;
}

SfcArrow arrowAt(double x, double y)
{
    return {1, 1, x, y, 1.0};
}

}  // namespace

DrawingBuilder::DrawingBuilder()
{
    d.header.description = QStringLiteral("SCADEC level2 feature_mode");
    d.header.implementationLevel = QStringLiteral("2;1");
    d.layers.push_back({next(), QStringLiteral("A"), 1, 1});
    Colour black{next(), true, QStringLiteral("black"), 0, 0, 0, 1};
    d.colours.push_back(black);
    d.lineTypes.push_back({next(), true, QStringLiteral("continuous"), 0, {}, 1});
    d.widths.push_back({next(), 0.13, 1});
    d.fonts.push_back({next(), QStringLiteral("ＭＳ ゴシック"), 1});
}

Origin DrawingBuilder::next()
{
    m_number += 10;
    m_line += 4;
    return {m_number, m_line};
}

FeatureRange DrawingBuilder::takeMembers()
{
    const FeatureRange members{m_closed, int32_t(d.features.size()) - m_closed};
    m_closed = int32_t(d.features.size());
    return members;
}

int32_t DrawingBuilder::symbol(const QString& name, int32_t flag)
{
    Symbol s;
    s.members = takeMembers();
    s.at = next();
    s.name = name;
    s.flag = flag;
    d.symbols.push_back(s);
    d.assemblies.push_back({AssemblyKind::Symbol, int32_t(d.symbols.size()) - 1});
    return s.at.number;
}

int32_t DrawingBuilder::curve()
{
    CompositeCurve c;
    c.segments = takeMembers();
    c.at = next();
    c.colour = c.lineType = c.width = 1;
    d.curves.push_back(c);
    d.assemblies.push_back({AssemblyKind::Curve, int32_t(d.curves.size()) - 1});
    return c.at.number;
}

int32_t DrawingBuilder::sheet(int32_t kind, int32_t orientation, double x, double y)
{
    Sheet s;
    s.members = takeMembers();
    s.at = next();
    s.name = QStringLiteral("平面図");
    s.kind = kind;
    s.orientation = orientation;
    s.x = x;
    s.y = y;
    d.sheets.push_back(s);
    d.assemblies.push_back({AssemblyKind::Sheet, int32_t(d.sheets.size()) - 1});
    return s.at.number;
}

LineFeature DrawingBuilder::line(double x1, double y1, double x2, double y2)
{
    LineFeature f;
    f.a = kAttr;
    f.x1 = x1;
    f.y1 = y1;
    f.x2 = x2;
    f.y2 = y2;
    return f;
}

ArcFeature DrawingBuilder::arc()
{
    ArcFeature f;
    f.a = kAttr;
    f.r = 5;
    f.endAngle = 90;
    return f;
}

TextFeature DrawingBuilder::text()
{
    TextFeature f;
    f.t.layer = f.t.colour = f.t.font = 1;
    f.t.text = QStringLiteral("道路");
    f.t.height = 2.5;
    f.t.width = 5;
    return f;
}

PolylineFeature DrawingBuilder::polyline(const std::vector<T2DPoint>& points)
{
    PolylineFeature f;
    f.a = kAttr;
    f.n = int32_t(points.size());
    f.points = points;
    return f;
}

// A horizontal dimension of 0..100 at y = 10, extension lines from y = 0.
LinearDimFeature DrawingBuilder::linearDim()
{
    LinearDimFeature f;
    f.a = kAttr;
    f.x1 = 0;
    f.y1 = f.y2 = 10;
    f.x2 = 100;
    f.e1 = {1, 0, 0, 0, 1, 0, 10};
    f.e2 = {1, 100, 0, 100, 1, 100, 10};
    f.r1 = arrowAt(0, 10);
    f.r2 = arrowAt(100, 10);
    f.t = textBlock();
    return f;
}

// An angular dimension from 0 to 90 degrees of radius 10 about the origin,
// arrows at both ends.
ArcDimFeature DrawingBuilder::arcDim()
{
    ArcDimFeature f;
    f.a = kAttr;
    f.r = 10;
    f.endAngle = 90;
    f.r1 = arrowAt(10, 0);
    f.r2 = arrowAt(0, 10);
    f.t = textBlock();
    return f;
}

LabelFeature DrawingBuilder::label()
{
    LabelFeature f;
    f.a = kAttr;
    f.n = 2;
    f.points = {{0, 0}, {10, 10}};
    f.arrowCode = 1;
    f.arrowScale = 1;
    f.t = textBlock();
    return f;
}

SymbolPlacementFeature DrawingBuilder::placement(const QString& name)
{
    SymbolPlacementFeature f;
    f.layer = 1;
    f.name = name;
    return f;
}

FillColourFeature DrawingBuilder::fill(int32_t outer, const std::vector<int32_t>& holes)
{
    FillColourFeature f;
    f.layer = f.colour = 1;
    f.boundary.outer = outer;
    f.boundary.holeCount = int32_t(holes.size());
    f.boundary.holes = holes;
    return f;
}

}  // namespace sxftest
