// The seven entity arrays of one scope, the top level of a drawing or a
// block definition, as one tuple in the order of the entity kinds
// (kEntLine .. kEntBlock), so that code over all kinds names them once.
#pragma once

#include "worker/jww/jww_data.h"
#include "worker/jww/jwwtype.h"

#include <cstddef>
#include <tuple>
#include <utility>

namespace jww {

// References to the seven arrays of the top level of `d`, or of definition
// `def`, in kind order. A const owner gives const references.
inline auto entityArrays(TJwwData& d)
{
    return std::tie(d.EntLine, d.EntEnko, d.EntTen, d.EntMoji, d.EntSunpo, d.EntSolid, d.EntBlock);
}
inline auto entityArrays(const TJwwData& d)
{
    return std::tie(d.EntLine, d.EntEnko, d.EntTen, d.EntMoji, d.EntSunpo, d.EntSolid, d.EntBlock);
}
inline auto entityArrays(TEntJwwBlockDef& def)
{
    return std::tie(def.mLine, def.mEnko, def.mTen, def.mMoji, def.mSunpo, def.mSolid, def.mBlock);
}
inline auto entityArrays(const TEntJwwBlockDef& def)
{
    return std::tie(def.mLine, def.mEnko, def.mTen, def.mMoji, def.mSunpo, def.mSolid, def.mBlock);
}

// The type entityArrays gives for a drawing or definition that may change.
using EntityArrayRefs = decltype(entityArrays(std::declval<TJwwData&>()));

// Calls `f` with the array of entity kind `kind` (kEntLine .. kEntBlock) in
// `arrays`, a result of entityArrays. Returns false, calling nothing, for a
// kind without records (kEntNone, -1 or anything else).
template <typename Arrays, typename F, size_t I = 0>
bool withArrayOfKind(const Arrays& arrays, int32_t kind, F&& f)
{
    if constexpr (I == std::tuple_size_v<Arrays>) {
        return false;
    } else {
        if (kind == static_cast<int32_t>(I) + kEntLine) {
            f(std::get<I>(arrays));
            return true;
        }
        return withArrayOfKind<Arrays, F, I + 1>(arrays, kind, std::forward<F>(f));
    }
}

// Calls `f` with each of the seven arrays in `arrays`, in kind order.
template <typename Arrays, typename F>
void forEachEntityArray(const Arrays& arrays, F&& f)
{
    std::apply([&](auto&... array) { (f(array), ...); }, arrays);
}

}  // namespace jww
