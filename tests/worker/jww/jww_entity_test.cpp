// The object stream: class tags, the entity bodies with their optional parts
// and version differences, and block definitions.
#include "tests/support/jww_builder.h"
#include "tests/worker/jww/jww_test_files.h"

#include <gtest/gtest.h>

#include <limits>

using namespace jww;
using namespace testsupport;

namespace {

TEntJwwAttr attr(uint8_t style, uint16_t color, uint16_t width = 0)
{
    TEntJwwAttr a;
    a.lGroup = 77;
    a.nPenStyle = style;
    a.nPenColor = color;
    a.nPenWidth = width;
    a.nLayer = 3;
    a.nGLayer = 2;
    a.sFlg = 0x20;
    return a;
}

TEntJwwTen point(uint8_t style, double x)
{
    TEntJwwTen t;
    t.att = attr(style, 2);
    t.start_x = x;
    t.start_y = -x;
    t.bKariten = 1;
    if (style == 100) {
        t.nCode = -3;
        t.radKaitenKaku = 0.5;
        t.dBairitsu = 2.5;
    }
    return t;
}

std::vector<int32_t> kindsOf(const std::vector<TEntJwwNo>& order)
{
    std::vector<int32_t> kinds;
    for (const TEntJwwNo& no : order)
        kinds.push_back(no.EntType);
    return kinds;
}

uint16_t u16At(const QByteArray& bytes, qsizetype at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

}  // namespace

// Classes and objects share one index: line class 1, its object 2, arc class
// 3, so the third object (an arc) is tagged 8003 and the fourth (a line) 8001.
TEST(JwwObjects, ClassTagsReferToTheSharedMapIndex)
{
    TJwwData w;
    initEmptyDrawing(w, 700);
    addLine(w, {attr(1, 1), 1, 2, 3, 4});
    addEnko(w, {attr(1, 2), 5, 6, 7, 0, 1, 0, 1, 0});
    addEnko(w, {attr(1, 3), 8, 9, 10, 0, 1, 0, 1, 1});
    addLine(w, {attr(1, 4), 11, 12, 13, 14});
    for (bool big : {false, true}) {
        SCOPED_TRACE(big);
        JwwWriteOptions options;
        options.bigClassTags = big;
        options.longCounts = big;
        JwwLayout layout;
        const QByteArray bytes = writeJww(w, options, &layout);
        if (!big) {
            EXPECT_EQ(u16At(bytes, layout.entities[2]), 0x8003);
            EXPECT_EQ(u16At(bytes, layout.entities[3]), 0x8001);
        } else {
            EXPECT_EQ(u16At(bytes, layout.entities[3]), 0x7FFF);
        }
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, bytes));
        EXPECT_EQ(kindsOf(r.EntNo), (std::vector<int32_t>{kEntLine, kEntEnko, kEntEnko, kEntLine}));
        EXPECT_EQ(r.EntLine, w.EntLine);
        EXPECT_EQ(r.EntEnko, w.EntEnko);
    }
}

TEST(JwwObjects, PointCarriesCodeAngleAndScaleOnlyWithPenStyle100)
{
    TJwwData w;
    initEmptyDrawing(w, 700);
    addTen(w, point(100, 1));
    addTen(w, point(5, 2));
    TEntJwwBlockDef def;
    def.nNumber = 1;
    addTen(def, point(100, 3));
    addTen(def, point(5, 4));
    w.EntBlockDef.push_back(def);
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
    ASSERT_EQ(r.EntTenN(), 2);
    ASSERT_EQ(r.EntBlockDefN(), 1);
    ASSERT_EQ(r.EntBlockDef[0].mTenN(), 2);
    const struct {
        const char* where;
        const TEntJwwTen& got;
        int32_t code;
        double angle, scale;
    } cases[] = {
        {"top, style 100", r.EntTen[0], -3, 0.5, 2.5},
        {"top, style 5", r.EntTen[1], 0, 0, 1},
        {"block, style 100", r.EntBlockDef[0].mTen[0], -3, 0.5, 2.5},
        {"block, style 5", r.EntBlockDef[0].mTen[1], 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(c.got.nCode, c.code);
        EXPECT_EQ(c.got.radKaitenKaku, c.angle);
        EXPECT_EQ(c.got.dBairitsu, c.scale);
        EXPECT_EQ(c.got.bKariten, 1u);
    }
    EXPECT_EQ(r.EntTen[1].start_x, 2);  // the short point did not take the next bytes
}

TEST(JwwObjects, SolidCarriesItsOwnColourOnlyWithColourNumber10)
{
    TJwwData w;
    initEmptyDrawing(w, 600);
    addSolid(w, {attr(1, 10), 1, 2, 3, 4, 5, 6, 7, 8, 0x00336699});
    addSolid(w, {attr(1, 3), 1, 2, 3, 4, 5, 6, 7, 8, 0x00112233});  // not stored with colour 3
    addLine(w, {attr(1, 1), 9, 9, 9, 9});
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
    ASSERT_EQ(r.EntSolidN(), 2);
    EXPECT_EQ(r.EntSolid[0].Color, 0x00336699u);
    EXPECT_EQ(r.EntSolid[1].Color, 0u);
    EXPECT_EQ(r.EntSolid[1].DPoint3_y, 8);
    ASSERT_EQ(r.EntLineN(), 1);
    EXPECT_EQ(r.EntLine[0].end_y, 9);
}

TEST(JwwObjects, NegativeStampBecomesThePositionAndSkipsEightBytes)
{
    TJwwData w;
    initEmptyDrawing(w, 600);
    for (int32_t stamp : {1234, -5, -1}) {
        TEntJwwBlockDef def;
        def.nNumber = static_cast<uint32_t>(10 + w.EntBlockDef.size());
        def.dtime = static_cast<uint32_t>(stamp);
        def.strName = QStringLiteral("B%1").arg(def.nNumber);
        addLine(def, {attr(1, 1), 1, 1, 2, 2});
        w.EntBlockDef.push_back(def);
    }
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
    ASSERT_EQ(r.EntBlockDefN(), 3);
    EXPECT_EQ(r.Enthd.n2, 3);
    EXPECT_EQ(r.EntBlockDef[0].dtime, 1234u);
    EXPECT_EQ(r.EntBlockDef[1].dtime, 2u);
    EXPECT_EQ(r.EntBlockDef[2].dtime, 3u);
    EXPECT_EQ(r.EntBlockDef[1].strName, QStringLiteral("B11"));
    EXPECT_EQ(r.EntBlockDef[2].mLine, w.EntBlockDef[2].mLine);
}

// Before 351 the attribute block has no pen width (13 bytes, not 15).
TEST(JwwObjects, PenWidthIsStoredFromVersion351)
{
    for (int32_t version : {350, 351}) {
        SCOPED_TRACE(version);
        TJwwData w;
        initEmptyDrawing(w, version);
        addLine(w, {attr(2, 3, 7), 1, 2, 3, 4});
        addBlock(w, {attr(64, 5, 9), 1, 2, 1, 1, 0, 42});
        TEntJwwBlockDef def;
        def.att = attr(1, 1, 8);
        def.nNumber = 42;
        addMoji(def, {attr(1, 2, 6), 0, 0, 10, 0, 1, 3, 3, 0, 0, QStringLiteral("ＭＳ ゴシック"),
                      QStringLiteral("文字")});
        w.EntBlockDef.push_back(def);
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
        const bool stored = version >= 351;
        TEntJwwAttr want = attr(2, 3, stored ? 7 : 0);
        ASSERT_EQ(r.EntLineN(), 1);
        EXPECT_EQ(r.EntLine[0].att, want);
        EXPECT_EQ(r.EntLine[0].end_y, 4);
        ASSERT_EQ(r.EntBlockDefN(), 1);
        EXPECT_EQ(r.EntBlockDef[0].att.nPenWidth, stored ? 8 : 0);
        ASSERT_EQ(r.EntBlockDef[0].mMojiN(), 1);
        EXPECT_EQ(r.EntBlockDef[0].mMoji[0].att.nPenWidth, stored ? 6 : 0);
        EXPECT_EQ(r.EntBlockDef[0].mMoji[0].str, QStringLiteral("文字"));
    }
}

// Dimensions store their extension lines and points from 420; older ones get
// the dimension's attributes and no geometry there.
TEST(JwwObjects, DimensionPartsBefore420CarryTheDimensionAttributes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TEntJwwSunpo s;
    s.att = attr(1, 4, 2);
    s.Sen = {attr(1, 4, 2), 0, 10, 100, 10};
    s.Moji = {attr(1, 4, 2), 40, 11, 60, 11, 1, nan, 2.5, nan, 0, QStringLiteral("ＭＳ"), QStringLiteral("100")};
    s.bSxfMode = 3;
    s.Ho1 = {attr(1, 5), 0, 0, 0, 10};
    s.Ho2 = {attr(1, 5), 100, 0, 100, 10};
    s.Te1 = point(100, 1);
    s.Te2 = point(5, 2);
    s.Te2.dBairitsu = 0;
    s.Kt1 = point(100, 3);
    s.Kt2 = point(3, 4);
    s.Kt2.dBairitsu = 0;
    for (int32_t version : {419, 420}) {
        SCOPED_TRACE(version);
        TJwwData w;
        initEmptyDrawing(w, version);
        addSunpo(w, s);
        addLine(w, {attr(1, 1), 5, 6, 7, 8});
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
        ASSERT_EQ(r.EntSunpoN(), 1);
        const TEntJwwSunpo& g = r.EntSunpo[0];
        EXPECT_EQ(g.Moji.dSizeX, 3);
        EXPECT_EQ(g.Moji.dKankaku, 0);
        EXPECT_EQ(g.Moji.dSizeY, 2.5);
        EXPECT_EQ(g.Moji.str, QStringLiteral("100"));
        EXPECT_EQ(g.Sen, s.Sen);
        if (version >= 420) {
            EXPECT_EQ(g.bSxfMode, 3);
            EXPECT_EQ(g.Ho2, s.Ho2);
            EXPECT_EQ(g.Te1, s.Te1);
            EXPECT_EQ(g.Te2, s.Te2);
            EXPECT_EQ(g.Kt2, s.Kt2);
        } else {
            TEntJwwAttr pointAtt = s.att;
            pointAtt.nPenStyle = 0;
            EXPECT_EQ(g.bSxfMode, 0);
            EXPECT_EQ(g.Ho1, (TEntJwwLine{s.att, 0, 0, 0, 0}));
            EXPECT_EQ(g.Kt2, (TEntJwwTen{pointAtt, 0, 0, 0, 0, 0, 0}));
        }
        ASSERT_EQ(r.EntLineN(), 1);
        EXPECT_EQ(r.EntLine[0].end_y, 8);
    }
}

TEST(JwwObjects, TextSizesThatAreNotNumbersTakeDefaults)
{
    const double inf = std::numeric_limits<double>::infinity();
    TJwwData w;
    initEmptyDrawing(w, 600);
    addMoji(w, {attr(1, 1), 0, 0, 1, 0, 0, inf, -inf, inf, 30, {}, QStringLiteral("t")});
    TEntJwwBlockDef def;
    addMoji(def, {attr(1, 1), 0, 0, 1, 0, 0, 2, 4, -inf, 0, {}, QStringLiteral("u")});
    w.EntBlockDef.push_back(def);
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
    ASSERT_EQ(r.EntMojiN(), 1);
    EXPECT_EQ(r.EntMoji[0].dSizeX, 3);
    EXPECT_EQ(r.EntMoji[0].dSizeY, 3);
    EXPECT_EQ(r.EntMoji[0].dKankaku, 0);
    EXPECT_EQ(r.EntMoji[0].degKakudo, 30);
    ASSERT_EQ(r.EntBlockDef[0].mMojiN(), 1);
    EXPECT_EQ(r.EntBlockDef[0].mMoji[0].dKankaku, 0);
    EXPECT_EQ(r.EntBlockDef[0].mMoji[0].dSizeY, 4);
}

TEST(JwwObjects, UnknownOrUnregisteredClassFailsTheRead)
{
    TJwwData w;
    initEmptyDrawing(w, 600);
    addLine(w, {attr(1, 1), 1, 2, 3, 4});
    JwwLayout layout;
    const QByteArray good = writeJww(w, {}, &layout);
    const qsizetype tagAt = layout.entities[0];

    JwwBytes unknown;
    unknown.i16(0xFFFF);
    unknown.i16(0);
    unknown.i16(9);
    unknown.raw("CDataLine");
    JwwBytes unregistered;  // index 2 is the object, not a class
    unregistered.i16(0x8002);
    JwwBytes bigUnregistered;
    bigUnregistered.i16(0x7FFF);
    bigUnregistered.i32(static_cast<int32_t>(0x80000005u));
    JwwBytes belowBase;
    belowBase.i16(0x0001);

    const struct {
        const char* name;
        QByteArray tag;
    } cases[] = {
        {"unknown name", unknown.data()},
        {"unregistered index", unregistered.data()},
        {"unregistered long index", bigUnregistered.data()},
        {"index below 8000", belowBase.data()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A first line that registers the class, then the bad tag before the
        // body of a second line.
        QByteArray bytes = good.left(layout.blockDefCount);
        bytes[layout.entityCount] = 2;
        bytes += c.tag + good.mid(tagAt + 14, layout.blockDefCount - tagAt - 14) + good.mid(layout.blockDefCount);
        TJwwData r;
        EXPECT_FALSE(readJwwBytes(r, bytes));
        EXPECT_EQ(r.EntLineN(), 1);  // what was read is kept
    }
    TJwwData r;
    EXPECT_TRUE(readJwwBytes(r, good));
}

TEST(JwwObjects, DefinitionClassNameIsNotChecked)
{
    TJwwData w;
    initEmptyDrawing(w, 600);
    TEntJwwBlockDef def;
    def.nNumber = 1;
    addLine(def, {attr(1, 1), 1, 2, 3, 4});
    w.EntBlockDef.push_back(def);
    JwwWriteOptions options;
    options.blockDefClassName = "CSomethingElse";
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w, options)));
    ASSERT_EQ(r.EntBlockDefN(), 1);
    EXPECT_EQ(r.EntBlockDef[0].mLine, def.mLine);
}

// Only damaged drawings have layers above 15; the reader keeps what they
// hold and leaves the judgement to the conversion.
TEST(JwwObjects, LayerNumbersAbove15AreKept)
{
    TJwwData w;
    initEmptyDrawing(w, 600);
    TEntJwwAttr a = attr(1, 1);
    a.nLayer = 16;
    a.nGLayer = 0xFFFF;
    addLine(w, {a, 1, 2, 3, 4});
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
    ASSERT_EQ(r.EntLineN(), 1);
    EXPECT_EQ(r.EntLine[0].att, a);
}
