// Listing the scopes of the drawing data.
#include "worker/convert/drawing_scopes.h"

#include "worker/jww/entity_access.h"

namespace convert {

namespace {

// Orders `scopes` so that every symbol comes after the symbols its
// definition places, keeping the given order wherever nothing is placed
// ahead of its definition. Definitions that place themselves (directly or
// through others) are left where the walk meets them.
std::vector<BlockSymbolScope> placedFirst(const jww::TJwwData& d, const BlockSymbols& symbols,
                                          const std::vector<BlockSymbolScope>& scopes)
{
    std::vector<size_t> scopeOfDef(d.EntBlockDef.size(), scopes.size());  // definition -> its scope
    for (size_t i = 0; i < scopes.size(); ++i)
        scopeOfDef[static_cast<size_t>(scopes[i].defIndex)] = i;
    enum class Mark { None, Open, Done };
    std::vector<Mark> mark(scopes.size(), Mark::None);
    std::vector<BlockSymbolScope> ordered;
    ordered.reserve(scopes.size());
    // An explicit stack: nesting can be as deep as the drawing makes it.
    std::vector<std::pair<size_t, size_t>> stack;  // scope, next member insert
    for (size_t root = 0; root < scopes.size(); ++root) {
        if (mark[root] != Mark::None)
            continue;
        mark[root] = Mark::Open;
        stack.push_back({root, 0});
        while (!stack.empty()) {
            auto& [scope, next] = stack.back();
            const auto& inserts = d.EntBlockDef[scopes[scope].defIndex].mBlock;
            if (next < inserts.size()) {
                const int32_t def = symbols.definitionOf(inserts[next++].nNumber);
                const size_t placed = def < 0 ? scopes.size() : scopeOfDef[static_cast<size_t>(def)];
                if (placed < scopes.size() && mark[placed] == Mark::None) {
                    mark[placed] = Mark::Open;
                    stack.push_back({placed, 0});
                }
                continue;
            }
            mark[scope] = Mark::Done;
            ordered.push_back(scopes[scope]);
            stack.pop_back();
        }
    }
    return ordered;
}

}  // namespace

std::vector<BlockSymbolScope> blockSymbolScopes(const jww::TJwwData& d, const AttributeTables& t)
{
    const BlockSymbols& symbols = t.symbols();
    std::vector<BlockSymbolScope> scopes;
    for (int32_t i = 0; i < jww::countOf(d.EntBlockDef); ++i) {
        if (symbols.kindOf(i) == 4)
            scopes.push_back({i, symbols.nameOf(i), 4});
    }
    for (const TDatPrtField& part : t.DatPrt) {
        if (symbols.kindOf(part.no) == part.typ && part.typ != 0)
            scopes.push_back({part.no, part.nam, part.typ});
    }
    return placedFirst(d, symbols, scopes);
}

std::vector<GroupPartScope> groupPartScopes(const AttributeTables& t)
{
    std::vector<GroupPartScope> scopes;
    for (int32_t k = 1; k <= static_cast<int32_t>(t.DatPrt.size()); ++k) {
        const TDatPrtField& part = t.DatPrt[k - 1];
        if (part.typ != 0)
            continue;
        GroupPartScope scope{k, part.nam, part.sc, {}};
        for (int g = 0; g < static_cast<int>(t.DatLgp.size()); ++g) {
            if (t.DatLgp[g].no == k)
                scope.groups.push_back(g);
        }
        scopes.push_back(std::move(scope));
    }
    return scopes;
}

std::vector<int> sheetGroups(const AttributeTables& t)
{
    std::vector<int> groups;
    for (int g = 0; g < static_cast<int>(t.DatLgp.size()); ++g) {
        if (isSheetScale(t.DatLgp[g].sc))
            groups.push_back(g);
    }
    return groups;
}

GroupEntities topLevelByGroup(const jww::TJwwData& d)
{
    GroupEntities byGroup;
    for (int32_t eid = 0; eid < static_cast<int32_t>(d.EntNo.size()); ++eid) {
        jww::visitEntity(d, nullptr, d.EntNo[eid], [&](const auto& e) {
            const jww::TEntJwwAttr& a = jww::layerAttrOf(e);
            if (jww::hasValidLayer(a))
                byGroup[a.nGLayer].push_back(eid);
        });
    }
    return byGroup;
}

}  // namespace convert
