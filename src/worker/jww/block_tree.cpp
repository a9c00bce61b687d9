// The flattened tree of block inserts: one node per insert, nested inserts
// expanded breadth-first, each with the transform from its definition's
// coordinates to drawing coordinates.
#include "worker/jww/jww_data.h"

#include <QHash>

#include <cmath>

namespace jww {
namespace {

// Inserts nested deeper than this stay without children. Drawings nest
// blocks a few levels at most; the limit only stops damaged ones.
constexpr int32_t kMaxTreeLevel = 31;
// Nodes the tree may hold: a floor, plus a few per stored entity, so that a
// definition inserting another a thousand times, five levels deep, cannot
// make the tree out of proportion to the file. Nodes past it get no children.
constexpr size_t kTreeNodeFloor = 1024;
constexpr size_t kTreeNodesPerEntity = 4;

struct Placement {
    double x, y, r1, r2, r3, r4;
};

Placement placementOf(const TEntJwwBlock& b)
{
    const double c = std::cos(b.radKaitenKaku);
    const double s = std::sin(b.radKaitenKaku);
    return {b.DPKijunTen_x, b.DPKijunTen_y, b.dBairitsuX * c, -b.dBairitsuY * s, b.dBairitsuX * s, b.dBairitsuY * c};
}

// True when the definition of node `k` already appears among its
// ancestors: expanding it again would repeat the same nodes without end.
bool repeatsAncestor(const std::vector<TEntJwwBlockTree>& tree, size_t k)
{
    for (int32_t p = tree[k].parent; p >= 0; p = tree[static_cast<size_t>(p)].parent) {
        if (tree[static_cast<size_t>(p)].defno == tree[k].defno)
            return true;
    }
    return false;
}

// Looks definitions up by number: the first one of each number counts.
class DefinitionIndex {
public:
    explicit DefinitionIndex(const std::vector<TEntJwwBlockDef>& defs)
    {
        for (size_t i = defs.size(); i-- > 0;)
            m_first.insert(defs[i].nNumber, static_cast<int32_t>(i));
    }
    int32_t find(uint32_t number) const { return m_first.value(number, -1); }

private:
    QHash<uint32_t, int32_t> m_first;
};

TEntJwwBlockTree nodeFor(const TEntJwwAttr& att, const TEntJwwBlock& b, const DefinitionIndex& index,
                         const std::vector<TEntJwwBlockDef>& defs)
{
    TEntJwwBlockTree node;
    node.att = att;
    node.no = b.nNumber;
    node.defno = index.find(b.nNumber);
    if (node.defno >= 0)
        node.name = defs[static_cast<size_t>(node.defno)].strName;
    return node;
}

// Appends the nested inserts of node `k`'s definition as its children,
// unless that would repeat an ancestor, nest too deep or pass the budget.
void expandNode(std::vector<TEntJwwBlockTree>& tree, size_t k, const std::vector<TEntJwwBlockDef>& defs,
                const DefinitionIndex& index, size_t budget)
{
    if (tree[k].defno < 0)
        return;
    const TEntJwwBlockDef& def = defs[static_cast<size_t>(tree[k].defno)];
    if (def.mBlock.empty() || tree[k].level >= kMaxTreeLevel || repeatsAncestor(tree, k)
        || tree.size() + def.mBlock.size() > budget)
        return;
    // Copies: appending may move the node.
    const TEntJwwBlockTree parent = tree[k];
    for (const TEntJwwBlock& b : def.mBlock) {
        TEntJwwBlockTree node = nodeFor(def.att, b, index, defs);
        node.level = parent.level + 1;
        node.parent = static_cast<int32_t>(k);
        node.x = parent.x + parent.r1 * b.DPKijunTen_x + parent.r2 * b.DPKijunTen_y;
        node.y = parent.y + parent.r3 * b.DPKijunTen_x + parent.r4 * b.DPKijunTen_y;
        const Placement m = placementOf(b);
        node.r1 = parent.r1 * m.r1 + parent.r2 * m.r3;
        node.r2 = parent.r1 * m.r2 + parent.r2 * m.r4;
        node.r3 = parent.r3 * m.r1 + parent.r4 * m.r3;
        node.r4 = parent.r3 * m.r2 + parent.r4 * m.r4;
        tree.push_back(std::move(node));
    }
}

// Marks every definition that an insert uses at any depth, following the
// definitions themselves rather than the tree, so that a definition stays
// referenced when the tree was cut short above it.
void markReferenced(std::vector<TEntJwwBlockDef>& defs, const std::vector<TEntJwwBlock>& inserts,
                    const DefinitionIndex& index)
{
    std::vector<int32_t> queue;
    auto reach = [&](const TEntJwwBlock& b) {
        const int32_t d = index.find(b.nNumber);
        if (d >= 0 && !defs[static_cast<size_t>(d)].ref_flag) {
            defs[static_cast<size_t>(d)].ref_flag = true;
            queue.push_back(d);
        }
    };
    for (const TEntJwwBlock& b : inserts)
        reach(b);
    for (size_t q = 0; q < queue.size(); ++q) {
        for (const TEntJwwBlock& b : defs[static_cast<size_t>(queue[q])].mBlock)
            reach(b);
    }
}

}  // namespace

void TJwwData::MakeBlockTree()
{
    std::vector<TEntJwwBlockTree>().swap(EntBlockTree);
    EntBlockTreeN = 0;
    EntBlockNum = 0;
    for (TEntJwwBlockDef& def : EntBlockDef) {
        def.ref_flag = false;
        def.ref_no = -1;
    }
    if (EntBlock.empty())
        return;

    const DefinitionIndex index(EntBlockDef);
    size_t stored = EntNo.size();
    for (const TEntJwwBlockDef& def : EntBlockDef)
        stored += def.mNo.size();
    const size_t budget = kTreeNodeFloor + kTreeNodesPerEntity * stored;

    for (const TEntJwwBlock& b : EntBlock) {
        TEntJwwBlockTree node = nodeFor(b.att, b, index, EntBlockDef);
        const Placement p = placementOf(b);
        node.x = p.x;
        node.y = p.y;
        node.r1 = p.r1;
        node.r2 = p.r2;
        node.r3 = p.r3;
        node.r4 = p.r4;
        EntBlockTree.push_back(std::move(node));
    }
    // The list grows while it is walked: nesting is expanded breadth-first.
    for (size_t k = 0; k < EntBlockTree.size(); ++k)
        expandNode(EntBlockTree, k, EntBlockDef, index, budget);
    EntBlockTreeN = static_cast<int32_t>(EntBlockTree.size());

    markReferenced(EntBlockDef, EntBlock, index);
    for (TEntJwwBlockDef& def : EntBlockDef) {
        if (def.ref_flag)
            def.ref_no = EntBlockNum++;
    }
}

}  // namespace jww
