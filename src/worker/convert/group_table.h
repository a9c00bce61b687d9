// The table of curve-attribute groups: every counted entity that carries a
// non-zero group number is announced here while the attribute tables are
// built; the recognisers of dimensions, leaders and balloons read it later.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace convert {

struct TGroupAttrField {
    int32_t no = 0;   // the group number (lGroup)
    int32_t bn = -1;  // block definition of the members, -1 for the drawing
    int32_t lg = 0;   // layer group of the first announced member
    int32_t dn = 0;   // not used by the conversion
    std::vector<int32_t> id;  // member indexes (EntNo or mNo), in order of announcement

    int32_t nm() const { return static_cast<int32_t>(id.size()); }  // number of members
};

// The group table part of the group recogniser. Groups keep the order of
// their first announcement; they are found through an index by number.
class TSFC_GroupAttr {
public:
    TSFC_GroupAttr() { DataInit(); }

    // Empties the table.
    void DataInit();
    // Releases the member lists and empties the table.
    void DataFree();
    // Index in gaf of the group numbered `a`, or -1.
    int32_t CheckAttrNumber(int32_t a) const;
    // Announces member `eid` of group `a` found in block definition `bln`
    // (-1 for the drawing) on layer group `lgp`. Group 0 is no group. A new
    // number opens a group; a known one takes the member only when it was
    // found in the same block definition (the first scope keeps the group).
    // A member already listed is not listed again: a block definition placed
    // twice announces its members twice, and copies would make a chain walk
    // back over itself.
    void AddAttrNumber(int32_t a, int32_t bln, int32_t lgp, int32_t eid);

    // Indexes in gaf, in gaf order, of the groups whose members lie in block
    // definition `bln`, or, for `bln` -1, in the drawing on layer group `lgp`.
    // The list lives as long as the table is not changed.
    const std::vector<int32_t>& groupsIn(int32_t bln, int32_t lgp) const;

    std::vector<TGroupAttrField> gaf;
    int32_t gafN() const { return static_cast<int32_t>(gaf.size()); }

private:
    static int64_t scopeKey(int32_t bln, int32_t lgp)
    {
        return (static_cast<int64_t>(bln) << 32) | static_cast<uint32_t>(bln == -1 ? lgp : 0);
    }

    std::unordered_map<int32_t, int32_t> m_index;  // group number -> index in gaf
    std::vector<std::unordered_set<int32_t>> m_listed;  // per group: the member indexes in id
    // Scope (scopeKey) -> its groups, so that writing each of many scopes
    // does not walk every group.
    std::unordered_map<int64_t, std::vector<int32_t>> m_byScope;
};

}  // namespace convert
