// Dimensions, labels and balloons in a scene: their lines, terminators and
// texts.
#include "render/curve_points.h"
#include "render/feature_style.h"
#include "render/scene_walk.h"

#include <cmath>

namespace render {

namespace {

QPointF unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 && std::isfinite(length) ? v / length : QPointF(1, 0);
}

}  // namespace

void SceneWalk::drawAnnotation(int32_t index, const sxf::FeatureRef& ref, const Place& at)
{
    const size_t i = size_t(ref.index);
    using K = sxf::FeatureKind;
    switch (ref.kind) {
    case K::LinearDim:
        if (i < m_d.linearDims.size())
            drawLinearDim(index, m_d.linearDims[i], at);
        return;
    case K::CurveDim:
    case K::AngularDim:
        if (i < m_d.arcDims.size())
            drawArcDim(index, m_d.arcDims[i], at);
        return;
    case K::RadiusDim:
        if (i < m_d.radiusDims.size())
            drawRadiusDim(index, m_d.radiusDims[i], at);
        return;
    case K::DiameterDim:
        if (i < m_d.diameterDims.size())
            drawDiameterDim(index, m_d.diameterDims[i], at);
        return;
    case K::Label:
    case K::Balloon:
        if (i < m_d.labels.size())
            drawLabel(index, m_d.labels[i], ref.kind == K::Balloon, at);
        return;
    default: return;
    }
}

void SceneWalk::drawLinearDim(int32_t index, const sxf::LinearDimFeature& d, const Place& at)
{
    const Drawn drawn = attrDrawn(index, d.refs, at, kColour | kLineStyle);
    const QPointF p1(d.x1, d.y1), p2(d.x2, d.y2);
    addLine(drawn.at, {p1, p2}, false, drawn.look.stroke);
    drawExtensionLine(d.e1, drawn.at, drawn.look);
    drawExtensionLine(d.e2, drawn.at, drawn.look);
    drawStraightArrow(d.r1, p1, p2, drawn.at, drawn.look);
    drawStraightArrow(d.r2, p1, p2, drawn.at, drawn.look);
    drawTextBlock(index, d.t, d.refs, drawn.at, drawn.look);
}

void SceneWalk::drawArcDim(int32_t index, const sxf::ArcDimFeature& d, const Place& at)
{
    const Drawn drawn = attrDrawn(index, d.refs, at, kColour | kLineStyle);
    const QPointF centre(d.cx, d.cy);
    m_local.clear();
    appendArc(m_local, centre, d.r, d.r, 0, d.startAngle, d.endAngle, false);
    addLine(drawn.at, m_local, false, drawn.look.stroke);
    drawExtensionLine(d.e1, drawn.at, drawn.look);
    drawExtensionLine(d.e2, drawn.at, drawn.look);
    // Arrows lie on the arc, along its tangent: the first looks back towards
    // the start when it points out, the second on towards the end.
    const auto arrow = [&](const sxf::SfcArrow& r, bool first) {
        if (r.orientation == 0)
            return;
        const QPointF tip(r.x, r.y);
        const QPointF radial = unit(tip - centre);
        const QPointF forward(-radial.y(), radial.x());
        const bool back = (r.orientation == 1) == first;
        addTerminator(drawn.at, arrowhead(tip, back ? -forward : forward, r.code, r.scale), drawn.look);
    };
    arrow(d.r1, true);
    arrow(d.r2, false);
    drawTextBlock(index, d.t, d.refs, drawn.at, drawn.look);
}

void SceneWalk::drawRadiusDim(int32_t index, const sxf::RadiusDimFeature& d, const Place& at)
{
    const Drawn drawn = attrDrawn(index, d.refs, at, kColour | kLineStyle);
    const QPointF p1(d.x1, d.y1), p2(d.x2, d.y2);
    addLine(drawn.at, {p1, p2}, false, drawn.look.stroke);
    drawStraightArrow(d.r, p1, p2, drawn.at, drawn.look);
    drawTextBlock(index, d.t, d.refs, drawn.at, drawn.look);
}

void SceneWalk::drawDiameterDim(int32_t index, const sxf::DiameterDimFeature& d, const Place& at)
{
    const Drawn drawn = attrDrawn(index, d.refs, at, kColour | kLineStyle);
    const QPointF p1(d.x1, d.y1), p2(d.x2, d.y2);
    addLine(drawn.at, {p1, p2}, false, drawn.look.stroke);
    drawStraightArrow(d.r1, p1, p2, drawn.at, drawn.look);
    drawStraightArrow(d.r2, p1, p2, drawn.at, drawn.look);
    drawTextBlock(index, d.t, d.refs, drawn.at, drawn.look);
}

void SceneWalk::drawLabel(int32_t index, const sxf::LabelFeature& l, bool balloon, const Place& at)
{
    const Drawn drawn = attrDrawn(index, l.refs, at, kColour | kLineStyle);
    m_local.clear();
    for (const sxf::T2DPoint& p : l.points)
        m_local.emplace_back(p.x, p.y);
    addLine(drawn.at, m_local, false, drawn.look.stroke);
    // The leader's terminator sits on its first vertex, looking away from
    // the second.
    if (m_local.size() >= 2)
        addTerminator(drawn.at, arrowhead(m_local[0], unit(m_local[0] - m_local[1]), l.arrowCode, l.arrowScale),
                      drawn.look);
    if (balloon) {
        m_local.clear();
        appendEllipse(m_local, QPointF(l.cx, l.cy), l.r, l.r, 0);
        addLine(drawn.at, m_local, true, drawn.look.stroke);
    }
    drawTextBlock(index, l.t, l.refs, drawn.at, drawn.look);
}

void SceneWalk::drawExtensionLine(const sxf::SfcExtLine& e, const Place& at, const Look& look)
{
    if (e.flag == 1)
        addLine(at, {QPointF(e.startX, e.startY), QPointF(e.endX, e.endY)}, false, look.stroke);
}

void SceneWalk::drawStraightArrow(const sxf::SfcArrow& r, QPointF from, QPointF to, const Place& at, const Look& look)
{
    if (r.orientation == 0)
        return;
    // An arrow that points out looks away from the far end of the line.
    const QPointF tip(r.x, r.y);
    const bool nearStart = std::hypot(tip.x() - from.x(), tip.y() - from.y())
        <= std::hypot(tip.x() - to.x(), tip.y() - to.y());
    const QPointF along = unit(to - from);
    const QPointF out = nearStart ? -along : along;
    addTerminator(at, arrowhead(tip, r.orientation == 1 ? out : -out, r.code, r.scale), look);
}

void SceneWalk::drawTextBlock(int32_t index, const sxf::SfcTextBlock& t, const sxf::TableRefs& refs, const Place& at,
                              const Look& look)
{
    if (t.mf != 1)
        return;
    const QString family = fontFamily(index, refs.font, true);
    const bool fontMissing = refs.font < 0 || size_t(refs.font) >= m_d.fonts.size();
    TextSpec placed;
    placed.text = t.st;
    placed.x = t.kx;
    placed.y = t.ky;
    placed.height = t.sy;
    placed.width = t.sx;
    placed.spacing = t.md;
    placed.angleDeg = t.ma;
    placed.slantDeg = t.ms;
    placed.basePoint = t.kt;
    placed.direction = t.dr;
    addText(at, placed, fontMissing ? kMissingColour.rgb() : look.colour, family);
}

}  // namespace render
