// Lines, arcs, points, solids and block placements as SFC features.
#include "worker/convert/entity_converter.h"

#include "common/geometry.h"
#include "common/number_parse.h"
#include "common/text_slice.h"
#include "sxf/annotation_features.h"
#include "sxf/geometric_features.h"
#include "sxf/sfc_writer.h"
#include "sxf/structure_features.h"
#include "worker/convert/solid_shape.h"

#include <cmath>

namespace convert {
namespace {

// Layer and colour of a point, text or solid: auxiliary only by colour 9.
struct LayerColour {
    int32_t layer;
    int32_t colour;
};

LayerColour layerColourOf(const ConversionContext& ctx, const jww::TEntJwwAttr& att)
{
    const AttributeTables& t = ctx.tables;
    if (att.nPenColor == 9)
        return {t.HojoLay, t.cb3 + 1};
    return {t.layerNo(att), t.colourNo(att.nPenColor)};
}

}  // namespace

void procSfcDataLine(ConversionContext& ctx, const jww::TEntJwwLine& e, const Placement& p)
{
    const sxf::SfcAttr a = ctx.tables.lineAttr(e.att);
    const double x1 = p.x(e.start_x), y1 = p.y(e.start_y);
    double x2 = p.x(e.end_x), y2 = p.y(e.end_y);
    if (common::Distance(x1, y1, x2, y2) <= 1.0001e-6) {
        const double dir = common::AngleOf(e.end_x - e.start_x, e.end_y - e.start_y);
        x2 = x1 + 1e-6 * std::cos(dir);
        y2 = y1 + 1e-6 * std::sin(dir);
    }
    sxf::procSfcLine(ctx.f, a, x1, y1, x2, y2);
}

void procSfcDataEnko(ConversionContext& ctx, const jww::TEntJwwEnko& e, const Placement& p)
{
    const sxf::SfcAttr a = ctx.tables.lineAttr(e.att);
    const double cx = p.x(e.start_x), cy = p.y(e.start_y);
    double r = e.dHankei * p.sc;
    if (r <= 1.0001e-6)
        r = 1e-6;
    const double sweep = std::fabs(e.radEnkoKaku);
    const bool closed = e.bZenEnFlg != 0 || sweep <= 1e-12 || std::fabs(sweep - common::kTwoPi) <= 1e-12;
    const int32_t direction = e.radEnkoKaku < 0 ? 1 : 0;

    if (std::fabs(e.dHenpeiRitsu - 1) <= 1e-12) {
        if (closed) {
            sxf::procSfcCircle(ctx.f, a, cx, cy, r);
            return;
        }
        const double start = common::NormDeg(common::RadToDeg(e.radKaishiKaku + e.radKatamukiKaku));
        const double end = common::NormDeg(common::RadToDeg(e.radEnkoKaku) + start);
        sxf::procSfcArc(ctx.f, a, cx, cy, r, direction, start, end);
        return;
    }
    const double r2 = e.dHankei * e.dHenpeiRitsu * p.sc;
    const double rotation = common::NormDeg(common::RadToDeg(e.radKatamukiKaku));
    if (closed) {
        sxf::procSfcElli(ctx.f, a, cx, cy, r, r2, rotation);
        return;
    }
    // The start of an elliptic arc is measured from its own axis: no tilt.
    const double start = common::NormDeg(common::RadToDeg(e.radKaishiKaku));
    const double end = common::NormDeg(common::RadToDeg(e.radEnkoKaku) + start);
    sxf::procSfcEArc(ctx.f, a, cx, cy, r, r2, direction, rotation, start, end);
}

void procSfcDataTen(ConversionContext& ctx, const jww::TEntJwwTen& e, const Placement& p)
{
    const LayerColour lc = layerColourOf(ctx, e.att);
    const double x = p.x(e.start_x), y = p.y(e.start_y);
    if (e.att.nPenStyle != 100) {
        sxf::procSfcTen(ctx.f, lc.layer, lc.colour, x, y, e.bKariten != 0 ? 2 : 3, 0, 1);
        return;
    }
    if (e.nCode <= 0) {
        const int32_t code = (-e.nCode >= 1 && -e.nCode <= 7) ? -e.nCode : 3;
        sxf::procSfcTen(ctx.f, lc.layer, lc.colour, x, y, code, common::NormDeg(common::RadToDeg(e.radKaitenKaku)),
                        e.dBairitsu);
        return;
    }
    const int32_t code = e.nCode > 11 ? 7 : e.nCode;
    sxf::procSfcArw(ctx.f, lc.layer, lc.colour, x, y, code, e.radKaitenKaku, e.dBairitsu,
                    0.1 * e.dBairitsu * p.sc);
}

namespace {

void writeOutline(ConversionContext& ctx, const sxf::SfcAttr& a, const SolidShape& s)
{
    if (s.flatness == 1) {
        if (s.full) {
            sxf::procSfcCircle(ctx.f, a, s.cx, s.cy, s.radius);
            return;
        }
        const double start = common::NormDeg(common::RadToDeg(s.startRad + s.tiltRad));
        sxf::procSfcArc(ctx.f, a, s.cx, s.cy, s.radius, 0, start, common::NormDeg(start + s.sweepDeg));
        return;
    }
    const double r2 = s.radius * s.flatness;
    if (s.full)
        sxf::procSfcElli(ctx.f, a, s.cx, s.cy, s.radius, r2, s.tiltDeg);
    else
        sxf::procSfcEArc(ctx.f, a, s.cx, s.cy, s.radius, r2, 0, s.tiltDeg, s.startDeg, s.endDeg);
}

}  // namespace

void procSfcDataSolid(ConversionContext& ctx, const jww::TEntJwwSolid& e, const Placement& p, int32_t& fillCounter)
{
    const sxf::SfcAttr a = ctx.tables.solidAttr(e);
    const SolidShape s = solidShapeOf(e, p);
    switch (s.kind) {
    case SolidShape::Kind::Line:
        sxf::procSfcLine(ctx.f, a, p.x(e.start_x), p.y(e.start_y), p.x(e.end_x), p.y(e.end_y));
        return;
    case SolidShape::Kind::Outline:
        writeOutline(ctx, a, s);
        return;
    case SolidShape::Kind::Nothing:
        // A solid dropped whole counts once, here rather than in the
        // boundary pass, which visits the same solids.
        if (s.nonFinite)
            ctx.f.countLeftOut(1);
        return;
    case SolidShape::Kind::Quad:
    case SolidShape::Kind::Disc:
    case SolidShape::Kind::Ring: {
        // A full ring names its inner boundary, the next curve, as its hole.
        const int32_t hole = fillCounter + 1;
        const bool withHole = s.curveCount() == 2;
        sxf::procSfcHatchColor(ctx.f, a.layer, a.colour, fillCounter,
                               withHole ? std::span<const int32_t>(&hole, 1) : std::span<const int32_t>());
        fillCounter += s.curveCount();
        return;
    }
    }
}

void procSfcDataBlock(ConversionContext& ctx, const jww::TEntJwwBlock& e, const Placement& p)
{
    const AttributeTables& t = ctx.tables;
    const int32_t layer = (e.att.nPenStyle & 0x40) ? 0 : t.layerNo(e.att);
    const QString* name = t.symbols().placedName(e.nNumber);
    if (!name)
        return;
    if (ctx.emptySymbols.contains(*name))
        return;
    sxf::procSfcBlock(ctx.f, layer, *name, p.x(e.DPKijunTen_x), p.y(e.DPKijunTen_y),
                      common::NormDeg(common::RadToDeg(e.radKaitenKaku)), std::fabs(e.dBairitsuX) * p.sc,
                      std::fabs(e.dBairitsuY) * p.sc);
}

}  // namespace convert
