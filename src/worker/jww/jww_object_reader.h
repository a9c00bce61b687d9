// Reading the object stream after the header: class tags, the entity list
// and the block-definition list.
#pragma once

#include "worker/jww/byte_cursor.h"
#include "worker/jww/jww_data.h"

#include <QHash>

namespace jww {

// Resolves the class tag that precedes every object. A new class is
// registered under the current map index; every class and every object
// advances that index, from the first entity through the last definition.
class ClassTagReader {
public:
    // Reads one tag. Returns true and sets `kind` to the entity kind of the
    // class (kEntNone for a class that is not an entity class); returns false,
    // with `in` failed, for a short read or an index under which no class was
    // registered.
    bool read(ByteCursor& in, int32_t& kind);
    // Counts one object read after its tag.
    void object() { ++m_mapIndex; }

private:
    int64_t m_mapIndex = 1;
    QHash<int64_t, int32_t> m_kindOfIndex;
};

// Reads the entity list into the top-level arrays and EntNo (sized to the
// stored count; slots of dropped entities stay 0); sets Enthd.n1. Returns
// false, with `in` failed, for an unknown or unregistered class, a count the
// rest of the file cannot hold, or a file that ends inside the list.
bool readEntityList(TJwwData& d, ByteCursor& in, ClassTagReader& tags);

// Reads the block-definition list into EntBlockDef; sets Enthd.n2 to the
// stored count and EntBlockDefN to the number of definitions held. Returns
// false, with `in` failed, on the same errors as readEntityList.
bool readBlockDefList(TJwwData& d, ByteCursor& in, ClassTagReader& tags);

}  // namespace jww
