// Listing the scopes of the drawing data.
#include "worker/convert/drawing_scopes.h"

#include "worker/convert/entity_converter.h"
#include "worker/jww/entity_access.h"

#include <cmath>

namespace convert {

std::vector<BlockSymbolScope> blockSymbolScopes(const jww::TJwwData& d, const AttributeTables& t)
{
    std::vector<BlockSymbolScope> scopes;
    for (int i = 0; i < static_cast<int>(d.EntBlockDef.size()); ++i) {
        const jww::TEntJwwBlockDef& def = d.EntBlockDef[i];
        if (def.N <= 0 || !def.ref_flag)
            continue;
        if (def.strName.contains(QStringLiteral("@@SfigorgFlag@@1"))
            || def.strName.contains(QStringLiteral("@@SfigorgFlag@@2")))
            continue;
        scopes.push_back({i, blockSymbolName(def, i), 4});
    }
    for (const TDatPrtField& part : t.DatPrt) {
        if (part.typ == 1 || part.typ == 2)
            scopes.push_back({part.no, part.nam, part.typ});
    }
    return scopes;
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
        if (std::fabs(t.DatLgp[g].sc - 1) <= 1e-12)
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
