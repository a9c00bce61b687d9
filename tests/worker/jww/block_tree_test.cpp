// The flattened insert tree: node order, transforms, references, and the
// guards that keep it finite on damaged drawings.
#include "tests/support/jww_builder.h"
#include "worker/jww/jww_data.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace jww;
using namespace testsupport;

namespace {

TEntJwwBlock insert(uint32_t number, double x, double y, double sx = 1, double sy = 1, double angle = 0)
{
    TEntJwwBlock b;
    b.att.nPenColor = 5;
    b.att.nLayer = 1;
    b.DPKijunTen_x = x;
    b.DPKijunTen_y = y;
    b.dBairitsuX = sx;
    b.dBairitsuY = sy;
    b.radKaitenKaku = angle;
    b.nNumber = number;
    return b;
}

TEntJwwBlockDef definition(uint32_t number, const QString& name, std::initializer_list<TEntJwwBlock> inserts)
{
    TEntJwwBlockDef def;
    def.nNumber = number;
    def.strName = name;
    def.att.nPenColor = static_cast<uint16_t>(number);
    def.att.nGLayer = 7;
    for (const TEntJwwBlock& b : inserts)
        addBlock(def, b);
    return def;
}

}  // namespace

// B at (100, 50), scaled 2 and turned a quarter; B inserts C at (10, 0) and
// (0, 5) (the second scaled 3 in x).
TEST(BlockTree, NestedInsertsAreTransformedByTheirParent)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntBlockDef.push_back(definition(7, QStringLiteral("C"), {}));
    d.EntBlockDef.push_back(definition(2, QStringLiteral("B"), {insert(7, 10, 0), insert(7, 0, 5, 3, 1)}));
    d.EntBlockDef.push_back(definition(9, QStringLiteral("unused"), {}));
    addBlock(d, insert(2, 100, 50, 2, 2, M_PI / 2));
    d.MakeBlockTree();

    ASSERT_EQ(d.EntBlockTreeN(), 3);
    ASSERT_EQ(d.EntBlockTree.size(), 3u);
    const TEntJwwBlockTree& top = d.EntBlockTree[0];
    EXPECT_EQ(top.level, 0);
    EXPECT_EQ(top.parent, -1);
    EXPECT_EQ(top.defno, 1);
    EXPECT_EQ(top.name, QStringLiteral("B"));
    EXPECT_EQ(top.att, d.EntBlock[0].att);
    EXPECT_NEAR(top.r1, 0, 1e-12);
    EXPECT_NEAR(top.r2, -2, 1e-12);
    EXPECT_NEAR(top.r3, 2, 1e-12);
    EXPECT_NEAR(top.r4, 0, 1e-12);

    const struct {
        double x, y, r1, r2, r3, r4;
    } want[] = {{100, 70, 0, -2, 2, 0}, {90, 50, 0, -2, 6, 0}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const TEntJwwBlockTree& n = d.EntBlockTree[static_cast<size_t>(i + 1)];
        EXPECT_EQ(n.level, 1);
        EXPECT_EQ(n.parent, 0);
        EXPECT_EQ(n.no, 7u);
        EXPECT_EQ(n.defno, 0);
        EXPECT_EQ(n.name, QStringLiteral("C"));
        EXPECT_EQ(n.att, d.EntBlockDef[1].att);  // the containing definition's attributes
        EXPECT_NEAR(n.x, want[i].x, 1e-9);
        EXPECT_NEAR(n.y, want[i].y, 1e-9);
        EXPECT_NEAR(n.r1, want[i].r1, 1e-12);
        EXPECT_NEAR(n.r2, want[i].r2, 1e-12);
        EXPECT_NEAR(n.r3, want[i].r3, 1e-12);
        EXPECT_NEAR(n.r4, want[i].r4, 1e-12);
    }
    EXPECT_EQ(d.EntBlockNum, 2);
    EXPECT_EQ(d.EntBlockDef[0].ref_no, 0);
    EXPECT_EQ(d.EntBlockDef[1].ref_no, 1);
    EXPECT_FALSE(d.EntBlockDef[2].ref_flag);
    EXPECT_EQ(d.EntBlockDef[2].ref_no, -1);
}

TEST(BlockTree, InsertOfMissingDefinitionHasNoDefinitionAndNoChildren)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntBlockDef.push_back(definition(1, QStringLiteral("A"), {insert(1, 0, 0)}));
    d.EntBlockDef.push_back(definition(1, QStringLiteral("A twin"), {}));  // the first of a number counts
    addBlock(d, insert(99, 1, 2));
    addBlock(d, insert(1, 0, 0));
    d.MakeBlockTree();
    ASSERT_GE(d.EntBlockTreeN(), 2);
    EXPECT_EQ(d.EntBlockTree[0].defno, -1);
    EXPECT_TRUE(d.EntBlockTree[0].name.isEmpty());
    EXPECT_EQ(d.EntBlockTree[1].defno, 0);
    for (const TEntJwwBlockTree& n : d.EntBlockTree)
        EXPECT_NE(n.parent, 0);
    EXPECT_FALSE(d.EntBlockDef[1].ref_flag);
}

TEST(BlockTree, DrawingWithoutInsertsHasNoTree)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntBlockDef.push_back(definition(1, QStringLiteral("A"), {insert(1, 0, 0)}));
    d.EntBlockTree.resize(3);
    d.EntBlockDef[0].ref_flag = true;
    d.EntBlockDef[0].ref_no = 0;
    d.MakeBlockTree();
    EXPECT_EQ(d.EntBlockTreeN(), 0);
    EXPECT_TRUE(d.EntBlockTree.empty());
    EXPECT_EQ(d.EntBlockNum, 0);
    EXPECT_FALSE(d.EntBlockDef[0].ref_flag);
    EXPECT_EQ(d.EntBlockDef[0].ref_no, -1);
}

// A definition that inserts itself, directly or through others, would make
// the walk endless; the repeated insert is kept but not expanded.
TEST(BlockTree, SelfInsertingDefinitionsStopAtTheRepeat)
{
    const struct {
        const char* name;
        std::vector<TEntJwwBlockDef> defs;
        int32_t nodes;
    } cases[] = {
        {"direct", {definition(1, "A", {insert(1, 5, 0)})}, 2},
        {"twice direct", {definition(1, "A", {insert(1, 5, 0), insert(1, 6, 0)})}, 3},
        {"through another", {definition(1, "A", {insert(2, 5, 0)}), definition(2, "B", {insert(1, 0, 5)})}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TJwwData d;
        initEmptyDrawing(d);
        d.EntBlockDef = c.defs;
        addBlock(d, insert(1, 0, 0));
        d.MakeBlockTree();
        EXPECT_EQ(d.EntBlockTreeN(), c.nodes);
        EXPECT_EQ(d.EntBlockNum, static_cast<int32_t>(c.defs.size()));
        for (const TEntJwwBlockDef& def : d.EntBlockDef)
            EXPECT_TRUE(def.ref_flag);
    }
}

// Each level inserts the next 1000 times: 10^15 nodes unguarded. The tree
// stays within its budget, the first levels complete, every definition is
// still referenced.
TEST(BlockTree, ExplosiveNestingIsBounded)
{
    TJwwData d;
    initEmptyDrawing(d);
    for (uint32_t level = 1; level <= 5; ++level) {
        TEntJwwBlockDef def = definition(level, QStringLiteral("L%1").arg(level), {});
        for (int i = 0; i < 1000 && level < 5; ++i)
            addBlock(def, insert(level + 1, i, 0));
        addLine(def, {});
        d.EntBlockDef.push_back(def);
    }
    addBlock(d, insert(1, 0, 0));
    d.MakeBlockTree();
    EXPECT_EQ(d.EntBlockTree[1000].level, 1);  // the top node's 1000 children are all there
    EXPECT_LT(d.EntBlockTreeN(), 20000);
    EXPECT_EQ(d.EntBlockNum, 5);
    for (const TEntJwwBlockTree& n : d.EntBlockTree)
        ASSERT_LT(n.parent, static_cast<int32_t>(d.EntBlockTree.size()));
}

// A chain of distinct definitions far deeper than any drawing nests.
TEST(BlockTree, DeepChainIsCutAtTheDepthLimit)
{
    TJwwData d;
    initEmptyDrawing(d);
    for (uint32_t n = 1; n <= 200; ++n)
        d.EntBlockDef.push_back(definition(n, {}, {insert(n + 1, 1, 0)}));
    addBlock(d, insert(1, 0, 0));
    d.MakeBlockTree();
    EXPECT_EQ(d.EntBlockTreeN(), 32);
    EXPECT_EQ(d.EntBlockTree.back().level, 31);
    EXPECT_NEAR(d.EntBlockTree.back().x, 31, 1e-9);
    EXPECT_EQ(d.EntBlockNum, 200);
}
