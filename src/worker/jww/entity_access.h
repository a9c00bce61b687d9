// Uniform access to the entities of a drawing or of a block definition by
// their (kind, index) entry.
#pragma once

#include "worker/jww/jww_data.h"

namespace jww {

// Calls `visit` with the record that entry `no` names: in the top-level
// arrays of `d` when `def` is null, else in the arrays of `def`. Returns false,
// calling nothing, for a kind without records (0, -1) or an index outside
// its array.
template <typename Visitor>
bool visitEntity(const TJwwData& d, const TEntJwwBlockDef* def, const TEntJwwNo& no, Visitor&& visit)
{
    auto at = [&](const auto& array) -> bool {
        if (no.EntNo < 0 || static_cast<size_t>(no.EntNo) >= array.size())
            return false;
        visit(array[static_cast<size_t>(no.EntNo)]);
        return true;
    };
    switch (no.EntType) {
    case kEntLine: return at(def ? def->mLine : d.EntLine);
    case kEntEnko: return at(def ? def->mEnko : d.EntEnko);
    case kEntTen: return at(def ? def->mTen : d.EntTen);
    case kEntMoji: return at(def ? def->mMoji : d.EntMoji);
    case kEntSunpo: return at(def ? def->mSunpo : d.EntSunpo);
    case kEntSolid: return at(def ? def->mSolid : d.EntSolid);
    case kEntBlock: return at(def ? def->mBlock : d.EntBlock);
    default: return false;
    }
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
