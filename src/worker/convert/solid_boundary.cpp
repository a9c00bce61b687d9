// Composite-curve boundaries of solids, and the background-colour symbol.
#include "worker/convert/solid_boundary.h"

#include "common/colors.h"
#include "common/geometry.h"
#include "common/number_parse.h"
#include "sxf/geometric_features.h"
#include "sxf/structure_features.h"
#include "worker/convert/solid_shape.h"
#include "worker/jww/entity_access.h"

#include <array>
#include <cmath>

namespace convert {
namespace {

using sxf::T2DPoint;

void closeCurve(ConversionContext& ctx, const sxf::SfcAttr& a, int32_t& CCnum)
{
    sxf::procSfcCcurveDef(ctx.f, a.colour, a.lineType, a.width, 0);
    ++CCnum;
}

// The whole ellipse as two half arcs.
void wholeEllipse(ConversionContext& ctx, const sxf::SfcAttr& a, const SolidShape& s, double r, double minor)
{
    sxf::procSfcEArc(ctx.f, a, s.cx, s.cy, r, minor, 0, s.tiltDeg, 0, 180);
    sxf::procSfcEArc(ctx.f, a, s.cx, s.cy, r, minor, 0, s.tiltDeg, 180, 0);
}

void quadBoundary(ConversionContext& ctx, const sxf::SfcAttr& a, const jww::TEntJwwSolid& e, const Placement& p,
                  int32_t& CCnum)
{
    const T2DPoint p0{p.x(e.start_x), p.y(e.start_y)};
    const T2DPoint p1{p.x(e.end_x), p.y(e.end_y)};
    const T2DPoint p2{p.x(e.DPoint2_x), p.y(e.DPoint2_y)};
    const T2DPoint p3{p.x(e.DPoint3_x), p.y(e.DPoint3_y)};
    using common::SamePoint;
    // A fourth corner on one of the others makes a triangle.
    const bool triangle = SamePoint(e.DPoint3_x, e.DPoint3_y, e.start_x, e.start_y)
                          || SamePoint(e.DPoint3_x, e.DPoint3_y, e.end_x, e.end_y)
                          || SamePoint(e.DPoint3_x, e.DPoint3_y, e.DPoint2_x, e.DPoint2_y);
    if (triangle) {
        const std::array<T2DPoint, 4> pts = {p0, p1, p2, p0};
        sxf::procSfcPolyLine(ctx.f, a, 4, pts);
    } else {
        const std::array<T2DPoint, 5> pts = {p0, p1, p2, p3, p0};
        sxf::procSfcPolyLine(ctx.f, a, 5, pts);
    }
    closeCurve(ctx, a, CCnum);
}

void discBoundary(ConversionContext& ctx, const sxf::SfcAttr& a, const SolidShape& s, int32_t& CCnum)
{
    // A full sweep is the whole ellipse, whatever the shape code says.
    if (s.full) {
        wholeEllipse(ctx, a, s, s.radius, s.minor);
        closeCurve(ctx, a, CCnum);
        return;
    }
    sxf::procSfcEArc(ctx.f, a, s.cx, s.cy, s.radius, s.minor, 0, s.tiltDeg, s.startDeg, s.endDeg);
    if (s.chord) {
        const std::array<T2DPoint, 2> chord = {s.endPt, s.startPt};
        sxf::procSfcPolyLine(ctx.f, a, 2, chord);
    } else {
        const std::array<T2DPoint, 3> pts = {s.endPt, s.middle, s.startPt};
        sxf::procSfcPolyLine(ctx.f, a, 3, pts);
    }
    closeCurve(ctx, a, CCnum);
}

void ringBoundary(ConversionContext& ctx, const sxf::SfcAttr& a, const SolidShape& s, int32_t& CCnum)
{
    const double innerMinor = s.inner * s.innerFlatness;
    if (s.full) {
        wholeEllipse(ctx, a, s, s.radius, s.minor);
        closeCurve(ctx, a, CCnum);
        wholeEllipse(ctx, a, s, s.inner, innerMinor);
        closeCurve(ctx, a, CCnum);
        return;
    }
    sxf::procSfcEArc(ctx.f, a, s.cx, s.cy, s.radius, s.minor, 0, s.tiltDeg, s.startDeg, s.endDeg);
    const std::array<T2DPoint, 2> down = {s.endPt, s.innerEnd};
    sxf::procSfcPolyLine(ctx.f, a, 2, down);
    sxf::procSfcEArc(ctx.f, a, s.cx, s.cy, s.inner, innerMinor, 1, s.tiltDeg, s.endDeg, s.startDeg);
    const std::array<T2DPoint, 2> up = {s.innerStart, s.startPt};
    sxf::procSfcPolyLine(ctx.f, a, 2, up);
    closeCurve(ctx, a, CCnum);
}

void solidsOf(ConversionContext& ctx, const jww::TEntJwwBlockDef* def, const std::vector<jww::TEntJwwNo>& list,
              const std::vector<int32_t>* indexes, const Placement& p, int32_t& CCnum, SolidCurves& curves)
{
    auto one = [&](const jww::TEntJwwNo& no) {
        if (no.EntType != jww::kEntSolid)
            return;
        jww::visitEntity(ctx.jww, def, no, [&](const auto& e) {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, jww::TEntJwwSolid>) {
                if (!jww::hasValidLayer(e.att))
                    return;
                const int32_t first = CCnum;
                procSfcDataCCurveSolid(ctx, e, p, CCnum);
                if (CCnum != first)
                    curves[&e] = first;
            }
        });
    };
    if (indexes) {
        for (int32_t eid : *indexes)
            one(list[eid]);
    } else {
        for (const jww::TEntJwwNo& no : list)
            one(no);
    }
}

}  // namespace

void procSfcDataCCurveSolid(ConversionContext& ctx, const jww::TEntJwwSolid& e, const Placement& p, int32_t& CCnum)
{
    const sxf::SfcAttr a = ctx.tables.solidAttr(e);
    const SolidShape s = solidShapeOf(e, p);
    switch (s.kind) {
    case SolidShape::Kind::Quad: quadBoundary(ctx, a, e, p, CCnum); return;
    case SolidShape::Kind::Disc: discBoundary(ctx, a, s, CCnum); return;
    case SolidShape::Kind::Ring: ringBoundary(ctx, a, s, CCnum); return;
    default: return;
    }
}

void procSfcDataCCurve(ConversionContext& ctx, const GroupEntities& byGroup, int32_t& CCnum, SolidCurves& curves)
{
    CCnum = 1;
    curves.clear();
    const Placement none;
    for (const BlockSymbolScope& scope : blockSymbolScopes(ctx.jww, ctx.tables)) {
        const jww::TEntJwwBlockDef& def = ctx.jww.EntBlockDef[scope.defIndex];
        solidsOf(ctx, &def, def.mNo, nullptr, none, CCnum, curves);
    }
    for (const GroupPartScope& part : groupPartScopes(ctx.tables)) {
        for (int g : part.groups)
            solidsOf(ctx, nullptr, ctx.jww.EntNo, &byGroup[g], Placement{0, 0, part.sc}, CCnum, curves);
    }
    const Placement sheet{ctx.PaperSizeX / 2, ctx.PaperSizeY / 2, 1};
    for (int g : sheetGroups(ctx.tables))
        solidsOf(ctx, nullptr, ctx.jww.EntNo, &byGroup[g], sheet, CCnum, curves);
}

namespace {

// The symbol named after the drawing's background colour (pen colour 0, from
// the screen or the printer colours as the output uses them).
QString backgroundSymbolName(const ConversionContext& ctx)
{
    const auto& cols = ctx.jww.EntCol;
    uint32_t bg = 0;
    if (!cols.empty())
        bg = static_cast<uint32_t>(ctx.tables.cb2 != 0 ? cols[0].aPrtPenColor : cols[0].aPenColor);
    const common::ColorParts c = common::SplitColor(common::ColorRefToColor(bg));
    return QStringLiteral("$$ATRU$$100$$背景色$$色$$%1_%2_%3").arg(c.red).arg(c.green).arg(c.blue);
}

}  // namespace

void procSfcDataBColorDef(ConversionContext& ctx, int32_t CCnum)
{
    const sxf::SfcAttr a{1, 1, 1, 1};
    const std::array<T2DPoint, 5> square = {{{10, -30}, {30, -30}, {30, -10}, {10, -10}, {10, -30}}};
    sxf::procSfcPolyLine(ctx.f, a, 5, square);
    sxf::procSfcCcurveDef(ctx.f, 1, 1, 1, 0);
    sxf::procSfcHatchExt(ctx.f, 1, u"Area_control", CCnum, {});
    sxf::procSfcBlockDef(ctx.f, backgroundSymbolName(ctx), 3);
}

void procSfcDataBColor(ConversionContext& ctx)
{
    sxf::procSfcBlock(ctx.f, 0, backgroundSymbolName(ctx), 0, 0, 0, 1, 1);
}

}  // namespace convert
