// The scopes of the drawing data in the order they are written: block
// symbols, marked-block symbols, layer-group parts, and the sheet. The
// boundary pass and the data pass both walk them through this one listing.
#pragma once

#include "worker/convert/attribute_tables.h"
#include "worker/jww/jww_data.h"

#include <QString>

#include <array>
#include <vector>

namespace convert {

// A symbol made from a block definition.
struct BlockSymbolScope {
    int defIndex = 0;  // into EntBlockDef
    QString name;      // symbol name
    int32_t kind = 4;  // 4 ordinary block; 1 or 2 marked block
};

// A symbol made from the layer groups that share one scale.
struct GroupPartScope {
    int32_t k = 0;  // 1-based position in DatPrt
    QString name;
    double sc = 1;
    std::vector<int> groups;  // layer groups g with DatLgp[g].no == k, in order
};

// Ordinary block symbols (referenced definitions with members and without a
// mark) in definition order, then the marked blocks in part order; a symbol
// whose definition places another symbol follows that symbol. Reads the
// symbols of `t` (built by proc3).
std::vector<BlockSymbolScope> blockSymbolScopes(const jww::TJwwData& d, const AttributeTables& t);
// The layer-group parts in part order.
std::vector<GroupPartScope> groupPartScopes(const AttributeTables& t);
// The layer groups drawn on the sheet: those of scale 1.
std::vector<int> sheetGroups(const AttributeTables& t);

// The top-level entities (EntNo indexes, in file order) of each layer group;
// entities whose layer numbers are damaged belong to none.
using GroupEntities = std::array<std::vector<int32_t>, 16>;
GroupEntities topLevelByGroup(const jww::TJwwData& d);

}  // namespace convert
