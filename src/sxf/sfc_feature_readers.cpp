// Readers of the feature records: the drawn primitives, symbols, fills,
// annotations and the title block, each appended to its list in the drawing
// and to the drawing's features in file order.
#include "sxf/sfc_record_kinds.h"

namespace sxf {
namespace {

template <typename F>
void add(ReaderState& s, std::vector<F>& list, FeatureKind kind, F&& feature)
{
    s.d.features.push_back({kind, static_cast<int32_t>(list.size())});
    list.push_back(std::forward<F>(feature));
}

SfcAttr attr(ArgCursor& c)
{
    SfcAttr a;
    a.layer = c.integer();
    a.colour = c.integer();
    a.lineType = c.integer();
    a.width = c.integer();
    return a;
}

SfcExtLine extLine(ArgCursor& c)
{
    SfcExtLine e;
    e.flag = c.integer();
    e.baseX = c.real();
    e.baseY = c.real();
    e.startX = c.real();
    e.startY = c.real();
    e.endX = c.real();
    e.endY = c.real();
    return e;
}

SfcArrow arrow(ArgCursor& c)
{
    SfcArrow r;
    r.code = c.integer();
    r.orientation = c.integer();
    r.x = c.real();
    r.y = c.real();
    r.scale = c.real();
    return r;
}

SfcTextBlock textBlock(ArgCursor& c)
{
    SfcTextBlock t;
    t.mf = c.integer();
    t.fo = c.integer();
    t.st = c.string();
    t.kx = c.real();
    t.ky = c.real();
    t.sy = c.real();
    t.sx = c.real();
    t.md = c.real();
    t.ma = c.real();
    t.ms = c.real();
    t.kt = c.integer();
    t.dr = c.integer();
    return t;
}

// The count and the two coordinate lists of a polyline, spline, label or
// balloon; reports lists that do not hold `n` values each.
void vertices(ArgCursor& c, ReaderState& s, const Origin& at, int32_t& n, std::vector<T2DPoint>& points)
{
    n = c.integer();
    c.points(points, s.xs, s.ys);
    if (c.ok() && (n < 0 || static_cast<size_t>(n) != s.xs.size() || static_cast<size_t>(n) != s.ys.size()))
        reportListCount(s, at, QStringLiteral("点の数は%1ですが、X座標が%2個、Y座標が%3個あります")
                                   .arg(n).arg(s.xs.size()).arg(s.ys.size()));
}

void boundary(ArgCursor& c, ReaderState& s, const Origin& at, FillBoundary& b)
{
    b.outer = c.integer();
    b.holeCount = c.integer();
    c.integers(b.holes);
    if (c.ok() && (b.holeCount < 0 || static_cast<size_t>(b.holeCount) != b.holes.size()))
        reportListCount(s, at, QStringLiteral("穴の数は%1ですが、穴の複合曲線番号が%2個あります")
                                   .arg(b.holeCount).arg(b.holes.size()));
}

// The values the curve and angular dimensions share.
ArcDimFeature arcDim(ArgCursor& c, const Origin& at)
{
    ArcDimFeature f;
    f.at = at;
    f.a = attr(c);
    f.cx = c.real();
    f.cy = c.real();
    f.r = c.real();
    f.startAngle = c.real();
    f.endAngle = c.real();
    f.e1 = extLine(c);
    f.e2 = extLine(c);
    f.r1 = arrow(c);
    f.r2 = arrow(c);
    f.t = textBlock(c);
    return f;
}

}  // namespace

void readPointMarker(ArgCursor& c, ReaderState& s, const Origin& at)
{
    PointMarkerFeature f;
    f.at = at;
    f.layer = c.integer();
    f.colour = c.integer();
    f.x = c.real();
    f.y = c.real();
    f.code = c.integer();
    f.angle = c.real();
    f.scale = c.real();
    if (c.ok())
        add(s, s.d.pointMarkers, FeatureKind::PointMarker, std::move(f));
}

void readLine(ArgCursor& c, ReaderState& s, const Origin& at)
{
    LineFeature f;
    f.at = at;
    f.a = attr(c);
    f.x1 = c.real();
    f.y1 = c.real();
    f.x2 = c.real();
    f.y2 = c.real();
    if (c.ok())
        add(s, s.d.lines, FeatureKind::Line, std::move(f));
}

void readPolyline(ArgCursor& c, ReaderState& s, const Origin& at)
{
    PolylineFeature f;
    f.at = at;
    f.a = attr(c);
    vertices(c, s, at, f.n, f.points);
    if (c.ok())
        add(s, s.d.polylines, FeatureKind::Polyline, std::move(f));
}

void readCircle(ArgCursor& c, ReaderState& s, const Origin& at)
{
    CircleFeature f;
    f.at = at;
    f.a = attr(c);
    f.cx = c.real();
    f.cy = c.real();
    f.r = c.real();
    if (c.ok())
        add(s, s.d.circles, FeatureKind::Circle, std::move(f));
}

void readArc(ArgCursor& c, ReaderState& s, const Origin& at)
{
    ArcFeature f;
    f.at = at;
    f.a = attr(c);
    f.cx = c.real();
    f.cy = c.real();
    f.r = c.real();
    f.direction = c.integer();
    f.startAngle = c.real();
    f.endAngle = c.real();
    if (c.ok())
        add(s, s.d.arcs, FeatureKind::Arc, std::move(f));
}

void readEllipse(ArgCursor& c, ReaderState& s, const Origin& at)
{
    EllipseFeature f;
    f.at = at;
    f.a = attr(c);
    f.cx = c.real();
    f.cy = c.real();
    f.rx = c.real();
    f.ry = c.real();
    f.rotation = c.real();
    if (c.ok())
        add(s, s.d.ellipses, FeatureKind::Ellipse, std::move(f));
}

void readEllipseArc(ArgCursor& c, ReaderState& s, const Origin& at)
{
    EllipseArcFeature f;
    f.at = at;
    f.a = attr(c);
    f.cx = c.real();
    f.cy = c.real();
    f.rx = c.real();
    f.ry = c.real();
    f.direction = c.integer();
    f.rotation = c.real();
    f.startAngle = c.real();
    f.endAngle = c.real();
    if (c.ok())
        add(s, s.d.ellipseArcs, FeatureKind::EllipseArc, std::move(f));
}

void readText(ArgCursor& c, ReaderState& s, const Origin& at)
{
    TextFeature f;
    f.at = at;
    SfcText& t = f.t;
    t.layer = c.integer();
    t.colour = c.integer();
    t.font = c.integer();
    t.text = c.string();
    t.x = c.real();
    t.y = c.real();
    t.height = c.real();
    t.width = c.real();
    t.spacing = c.real();
    t.angleDeg = c.real();
    t.slantDeg = c.real();
    t.basePoint = c.integer();
    t.direction = c.integer();
    if (c.ok())
        add(s, s.d.texts, FeatureKind::Text, std::move(f));
}

void readSpline(ArgCursor& c, ReaderState& s, const Origin& at)
{
    SplineFeature f;
    f.at = at;
    f.a = attr(c);
    f.openClose = c.integer();
    vertices(c, s, at, f.n, f.points);
    if (c.ok())
        add(s, s.d.splines, FeatureKind::Spline, std::move(f));
}

void readClothoid(ArgCursor& c, ReaderState& s, const Origin& at)
{
    ClothoidFeature f;
    f.at = at;
    f.a = attr(c);
    f.baseX = c.real();
    f.baseY = c.real();
    f.parameter = c.real();
    f.direction = c.integer();
    f.angle = c.real();
    f.startLength = c.real();
    f.endLength = c.real();
    if (c.ok())
        add(s, s.d.clothoids, FeatureKind::Clothoid, std::move(f));
}

void readPlacement(ArgCursor& c, ReaderState& s, const Origin& at)
{
    SymbolPlacementFeature f;
    f.at = at;
    f.layer = c.integer();
    f.name = c.string(&s.names);
    f.x = c.real();
    f.y = c.real();
    f.angle = c.real();
    f.scaleX = c.real();
    f.scaleY = c.real();
    if (c.ok())
        add(s, s.d.placements, FeatureKind::SymbolPlacement, std::move(f));
}

void readExternalSymbol(ArgCursor& c, ReaderState& s, const Origin& at)
{
    ExternalSymbolFeature f;
    f.at = at;
    f.layer = c.integer();
    f.colourFlag = c.integer();
    f.colour = c.integer();
    f.name = c.string(&s.names);
    f.x = c.real();
    f.y = c.real();
    f.angle = c.real();
    f.scale = c.real();
    if (c.ok())
        add(s, s.d.externalSymbols, FeatureKind::ExternalSymbol, std::move(f));
}

void readFillColour(ArgCursor& c, ReaderState& s, const Origin& at)
{
    FillColourFeature f;
    f.at = at;
    f.layer = c.integer();
    f.colour = c.integer();
    boundary(c, s, at, f.boundary);
    if (c.ok())
        add(s, s.d.fillColours, FeatureKind::FillColour, std::move(f));
}

void readExternalHatch(ArgCursor& c, ReaderState& s, const Origin& at)
{
    ExternalHatchFeature f;
    f.at = at;
    f.layer = c.integer();
    f.name = c.string(&s.names);
    boundary(c, s, at, f.boundary);
    if (c.ok())
        add(s, s.d.externalHatches, FeatureKind::ExternalHatch, std::move(f));
}

void readHatching(ArgCursor& c, ReaderState& s, const Origin& at)
{
    // Layer, pattern count k, seven values for each pattern, then the
    // boundary: the count must agree with the arguments there are before
    // any room is made for the patterns.
    constexpr int32_t kFixed = 5;
    constexpr int32_t kPerPattern = 7;
    HatchingFeature f;
    f.at = at;
    f.layer = c.integer();
    f.patternCount = c.integer();
    if (!c.ok())
        return;
    const auto rest = static_cast<int64_t>(c.size()) - kFixed;
    if (f.patternCount < 0 || rest != int64_t{f.patternCount} * kPerPattern) {
        s.findings.add(Severity::Error, "SFC_ARGUMENTS", at,
                       QStringLiteral("fill_area_style_hatching_feature：パターン数%1なら引数は%2個のはずですが、%3個あります")
                           .arg(f.patternCount)
                           .arg(kFixed + int64_t{std::max(f.patternCount, 0)} * kPerPattern)
                           .arg(c.size()));
        return;
    }
    f.patterns.resize(static_cast<size_t>(f.patternCount));
    for (HatchPattern& p : f.patterns) {
        p.colour = c.integer();
        p.lineType = c.integer();
        p.width = c.integer();
        p.startX = c.real();
        p.startY = c.real();
        p.spacing = c.real();
        p.angle = c.real();
    }
    boundary(c, s, at, f.boundary);
    if (c.ok())
        add(s, s.d.hatchings, FeatureKind::Hatching, std::move(f));
}

void readTiles(ArgCursor& c, ReaderState& s, const Origin& at)
{
    TilesFeature f;
    f.at = at;
    f.layer = c.integer();
    f.name = c.string(&s.names);
    f.colour = c.integer();
    f.patternX = c.real();
    f.patternY = c.real();
    f.vector1 = c.real();
    f.vector1Angle = c.real();
    f.vector2 = c.real();
    f.vector2Angle = c.real();
    f.scaleX = c.real();
    f.scaleY = c.real();
    f.angle = c.real();
    boundary(c, s, at, f.boundary);
    if (c.ok())
        add(s, s.d.tiles, FeatureKind::Tiles, std::move(f));
}

void readLinearDim(ArgCursor& c, ReaderState& s, const Origin& at)
{
    LinearDimFeature f;
    f.at = at;
    f.a = attr(c);
    f.x1 = c.real();
    f.y1 = c.real();
    f.x2 = c.real();
    f.y2 = c.real();
    f.e1 = extLine(c);
    f.e2 = extLine(c);
    f.r1 = arrow(c);
    f.r2 = arrow(c);
    f.t = textBlock(c);
    if (c.ok())
        add(s, s.d.linearDims, FeatureKind::LinearDim, std::move(f));
}

void readCurveDim(ArgCursor& c, ReaderState& s, const Origin& at)
{
    ArcDimFeature f = arcDim(c, at);
    if (c.ok())
        add(s, s.d.arcDims, FeatureKind::CurveDim, std::move(f));
}

void readAngularDim(ArgCursor& c, ReaderState& s, const Origin& at)
{
    ArcDimFeature f = arcDim(c, at);
    if (c.ok())
        add(s, s.d.arcDims, FeatureKind::AngularDim, std::move(f));
}

void readRadiusDim(ArgCursor& c, ReaderState& s, const Origin& at)
{
    RadiusDimFeature f;
    f.at = at;
    f.a = attr(c);
    f.x1 = c.real();
    f.y1 = c.real();
    f.x2 = c.real();
    f.y2 = c.real();
    f.r = arrow(c);
    f.t = textBlock(c);
    if (c.ok())
        add(s, s.d.radiusDims, FeatureKind::RadiusDim, std::move(f));
}

void readDiameterDim(ArgCursor& c, ReaderState& s, const Origin& at)
{
    DiameterDimFeature f;
    f.at = at;
    f.a = attr(c);
    f.x1 = c.real();
    f.y1 = c.real();
    f.x2 = c.real();
    f.y2 = c.real();
    f.r1 = arrow(c);
    f.r2 = arrow(c);
    f.t = textBlock(c);
    if (c.ok())
        add(s, s.d.diameterDims, FeatureKind::DiameterDim, std::move(f));
}

void readLabel(ArgCursor& c, ReaderState& s, const Origin& at)
{
    LabelFeature f;
    f.at = at;
    f.a = attr(c);
    vertices(c, s, at, f.n, f.points);
    f.arrowCode = c.integer();
    f.arrowScale = c.real();
    f.t = textBlock(c);
    if (c.ok())
        add(s, s.d.labels, FeatureKind::Label, std::move(f));
}

void readBalloon(ArgCursor& c, ReaderState& s, const Origin& at)
{
    LabelFeature f;
    f.at = at;
    f.a = attr(c);
    vertices(c, s, at, f.n, f.points);
    f.cx = c.real();
    f.cy = c.real();
    f.r = c.real();
    f.arrowCode = c.integer();
    f.arrowScale = c.real();
    f.t = textBlock(c);
    if (c.ok())
        add(s, s.d.labels, FeatureKind::Balloon, std::move(f));
}

void readAttribute(ArgCursor& c, ReaderState& s, const Origin& at)
{
    AttributeFeature f;
    f.at = at;
    f.projectName = c.string();
    f.contractName = c.string();
    f.contractType = c.string();
    f.drawingTitle = c.string();
    f.drawingNumber = c.string();
    f.drawingType = c.string();
    f.drawingScale = c.string();
    f.year = c.integer();
    f.month = c.integer();
    f.day = c.integer();
    f.contractor = c.string();
    f.owner = c.string();
    if (c.ok())
        add(s, s.d.attributes, FeatureKind::Attribute, std::move(f));
}

}  // namespace sxf
