// Points, lines, curves, texts and externally defined symbols in a scene.
#include "render/curve_points.h"
#include "render/feature_style.h"
#include "render/scene_walk.h"

namespace render {

namespace {

std::vector<QPointF> pointsOf(const std::vector<sxf::T2DPoint>& points)
{
    std::vector<QPointF> out;
    out.reserve(points.size());
    for (const sxf::T2DPoint& p : points)
        out.emplace_back(p.x, p.y);
    return out;
}

}  // namespace

void SceneWalk::drawGeometry(int32_t index, const sxf::FeatureRef& ref, const Place& at)
{
    const size_t i = size_t(ref.index);
    m_local.clear();
    using K = sxf::FeatureKind;
    switch (ref.kind) {
    case K::PointMarker: {
        if (i >= m_d.pointMarkers.size())
            return;
        const sxf::PointMarkerFeature& p = m_d.pointMarkers[i];
        const Drawn drawn = attrDrawn(index, p.refs, at, kColour);
        addTerminator(drawn.at, pointMarker(QPointF(p.x, p.y), p.code, p.angle, p.scale), drawn.look);
        return;
    }
    case K::Line: {
        if (i >= m_d.lines.size())
            return;
        const sxf::LineFeature& l = m_d.lines[i];
        const Drawn drawn = attrDrawn(index, l.refs, at, kColour | kLineStyle);
        addLine(drawn.at, {QPointF(l.x1, l.y1), QPointF(l.x2, l.y2)}, false, drawn.look.stroke);
        return;
    }
    case K::Polyline: {
        if (i >= m_d.polylines.size())
            return;
        const sxf::PolylineFeature& l = m_d.polylines[i];
        const Drawn drawn = attrDrawn(index, l.refs, at, kColour | kLineStyle);
        addLine(drawn.at, pointsOf(l.points), false, drawn.look.stroke);
        return;
    }
    case K::Circle: {
        if (i >= m_d.circles.size())
            return;
        const sxf::CircleFeature& c = m_d.circles[i];
        const Drawn drawn = attrDrawn(index, c.refs, at, kColour | kLineStyle);
        appendEllipse(m_local, QPointF(c.cx, c.cy), c.r, c.r, 0);
        addLine(drawn.at, m_local, true, drawn.look.stroke);
        return;
    }
    case K::Arc: {
        if (i >= m_d.arcs.size())
            return;
        const sxf::ArcFeature& a = m_d.arcs[i];
        const Drawn drawn = attrDrawn(index, a.refs, at, kColour | kLineStyle);
        appendArc(m_local, QPointF(a.cx, a.cy), a.r, a.r, 0, a.startAngle, a.endAngle, a.direction == 1);
        addLine(drawn.at, m_local, false, drawn.look.stroke);
        return;
    }
    case K::Ellipse: {
        if (i >= m_d.ellipses.size())
            return;
        const sxf::EllipseFeature& e = m_d.ellipses[i];
        const Drawn drawn = attrDrawn(index, e.refs, at, kColour | kLineStyle);
        appendEllipse(m_local, QPointF(e.cx, e.cy), e.rx, e.ry, e.rotation);
        addLine(drawn.at, m_local, true, drawn.look.stroke);
        return;
    }
    case K::EllipseArc: {
        if (i >= m_d.ellipseArcs.size())
            return;
        const sxf::EllipseArcFeature& e = m_d.ellipseArcs[i];
        const Drawn drawn = attrDrawn(index, e.refs, at, kColour | kLineStyle);
        appendArc(m_local, QPointF(e.cx, e.cy), e.rx, e.ry, e.rotation, e.startAngle, e.endAngle, e.direction == 1);
        addLine(drawn.at, m_local, false, drawn.look.stroke);
        return;
    }
    case K::Text:
        if (i < m_d.texts.size())
            drawText(index, m_d.texts[i], at);
        return;
    case K::Spline: {
        if (i >= m_d.splines.size())
            return;
        const sxf::SplineFeature& s = m_d.splines[i];
        const Drawn drawn = attrDrawn(index, s.refs, at, kColour | kLineStyle);
        appendSpline(m_local, s.points, s.openClose == 0);
        addLine(drawn.at, m_local, false, drawn.look.stroke);
        return;
    }
    case K::Clothoid: {
        if (i >= m_d.clothoids.size())
            return;
        const sxf::ClothoidFeature& c = m_d.clothoids[i];
        const Drawn drawn = attrDrawn(index, c.refs, at, kColour | kLineStyle);
        appendClothoid(m_local, QPointF(c.baseX, c.baseY), c.parameter, c.angle, c.direction == 1, c.startLength,
                       c.endLength);
        addLine(drawn.at, m_local, false, drawn.look.stroke);
        return;
    }
    case K::ExternalSymbol:
        if (i < m_d.externalSymbols.size())
            drawExternalSymbol(index, m_d.externalSymbols[i], at);
        return;
    default: return;
    }
}

void SceneWalk::drawText(int32_t index, const sxf::TextFeature& t, const Place& at)
{
    const Drawn drawn = attrDrawn(index, t.refs, at, kColour);
    const QString family = fontFamily(index, t.refs.font, true);
    const bool fontMissing = t.refs.font < 0 || size_t(t.refs.font) >= m_d.fonts.size();
    TextSpec placed;
    placed.text = t.t.text;
    placed.x = t.t.x;
    placed.y = t.t.y;
    placed.height = t.t.height;
    placed.width = t.t.width;
    placed.spacing = t.t.spacing;
    placed.angleDeg = t.t.angleDeg;
    placed.slantDeg = t.t.slantDeg;
    placed.basePoint = t.t.basePoint;
    placed.direction = t.t.direction;
    addText(drawn.at, placed, fontMissing ? kMissingColour.rgb() : drawn.look.colour, family);
}

void SceneWalk::drawExternalSymbol(int32_t index, const sxf::ExternalSymbolFeature& s, const Place& at)
{
    // The symbol's shape lives in a library this file does not carry: a
    // circled cross of its size marks where it stands.
    const Drawn drawn = attrDrawn(index, s.refs, at, s.colourFlag == 1 ? kColour : 0);
    const double r = 1.5 * (s.scale > 0 ? s.scale : 1.0);
    const QPointF c(s.x, s.y);
    appendEllipse(m_local, c, r, r, 0);
    addLine(drawn.at, m_local, true, drawn.look.stroke);
    addTerminator(drawn.at, pointMarker(c, 4, s.angle, r / 0.8), drawn.look);
}

}  // namespace render
