// The eight emitters of recognised groups. Each reads the result record its
// recogniser has just filled, places it, and writes one feature.
#include "worker/annotation/group_emission.h"

#include "sxf/annotation_features.h"
#include "sxf/geometric_features.h"
#include "worker/annotation/dimension_converter.h"
#include "worker/jww/entity_access.h"

#include <initializer_list>
#include <type_traits>
#include <vector>

namespace annotation {
namespace {

using convert::Placement;
using sxf::T2DPoint;

class GroupEmitter {
public:
    GroupEmitter(convert::ConversionContext& ctx, GroupRecognizer& ga, const convert::MemberConsumption& consume,
        int32_t bln, const Placement& p)
        : m_ctx(ctx)
        , m_ga(ga)
        , m_consume(consume)
        , m_bln(bln)
        , m_p(p)
    {
    }

    void procSfcDataCrvAttrDimDia();
    void procSfcDataCrvAttrDimRad();
    void procSfcDataCrvAttrDimCrv();
    void procSfcDataCrvAttrDimAng();
    void procSfcDataCrvAttrDimLin();
    void procSfcDataCrvAttrBalloon();
    void procSfcDataCrvAttrLeader();
    void procSfcDataCrvAttrPolyline();

private:
    void consume(std::initializer_list<int32_t> ids) const
    {
        for (int32_t eid : ids)
            m_consume.consume(m_bln, eid);
    }
    // Layer, colour, line type and width of member `eid`: its own, or those
    // of its dimension line for a dimension entity. No auxiliary layer:
    // auxiliary entities never belong to groups.
    sxf::SfcAttr attrOf(int32_t eid) const;
    sxf::SfcTextBlock textOf(const jww::TEntJwwMoji& mj) const
    {
        return procSfcDataSunpoMoji(m_ctx.tables, mj, m_p).textBlock();
    }
    T2DPoint at(double x, double y) const { return {m_p.x(x), m_p.y(y)}; }
    sxf::SfcArrow arrow(int32_t id, int32_t code, int32_t orientation, double x, double y, double scale) const
    {
        if (id == kNoMember)
            return {};
        return {code, orientation, m_p.x(x), m_p.y(y), scale};
    }
    sxf::SfcExtLine extension(int32_t id, double x1, double y1, double x2, double y2) const
    {
        if (id == kNoMember)
            return {};
        return {1, m_p.x(x1), m_p.y(y1), m_p.x(x1), m_p.y(y1), m_p.x(x2), m_p.y(y2)};
    }
    template <typename R> void dimensionLine(const R& r, T2DPoint& s, T2DPoint& e) const
    {
        s = r.ide1 != kNoMember ? at(r.x3, r.y3) : at(r.x1, r.y1);
        e = r.ide2 != kNoMember ? at(r.x4, r.y4) : at(r.x2, r.y2);
    }
    void arcDimension(bool angular);
    void leader(bool balloon);

    convert::ConversionContext& m_ctx;
    GroupRecognizer& m_ga;
    const convert::MemberConsumption& m_consume;
    int32_t m_bln = -1;
    Placement m_p;
};

sxf::SfcAttr GroupEmitter::attrOf(int32_t eid) const
{
    const jww::TJwwData& d = m_ga.drawing();
    const jww::TEntJwwBlockDef* def = m_bln >= 0 ? &d.EntBlockDef[static_cast<size_t>(m_bln)] : nullptr;
    const std::vector<jww::TEntJwwNo>& list = def ? def->mNo : d.EntNo;
    sxf::SfcAttr a;
    if (eid < 0 || static_cast<size_t>(eid) >= list.size())
        return a;
    jww::visitEntity(d, def, list[static_cast<size_t>(eid)], [&](const auto& e) {
        const jww::TEntJwwAttr& att = jww::layerAttrOf(e);
        a.layer = m_ctx.tables.layerNo(att);
        a.colour = m_ctx.tables.colourNo(att.nPenColor);
        a.lineType = m_ctx.tables.lineTypeNo(att.nPenStyle);
        a.width = m_ctx.tables.proc4subWidth(att.nPenColor, att.nPenWidth);
    });
    return a;
}

void GroupEmitter::procSfcDataCrvAttrDimDia()
{
    const TGroupAttrDimDia& r = m_ga.gdd;
    const sxf::SfcAttr a = attrOf(r.idl);
    consume({r.ide1, r.ide2, r.ida1, r.ida2, r.ida3, r.ida4, r.idl, r.idm});
    T2DPoint s, e;
    dimensionLine(r, s, e);
    sxf::procSfcDimDiameter(m_ctx.f, a, s.x, s.y, e.x, e.y, arrow(r.ida1, r.ar1c, r.ar1d, r.x1, r.y1, r.ar),
        arrow(r.ida3, r.ar2c, r.ar2d, r.x2, r.y2, r.ar2), textOf(r.mj));
}

void GroupEmitter::procSfcDataCrvAttrDimRad()
{
    const TGroupAttrDimDia& r = m_ga.gdd;
    const sxf::SfcAttr a = attrOf(r.idl);
    // The first end is the centre: what lies there stays for the ordinary
    // conversion.
    consume({r.ide2, r.ida3, r.ida4, r.idl, r.idm});
    T2DPoint s, e;
    dimensionLine(r, s, e);
    sxf::procSfcDimRadius(
        m_ctx.f, a, s.x, s.y, e.x, e.y, arrow(r.ida3, r.ar2c, r.ar2d, r.x2, r.y2, r.ar2), textOf(r.mj));
}

void GroupEmitter::arcDimension(bool angular)
{
    const TGroupAttrDimCrv& r = m_ga.gdc;
    const sxf::SfcAttr a = attrOf(r.idc);
    consume({r.ide1, r.ide2, r.idh1, r.idh2, r.ida1, r.ida2, r.ida3, r.ida4, r.idm, r.idc});
    const double start = r.ide1 != kNoMember ? r.ae1 : r.sa;
    const double end = r.ide2 != kNoMember ? r.ae2 : r.ea;
    const auto write = angular ? sxf::procSfcDimAngle : sxf::procSfcDimCurve;
    write(m_ctx.f, a, m_p.x(r.x), m_p.y(r.y), m_p.sc * r.r, start, end,
        extension(r.idh1, r.h1x1, r.h1y1, r.h1x2, r.h1y2), extension(r.idh2, r.h2x1, r.h2y1, r.h2x2, r.h2y2),
        arrow(r.ida1, r.ar1c, r.ar1d, r.x1, r.y1, r.ar), arrow(r.ida3, r.ar2c, r.ar2d, r.x2, r.y2, r.ar2),
        textOf(r.mj));
}

void GroupEmitter::procSfcDataCrvAttrDimCrv()
{
    arcDimension(false);
}

void GroupEmitter::procSfcDataCrvAttrDimAng()
{
    arcDimension(true);
}

void GroupEmitter::procSfcDataCrvAttrDimLin()
{
    const TGroupAttrDimLin& r = m_ga.gdl;
    const sxf::SfcAttr a = attrOf(r.idl);
    consume({r.ide1, r.ide2, r.idh1, r.idh2, r.ida1, r.ida2, r.ida3, r.ida4, r.idl, r.idm});
    T2DPoint s, e;
    dimensionLine(r, s, e);
    sxf::procSfcDimLinear(m_ctx.f, a, s.x, s.y, e.x, e.y, extension(r.idh1, r.h1x1, r.h1y1, r.h1x2, r.h1y2),
        extension(r.idh2, r.h2x1, r.h2y1, r.h2x2, r.h2y2), arrow(r.ida1, r.ar1c, r.ar1d, r.x1, r.y1, r.ar),
        arrow(r.ida3, r.ar2c, r.ar2d, r.x2, r.y2, r.ar2), textOf(r.mj));
}

void GroupEmitter::leader(bool balloon)
{
    const TGroupAttrLeader& ld = m_ga.ld;
    const sxf::SfcAttr a = attrOf(ld.al.front().id);
    consume({ld.ida1, ld.ida2, ld.ida3, ld.ida4, ld.idm});
    if (balloon)
        consume({ld.idc});
    std::vector<T2DPoint> vertices;
    vertices.reserve(ld.al.size() + 1);
    vertices.push_back(at(ld.al.front().x1, ld.al.front().y1));
    for (const TGroupAttrLine& l : ld.al) {
        m_consume.consume(m_bln, l.id);
        vertices.push_back(at(l.x2, l.y2));
    }
    const int32_t n = static_cast<int32_t>(vertices.size());
    if (balloon)
        sxf::procSfcBalloon(
            m_ctx.f, a, n, vertices, m_p.x(ld.cx), m_p.y(ld.cy), m_p.sc * ld.cr, ld.arc, 1.0, textOf(ld.mj));
    else
        sxf::procSfcLeader(m_ctx.f, a, n, vertices, ld.arc, 1.0, textOf(ld.mj));
}

void GroupEmitter::procSfcDataCrvAttrBalloon()
{
    leader(true);
}

void GroupEmitter::procSfcDataCrvAttrLeader()
{
    leader(false);
}

void GroupEmitter::procSfcDataCrvAttrPolyline()
{
    const sxf::SfcAttr a = attrOf(m_ga.al.id);
    std::vector<T2DPoint> points;
    points.reserve(m_ga.al1.size() + m_ga.al2.size() + 2);
    for (auto it = m_ga.al1.rbegin(); it != m_ga.al1.rend(); ++it) {
        m_consume.consume(m_bln, it->id);
        points.push_back(at(it->x2, it->y2));
    }
    points.push_back(at(m_ga.al.x1, m_ga.al.y1));
    points.push_back(at(m_ga.al.x2, m_ga.al.y2));
    m_consume.consume(m_bln, m_ga.al.id);
    for (const TGroupAttrLine& l : m_ga.al2) {
        m_consume.consume(m_bln, l.id);
        points.push_back(at(l.x2, l.y2));
    }
    sxf::procSfcPolyLine(m_ctx.f, a, static_cast<int32_t>(points.size()), points);
    m_ga.FindPolylineEnd();
}

} // namespace

void procSfcDataCrvAttr(convert::ConversionContext& ctx, GroupRecognizer& ga, const convert::MemberConsumption& consume,
    int32_t bln, int32_t lgp, const Placement& p)
{
    GroupEmitter emitter(ctx, ga, consume, bln, p);
    for (const int32_t ia : ga.groups().groupsIn(bln, lgp)) {
        if (ga.FindDimDia(ia))
            emitter.procSfcDataCrvAttrDimDia();
        else if (ga.FindDimRad(ia))
            emitter.procSfcDataCrvAttrDimRad();
        else if (ga.FindDimCrv(ia))
            emitter.procSfcDataCrvAttrDimCrv();
        else if (ga.FindDimAng(ia))
            emitter.procSfcDataCrvAttrDimAng();
        else if (ga.FindDimLin(ia))
            emitter.procSfcDataCrvAttrDimLin();
        else if (ga.FindBalloon(ia))
            emitter.procSfcDataCrvAttrBalloon();
        else if (ga.FindLeader(ia))
            emitter.procSfcDataCrvAttrLeader();
        else if (ga.FindPolyline(ia))
            emitter.procSfcDataCrvAttrPolyline();
    }
}

} // namespace annotation
