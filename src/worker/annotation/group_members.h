// The members of one curve-attribute group, resolved to their records in the
// drawing or in the group's block definition.
#pragma once

#include "worker/convert/group_table.h"
#include "worker/jww/jww_data.h"

#include <cstdint>
#include <vector>

namespace annotation {

// One member position. At most one record pointer is set; none for a
// consumed member, a member whose entry or record index is out of range, or
// a kind the recognisers do not read (block placements).
struct GroupMember {
    int32_t eid = -1;
    const jww::TEntJwwLine* line = nullptr;
    const jww::TEntJwwEnko* enko = nullptr;
    const jww::TEntJwwTen* ten = nullptr;
    const jww::TEntJwwMoji* moji = nullptr;
    const jww::TEntJwwSunpo* sunpo = nullptr;
    const jww::TEntJwwSolid* solid = nullptr;
};

// The arrow code a point with code `nCode` stands for: codes above 11 are
// unknown to SXF readers, and such a point is a plain marker (7), as the
// point conversion draws it.
inline int32_t pointArrowCode(int32_t nCode)
{
    return nCode > 11 ? 7 : nCode;
}

// The members of group `ia` of `groups` in order of announcement. Empty when
// `ia` is no group, the group has no members, or its block definition index
// is neither -1 nor a definition of `d`.
std::vector<GroupMember> groupMembers(const jww::TJwwData& d, const convert::TSFC_GroupAttr& groups, int32_t ia);

} // namespace annotation
