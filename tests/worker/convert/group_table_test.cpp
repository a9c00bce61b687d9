// The group table: order of first announcement, scope rule, members listed once.
#include "worker/convert/group_table.h"

#include <gtest/gtest.h>

using convert::TSFC_GroupAttr;

TEST(GroupTable, GroupsKeepFirstAnnouncementOrderTheirFirstScopeAndEachMemberOnce)
{
    TSFC_GroupAttr g;
    g.AddAttrNumber(0, -1, 0, 0);  // no group
    g.AddAttrNumber(7, -1, 2, 1);
    g.AddAttrNumber(3, -1, 4, 2);
    g.AddAttrNumber(7, -1, 5, 3);
    g.AddAttrNumber(7, 0, 0, 0);   // same number inside a block definition: dropped
    g.AddAttrNumber(9, 1, 0, 4);
    g.AddAttrNumber(9, 1, 0, 4);   // a block placed twice: listed once
    ASSERT_EQ(g.gafN(), 3);
    EXPECT_EQ(g.gaf[0].no, 7);
    EXPECT_EQ(g.gaf[0].lg, 2);
    EXPECT_EQ(g.gaf[0].id, (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(g.gaf[0].nm(), 2);
    EXPECT_EQ(g.gaf[1].no, 3);
    EXPECT_EQ(g.gaf[2].bn, 1);
    EXPECT_EQ(g.gaf[2].id, (std::vector<int32_t>{4}));
    EXPECT_EQ(g.CheckAttrNumber(3), 1);
    EXPECT_EQ(g.CheckAttrNumber(0), -1);
    EXPECT_EQ(g.CheckAttrNumber(42), -1);
    // Groups by scope: the drawing's by the layer group of their first
    // member, a block definition's whatever the layer group.
    using Ids = std::vector<int32_t>;
    EXPECT_EQ(g.groupsIn(-1, 2), Ids{0});
    EXPECT_EQ(g.groupsIn(-1, 4), Ids{1});
    EXPECT_EQ(g.groupsIn(-1, 5), Ids{});
    EXPECT_EQ(g.groupsIn(1, 3), Ids{2});
    EXPECT_EQ(g.groupsIn(0, 0), Ids{});
    g.DataFree();
    EXPECT_EQ(g.gafN(), 0);
    EXPECT_EQ(g.CheckAttrNumber(7), -1);
    EXPECT_EQ(g.groupsIn(-1, 2), Ids{});
}
