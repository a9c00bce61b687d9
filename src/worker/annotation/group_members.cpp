// Resolving member indexes through the entity list of the group's scope.
#include "worker/annotation/group_members.h"

#include "worker/jww/entity_access.h"

#include <type_traits>

namespace annotation {

std::vector<GroupMember> groupMembers(const jww::TJwwData& d, const convert::TSFC_GroupAttr& groups, int32_t ia)
{
    std::vector<GroupMember> out;
    if (ia < 0 || static_cast<size_t>(ia) >= groups.gaf.size())
        return out;
    const convert::TGroupAttrField& g = groups.gaf[static_cast<size_t>(ia)];
    if (g.id.empty() || g.bn < -1 || (g.bn >= 0 && static_cast<size_t>(g.bn) >= d.EntBlockDef.size()))
        return out;
    const jww::TEntJwwBlockDef* def = g.bn >= 0 ? &d.EntBlockDef[static_cast<size_t>(g.bn)] : nullptr;
    const std::vector<jww::TEntJwwNo>& list = def ? def->mNo : d.EntNo;
    out.reserve(g.id.size());
    for (int32_t eid : g.id) {
        GroupMember m;
        m.eid = eid;
        if (eid >= 0 && static_cast<size_t>(eid) < list.size()) {
            jww::visitEntity(d, def, list[static_cast<size_t>(eid)], [&](const auto& e) {
                using E = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<E, jww::TEntJwwLine>)
                    m.line = &e;
                else if constexpr (std::is_same_v<E, jww::TEntJwwEnko>)
                    m.enko = &e;
                else if constexpr (std::is_same_v<E, jww::TEntJwwTen>)
                    m.ten = &e;
                else if constexpr (std::is_same_v<E, jww::TEntJwwMoji>)
                    m.moji = &e;
                else if constexpr (std::is_same_v<E, jww::TEntJwwSunpo>)
                    m.sunpo = &e;
                else if constexpr (std::is_same_v<E, jww::TEntJwwSolid>)
                    m.solid = &e;
            });
        }
        out.push_back(m);
    }
    return out;
}

} // namespace annotation
