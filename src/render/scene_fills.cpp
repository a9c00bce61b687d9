// Fills, hatches and tiles in a scene, and the composite curves that bound
// them.
#include "render/curve_points.h"
#include "render/feature_style.h"
#include "render/scene_walk.h"

namespace render {

namespace {

// The light grey of hatches whose pattern lives outside the file.
const QColor kHatchColour(150, 150, 150);

// The hatch that carries a drawing's background colour: a control square
// beside the sheet, under a symbol whose name gives the colour, with
// nothing to see in it.
const QString kBackgroundControl = QStringLiteral("Area_control");

}  // namespace

std::vector<QPointF> SceneWalk::curvePoints(int32_t curve) const
{
    std::vector<QPointF> points;
    if (curve < 0 || size_t(curve) >= m_d.curves.size())
        return points;
    const sxf::FeatureRange range = m_d.curves[size_t(curve)].segments;
    const int32_t first = std::max(range.first, 0);
    const int32_t last = std::min<int64_t>(int64_t(range.first) + range.count, int64_t(m_d.features.size()));
    for (int32_t k = first; k < last; ++k) {
        const sxf::FeatureRef& ref = m_d.features[size_t(k)];
        const size_t i = size_t(ref.index);
        using K = sxf::FeatureKind;
        if (ref.kind == K::Polyline && i < m_d.polylines.size()) {
            for (const sxf::T2DPoint& p : m_d.polylines[i].points)
                points.emplace_back(p.x, p.y);
        } else if (ref.kind == K::Arc && i < m_d.arcs.size()) {
            const sxf::ArcFeature& a = m_d.arcs[i];
            appendArc(points, QPointF(a.cx, a.cy), a.r, a.r, 0, a.startAngle, a.endAngle, a.direction == 1);
        } else if (ref.kind == K::EllipseArc && i < m_d.ellipseArcs.size()) {
            const sxf::EllipseArcFeature& e = m_d.ellipseArcs[i];
            appendArc(points, QPointF(e.cx, e.cy), e.rx, e.ry, e.rotation, e.startAngle, e.endAngle, e.direction == 1);
        } else if (ref.kind == K::Spline && i < m_d.splines.size()) {
            appendSpline(points, m_d.splines[i].points, m_d.splines[i].openClose == 0);
        } else if (ref.kind == K::Clothoid && i < m_d.clothoids.size()) {
            const sxf::ClothoidFeature& c = m_d.clothoids[i];
            appendClothoid(points, QPointF(c.baseX, c.baseY), c.parameter, c.angle, c.direction == 1, c.startLength,
                           c.endLength);
        }
    }
    return points;
}

bool SceneWalk::boundaryRings(int32_t index, const sxf::FillBoundary& b, std::vector<std::vector<QPointF>>& rings)
{
    bool complete = true;
    const auto add = [&](int32_t curve) {
        if (curve < 0 || size_t(curve) >= m_d.curves.size()) {
            noteMissing(index, QStringLiteral("複合曲線"));
            complete = false;
            return;
        }
        rings.push_back(curvePoints(curve));
    };
    add(b.outerCurve);
    for (int32_t hole : b.holeCurves)
        add(hole);
    return complete;
}

void SceneWalk::drawFill(int32_t index, const sxf::FeatureRef& ref, const Place& at)
{
    const size_t i = size_t(ref.index);
    std::vector<std::vector<QPointF>> rings;
    using K = sxf::FeatureKind;
    if (ref.kind == K::FillColour && i < m_d.fillColours.size()) {
        const sxf::FillColourFeature& f = m_d.fillColours[i];
        const Drawn drawn = attrDrawn(index, f.refs, at, kColour);
        // A fill that misses part of its boundary would cover what the
        // holes leave open: its outline shows instead.
        if (boundaryRings(index, f.boundary, rings))
            addArea(drawn.at, rings, Fill::Solid, drawn.look.colour, kNone);
        else
            addArea(drawn.at, rings, Fill::None, 0, drawn.look.stroke);
    } else if (ref.kind == K::ExternalHatch && i < m_d.externalHatches.size()) {
        const sxf::ExternalHatchFeature& h = m_d.externalHatches[i];
        if (h.name == kBackgroundControl)
            return;
        const Drawn drawn = attrDrawn(index, h.refs, at, 0);
        const bool complete = boundaryRings(index, h.boundary, rings);
        const QColor ink = complete ? kHatchColour : kMissingColour;
        addArea(drawn.at, rings, Fill::Hatched, ink.rgb(), strokeStyle(ink, 0, 0));
    } else if (ref.kind == K::Hatching && i < m_d.hatchings.size()) {
        const sxf::HatchingFeature& h = m_d.hatchings[i];
        sxf::TableRefs refs = h.patterns.empty() ? sxf::TableRefs{} : h.patterns.front().refs;
        refs.layer = h.refs.layer;
        const Drawn drawn = attrDrawn(index, refs, at, h.patterns.empty() ? 0 : kColour | kLineStyle);
        boundaryRings(index, h.boundary, rings);
        addArea(drawn.at, rings, Fill::None, 0, drawn.look.stroke);
    } else if (ref.kind == K::Tiles && i < m_d.tiles.size()) {
        const sxf::TilesFeature& t = m_d.tiles[i];
        const Drawn drawn = attrDrawn(index, t.refs, at, kColour);
        boundaryRings(index, t.boundary, rings);
        addArea(drawn.at, rings, Fill::None, 0, drawn.look.stroke);
    }
}

}  // namespace render
