// Hand-made drawings for the render tests.
#include "tests/render/drawing_maker.h"

namespace rendertest {

DrawingMaker::DrawingMaker()
{
    layer(QStringLiteral("L1"));
    colour(0, 0, 0);
    lineType(1);
    width(0.13);
}

int32_t DrawingMaker::layer(const QString& name, bool shown)
{
    m_d.layers.push_back({{}, name, shown ? 1 : 0, int32_t(m_d.layers.size() + 1)});
    return int32_t(m_d.layers.size() - 1);
}

int32_t DrawingMaker::colour(int r, int g, int b)
{
    m_d.colours.push_back({{}, false, {}, r, g, b, int32_t(m_d.colours.size() + 1)});
    return int32_t(m_d.colours.size() - 1);
}

int32_t DrawingMaker::lineType(int32_t predefinedCode)
{
    sxf::LineType t;
    t.predefined = true;
    t.code = predefinedCode;
    m_d.lineTypes.push_back(t);
    return int32_t(m_d.lineTypes.size() - 1);
}

int32_t DrawingMaker::userLineType(std::vector<double> pitches)
{
    sxf::LineType t;
    t.predefined = false;
    t.segments = int32_t(pitches.size());
    t.pitches = std::move(pitches);
    t.code = 17;
    m_d.lineTypes.push_back(t);
    return int32_t(m_d.lineTypes.size() - 1);
}

int32_t DrawingMaker::width(double mm)
{
    m_d.widths.push_back({{}, mm, int32_t(m_d.widths.size() + 1)});
    return int32_t(m_d.widths.size() - 1);
}

int32_t DrawingMaker::font(const QString& name)
{
    m_d.fonts.push_back({{}, name, int32_t(m_d.fonts.size() + 1)});
    return int32_t(m_d.fonts.size() - 1);
}

sxf::TableRefs DrawingMaker::ink(int32_t colour, int32_t lineType, int32_t width, int32_t layer) const
{
    sxf::TableRefs r;
    r.layer = layer;
    r.colour = colour;
    r.lineType = lineType;
    r.width = width;
    r.font = m_d.fonts.empty() ? sxf::kNone : 0;
    return r;
}

int32_t DrawingMaker::add(sxf::FeatureKind kind, int32_t index)
{
    m_d.features.push_back({kind, index});
    m_number += 10;
    return int32_t(m_d.features.size() - 1);
}

int32_t DrawingMaker::line(double x1, double y1, double x2, double y2, const sxf::TableRefs& refs)
{
    sxf::LineFeature l;
    l.at.number = m_number;
    l.x1 = x1, l.y1 = y1, l.x2 = x2, l.y2 = y2;
    l.refs = refs;
    m_d.lines.push_back(l);
    return add(sxf::FeatureKind::Line, int32_t(m_d.lines.size() - 1));
}

int32_t DrawingMaker::polyline(std::initializer_list<sxf::T2DPoint> points, const sxf::TableRefs& refs)
{
    sxf::PolylineFeature l;
    l.at.number = m_number;
    l.points = points;
    l.n = int32_t(l.points.size());
    l.refs = refs;
    m_d.polylines.push_back(l);
    return add(sxf::FeatureKind::Polyline, int32_t(m_d.polylines.size() - 1));
}

int32_t DrawingMaker::circle(double cx, double cy, double r, const sxf::TableRefs& refs)
{
    sxf::CircleFeature c;
    c.at.number = m_number;
    c.cx = cx, c.cy = cy, c.r = r;
    c.refs = refs;
    m_d.circles.push_back(c);
    return add(sxf::FeatureKind::Circle, int32_t(m_d.circles.size() - 1));
}

int32_t DrawingMaker::arc(double cx, double cy, double r, double start, double end, bool clockwise,
                          const sxf::TableRefs& refs)
{
    sxf::ArcFeature a;
    a.at.number = m_number;
    a.cx = cx, a.cy = cy, a.r = r, a.startAngle = start, a.endAngle = end;
    a.direction = clockwise ? 1 : 0;
    a.refs = refs;
    m_d.arcs.push_back(a);
    return add(sxf::FeatureKind::Arc, int32_t(m_d.arcs.size() - 1));
}

int32_t DrawingMaker::ellipse(double cx, double cy, double rx, double ry, double rotation, const sxf::TableRefs& refs)
{
    sxf::EllipseFeature e;
    e.at.number = m_number;
    e.cx = cx, e.cy = cy, e.rx = rx, e.ry = ry, e.rotation = rotation;
    e.refs = refs;
    m_d.ellipses.push_back(e);
    return add(sxf::FeatureKind::Ellipse, int32_t(m_d.ellipses.size() - 1));
}

int32_t DrawingMaker::marker(double x, double y, int32_t code, const sxf::TableRefs& refs)
{
    sxf::PointMarkerFeature p;
    p.at.number = m_number;
    p.x = x, p.y = y, p.code = code, p.scale = 1;
    p.refs = refs;
    m_d.pointMarkers.push_back(p);
    return add(sxf::FeatureKind::PointMarker, int32_t(m_d.pointMarkers.size() - 1));
}

int32_t DrawingMaker::text(const sxf::SfcText& t, const sxf::TableRefs& refs)
{
    sxf::TextFeature f;
    f.at.number = m_number;
    f.t = t;
    f.refs = refs;
    m_d.texts.push_back(f);
    return add(sxf::FeatureKind::Text, int32_t(m_d.texts.size() - 1));
}

int32_t DrawingMaker::placement(const QString& symbol, double x, double y, double angle, double sx, double sy,
                                int32_t layer)
{
    sxf::SymbolPlacementFeature p;
    p.at.number = m_number;
    p.name = symbol;
    p.x = x, p.y = y, p.angle = angle, p.scaleX = sx, p.scaleY = sy;
    p.layer = layer < 0 ? 0 : layer + 1;
    p.refs.layer = layer < 0 ? sxf::kNone : layer;
    m_d.placements.push_back(p);
    return add(sxf::FeatureKind::SymbolPlacement, int32_t(m_d.placements.size() - 1));
}

int32_t DrawingMaker::fill(int32_t outerCurve, std::vector<int32_t> holeCurves, const sxf::TableRefs& refs)
{
    sxf::FillColourFeature f;
    f.at.number = m_number;
    f.boundary.outerCurve = outerCurve;
    f.boundary.holeCurves = std::move(holeCurves);
    f.refs = refs;
    m_d.fillColours.push_back(f);
    return add(sxf::FeatureKind::FillColour, int32_t(m_d.fillColours.size() - 1));
}

int32_t DrawingMaker::externalHatch(int32_t outerCurve, const sxf::TableRefs& refs, const QString& name)
{
    sxf::ExternalHatchFeature h;
    h.name = name;
    h.at.number = m_number;
    h.boundary.outerCurve = outerCurve;
    h.refs = refs;
    m_d.externalHatches.push_back(h);
    return add(sxf::FeatureKind::ExternalHatch, int32_t(m_d.externalHatches.size() - 1));
}

int32_t DrawingMaker::linearDim(const sxf::LinearDimFeature& d, const sxf::TableRefs& refs)
{
    m_d.linearDims.push_back(d);
    m_d.linearDims.back().refs = refs;
    m_d.linearDims.back().at.number = m_number;
    return add(sxf::FeatureKind::LinearDim, int32_t(m_d.linearDims.size() - 1));
}

int32_t DrawingMaker::label(std::initializer_list<sxf::T2DPoint> points, int32_t arrowCode, bool balloon,
                            const sxf::TableRefs& refs)
{
    sxf::LabelFeature l;
    l.at.number = m_number;
    l.points = points;
    l.n = int32_t(l.points.size());
    l.arrowCode = arrowCode;
    l.arrowScale = 1;
    l.refs = refs;
    if (balloon) {
        l.cx = l.points.back().x + 5;
        l.cy = l.points.back().y;
        l.r = 5;
    }
    m_d.labels.push_back(l);
    return add(balloon ? sxf::FeatureKind::Balloon : sxf::FeatureKind::Label, int32_t(m_d.labels.size() - 1));
}

int32_t DrawingMaker::spline(std::initializer_list<sxf::T2DPoint> points, bool closed, const sxf::TableRefs& refs)
{
    sxf::SplineFeature f;
    f.points = points;
    f.n = int32_t(f.points.size());
    f.openClose = closed ? 0 : 1;
    f.refs = refs;
    m_d.splines.push_back(f);
    return add(sxf::FeatureKind::Spline, int32_t(m_d.splines.size() - 1));
}

int32_t DrawingMaker::clothoid(const sxf::ClothoidFeature& c, const sxf::TableRefs& refs)
{
    m_d.clothoids.push_back(c);
    m_d.clothoids.back().refs = refs;
    return add(sxf::FeatureKind::Clothoid, int32_t(m_d.clothoids.size() - 1));
}

int32_t DrawingMaker::ellipseArc(const sxf::EllipseArcFeature& e, const sxf::TableRefs& refs)
{
    m_d.ellipseArcs.push_back(e);
    m_d.ellipseArcs.back().refs = refs;
    return add(sxf::FeatureKind::EllipseArc, int32_t(m_d.ellipseArcs.size() - 1));
}

int32_t DrawingMaker::hatching(int32_t outerCurve, const sxf::TableRefs& refs)
{
    sxf::HatchingFeature h;
    h.boundary.outerCurve = outerCurve;
    h.refs = refs;
    sxf::HatchPattern pattern;
    pattern.refs = refs;
    h.patterns.push_back(pattern);
    h.patternCount = 1;
    m_d.hatchings.push_back(h);
    return add(sxf::FeatureKind::Hatching, int32_t(m_d.hatchings.size() - 1));
}

int32_t DrawingMaker::tiles(int32_t outerCurve, const sxf::TableRefs& refs)
{
    sxf::TilesFeature t;
    t.boundary.outerCurve = outerCurve;
    t.refs = refs;
    m_d.tiles.push_back(t);
    return add(sxf::FeatureKind::Tiles, int32_t(m_d.tiles.size() - 1));
}

int32_t DrawingMaker::externalSymbol(double x, double y, const sxf::TableRefs& refs)
{
    sxf::ExternalSymbolFeature e;
    e.x = x, e.y = y, e.scale = 1, e.colourFlag = 1;
    e.refs = refs;
    m_d.externalSymbols.push_back(e);
    return add(sxf::FeatureKind::ExternalSymbol, int32_t(m_d.externalSymbols.size() - 1));
}

int32_t DrawingMaker::arcDim(const sxf::ArcDimFeature& d, bool angular, const sxf::TableRefs& refs)
{
    m_d.arcDims.push_back(d);
    m_d.arcDims.back().refs = refs;
    return add(angular ? sxf::FeatureKind::AngularDim : sxf::FeatureKind::CurveDim, int32_t(m_d.arcDims.size() - 1));
}

int32_t DrawingMaker::radiusDim(const sxf::RadiusDimFeature& d, const sxf::TableRefs& refs)
{
    m_d.radiusDims.push_back(d);
    m_d.radiusDims.back().refs = refs;
    return add(sxf::FeatureKind::RadiusDim, int32_t(m_d.radiusDims.size() - 1));
}

int32_t DrawingMaker::diameterDim(const sxf::DiameterDimFeature& d, const sxf::TableRefs& refs)
{
    m_d.diameterDims.push_back(d);
    m_d.diameterDims.back().refs = refs;
    return add(sxf::FeatureKind::DiameterDim, int32_t(m_d.diameterDims.size() - 1));
}

sxf::FeatureRange DrawingMaker::pending()
{
    const sxf::FeatureRange r{m_assembled, int32_t(m_d.features.size()) - m_assembled};
    m_assembled = int32_t(m_d.features.size());
    return r;
}

int32_t DrawingMaker::closeSymbol(const QString& name)
{
    sxf::Symbol s;
    s.name = name;
    s.members = pending();
    m_d.symbols.push_back(s);
    m_d.assemblies.push_back({sxf::AssemblyKind::Symbol, int32_t(m_d.symbols.size() - 1)});
    return int32_t(m_d.symbols.size() - 1);
}

int32_t DrawingMaker::closedCurve(std::initializer_list<sxf::T2DPoint> ring, bool visible, const sxf::TableRefs& refs)
{
    polyline(ring, refs);
    sxf::CompositeCurve c;
    c.flag = visible ? 1 : 0;
    c.segments = pending();
    c.refs = refs;
    m_d.curves.push_back(c);
    m_d.assemblies.push_back({sxf::AssemblyKind::Curve, int32_t(m_d.curves.size() - 1)});
    return int32_t(m_d.curves.size() - 1);
}

sxf::Drawing DrawingMaker::finish(double width, double height)
{
    sxf::Sheet sheet;
    sheet.x = width;
    sheet.y = height;
    sheet.members = pending();
    m_d.sheets.push_back(sheet);
    m_d.assemblies.push_back({sxf::AssemblyKind::Sheet, 0});
    for (sxf::SymbolPlacementFeature& p : m_d.placements) {
        for (size_t s = 0; s < m_d.symbols.size(); ++s) {
            if (m_d.symbols[s].name == p.name)
                p.symbol = int32_t(s);
        }
    }
    return m_d;
}

}  // namespace rendertest
