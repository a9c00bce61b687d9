// Text entities as written text_string_features: skip rules, safe strings,
// base points, vertical boxes, slant, auxiliary colour and fonts.
#include "worker/text/text_converter.h"

#include "common/codepage.h"
#include "sxf/sfc_writer.h"
#include "tests/worker/output_capture.h"

#include <gtest/gtest.h>

#include <functional>

using convert::Placement;
using jww::TEntJwwMoji;

using testsupport::OutputCapture;

namespace {

// Tables as a drawing with two layers, three pen colours, two line types and
// two fonts would have them; auxiliary entities go to layer 7, colour 4.
struct TextFixture : OutputCapture {
    TextFixture()
    {
        sizeTables();
        tables.DatLay[0].no = 1;
        tables.DatLay[1 * 16 + 2].no = 3;
        tables.DatCol[1].no = 1;
        tables.DatCol[2].no = 5;
        tables.DatLtp[1].no = 1;
    }
    text::TSFC_Moji_Exp_Info mexp;
};

QString record(int number, const QString& line)
{
    return u"/*SXF\r\n#"_qs + QString::number(number) + u" = "_qs + line + u"\r\nSXF*/\r\n\r\n"_qs;
}

// "AB" from (10, 20) to the right on layer 1-2 in colour 2, characters 4 x 5
// with spacing 1, font ＭＳ 明朝, base point code 1.
TEntJwwMoji baseText()
{
    TEntJwwMoji e;
    e.att.nLayer = 2;
    e.att.nGLayer = 1;
    e.att.nPenColor = 2;
    e.att.nPenStyle = 1;
    e.start_x = 10;
    e.start_y = 20;
    e.end_x = 20;
    e.end_y = 20;
    e.dSizeX = 4;
    e.dSizeY = 5;
    e.dKankaku = 1;
    e.strFontName = u"ＭＳ 明朝"_qs;
    e.str = u"AB"_qs;
    return e;
}

const Placement kSheet{100, 50, 1};

// What baseText() changed by `change` writes under `p`; the piece lists are
// left empty.
QString written(const std::function<void(TEntJwwMoji&)>& change, const Placement& p = kSheet)
{
    TextFixture fx;
    TEntJwwMoji e = baseText();
    change(e);
    text::procSfcDataMoji(fx.ctx, fx.mexp, e, p);
    EXPECT_EQ(fx.mexp.eMojiN, 0);
    EXPECT_EQ(fx.mexp.eLineN, 0);
    return fx.output();
}

}  // namespace

TEST(TextConverter, SkippedTextsWriteNothing)
{
    struct Case {
        const char* name;
        std::function<void(TEntJwwMoji&)> change;
    } cases[] = {
        {"equal points", [](TEntJwwMoji& e) { e.end_x = e.start_x; e.end_y = e.start_y; }},
        {"points equal within 1e-12",
         [](TEntJwwMoji& e) { e.end_x = e.start_x + 1e-13; e.end_y = e.start_y; }},
        {"stray text at the origin",
         [](TEntJwwMoji& e) { e.start_x = 0; e.start_y = 0; e.end_x = 0.01; e.end_y = 0.01; }},
        {"image reference", [](TEntJwwMoji& e) { e.str = u"^@BMpic.bmp,100,50"_qs; }},
        {"blanks only", [](TEntJwwMoji& e) { e.str = u" \u3000 "_qs; }},
        {"control characters only", [](TEntJwwMoji& e) { e.str = u"\t\r\n"_qs; }},
        {"damaged layer", [](TEntJwwMoji& e) { e.att.nLayer = 16; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextFixture fx;
        TEntJwwMoji e = baseText();
        c.change(e);
        text::procSfcDataMoji(fx.ctx, fx.mexp, e, kSheet);
        EXPECT_EQ(fx.output(), QString());
        EXPECT_EQ(fx.writer.SXFnum, 10);
    }
}

TEST(TextConverter, WrittenRecord)
{
    // Base box of "AB": 2 + 0.5 + 2 = 4.5 wide (half spacing after a
    // half-width character), 5 high; written width 2 x 2 + 1 = 5.
    struct Case {
        const char* name;
        std::function<void(TEntJwwMoji&)> change;
        Placement p;
        QString line;
    } cases[] = {
        {"plain", [](TEntJwwMoji&) {}, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"base point 5 at 0 degrees", [](TEntJwwMoji& e) { e.att.nPenStyle = 5; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','112.250000','72.500000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','5','1'))"_qs},
        {"base point 3 uses the base box, not the written width", [](TEntJwwMoji& e) { e.att.nPenStyle = 3; },
         kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','114.500000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','3','1'))"_qs},
        {"base point code 0 is 1", [](TEntJwwMoji& e) { e.att.nPenStyle = 0; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"base point code 10 is 1", [](TEntJwwMoji& e) { e.att.nPenStyle = 10; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"slanted kind 30005", [](TEntJwwMoji& e) { e.nMojiShu = 30005; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','15.000000000000','1','1'))"_qs},
        {"upright kind 20005", [](TEntJwwMoji& e) { e.nMojiShu = 20005; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"turned by 90 degrees, base point 3", [](TEntJwwMoji& e) { e.end_x = 10; e.end_y = 30; e.att.nPenStyle = 3; },
         kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','74.500000','5.000000','5.000000','1.000000','90.000000000000','0.000000000000','3','1'))"_qs},
        // The column hangs from the lower-right corner (114.5, 70) of the
        // horizontal box, turned to 90 degrees, 4 wide and 2 x 5 + 1 high;
        // its upper right corner is 11 back along x and 4 up.
        {"vertical, base point 9", [](TEntJwwMoji& e) { e.att.sFlg = 0x20; e.att.nPenStyle = 9; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','103.500000','74.000000','11.000000','4.000000','1.000000','90.000000000000','0.000000000000','9','2'))"_qs},
        // Running downwards at 270 degrees, the column turns to 0, not 360.
        {"vertical, running downwards", [](TEntJwwMoji& e) { e.att.sFlg = 0x20; e.end_x = 10; e.end_y = 10; },
         kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','110.000000','65.500000','11.000000','4.000000','1.000000','0.000000000000','0.000000000000','1','2'))"_qs},
        {"auxiliary colour", [](TEntJwwMoji& e) { e.att.nPenColor = 9; }, kSheet,
         uR"(text_string_feature('7','4','2',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"font not in the table", [](TEntJwwMoji& e) { e.strFontName = u"Arial"_qs; }, kSheet,
         uR"(text_string_feature('3','5','1',\'AB\','110.000000','70.000000','5.000000','5.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"negative sizes and spacing",
         [](TEntJwwMoji& e) { e.dSizeX = -4; e.dSizeY = -5; e.dKankaku = -1; e.att.nPenStyle = 9; }, kSheet,
         uR"(text_string_feature('3','5','2',\'AB\','114.000000','75.000000','5.000000','4.000000','0.000000','0.000000000000','0.000000000000','9','1'))"_qs},
        {"scale 2 with offset", [](TEntJwwMoji&) {}, Placement{100, 50, 2},
         uR"(text_string_feature('3','5','2',\'AB\','120.000000','90.000000','10.000000','10.000000','2.000000','0.000000000000','0.000000000000','1','1'))"_qs},
        {"backslash-apostrophe replaced", [](TEntJwwMoji& e) { e.str = u"a\\'b"_qs; }, kSheet,
         uR"(text_string_feature('3','5','2',\'a￥’b\','110.000000','70.000000','5.000000','15.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(written(c.change, c.p), record(10, c.line));
    }
}

TEST(TextConverter, DecoratedTextsAreWrittenInPieces)
{
    // Laid out from the start point (110, 70) with characters 4 x 5: text
    // pieces first, then lines, on the text's layer. Pen colour 9 of a
    // piece becomes cb3 + 1; "^\" switches to the gothic font, number 1.
    struct Case {
        const char* name;
        std::function<void(TEntJwwMoji&)> change;
        QString out;
    } cases[] = {
        {"underline across a change to colour 9",
         [](TEntJwwMoji& e) { e.str = u"A^_B^$9C"_qs; e.att.nPenStyle = 5; },
         record(10, uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','4.000000','0.000000','0.000000000000','0.000000000000','1','1'))"_qs) +
             record(20, uR"(text_string_feature('3','4','2',\'C\','114.400000','70.000000','5.000000','2.000000','0.000000','0.000000000000','0.000000000000','1','1'))"_qs) +
             record(30, u"line_feature('3','5','1','1','112.000000','69.500000','114.000000','69.500000')"_qs) +
             record(40, u"line_feature('3','4','1','1','114.000000','69.500000','116.000000','69.500000')"_qs)},
        // The column starts at the start point itself, turned to 90 degrees;
        // the underline runs beside it, 4.4 across.
        {"vertical", [](TEntJwwMoji& e) { e.str = u"A^_B"_qs; e.att.sFlg = 0x20; },
         record(10, uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','10.000000','4.000000','0.000000','90.000000000000','0.000000000000','7','2'))"_qs) +
             record(20, u"line_feature('3','5','1','1','115.000000','74.400000','120.000000','74.400000')"_qs)},
        {"slanted text in the gothic font", [](TEntJwwMoji& e) { e.str = u"A^\\B"_qs; e.nMojiShu = 10005; },
         record(10, uR"(text_string_feature('3','5','2',\'A\','110.000000','70.000000','5.000000','2.000000','0.000000','0.000000000000','15.000000000000','1','1'))"_qs) +
             record(20, uR"(text_string_feature('3','5','1',\'B\','112.400000','70.000000','5.000000','2.000000','0.000000','0.000000000000','15.000000000000','1','1'))"_qs)},
        // A code that does nothing here still joins what it stood between:
        // the piece is made safe as the whole text was.
        {"apostrophes brought next to 表 and a backslash", [](TEntJwwMoji& e) { e.str = u"表^!'\\^!'"_qs; },
         record(10, uR"(text_string_feature('3','5','2',\'表’￥’\','110.000000','70.000000','5.000000','10.000000','0.000000','0.000000000000','0.000000000000','1','1'))"_qs)},
        // Only the dots were codes: one piece spread over the box of
        // "AB・・", 2 x 2 + 2 x 4 + 3 x 1 = 15 wide, spacing (15 - 4) / 1.
        {"trailing dots", [](TEntJwwMoji& e) { e.str = u"AB\u30FB\u30FB"_qs; },
         record(10, uR"(text_string_feature('3','5','2',\'AB\','110.000000','70.000000','5.000000','15.000000','11.000000','0.000000000000','0.000000000000','1','1'))"_qs)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(written(c.change), c.out);
    }
}

TEST(TextConverter, LongFullWidthTextIsCut)
{
    TextFixture fx;
    TEntJwwMoji e = baseText();
    e.str = QString(200, QChar(0x3042));
    text::procSfcDataMoji(fx.ctx, fx.mexp, e, kSheet);
    // 128 characters of 2 columns: 128 x 2 x 0.5 x 4 + 127 x 1 wide.
    const QString line = u"text_string_feature('3','5','2',\\'"_qs + QString(128, QChar(0x3042)) +
                         uR"(\','110.000000','70.000000','5.000000','639.000000','1.000000','0.000000000000','0.000000000000','1','1'))"_qs;
    EXPECT_EQ(fx.output(), record(10, line));
}

TEST(TextConverter, CheckMojiSfc)
{
    const QString a254(254, u'a');
    struct Case {
        QString in;
        QString out;
    } cases[] = {
        {u"a\\'b"_qs, u"a￥’b"_qs},
        {u"\\\\'x\\'"_qs, u"\\￥’x￥’"_qs},
        {u"it's \\ ok"_qs, u"it's \\ ok"_qs},
        {u"ソ'ト ア'イ"_qs, u"ソ’ト ア'イ"_qs},
        {QString(200, QChar(0x3042)), QString(128, QChar(0x3042))},
        {QString(256, u'a'), QString(256, u'a')},
        {QString(255, u'a') + QChar(0x3042), QString(255, u'a')},
        // Replaced before cutting: the widened pair no longer fits whole.
        {a254 + u"\\'"_qs, a254 + QChar(0xFFE5)},
        // A pair counts two full-width code units; one that does not fit
        // whole goes whole.
        {a254 + u"\U0002000B"_qs, a254},
        {QString(252, u'a') + u"\U0002000B"_qs, QString(252, u'a') + u"\U0002000B"_qs},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.left(20).toStdString());
        EXPECT_EQ(text::CheckMojiSfc(c.in), c.out);
    }
}

TEST(TextConverter, CheckMojiExp2)
{
    struct Case {
        QString in;
        bool decorated;
    } cases[] = {
        {u"ab"_qs, false},           {u"a\uFF65"_qs, false},     {u"ab\uFF65"_qs, true},
        {u"ab\u30FB"_qs, true},      {u"abc"_qs, false},         {u"a^x"_qs, false},
        {u"^uA"_qs, true},           {u"m^u2"_qs, true},         {u"X^$2Y"_qs, true},
        {u"X^$0Y"_qs, false},        {u"X^$Y"_qs, false},        {u"a^\\b"_qs, true},
        {u"^^a"_qs, true},           {u"a^B"_qs, true},          {u"a^9"_qs, true},
        {u"a^0"_qs, false},          {u"a^%"_qs, true},          {u"^*^u^^"_qs, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.toStdString());
        EXPECT_EQ(text::CheckMojiExp2(c.in), c.decorated);
    }
}

TEST(TextConverter, WriteMojiPiecesInListOrderAndEmptiesLists)
{
    TextFixture fx;
    text::TSFC_Moji_Exp_MojiField slanted;
    slanted.col = 2;
    slanted.fon = 2;
    slanted.ktn = 7;
    slanted.dir = 2;
    slanted.ita = 1;
    slanted.mjx = 1;
    slanted.mjy = 2;
    slanted.msx = 3;
    slanted.msy = 4;
    slanted.mjw = 9;
    slanted.mjh = 9;
    slanted.mjd = 0.5;
    slanted.mja = 90;
    slanted.str = u"X"_qs;
    text::TSFC_Moji_Exp_MojiField blank = slanted;
    blank.str = u" \u3000"_qs;
    text::TSFC_Moji_Exp_MojiField auxiliary;
    auxiliary.col = 9;
    auxiliary.fon = 1;
    auxiliary.mjx = 5;
    auxiliary.mjy = 6;
    auxiliary.msx = 7;
    auxiliary.msy = 8;
    auxiliary.str = u"Y"_qs;
    text::TSFC_Moji_Exp_MojiField beyondCount = auxiliary;
    beyondCount.str = u"Z"_qs;
    fx.mexp.eMoji = {slanted, blank, auxiliary, beyondCount};
    fx.mexp.eMojiN = 3;
    fx.mexp.eLine = {{9, 0, 0, 1, 1}, {2, 4, 4, 4, 4}, {2, 2, 2, 3, 2}};
    fx.mexp.eLineN = 3;

    text::writeMojiPieces(fx.ctx, fx.mexp, 3);

    const QString expected =
        record(10, uR"(text_string_feature('3','5','2',\'X\','1.000000','2.000000','4.000000','3.000000','0.500000','90.000000000000','15.000000000000','7','2'))"_qs) +
        record(20, uR"(text_string_feature('3','4','1',\'Y\','5.000000','6.000000','8.000000','7.000000','0.000000','0.000000000000','0.000000000000','1','1'))"_qs) +
        record(30, u"line_feature('3','4','1','1','0.000000','0.000000','1.000000','1.000000')"_qs) +
        record(40, u"line_feature('3','5','1','1','2.000000','2.000000','3.000000','2.000000')"_qs);
    EXPECT_EQ(fx.output(), expected);
    EXPECT_EQ(fx.mexp.eMojiN, 0);
    EXPECT_EQ(fx.mexp.eLineN, 0);
    EXPECT_TRUE(fx.mexp.eMoji.empty());
    EXPECT_TRUE(fx.mexp.eLine.empty());
}

TEST(TextConverter, CodesAreExpandedAfterTheBoxIsMeasured)
{
    // The base box is that of the code as written (base point 3 lies at the
    // right end of "%mm"); the written width is that of the value, whose
    // memo line break is gone: "X　YZ" has 5 columns and 4 code units.
    TextFixture fx;
    fx.mexp.memo1 = u"X"_qs;
    fx.mexp.memo2 = u"Y\r\nZ"_qs;
    TEntJwwMoji e = baseText();
    e.str = u"%mm"_qs;
    e.att.nPenStyle = 3;
    text::procSfcDataMoji(fx.ctx, fx.mexp, e, kSheet);
    EXPECT_EQ(fx.output(), record(10, uR"(text_string_feature('3','5','2',\'X　YZ\','117.000000','70.000000','5.000000','13.000000','1.000000','0.000000000000','0.000000000000','3','1'))"_qs));
}

TEST(TextConverter, TextBlankAfterExpansionWritesNothing)
{
    for (const QString& code : {u"%j1x"_qs, u"%m2"_qs, u"%%B"_qs}) {
        SCOPED_TRACE(code.toStdString());
        TextFixture fx;
        fx.mexp.memo2 = u"\r\n\u3000"_qs;
        fx.mexp.refList = {{u"%%B"_qs, u" "_qs}};
        TEntJwwMoji e = baseText();
        e.str = code;
        text::procSfcDataMoji(fx.ctx, fx.mexp, e, kSheet);
        EXPECT_EQ(fx.output(), QString());
        EXPECT_EQ(fx.writer.SXFnum, 10);
    }
}
