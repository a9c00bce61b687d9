// The group table, with an index by group number so that announcing the
// members of a drawing with many groups stays linear.
#include "worker/convert/group_table.h"

namespace convert {

void TSFC_GroupAttr::DataInit()
{
    gaf.clear();
    m_index.clear();
    m_listed.clear();
    m_byScope.clear();
}

void TSFC_GroupAttr::DataFree()
{
    std::vector<TGroupAttrField>().swap(gaf);
    DataInit();
}

int32_t TSFC_GroupAttr::CheckAttrNumber(int32_t a) const
{
    const auto it = m_index.find(a);
    return it == m_index.end() ? -1 : it->second;
}

void TSFC_GroupAttr::AddAttrNumber(int32_t a, int32_t bln, int32_t lgp, int32_t eid)
{
    if (a == 0)
        return;
    const int32_t ia = CheckAttrNumber(a);
    if (ia < 0) {
        TGroupAttrField group;
        group.no = a;
        group.bn = bln;
        group.lg = lgp;
        group.id.push_back(eid);
        m_index.emplace(a, gafN());
        m_byScope[scopeKey(bln, lgp)].push_back(gafN());
        gaf.push_back(std::move(group));
        m_listed.push_back({eid});
        return;
    }
    TGroupAttrField& group = gaf[ia];
    if (group.bn != bln || !m_listed[ia].insert(eid).second)
        return;
    group.id.push_back(eid);
}

const std::vector<int32_t>& TSFC_GroupAttr::groupsIn(int32_t bln, int32_t lgp) const
{
    // Groups are only made by AddAttrNumber, which indexes them.
    static const std::vector<int32_t> kNone;
    const auto it = m_byScope.find(scopeKey(bln, lgp));
    return it == m_byScope.end() ? kNone : it->second;
}

}  // namespace convert
