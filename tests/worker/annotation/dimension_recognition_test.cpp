// The dimension recognisers: what each accepts and rejects, and how the
// members of an accepted group are sorted into its parts.
#include "tests/worker/annotation/group_fixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace grouptest;
using annotation::GroupRecognizer;
using testsupport::addEnko;
using testsupport::addLine;
using testsupport::addMoji;
using testsupport::addSolid;
using testsupport::addSunpo;
using testsupport::addTen;

namespace {

// A horizontal dimension line from (0, 0) to (100, 0) and its text.
void linearBase(TJwwData& d, const QString& s = QStringLiteral("100"), uint16_t sFlg = 0x4010)
{
    emptyDrawing(d);
    addLine(d, line(0, 0, 100, 0));
    addMoji(d, text(s, sFlg));
}

} // namespace

TEST(DimensionRecognition, EachRecogniserAcceptsItsTextAndRejectsOthers)
{
    struct Case {
        const char* what;
        QString str;
        uint16_t sFlg;
        bool dia, rad, lin;
    };
    const Case cases[] = {
        {"linear flags", QStringLiteral("100"), 0x4010, false, false, true},
        {"linear flags ignore 0x1000", QStringLiteral("100"), 0x5010, false, false, true},
        {"no dimension flags", QStringLiteral("100"), 0x0010, false, false, false},
        {"phi", QStringLiteral("φ100"), 0, true, false, false},
        {"diameter flags", QStringLiteral("100"), 0x4210, true, false, false},
        {"R", QStringLiteral("R50"), 0, false, true, false},
        {"full-width R", QStringLiteral("Ｒ50"), 0, false, true, false},
        {"radius flags", QStringLiteral("50"), 0x4110, false, true, false},
        {"phi and R", QStringLiteral("φR"), 0, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        linearBase(d, c.str, c.sFlg);
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        EXPECT_EQ(r.FindDimDia(0), c.dia);
        EXPECT_EQ(r.FindDimRad(0), c.rad);
        EXPECT_EQ(r.FindDimLin(0), c.lin);
    }
}

TEST(DimensionRecognition, LineAndTextAloneIsLinearWithoutArrowsOrExtensionLines)
{
    TJwwData d;
    linearBase(d);
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    ASSERT_TRUE(r.FindDimLin(0));
    EXPECT_EQ(r.gdl.idl, 0);
    EXPECT_EQ(r.gdl.idm, 1);
    EXPECT_EQ(r.gdl.ida1, -1);
    EXPECT_EQ(r.gdl.ida3, -1);
    EXPECT_EQ(r.gdl.idh1, -1);
    EXPECT_EQ(r.gdl.idh2, -1);
    EXPECT_EQ(r.gdl.ar, 0.1);
    EXPECT_EQ(r.gdl.ar1c, 0);
    EXPECT_EQ(r.gdl.mj.str, QStringLiteral("100"));
}

TEST(DimensionRecognition, BadGroupsAreRejected)
{
    TJwwData d;
    linearBase(d);
    convert::TSFC_GroupAttr g = groupOfAll(d);
    g.AddAttrNumber(2, 5, 0, 0); // a block definition the drawing lacks
    GroupRecognizer r(d, g);
    EXPECT_FALSE(r.FindDimLin(-1));
    EXPECT_FALSE(r.FindDimLin(2));
    EXPECT_FALSE(r.FindDimLin(1));
    EXPECT_FALSE(r.FindDimCrv(1));
    EXPECT_FALSE(r.FindLeader(1));
    EXPECT_FALSE(r.FindPolyline(1));
    // A consumed member matches no kind: without its line the group has no
    // dimension element.
    d.EntNo[0].EntType = kEntConsumed;
    EXPECT_FALSE(r.FindDimLin(0));
}

TEST(DimensionRecognition, DimensionEntitySuppliesLineAndTextAndSxfModeRejects)
{
    TJwwData d;
    emptyDrawing(d);
    addMoji(d, text(QStringLiteral("other"), 0));
    TEntJwwSunpo s;
    s.att = member();
    s.Sen = line(0, 0, 0, 50);
    s.Moji = text(QStringLiteral("50"), 0x4010);
    addSunpo(d, s);
    {
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        ASSERT_TRUE(r.FindDimLin(0));
        EXPECT_EQ(r.gdl.idl, 1);
        EXPECT_EQ(r.gdl.idm, 1);
        EXPECT_EQ(r.gdl.mj.str, QStringLiteral("50"));
        EXPECT_EQ(r.gdl.y2, 50);
    }
    d.EntSunpo[0].bSxfMode = 1;
    d.EntSunpo[0].Moji.str = QStringLiteral("φR");
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    EXPECT_FALSE(r.FindDimLin(0));
    EXPECT_FALSE(r.FindDimDia(0));
    EXPECT_FALSE(r.FindDimRad(0));
}

TEST(DimensionRecognition, ExtensionLinesAreSteepLinesThroughTheEnds)
{
    const double c30 = std::cos(common::kPi / 6), s30 = std::sin(common::kPi / 6);
    TJwwData d;
    linearBase(d);
    addLine(d, line(0, 0, 5 * c30, 5 * s30)); // 30 degrees from end 1: a stroke
    addLine(d, line(-5 * s30, -5 * c30, 5 * s30, 5 * c30)); // 60 degrees through end 1
    addLine(d, line(100, -10, 100, 2)); // upright through end 2
    addLine(d, line(100, 0, 100, 5)); // a second one: a stroke
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    ASSERT_TRUE(r.FindDimLin(0));
    EXPECT_EQ(r.gdl.idh1, 3);
    EXPECT_EQ(r.gdl.h1x2, 5 * s30);
    EXPECT_EQ(r.gdl.idh2, 4);
    EXPECT_EQ(r.gdl.h2y1, -10);
    EXPECT_EQ(r.gdl.ida1, 2);
    EXPECT_EQ(r.gdl.ar1c, 9);
    EXPECT_EQ(r.gdl.ar, 1.0);
    EXPECT_EQ(r.gdl.ida3, 5);
    // A diameter has no extension lines: the lines through the ends that do
    // not end there are nothing.
    d.EntMoji[0].str = QStringLiteral("φ100");
    GroupRecognizer rd(d, g);
    ASSERT_TRUE(rd.FindDimDia(0));
    EXPECT_EQ(rd.gdd.ida1, 2);
    EXPECT_EQ(rd.gdd.ida2, -1);
    EXPECT_EQ(rd.gdd.ida3, 5);
    EXPECT_EQ(rd.gdd.ida4, -1);
}

TEST(DimensionRecognition, StrokeRuleFillsTwoSlotsAndTheThirdOverwrites)
{
    TJwwData d;
    linearBase(d);
    addLine(d, line(0, 0, 3, 1));
    addLine(d, line(3, -1, 0, 0));
    addLine(d, line(0, 0, 2, 2));
    addSolid(d, stroke(0, 0, 100, 0)); // a stroke touching both ends
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    ASSERT_TRUE(r.FindDimLin(0));
    EXPECT_EQ(r.gdl.ida1, 2);
    EXPECT_EQ(r.gdl.ida2, 5); // the third line (4) was overwritten by the solid
    EXPECT_EQ(r.gdl.ida3, 5);
    EXPECT_EQ(r.gdl.ida4, -1);
    EXPECT_EQ(r.gdl.ar2c, 9);
    EXPECT_EQ(r.gdl.ar2, 1.0);
}

TEST(DimensionRecognition, ArrowElementsAtTheEnds)
{
    struct Case {
        const char* what;
        std::function<void(TJwwData&)> add;
        int32_t code;
        double scale;
    };
    const Case cases[] = {
        {"point", [](TJwwData& d) { addTen(d, point(0, 0)); }, 7, 0.1},
        {"temporary point", [](TJwwData& d) { addTen(d, point(0, 0, 1, 0, 0, 1)); }, 4, 0.1},
        {"coded point, code 1", [](TJwwData& d) { addTen(d, point(0, 0, 100, 1, 2)); }, 7, 0.1},
        {"coded point, code 5", [](TJwwData& d) { addTen(d, point(0, 0, 100, 5, 2)); }, 5, 2},
        {"coded point, code 15", [](TJwwData& d) { addTen(d, point(0, 0, 100, 15, 2)); }, 7, 2},
        {"full circle", [](TJwwData& d) { addEnko(d, arc(0, 0, 1, 0, 360, 1)); }, 4, 1.0},
        {"open arc", [](TJwwData& d) { addEnko(d, arc(0, 0, 1, 0, 90)); }, 0, 0.1},
        {"round solid",
            [](TJwwData& d) {
                TEntJwwSolid s {member(101), 0, 0, 1, 1, 0, 0, 0, 0, 0};
                addSolid(d, s);
            },
            7, 1.0},
        {"solid with area",
            [](TJwwData& d) {
                addSolid(d, {member(), 3, 1, 3, -1, 0, 0, 0, 0, 0});
            },
            6, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        linearBase(d);
        c.add(d);
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        ASSERT_TRUE(r.FindDimLin(0));
        EXPECT_EQ(r.gdl.ar1c, c.code);
        EXPECT_EQ(r.gdl.ar, c.scale);
        EXPECT_EQ(r.gdl.ida1, c.code == 0 ? -1 : 2);
        EXPECT_EQ(r.gdl.ida3, -1);
    }
}

TEST(DimensionRecognition, ParallelLinesAtTheEndsContinueTheDimensionLine)
{
    TJwwData d;
    linearBase(d);
    addLine(d, line(-20, 0, 0, 0)); // end 1, its end on P1
    addLine(d, line(100, 0, 130, 0)); // end 2
    addLine(d, line(0, 0, 1, 0.5)); // not parallel: a stroke
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    ASSERT_TRUE(r.FindDimLin(0));
    EXPECT_EQ(r.gdl.ide1, 2);
    EXPECT_EQ(r.gdl.x3, -20);
    EXPECT_EQ(r.gdl.ide2, 3);
    EXPECT_EQ(r.gdl.x4, 130);
    EXPECT_EQ(r.gdl.ida1, 4);
}

TEST(DimensionRecognition, RadiusWithOneContinuationSwapsItsEnds)
{
    TJwwData d;
    linearBase(d, QStringLiteral("R100"), 0);
    addLine(d, line(-20, 0, 0, 0));
    addTen(d, point(100, 0)); // sits at end 2 as drawn, end 1 after the swap
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    ASSERT_TRUE(r.FindDimRad(0));
    EXPECT_EQ(r.gdd.ide1, -1);
    EXPECT_EQ(r.gdd.ide2, 2);
    EXPECT_EQ(r.gdd.x1, 100);
    EXPECT_EQ(r.gdd.x2, 0);
    EXPECT_EQ(r.gdd.x4, -20);
    EXPECT_EQ(r.gdd.ida1, 3);
    EXPECT_EQ(r.gdd.ida3, -1);
    // A diameter keeps the ends as drawn.
    d.EntMoji[0].str = QStringLiteral("φ100");
    GroupRecognizer rd(d, g);
    ASSERT_TRUE(rd.FindDimDia(0));
    EXPECT_EQ(rd.gdd.ide1, 2);
    EXPECT_EQ(rd.gdd.ida3, 3);
}

TEST(DimensionRecognition, FirstTextInMemberOrderIsTheDimensionText)
{
    TJwwData d;
    emptyDrawing(d);
    addMoji(d, text(QStringLiteral("first"), 0x4010));
    addLine(d, line(0, 0, 100, 0));
    addMoji(d, text(QStringLiteral("φ second"), 0x4010));
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    EXPECT_FALSE(r.FindDimDia(0));
    ASSERT_TRUE(r.FindDimLin(0));
    EXPECT_EQ(r.gdl.idm, 0);
    EXPECT_EQ(r.gdl.idl, 1);
}

TEST(DimensionRecognition, ArcDimensionsAndTheirContinuations)
{
    TJwwData d;
    emptyDrawing(d);
    addEnko(d, arc(0, 0, 10, 60, 60)); // the dimension arc, 60 to 120
    addEnko(d, arc(5, 5, 3, 30, 30)); // 30 to 60: continues it before its start
    addEnko(d, arc(0, 0, 10, 120, 300)); // 120 to 60: the complement, ignored
    addEnko(d, arc(0, 0, 10, 150, -30)); // reversed sweep: 120 to 150 continues the end
    addMoji(d, text(QStringLiteral("L"), 0x4010));
    const double c60 = std::cos(common::kPi / 3), s60 = std::sin(common::kPi / 3);
    addLine(d, line(12 * c60, 12 * s60, 2 * c60, 2 * s60)); // radial at 60: nearer end second
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    ASSERT_TRUE(r.FindDimCrv(0));
    EXPECT_FALSE(r.FindDimAng(0));
    ASSERT_TRUE(r.FindDimCrv(0));
    EXPECT_EQ(r.gdc.idc, 0);
    EXPECT_NEAR(r.gdc.sa, 60, 1e-9);
    EXPECT_NEAR(r.gdc.ea, 120, 1e-9);
    EXPECT_NEAR(r.gdc.x1, 10 * c60, 1e-12);
    EXPECT_EQ(r.gdc.ide1, 1);
    EXPECT_NEAR(r.gdc.ae1, 30, 1e-9);
    EXPECT_EQ(r.gdc.ide2, 3);
    EXPECT_NEAR(r.gdc.ae2, 150, 1e-9);
    EXPECT_EQ(r.gdc.idh1, 5);
    EXPECT_EQ(r.gdc.h1x1, 2 * c60);
    EXPECT_EQ(r.gdc.h1x2, 12 * c60);
    EXPECT_EQ(r.gdc.idh2, -1);
    // Angular: a degree sign; an elliptic arc is never the element.
    d.EntMoji[0] = text(QStringLiteral("60°"), 0);
    const auto ga = groupOfAll(d);
    GroupRecognizer ra(d, ga);
    EXPECT_FALSE(ra.FindDimCrv(0));
    EXPECT_TRUE(ra.FindDimAng(0));
    d.EntMoji[0] = text(QStringLiteral("60ﾟ"), 0);
    EXPECT_TRUE(ra.FindDimAng(0));
    for (TEntJwwEnko& e : d.EntEnko)
        e.dHenpeiRitsu = 0.5;
    EXPECT_FALSE(ra.FindDimAng(0));
}
