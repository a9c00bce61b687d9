// JWW dimension entities become linear dimensions: the dimension line always,
// extension lines and end markers only for dimensions made in SXF mode.
#include "worker/annotation/dimension_converter.h"

#include "common/geometry.h"
#include "common/number_parse.h"
#include "common/text_slice.h"
#include "common/text_width.h"
#include "sxf/annotation_features.h"
#include "sxf/sfc_writer.h"
#include "worker/convert/moji_form.h"

#include <cmath>
#include <utility>

namespace annotation {
namespace {

// Extension line from base point `kt` and line `ho`. One that placement
// shrinks below 1e-6 is left out altogether, base point included.
sxf::SfcExtLine extensionLine(const jww::TEntJwwTen& kt, const jww::TEntJwwLine& ho, const convert::Placement& p)
{
    sxf::SfcExtLine e;
    e.startX = p.x(ho.start_x);
    e.startY = p.y(ho.start_y);
    e.endX = p.x(ho.end_x);
    e.endY = p.y(ho.end_y);
    if (common::Distance(e.startX, e.startY, e.endX, e.endY) < 1e-6)
        return {};
    e.flag = 1;
    e.baseX = p.x(kt.start_x);
    e.baseY = p.y(kt.start_y);
    return e;
}

// End marker `m` of the dimension line from (x1, y1) to (x2, y2) (placed).
// The orientation code tells whether the marker's rotation points along the
// line, away from the end it sits at.
sxf::SfcArrow arrow(const jww::TEntJwwTen& m, const convert::Placement& p, double x1, double y1, double x2, double y2)
{
    sxf::SfcArrow r{7, 1, p.x(m.start_x), p.y(m.start_y), 0.1};
    if (m.att.nPenStyle != 100)
        return r;
    r.scale = m.dBairitsu;
    r.code = m.nCode < 1 || m.nCode > 11 ? 7 : m.nCode;
    const bool nearStart = common::Distance(r.x, r.y, x1, y1) < common::Distance(r.x, r.y, x2, y2);
    const double reference = nearStart ? common::AngleOf(x2 - x1, y2 - y1) : common::AngleOf(x1 - x2, y1 - y2);
    const double rotation = m.radKaitenKaku;
    if (common::SameNum(rotation, reference) || common::SameNum(std::abs(rotation - reference), common::kTwoPi))
        r.orientation = 2;
    if (m.dBairitsu <= 1e-10) {
        r.scale = 0;
        r.code = 0;
        r.orientation = 0;
    }
    return r;
}

}  // namespace

sxf::SfcTextBlock SunpoMojiValues::textBlock() const
{
    sxf::SfcTextBlock t;
    t.mf = mf;
    t.fo = fo;
    t.st = st;
    t.kx = kx;
    t.ky = ky;
    t.sy = sy;
    t.sx = sx;
    t.md = md;
    t.ma = ma;
    t.ms = ms;
    t.kt = kt;
    t.dr = dr;
    return t;
}

SunpoMojiValues procSfcDataSunpoMoji(const convert::AttributeTables& tables, const jww::TEntJwwMoji& e,
                                     const convert::Placement& p)
{
    SunpoMojiValues v;
    v.st = e.str;
    v.mf = common::SamePoint(e.start_x, e.start_y, e.end_x, e.end_y) || common::IsBlank(v.st) ? 0 : 1;
    v.fo = tables.proc4subFont(e.strFontName) + 1;
    v.mx = p.x(e.start_x);
    v.my = p.y(e.start_y);
    v.mh = p.sc * std::abs(e.dSizeY);
    const convert::MojiForm form = convert::mojiFormOf(e);
    const convert::MojiBoxSize box = convert::mojiBoxSize(e, v.st, p.sc, form);
    v.sx = box.w;
    v.sy = box.h;
    v.dr = form.direction();
    v.md = p.sc * form.spacing;
    v.ma = form.angleDeg;
    v.ms = form.slant;
    v.kt = form.basePoint;
    const common::GeoPoint base = common::AnchorConvert(0, v.kt - 1, v.mx, v.my, v.sx, v.sy, v.ma);
    v.kx = base.x;
    v.ky = base.y;
    if (v.mf == 0) {
        v.st.clear();
        v.fo = 0;
        v.dr = 1;
        v.kt = 1;
        v.kx = v.ky = 0;
        v.sx = v.sy = 0;
        v.ma = 0;
        v.ms = 0;
    }
    // A backslash-apostrophe pair would end the SFC string early and break
    // the record; it is replaced after measuring, so the box stays as read.
    v.st = sxf::safeSfcString(std::move(v.st));
    return v;
}

void procSfcDataSunpo(convert::ConversionContext& ctx, const jww::TEntJwwSunpo& e, const convert::Placement& p)
{
    // Layers and groups above 15 only come from damaged drawings.
    if (e.Sen.att.nLayer > 15 || e.Sen.att.nGLayer > 15)
        return;
    const sxf::SfcAttr a = ctx.tables.lineAttr(e.Sen.att);
    const double x1 = p.x(e.Sen.start_x);
    const double y1 = p.y(e.Sen.start_y);
    const double x2 = p.x(e.Sen.end_x);
    const double y2 = p.y(e.Sen.end_y);

    // A plain dimension has neither extension lines nor markers; its arrow
    // scales are still written as 1.
    sxf::SfcExtLine e1, e2;
    sxf::SfcArrow r1{0, 0, 0, 0, 1.0};
    sxf::SfcArrow r2{0, 0, 0, 0, 1.0};
    if (e.bSxfMode != 0) {
        e1 = extensionLine(e.Kt1, e.Ho1, p);
        e2 = extensionLine(e.Kt2, e.Ho2, p);
        r1 = arrow(e.Te1, p, x1, y1, x2, y2);
        r2 = arrow(e.Te2, p, x1, y1, x2, y2);
    }
    const SunpoMojiValues text = procSfcDataSunpoMoji(ctx.tables, e.Moji, p);
    sxf::procSfcDimLinear(ctx.f, a, x1, y1, x2, y2, e1, e2, r1, r2, text.textBlock());
}

}  // namespace annotation
