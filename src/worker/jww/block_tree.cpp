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
constexpr size_t kTreeNodesPerEntity = 2;

struct Placement {
    double x, y, r1, r2, r3, r4;
};

Placement placementOf(const TEntJwwBlock& b)
{
    const double c = std::cos(b.radKaitenKaku);
    const double s = std::sin(b.radKaitenKaku);
    return {b.DPKijunTen_x, b.DPKijunTen_y, b.dBairitsuX * c, -b.dBairitsuY * s, b.dBairitsuX * s, b.dBairitsuY * c};
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

// The shape of one node: which insert it stands for and where it hangs.
// The shape is found first and the nodes are made afterwards, so the tree is
// allocated once at its final size.
struct Slot {
    int32_t defno;   // definition inserted, -1 if none
    int32_t parent;  // -1 at the top level
    int32_t level;
    int32_t insert;  // index in EntBlock (top level) or in the parent definition's mBlock
};

// True when the definition of slot `k` already appears among its ancestors:
// expanding it again would repeat the same nodes without end.
bool repeatsAncestor(const std::vector<Slot>& shape, size_t k)
{
    for (int32_t p = shape[k].parent; p >= 0; p = shape[static_cast<size_t>(p)].parent) {
        if (shape[static_cast<size_t>(p)].defno == shape[k].defno)
            return true;
    }
    return false;
}

// Top-level inserts first, then, breadth-first, the nested inserts of every
// node's definition, unless that would repeat an ancestor, nest too deep or
// pass the budget: those nodes stay without children.
std::vector<Slot> treeShape(const std::vector<TEntJwwBlock>& inserts, const std::vector<TEntJwwBlockDef>& defs,
                            const DefinitionIndex& index, size_t budget)
{
    std::vector<Slot> shape;
    shape.reserve(inserts.size());
    for (size_t j = 0; j < inserts.size(); ++j)
        shape.push_back({index.find(inserts[j].nNumber), -1, 0, static_cast<int32_t>(j)});
    for (size_t k = 0; k < shape.size(); ++k) {
        const Slot node = shape[k];
        if (node.defno < 0)
            continue;
        const std::vector<TEntJwwBlock>& nested = defs[static_cast<size_t>(node.defno)].mBlock;
        if (nested.empty() || node.level >= kMaxTreeLevel || repeatsAncestor(shape, k)
            || shape.size() + nested.size() > budget)
            continue;
        for (size_t l = 0; l < nested.size(); ++l)
            shape.push_back({index.find(nested[l].nNumber), static_cast<int32_t>(k), node.level + 1,
                             static_cast<int32_t>(l)});
    }
    return shape;
}

// The node of `slot`; its parent, if any, is already in `tree`.
TEntJwwBlockTree makeNode(const Slot& slot, const std::vector<TEntJwwBlockTree>& tree,
                          const std::vector<Slot>& shape, const TJwwData& d)
{
    TEntJwwBlockTree node;
    node.level = slot.level;
    node.parent = slot.parent;
    node.defno = slot.defno;
    const TEntJwwBlock* b = nullptr;
    Placement m{};
    if (slot.parent < 0) {
        b = &d.EntBlock[static_cast<size_t>(slot.insert)];
        node.att = b->att;
        m = placementOf(*b);
    } else {
        // A nested node carries the attributes of the definition it stands in.
        const int32_t containerNo = shape[static_cast<size_t>(slot.parent)].defno;
        const TEntJwwBlockDef& container = d.EntBlockDef[static_cast<size_t>(containerNo)];
        b = &container.mBlock[static_cast<size_t>(slot.insert)];
        node.att = container.att;
        const TEntJwwBlockTree& p = tree[static_cast<size_t>(slot.parent)];
        const Placement own = placementOf(*b);
        m.x = p.x + p.r1 * b->DPKijunTen_x + p.r2 * b->DPKijunTen_y;
        m.y = p.y + p.r3 * b->DPKijunTen_x + p.r4 * b->DPKijunTen_y;
        m.r1 = p.r1 * own.r1 + p.r2 * own.r3;
        m.r2 = p.r1 * own.r2 + p.r2 * own.r4;
        m.r3 = p.r3 * own.r1 + p.r4 * own.r3;
        m.r4 = p.r3 * own.r2 + p.r4 * own.r4;
    }
    node.no = b->nNumber;
    if (node.defno >= 0)
        node.name = d.EntBlockDef[static_cast<size_t>(node.defno)].strName;
    node.x = m.x;
    node.y = m.y;
    node.r1 = m.r1;
    node.r2 = m.r2;
    node.r3 = m.r3;
    node.r4 = m.r4;
    return node;
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
    const std::vector<Slot> shape = treeShape(EntBlock, EntBlockDef, index, budget);
    EntBlockTree.reserve(shape.size());
    for (const Slot& slot : shape)
        EntBlockTree.push_back(makeNode(slot, EntBlockTree, shape, *this));

    markReferenced(EntBlockDef, EntBlock, index);
    for (TEntJwwBlockDef& def : EntBlockDef) {
        if (def.ref_flag)
            def.ref_no = EntBlockNum++;
    }
}

}  // namespace jww
