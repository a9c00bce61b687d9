// Uniform access to the entities of a drawing or of a block definition by
// their (kind, index) entry.
#pragma once

#include "worker/jww/entity_arrays.h"
#include "worker/jww/jww_data.h"

namespace jww {

// Calls `visit` with the record that entry `no` names: in the top-level
// arrays of `d` when `def` is null, else in the arrays of `def`. Returns false,
// calling nothing, for a kind without records (0, -1) or an index outside
// its array.
template <typename Visitor>
bool visitEntity(const TJwwData& d, const TEntJwwBlockDef* def, const TEntJwwNo& no, Visitor&& visit)
{
    bool found = false;
    auto at = [&](const auto& array) {
        if (no.EntNo < 0 || static_cast<size_t>(no.EntNo) >= array.size())
            return;
        visit(array[static_cast<size_t>(no.EntNo)]);
        found = true;
    };
    if (def)
        withArrayOfKind(entityArrays(*def), no.EntType, at);
    else
        withArrayOfKind(entityArrays(d), no.EntType, at);
    return found;
}

// The attributes that place an entity on a layer: those of its dimension
// line for a dimension, its own otherwise.
inline const TEntJwwAttr& layerAttrOf(const TEntJwwSunpo& e) { return e.Sen.att; }
template <typename E>
const TEntJwwAttr& layerAttrOf(const E& e)
{
    return e.att;
}

// False for layer or group numbers beyond 15, which only damaged drawings
// carry; such entities are neither counted nor written.
inline bool hasValidLayer(const TEntJwwAttr& att)
{
    return att.nLayer <= 15 && att.nGLayer <= 15;
}

}  // namespace jww
