// The one way the drawing data changes while it is written: a member that a
// recognised curve-attribute group used is marked consumed, so that the
// ordinary conversion of its scope no longer writes it.
#pragma once

#include "worker/jww/jww_data.h"

#include <cstdint>

namespace convert {

class MemberConsumption {
public:
    // `d` is owned by the caller and outlives this object.
    explicit MemberConsumption(jww::TJwwData& d)
        : m_d(d)
    {
    }

    // Marks entry `eid` of the drawing's entity list (`bln` -1) or of block
    // definition `bln`'s member list consumed (kind -1). An index outside
    // those lists, including -1 for "no member", marks nothing.
    void consume(int32_t bln, int32_t eid) const
    {
        std::vector<jww::TEntJwwNo>* list = &m_d.EntNo;
        if (bln >= 0) {
            if (static_cast<size_t>(bln) >= m_d.EntBlockDef.size())
                return;
            list = &m_d.EntBlockDef[static_cast<size_t>(bln)].mNo;
        } else if (bln != -1) {
            return;
        }
        if (eid >= 0 && static_cast<size_t>(eid) < list->size())
            (*list)[static_cast<size_t>(eid)].EntType = jww::kEntConsumed;
    }

private:
    jww::TJwwData& m_d;
};

} // namespace convert
