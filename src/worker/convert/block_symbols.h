// Block definitions as the symbols they are written as: which definition a
// placement's number names, and the symbol name it is defined and placed
// under. Built once per run, so that a placement finds its symbol at once.
#pragma once

#include "worker/jww/jww_data.h"

#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace convert {

struct TDatPrtField;  // attribute_tables.h

// The part kind that a block definition's name marks: 1 for a name holding
// "@@SfigorgFlag@@1", else 2 for one holding "@@SfigorgFlag@@2", 0 for an
// ordinary block. `at` is where the mark begins (-1 for an ordinary block).
struct BlockMark {
    int32_t typ = 0;
    qsizetype at = -1;
};
BlockMark blockMarkOf(const QString& name);

// The symbol name of block definition `index`: its name up to
// "@@SfigorgFlag", or the whole name, made safe for a record by
// sxf::safeSfcString; "_BLOCK_" + index when that is blank.
QString blockSymbolName(const jww::TEntJwwBlockDef& def, int index);

class BlockSymbols {
public:
    // Lists the symbols of drawing `d`: every referenced definition with
    // members. Ordinary ones (kind 4) carry blockSymbolName; the marked ones
    // take the name and kind of their part in `parts` (typ 1 or 2, `no` the
    // definition), the name made unique among the parts. `d` need not outlive
    // the table.
    void build(const jww::TJwwData& d, const std::vector<TDatPrtField>& parts);
    void clear();

    // Index of the first definition numbered `number`, or -1.
    int32_t definitionOf(uint32_t number) const;
    // The name placements of definition number `number` refer to, or null
    // when that definition is not written as a symbol.
    const QString* placedName(uint32_t number) const;
    // Kind of the symbol made from definition `index` (4 for an ordinary
    // block, 1 or 2 for a marked one), 0 when none is written for it.
    int32_t kindOf(int32_t index) const;
    // The name of that symbol; empty when none is placed.
    const QString& nameOf(int32_t index) const;

private:
    struct Entry {
        QString name;      // empty: no placement refers to this definition
        int32_t kind = 0;  // 0: no symbol of its own
    };
    std::vector<Entry> m_defs;
    std::unordered_map<uint32_t, int32_t> m_first;  // number -> first definition
};

}  // namespace convert
