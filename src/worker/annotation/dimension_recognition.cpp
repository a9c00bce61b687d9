// The five dimension recognisers. They share one frame: find the dimension
// element (a line or plain dimension entity, or a circular arc) and the text,
// test the text, then sort every other member into continuations, extension
// lines and arrow elements at the two ends of the element.
#include "worker/annotation/group_recognizer.h"

#include "common/geometry.h"
#include "common/number_parse.h"
#include "worker/annotation/group_members.h"
#include "worker/convert/solid_shape.h"

#include <cmath>
#include <type_traits>

namespace annotation {
namespace {

using common::SameNum;
using common::SamePoint;

using common::kPi;
using common::kTwoPi;

// Direction of a line folded into [0, pi): both directions of a line agree.
double foldedDirection(double x1, double y1, double x2, double y2)
{
    double a = common::AngleOf(x2 - x1, y2 - y1);
    if (a >= kPi)
        a -= kPi;
    return a;
}

bool contains(const QString& s, char16_t c)
{
    return s.contains(QChar(c));
}

bool lineHolds(const jww::TEntJwwLine& l, double px, double py)
{
    const common::SegmentProjection pr = common::ProjectOnSegment(l.start_x, l.start_y, l.end_x, l.end_y, px, py);
    return pr.onSegment && SameNum(pr.offset, 0);
}

bool isFullArc(const jww::TEntJwwEnko& e)
{
    return e.bZenEnFlg != 0 || SameNum(e.radEnkoKaku, 0) || SameNum(e.radEnkoKaku, kTwoPi);
}

// Resets what every recognition starts from; other fields keep their values.
template <typename R> void resetIds(R& r)
{
    r.ide1 = r.ide2 = kNoMember;
    r.ida1 = r.ida2 = r.ida3 = r.ida4 = kNoMember;
    r.idm = kNoMember;
    if constexpr (requires { r.idh1; })
        r.idh1 = r.idh2 = kNoMember;
    if constexpr (requires { r.idl; })
        r.idl = kNoMember;
    if constexpr (requires { r.idc; })
        r.idc = kNoMember;
    r.ar = r.ar2 = 0.1;
    r.ar1c = r.ar2c = 0;
    r.ar1d = r.ar2d = 1;
}

// The arrow elements at the two ends P1 = (x1, y1) and P2 = (x2, y2) of a
// dimension element, shared by every recogniser's part pass.
template <typename R> class ArrowSorter {
public:
    explicit ArrowSorter(R& r)
        : m_r(r)
    {
    }

    // An element with two ends: a stroke of the arrow at each end it touches.
    void stroke(double ax, double ay, double bx, double by, int32_t eid)
    {
        if (SamePoint(ax, ay, m_r.x1, m_r.y1) || SamePoint(bx, by, m_r.x1, m_r.y1)) {
            m_r.ar1c = 9;
            m_r.ar = 1.0;
            (m_r.ida1 == kNoMember ? m_r.ida1 : m_r.ida2) = eid;
        }
        if (SamePoint(ax, ay, m_r.x2, m_r.y2) || SamePoint(bx, by, m_r.x2, m_r.y2)) {
            m_r.ar2c = 9;
            m_r.ar2 = 1.0;
            (m_r.ida3 == kNoMember ? m_r.ida3 : m_r.ida4) = eid;
        }
    }

    void circle(const jww::TEntJwwEnko& e, int32_t eid)
    {
        if (!isFullArc(e))
            return;
        if (SamePoint(e.start_x, e.start_y, m_r.x1, m_r.y1))
            end1(4, 1.0, eid);
        if (SamePoint(e.start_x, e.start_y, m_r.x2, m_r.y2))
            end2(4, 1.0, eid);
    }

    void point(const jww::TEntJwwTen& e, int32_t eid)
    {
        const bool coded = e.att.nPenStyle == 100 && e.nCode > 1;
        const int32_t code = e.bKariten != 0 ? 4 : coded ? pointArrowCode(e.nCode) : 7;
        const bool scaled = e.bKariten == 0 && coded;
        if (SamePoint(e.start_x, e.start_y, m_r.x1, m_r.y1))
            end1(code, scaled ? e.dBairitsu : m_r.ar, eid);
        if (SamePoint(e.start_x, e.start_y, m_r.x2, m_r.y2))
            end2(code, scaled ? e.dBairitsu : m_r.ar2, eid);
    }

    void solid(const jww::TEntJwwSolid& e, int32_t eid)
    {
        if (e.att.nPenStyle > 100) {
            // Round solids are centred at their first corner.
            if (SamePoint(e.start_x, e.start_y, m_r.x1, m_r.y1))
                end1(7, 1.0, eid);
            if (SamePoint(e.start_x, e.start_y, m_r.x2, m_r.y2))
                end2(7, 1.0, eid);
            return;
        }
        if (convert::solidIsLine(e)) {
            stroke(e.start_x, e.start_y, e.end_x, e.end_y, eid);
            return;
        }
        auto corner = [&](double px, double py) {
            return SamePoint(e.start_x, e.start_y, px, py) || SamePoint(e.end_x, e.end_y, px, py)
                || SamePoint(e.DPoint2_x, e.DPoint2_y, px, py) || SamePoint(e.DPoint3_x, e.DPoint3_y, px, py);
        };
        if (corner(m_r.x1, m_r.y1))
            end1(6, 1.0, eid);
        if (corner(m_r.x2, m_r.y2))
            end2(6, 1.0, eid);
    }

    // Circles, points and solids; other kinds are ignored.
    void other(const GroupMember& m)
    {
        if (m.enko)
            circle(*m.enko, m.eid);
        else if (m.ten)
            point(*m.ten, m.eid);
        else if (m.solid)
            solid(*m.solid, m.eid);
    }

private:
    void end1(int32_t code, double scale, int32_t eid)
    {
        m_r.ar1c = code;
        m_r.ar = scale;
        m_r.ida1 = eid;
    }
    void end2(int32_t code, double scale, int32_t eid)
    {
        m_r.ar2c = code;
        m_r.ar2 = scale;
        m_r.ida3 = eid;
    }

    R& m_r;
};

bool skipped(int32_t eid, std::initializer_list<int32_t> ids)
{
    for (int32_t id : ids) {
        if (id == eid)
            return true;
    }
    return false;
}

// The plain dimension entity of the group, when it has one: its line is the
// element, its text the text, and the element's direction goes to `A`.
// False when the group holds a dimension entity in SXF mode, which no
// dimension here is made of.
template <typename R> bool takeDimensionEntity(const std::vector<GroupMember>& members, R& r, double& A)
{
    for (const GroupMember& m : members) {
        if (!m.sunpo)
            continue;
        if (m.sunpo->bSxfMode != 0)
            return false;
        if (r.idl == kNoMember) {
            const jww::TEntJwwLine& s = m.sunpo->Sen;
            r.x1 = s.start_x, r.y1 = s.start_y, r.x2 = s.end_x, r.y2 = s.end_y;
            r.idl = r.idm = m.eid;
            r.mj = m.sunpo->Moji;
            A = foldedDirection(s.start_x, s.start_y, s.end_x, s.end_y);
        }
    }
    return true;
}

// A line along the element that starts or ends at one of its ends carries
// it on beyond that end; a later such line replaces an earlier one.
template <typename R> void takeContinuation(R& r, const jww::TEntJwwLine& l, int32_t eid)
{
    if (SamePoint(l.start_x, l.start_y, r.x1, r.y1))
        r.x3 = l.end_x, r.y3 = l.end_y, r.ide1 = eid;
    else if (SamePoint(l.end_x, l.end_y, r.x1, r.y1))
        r.x3 = l.start_x, r.y3 = l.start_y, r.ide1 = eid;
    else if (SamePoint(l.start_x, l.start_y, r.x2, r.y2))
        r.x4 = l.end_x, r.y4 = l.end_y, r.ide2 = eid;
    else if (SamePoint(l.end_x, l.end_y, r.x2, r.y2))
        r.x4 = l.start_x, r.y4 = l.start_y, r.ide2 = eid;
}

// Without a dimension entity the group's first line is the element (its
// direction goes to `A`) and its first text the text; lines in the
// element's direction may continue it.
template <typename R> void findLineElementAndText(const std::vector<GroupMember>& members, R& r, double& A)
{
    for (const GroupMember& m : members) {
        if (skipped(m.eid, {r.idl, r.idm}))
            continue;
        if (m.line) {
            const jww::TEntJwwLine& l = *m.line;
            const double a = foldedDirection(l.start_x, l.start_y, l.end_x, l.end_y);
            if (r.idl == kNoMember) {
                r.x1 = l.start_x, r.y1 = l.start_y, r.x2 = l.end_x, r.y2 = l.end_y;
                r.idl = m.eid;
                A = a;
            } else if (SameNum(a, A)) {
                takeContinuation(r, l, m.eid);
            }
        } else if (m.moji && r.idm == kNoMember) {
            r.mj = *m.moji;
            r.idm = m.eid;
        }
    }
}

// A radius is drawn from its second end: a lone continuation is made the
// one at that end, by swapping the ends.
template <typename R> void moveLoneContinuationToEnd2(R& r)
{
    if (r.ide1 == kNoMember || r.ide2 != kNoMember)
        return;
    std::swap(r.x1, r.x2);
    std::swap(r.y1, r.y2);
    std::swap(r.ide1, r.ide2);
    std::swap(r.x3, r.x4);
    std::swap(r.y3, r.y4);
}

// Whether `l` crosses the direction `A` at between 45 and 135 degrees.
bool isSteepTo(const jww::TEntJwwLine& l, double A)
{
    double d = foldedDirection(l.start_x, l.start_y, l.end_x, l.end_y) - A;
    if (d < 0)
        d += kTwoPi;
    if (d >= kPi)
        d -= kPi;
    return d > kPi / 4 && d < 3 * kPi / 4;
}

// Takes `l` as the extension line through end 1 or end 2 of a linear
// dimension whose element runs along `A`: the first steep line through each
// end. Returns whether it was taken; the other dimensions have none.
template <typename R> bool takeExtensionLine(R& r, const jww::TEntJwwLine& l, int32_t eid, double A)
{
    if constexpr (requires { r.idh1; }) {
        const bool steep = isSteepTo(l, A);
        if (r.idh1 == kNoMember && steep && lineHolds(l, r.x1, r.y1)) {
            r.h1x1 = l.start_x, r.h1y1 = l.start_y, r.h1x2 = l.end_x, r.h1y2 = l.end_y;
            r.idh1 = eid;
            return true;
        }
        if (r.idh2 == kNoMember && steep && lineHolds(l, r.x2, r.y2)) {
            r.h2x1 = l.start_x, r.h2y1 = l.start_y, r.h2x2 = l.end_x, r.h2y2 = l.end_y;
            r.idh2 = eid;
            return true;
        }
    }
    return false;
}

// Every member not yet taken: extension lines (when `extensionLines`), then
// arrow elements at the ends of the element.
template <typename R>
void sortLineParts(const std::vector<GroupMember>& members, R& r, double A, bool extensionLines)
{
    ArrowSorter<R> arrows(r);
    for (const GroupMember& m : members) {
        if (skipped(m.eid, {r.idl, r.ide1, r.ide2, r.idm}))
            continue;
        if (!m.line) {
            arrows.other(m);
            continue;
        }
        const jww::TEntJwwLine& l = *m.line;
        if (!(extensionLines && takeExtensionLine(r, l, m.eid, A)))
            arrows.stroke(l.start_x, l.start_y, l.end_x, l.end_y, m.eid);
    }
}

// Steps shared by the dimensions whose element is a line: linear, diameter,
// radius. `accept` tests the text; `extensionLines` says whether steep lines
// through the ends are extension lines (linear) or strokes (the others).
template <typename R, typename TextTest>
bool lineDimension(
    const std::vector<GroupMember>& members, R& r, TextTest accept, bool extensionLines, bool swapLoneContinuation)
{
    if (members.empty())
        return false;
    resetIds(r);
    double A = 0;
    if (!takeDimensionEntity(members, r, A))
        return false;
    findLineElementAndText(members, r, A);
    if (r.idl == kNoMember || r.idm == kNoMember || !accept(r.mj))
        return false;
    if (swapLoneContinuation)
        moveLoneContinuationToEnd2(r);
    sortLineParts(members, r, A, extensionLines);
    return true;
}

// The ends of a circular arc in degrees, counter-clockwise from `s` to `t`:
// an arc with a negative sweep has them swapped.
struct ArcEnds {
    double s = 0, t = 0;
};

ArcEnds arcEnds(const jww::TEntJwwEnko& e)
{
    double s = common::NormDeg(common::RadToDeg(e.radKaishiKaku + e.radKatamukiKaku));
    double t = common::NormDeg(common::RadToDeg(e.radEnkoKaku) + s);
    if (e.radEnkoKaku < 0)
        std::swap(s, t);
    return {s, t};
}

void takeDimensionArc(TGroupAttrDimCrv& r, const jww::TEntJwwEnko& e, ArcEnds ends, int32_t eid)
{
    r.x = e.start_x, r.y = e.start_y, r.r = e.dHankei;
    r.sa = ends.s, r.ea = ends.t;
    const common::GeoPoint p1 = common::EllipsePoint(r.x, r.y, r.r, 1, 0, common::DegToRad(r.sa));
    const common::GeoPoint p2 = common::EllipsePoint(r.x, r.y, r.r, 1, 0, common::DegToRad(r.ea));
    r.x1 = p1.x, r.y1 = p1.y, r.x2 = p2.x, r.y2 = p2.y;
    r.idc = eid;
}

// An arc that ends where the dimension arc starts continues it before its
// start, one that starts where it ends continues it after its end; a later
// one replaces an earlier one.
void takeArcContinuation(TGroupAttrDimCrv& r, ArcEnds ends, int32_t eid)
{
    // The exact complement of the dimension arc continues neither end.
    if (SameNum(ends.t, r.sa) && SameNum(ends.s, r.ea))
        return;
    if (SameNum(ends.t, r.sa))
        r.ae1 = ends.s, r.ide1 = eid;
    if (SameNum(ends.s, r.ea))
        r.ae2 = ends.t, r.ide2 = eid;
}

// The group's first circular arc is the element and its first text the
// text; later circular arcs may continue the element.
void findArcElementAndText(const std::vector<GroupMember>& members, TGroupAttrDimCrv& r)
{
    for (const GroupMember& m : members) {
        if (m.enko && SameNum(m.enko->dHenpeiRitsu, 1)) {
            const ArcEnds ends = arcEnds(*m.enko);
            if (r.idc == kNoMember)
                takeDimensionArc(r, *m.enko, ends, m.eid);
            else
                takeArcContinuation(r, ends, m.eid);
        } else if (m.moji && r.idm == kNoMember) {
            r.mj = *m.moji;
            r.idm = m.eid;
        }
    }
}

// Takes `l` as the radial extension line at the start or the end angle of
// the dimension arc: the first line whose both ends lie in that direction
// from the centre, kept nearer end first. Returns whether it was taken.
bool takeRadialExtensionLine(TGroupAttrDimCrv& r, const jww::TEntJwwLine& l, int32_t eid)
{
    const double ps = common::RadToDeg(common::AngleOf(l.start_x - r.x, l.start_y - r.y));
    const double pe = common::RadToDeg(common::AngleOf(l.end_x - r.x, l.end_y - r.y));
    const bool startNearer
        = common::Distance(r.x, r.y, l.start_x, l.start_y) < common::Distance(r.x, r.y, l.end_x, l.end_y);
    const double nx = startNearer ? l.start_x : l.end_x, ny = startNearer ? l.start_y : l.end_y;
    const double fx = startNearer ? l.end_x : l.start_x, fy = startNearer ? l.end_y : l.start_y;
    if (SameNum(ps, r.sa) && SameNum(pe, r.sa) && r.idh1 == kNoMember) {
        r.h1x1 = nx, r.h1y1 = ny, r.h1x2 = fx, r.h1y2 = fy;
        r.idh1 = eid;
        return true;
    }
    if (SameNum(ps, r.ea) && SameNum(pe, r.ea) && r.idh2 == kNoMember) {
        r.h2x1 = nx, r.h2y1 = ny, r.h2x2 = fx, r.h2y2 = fy;
        r.idh2 = eid;
        return true;
    }
    return false;
}

// Every member not yet taken: radial extension lines, then arrow elements
// at the ends of the dimension arc.
void sortArcParts(const std::vector<GroupMember>& members, TGroupAttrDimCrv& r)
{
    ArrowSorter<TGroupAttrDimCrv> arrows(r);
    for (const GroupMember& m : members) {
        if (skipped(m.eid, {r.idc, r.ide1, r.ide2, r.idm}))
            continue;
        if (!m.line) {
            arrows.other(m);
            continue;
        }
        const jww::TEntJwwLine& l = *m.line;
        if (!takeRadialExtensionLine(r, l, m.eid))
            arrows.stroke(l.start_x, l.start_y, l.end_x, l.end_y, m.eid);
    }
}

// The dimensions whose element is a circular arc: curve and angular.
template <typename TextTest>
bool arcDimension(const std::vector<GroupMember>& members, TGroupAttrDimCrv& r, TextTest accept)
{
    if (members.empty())
        return false;
    resetIds(r);
    findArcElementAndText(members, r);
    if (r.idc == kNoMember || r.idm == kNoMember || !accept(r.mj))
        return false;
    sortArcParts(members, r);
    return true;
}

bool flagsAre(const jww::TEntJwwMoji& mj, uint16_t mask, uint16_t value)
{
    return (mj.att.sFlg & mask) == value;
}

} // namespace

bool GroupRecognizer::FindDimLin(int32_t ia)
{
    return lineDimension(
        groupMembers(m_d, m_groups, ia), gdl, [](const jww::TEntJwwMoji& mj) { return flagsAre(mj, 0x4710, 0x4010); },
        true, false);
}

bool GroupRecognizer::FindDimDia(int32_t ia)
{
    return lineDimension(
        groupMembers(m_d, m_groups, ia), gdd,
        [](const jww::TEntJwwMoji& mj) { return contains(mj.str, u'\u03C6') || flagsAre(mj, 0x5710, 0x4210); }, false,
        false);
}

bool GroupRecognizer::FindDimRad(int32_t ia)
{
    return lineDimension(
        groupMembers(m_d, m_groups, ia), gdd,
        [](const jww::TEntJwwMoji& mj) {
            return contains(mj.str, u'R') || contains(mj.str, u'\uFF32') || flagsAre(mj, 0x5710, 0x4110);
        },
        false, true);
}

bool GroupRecognizer::FindDimCrv(int32_t ia)
{
    return arcDimension(
        groupMembers(m_d, m_groups, ia), gdc, [](const jww::TEntJwwMoji& mj) { return flagsAre(mj, 0x5710, 0x4010); });
}

bool GroupRecognizer::FindDimAng(int32_t ia)
{
    return arcDimension(groupMembers(m_d, m_groups, ia), gdc, [](const jww::TEntJwwMoji& mj) {
        return contains(mj.str, u'\uFF9F') || contains(mj.str, u'\u00B0') || flagsAre(mj, 0x5710, 0x4410);
    });
}

} // namespace annotation
