// Reading the bodies of the seven entity kinds, as they stand at the top
// level of a drawing, inside block definitions and inside dimensions.
#pragma once

#include "worker/jww/byte_cursor.h"
#include "worker/jww/entity_arrays.h"
#include "worker/jww/jwwtype.h"

#include <QByteArrayView>

#include <vector>

namespace jww {

// The shortest entity object a file can hold: a class reference (2 bytes)
// and the fixed part of a point in a file older than version 351 (33 bytes).
// A count of more objects than the rest of the file could hold is damage.
constexpr qsizetype kMinEntityObjectBytes = 35;

// The entity kind (kEntLine .. kEntBlock) of a stored class name, or kEntNone
// for a name that names no entity class.
int32_t entityKindOfClass(QByteArrayView className);

// The attribute block that opens every entity and definition: 15 bytes,
// 13 before version 351 (no pen width, which is then 0).
TEntJwwAttr readAttr(ByteCursor& in, int32_t version);

// The arrays one entity list appends to: the top level of a drawing or one
// block definition. A point without its optional part gets `pointScale` as
// its scale (1 at the top level, 0 inside definitions).
struct EntityArrays {
    EntityArrayRefs arrays;
    double pointScale;
};

// Reads the body of one entity of `kind` for file version `version` and
// appends it to its array in `to`. Returns its index in that array, or -1
// when the file ends inside the body: the entity is then dropped (its array
// does not grow) and `in` is failed.
int32_t readEntityBody(ByteCursor& in, int32_t version, int32_t kind, const EntityArrays& to);

// Steps over the body that readEntityBody would read, decoding nothing;
// `in` is failed when the file ends inside it.
void skipEntityBody(ByteCursor& in, int32_t version, int32_t kind);

}  // namespace jww
