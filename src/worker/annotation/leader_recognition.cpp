// The leader, balloon and polyline recognisers. All three follow chains of
// touching lines; the end points of the group's lines are indexed once per
// recognition so that each step of a chain looks up its neighbours instead
// of walking every member again.
#include "worker/annotation/group_recognizer.h"

#include "common/geometry.h"
#include "common/number_parse.h"
#include "worker/annotation/end_point_index.h"
#include "worker/annotation/group_members.h"
#include "worker/convert/solid_shape.h"

#include <array>
#include <cmath>

namespace annotation {
namespace {

using common::SamePoint;

double lengthOf(const jww::TEntJwwLine& l)
{
    return common::Distance(l.start_x, l.start_y, l.end_x, l.end_y);
}

EndPointIndex indexLines(const std::vector<GroupMember>& members)
{
    EndPointIndex index;
    for (size_t i = 0; i < members.size(); ++i) {
        if (const jww::TEntJwwLine* l = members[i].line)
            index.add(static_cast<int32_t>(i), l->start_x, l->start_y, l->end_x, l->end_y);
    }
    return index;
}

// The free lines of a group that a chain may still take: the lowest free
// position touching a point is the first one a walk over the members in
// order would meet.
class ChainLines {
public:
    explicit ChainLines(const std::vector<GroupMember>& members)
        : m_members(members)
        , m_index(indexLines(members))
    {
    }

    // No longer free.
    void take(size_t pos)
    {
        const jww::TEntJwwLine& l = *m_members[pos].line;
        m_index.remove(static_cast<int32_t>(pos), l.start_x, l.start_y, l.end_x, l.end_y);
    }

    // Takes the first free line with an end at (px, py), appends it to
    // `chain` oriented away from that point and moves the point to its other
    // end. False when no free line touches the point.
    bool extend(double& px, double& py, std::vector<TGroupAttrLine>& chain)
    {
        const int32_t pos = m_index.firstAt(px, py);
        if (pos < 0)
            return false;
        const GroupMember& m = m_members[static_cast<size_t>(pos)];
        const jww::TEntJwwLine& l = *m.line;
        if (SamePoint(l.start_x, l.start_y, px, py))
            chain.push_back({m.eid, l.start_x, l.start_y, l.end_x, l.end_y});
        else
            chain.push_back({m.eid, l.end_x, l.end_y, l.start_x, l.start_y});
        take(static_cast<size_t>(pos));
        px = chain.back().x2;
        py = chain.back().y2;
        return true;
    }

private:
    const std::vector<GroupMember>& m_members;
    EndPointIndex m_index;
};

// The arrow elements of a leader or balloon, in one pass over the members.
class ArrowPass {
public:
    ArrowPass(const std::vector<GroupMember>& members, TGroupAttrLeader& ld, bool balloon)
        : m_members(members)
        , m_ld(ld)
        , m_balloon(balloon)
        , m_lines(indexLines(members))
    {
    }

    void run()
    {
        for (size_t i = 0; i < m_members.size(); ++i) {
            const GroupMember& m = m_members[i];
            if (m.line)
                line(*m.line, static_cast<int32_t>(i), m.eid);
            else if (m.ten)
                point(*m.ten, m.eid);
            else if (m.moji && m_ld.idm == kNoMember) {
                m_ld.mj = *m.moji;
                m_ld.idm = m.eid;
            } else if (m.solid)
                solid(*m.solid, m.eid);
            else if (m.enko && m_balloon)
                circle(*m.enko, m.eid);
        }
    }

private:
    // The other lines touching (x, y); three are as good as more.
    std::vector<int32_t> othersAt(double x, double y, int32_t pos) const
    {
        std::vector<int32_t> found = m_lines.linesAt(x, y, 4);
        std::erase(found, pos);
        return found;
    }

    // A stroke of an arrowhead meets the other stroke and the leader line at
    // the tip, and nothing at its other end; the two lines at the tip differ
    // in length.
    void line(const jww::TEntJwwLine& l, int32_t pos, int32_t eid)
    {
        const std::vector<int32_t> atStart = othersAt(l.start_x, l.start_y, pos);
        const std::vector<int32_t> atEnd = othersAt(l.end_x, l.end_y, pos);
        const bool tipAtStart = atStart.size() == 2 && atEnd.empty();
        const bool tipAtEnd = atEnd.size() == 2 && atStart.empty();
        if (!tipAtStart && !tipAtEnd)
            return;
        const std::vector<int32_t>& pair = tipAtStart ? atStart : atEnd;
        const double l1 = lengthOf(*m_members[static_cast<size_t>(pair[0])].line);
        const double l2 = lengthOf(*m_members[static_cast<size_t>(pair[1])].line);
        if (common::NearNum(l1, l2, 0.001))
            return;
        m_ld.arc = 9;
        m_ld.ax = tipAtStart ? l.start_x : l.end_x;
        m_ld.ay = tipAtStart ? l.start_y : l.end_y;
        (m_ld.ida1 == kNoMember ? m_ld.ida1 : m_ld.ida2) = eid;
    }

    void point(const jww::TEntJwwTen& e, int32_t eid)
    {
        if (m_ld.ida1 != kNoMember)
            return;
        if (e.bKariten != 0)
            m_ld.arc = 4;
        else if (e.att.nPenStyle == 100 && e.nCode > 1)
            m_ld.arc = pointArrowCode(e.nCode);
        else
            m_ld.arc = 7;
        m_ld.ax = e.start_x;
        m_ld.ay = e.start_y;
        m_ld.ida1 = eid;
        m_ld.ida2 = kNoMember;
    }

    void solid(const jww::TEntJwwSolid& e, int32_t eid)
    {
        if (e.att.nPenStyle > 100) {
            m_ld.arc = 7;
            m_ld.ax = e.start_x;
            m_ld.ay = e.start_y;
            m_ld.ida1 = eid;
            m_ld.ida2 = kNoMember;
        } else if (!convert::solidIsLine(e)) {
            m_ld.arc = 6;
            areaTip(e, eid);
        } else {
            m_ld.arc = 9;
            thickStroke(e, eid);
        }
    }

    // A filled arrowhead: its tip is the corner where the first member line
    // (in member order) touches it.
    void areaTip(const jww::TEntJwwSolid& e, int32_t eid)
    {
        const double cx[4] = {e.start_x, e.end_x, e.DPoint2_x, e.DPoint3_x};
        const double cy[4] = {e.start_y, e.end_y, e.DPoint2_y, e.DPoint3_y};
        int32_t best = -1;
        int corner = 0;
        for (int k = 0; k < 4; ++k) {
            const int32_t pos = m_lines.firstAt(cx[k], cy[k]);
            // For one line the corners are tried in order, so an earlier
            // corner wins a tie.
            if (pos >= 0 && (best < 0 || pos < best)) {
                best = pos;
                corner = k;
            }
        }
        if (best < 0)
            return;
        m_ld.ax = cx[corner];
        m_ld.ay = cy[corner];
        m_ld.ida1 = eid;
    }

    // Two thick strokes make an arrowhead; their common end is the tip.
    void thickStroke(const jww::TEntJwwSolid& e, int32_t eid)
    {
        if (m_ld.ida3 == kNoMember) {
            m_ld.ida3 = eid;
            m_first = {e.start_x, e.start_y, e.end_x, e.end_y};
            return;
        }
        auto remembered = [&](double x, double y) {
            return SamePoint(x, y, m_first[0], m_first[1]) || SamePoint(x, y, m_first[2], m_first[3]);
        };
        if (remembered(e.start_x, e.start_y)) {
            m_ld.ax = e.start_x;
            m_ld.ay = e.start_y;
            m_ld.ida4 = eid;
        } else if (remembered(e.end_x, e.end_y)) {
            m_ld.ax = e.end_x;
            m_ld.ay = e.end_y;
            m_ld.ida4 = eid;
        }
    }

    void circle(const jww::TEntJwwEnko& e, int32_t eid)
    {
        const double sweep = std::fabs(e.radEnkoKaku);
        const bool full = e.bZenEnFlg != 0 || common::SameNum(sweep, 0) || common::SameNum(sweep, common::kTwoPi);
        if (!full || m_ld.idc != kNoMember)
            return;
        m_ld.cx = e.start_x;
        m_ld.cy = e.start_y;
        m_ld.cr = e.dHankei;
        m_ld.idc = eid;
    }

    const std::vector<GroupMember>& m_members;
    TGroupAttrLeader& m_ld;
    bool m_balloon = false;
    EndPointIndex m_lines;
    std::array<double, 4> m_first {};
};

} // namespace

bool GroupRecognizer::findLeaderOrBalloon(int32_t ia, bool balloon)
{
    const std::vector<GroupMember> members = groupMembers(m_d, m_groups, ia);
    if (members.empty())
        return false;
    ld.ida1 = ld.ida2 = ld.ida3 = ld.ida4 = kNoMember;
    ld.idm = kNoMember;
    if (balloon)
        ld.idc = kNoMember;
    ld.mj = {};
    ld.arc = 0;
    ld.aln = 0;
    ld.al.clear();
    ArrowPass(members, ld, balloon).run();
    if (ld.ida1 == kNoMember || ld.ida3 == kNoMember || (balloon && ld.idc == kNoMember))
        return false;
    ChainLines lines(members);
    for (size_t i = 0; i < members.size(); ++i) {
        const int32_t eid = members[i].eid;
        if (members[i].line && (eid == ld.ida1 || eid == ld.ida2 || eid == ld.idm || (balloon && eid == ld.idc)))
            lines.take(i);
    }
    double px = ld.ax, py = ld.ay;
    for (size_t walk = 0; walk < members.size() && lines.extend(px, py, ld.al); ++walk) { }
    ld.aln = static_cast<int32_t>(ld.al.size());
    return ld.aln >= 1;
}

bool GroupRecognizer::FindLeader(int32_t ia)
{
    return findLeaderOrBalloon(ia, false);
}

bool GroupRecognizer::FindBalloon(int32_t ia)
{
    return findLeaderOrBalloon(ia, true);
}

bool GroupRecognizer::FindPolyline(int32_t ia)
{
    const std::vector<GroupMember> members = groupMembers(m_d, m_groups, ia);
    if (members.empty())
        return false;
    al1.clear();
    al2.clear();
    aln1 = aln2 = 0;
    size_t first = 0;
    while (first < members.size() && !members[first].line)
        ++first;
    if (first == members.size())
        return false;
    const jww::TEntJwwLine& l = *members[first].line;
    al = {members[first].eid, l.start_x, l.start_y, l.end_x, l.end_y};
    ChainLines lines(members);
    lines.take(first);
    double px = al.x1, py = al.y1, qx = al.x2, qy = al.y2;
    // A chain that has closed takes nothing more: the lines beyond stay for
    // the ordinary conversion.
    for (size_t walk = 0; walk < members.size() && !SamePoint(px, py, qx, qy) && lines.extend(px, py, al1); ++walk) { }
    for (size_t walk = 0; walk < members.size() && !SamePoint(qx, qy, px, py) && lines.extend(qx, qy, al2); ++walk) { }
    aln1 = static_cast<int32_t>(al1.size());
    aln2 = static_cast<int32_t>(al2.size());
    return aln1 >= 1 || aln2 >= 1;
}

void GroupRecognizer::FindPolylineEnd()
{
    aln1 = aln2 = 0;
    al1.clear();
    al2.clear();
    ld.aln = 0;
    ld.al.clear();
}

} // namespace annotation
