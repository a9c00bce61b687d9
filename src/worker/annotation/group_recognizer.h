// The recognisers of curve-attribute groups: each decides whether one group
// of the table is a diameter, radius, arc-length (curve), angular or linear
// dimension, a balloon, a leader or a polyline, and collects its parts into
// a result record.
#pragma once

#include "worker/annotation/group_records.h"
#include "worker/convert/group_table.h"
#include "worker/jww/jww_data.h"

#include <cstdint>
#include <vector>

namespace annotation {

// Reads drawing `d` and group table `groups`, both owned by the caller and
// outliving the recogniser. Each Find method examines group `ia` and returns
// true when the group is of its kind, with the result in its record; it
// changes nothing but that record. A false result can leave the record half
// filled. An `ia` outside the table, an empty group, or a group whose block
// definition index names no definition gives false. Members marked consumed
// match no kind.
class GroupRecognizer {
public:
    GroupRecognizer(const jww::TJwwData& d, const convert::TSFC_GroupAttr& groups)
        : m_d(d)
        , m_groups(groups)
    {
    }

    // Dimensions with a line (or a plain dimension entity) as their element:
    // result in gdd (diameter, radius) or gdl (linear). A group holding a
    // dimension entity made in SXF mode is none of these.
    bool FindDimDia(int32_t ia);
    bool FindDimRad(int32_t ia);
    bool FindDimLin(int32_t ia);
    // Dimensions with a circular arc as their element: result in gdc.
    bool FindDimCrv(int32_t ia);
    bool FindDimAng(int32_t ia);

    // A chain of lines from an arrow tip, with an optional text (and for a
    // balloon a full circle): result in ld. Only groups with arrow elements
    // of both kinds (ida1 and ida3) are taken.
    bool FindBalloon(int32_t ia);
    bool FindLeader(int32_t ia);
    // A chain of at least two connected lines: result in al, aln1/al1 (lines
    // chained onto its start) and aln2/al2 (onto its end). A chain that has
    // closed takes no further line.
    bool FindPolyline(int32_t ia);
    // Empties the chain lists once a polyline has been written.
    void FindPolylineEnd();

    const jww::TJwwData& drawing() const { return m_d; }
    const convert::TSFC_GroupAttr& groups() const { return m_groups; }

    TGroupAttrDimDia gdd;
    TGroupAttrDimCrv gdc;
    TGroupAttrDimLin gdl;
    TGroupAttrLine al;
    int32_t aln1 = 0;
    int32_t aln2 = 0;
    std::vector<TGroupAttrLine> al1;
    std::vector<TGroupAttrLine> al2;
    TGroupAttrLeader ld;

private:
    bool findLeaderOrBalloon(int32_t ia, bool balloon);

    const jww::TJwwData& m_d;
    const convert::TSFC_GroupAttr& m_groups;
};

} // namespace annotation
