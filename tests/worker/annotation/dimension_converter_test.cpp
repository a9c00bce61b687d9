// Dimension entities as written linear_dim_features, and the text values
// shared by every annotation feature.
#include "worker/annotation/dimension_converter.h"

#include "common/codepage.h"
#include "sxf/sfc_writer.h"
#include "tests/worker/output_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using convert::Placement;
using jww::TEntJwwMoji;
using jww::TEntJwwSunpo;
using jww::TEntJwwTen;

using testsupport::OutputCapture;

namespace {

// Tables of a drawing whose dimension line lies on layer 1-2 (SFC layer 3)
// in colour 2 (SFC 5) and line type 2 (SFC 3); auxiliary entities go to
// layer 7 with colour 4 and line type 2.
struct DimFixture : OutputCapture {
    DimFixture()
    {
        sizeTables();
        tables.DatLay[1 * 16 + 2].no = 3;
        tables.DatCol[2].no = 5;
        tables.DatLtp[2].no = 3;
    }
};

TEntJwwTen marker(double x, double y, int32_t code, double rotation, double scale)
{
    TEntJwwTen t;
    t.att.nPenStyle = 100;
    t.start_x = x;
    t.start_y = y;
    t.nCode = code;
    t.radKaitenKaku = rotation;
    t.dBairitsu = scale;
    return t;
}

// "10" centred under a dimension line from (0, 0) to (10, 0), with
// extension lines hanging down from both ends and markers at both ends.
TEntJwwSunpo baseDimension()
{
    TEntJwwSunpo e;
    e.Sen.att.nLayer = 2;
    e.Sen.att.nGLayer = 1;
    e.Sen.att.nPenColor = 2;
    e.Sen.att.nPenStyle = 2;
    e.Sen.att.nPenWidth = 35;  // 0.35 mm, width entry 4
    e.Sen.end_x = 10;
    e.Moji.att.nPenStyle = 2;
    e.Moji.start_x = 2;
    e.Moji.start_y = 1;
    e.Moji.end_x = 8;
    e.Moji.end_y = 1;
    e.Moji.dSizeX = 2;
    e.Moji.dSizeY = 3;
    e.Moji.dKankaku = 0.5;
    e.Moji.strFontName = u"ＭＳ 明朝"_qs;
    e.Moji.str = u"10"_qs;
    e.bSxfMode = 1;
    e.Kt1.start_x = 0;
    e.Kt1.start_y = -5;
    e.Ho1 = {{}, 0, -1, 0, -6};
    e.Kt2.start_x = 10;
    e.Kt2.start_y = -5;
    e.Ho2 = {{}, 10, -1, 10, -6};
    e.Te1 = marker(0, 0, 3, 0, 1.5);
    e.Te2 = marker(10, 0, 12, M_PI, 1);
    return e;
}

// The pieces of the written record of baseDimension() at placement (0, 0, 1).
struct DimRecord {
    QString a = u"'3','5','3','4'"_qs;
    QString line = u"'0.000000','0.000000','10.000000','0.000000'"_qs;
    QString e1 = u"'1','0.000000','-5.000000','0.000000','-1.000000','0.000000','-6.000000'"_qs;
    QString e2 = u"'1','10.000000','-5.000000','10.000000','-1.000000','10.000000','-6.000000'"_qs;
    QString r1 = u"'3','2','0.000000','0.000000','1.500000000000'"_qs;
    QString r2 = u"'7','2','10.000000','0.000000','1.000000000000'"_qs;
    // TextLength("10", 2, 0.5) = 1 + 0.25 + 1; base point 2 is half of it
    // right of the start.
    QString t = uR"('1','2',\'10\','3.125000','1.000000','3.000000','2.250000','0.500000','0.000000000000','0.000000000000','2','1')"_qs;

    QString text() const
    {
        return u"/*SXF\r\n#10 = linear_dim_feature("_qs + a + u","_qs + line + u","_qs + e1 + u","_qs + e2 +
               u","_qs + r1 + u","_qs + r2 + u","_qs + t + u")\r\nSXF*/\r\n\r\n"_qs;
    }
};

const QString kNoExtension = u"'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000'"_qs;
const QString kNoArrow = u"'0','0','0.000000','0.000000','1.000000000000'"_qs;

QString written(const TEntJwwSunpo& e, const Placement& p)
{
    DimFixture fx;
    annotation::procSfcDataSunpo(fx.ctx, e, p);
    return fx.output();
}

}  // namespace

TEST(DimensionConverter, WrittenRecord)
{
    struct Case {
        const char* name;
        std::function<void(TEntJwwSunpo&)> change;
        Placement p;
        std::function<void(DimRecord&)> expect;
    } cases[] = {
        {"SXF mode", [](TEntJwwSunpo&) {}, {}, [](DimRecord&) {}},
        {"plain dimension ignores extension lines and markers", [](TEntJwwSunpo& e) { e.bSxfMode = 0; }, {},
         [](DimRecord& r) { r.e1 = r.e2 = kNoExtension; r.r1 = r.r2 = kNoArrow; }},
        {"scale 2 with offset (100, 50)", [](TEntJwwSunpo&) {}, Placement{100, 50, 2},
         [](DimRecord& r) {
             r.line = u"'100.000000','50.000000','120.000000','50.000000'"_qs;
             r.e1 = u"'1','100.000000','40.000000','100.000000','48.000000','100.000000','38.000000'"_qs;
             r.e2 = u"'1','120.000000','40.000000','120.000000','48.000000','120.000000','38.000000'"_qs;
             r.r1 = u"'3','2','100.000000','50.000000','1.500000000000'"_qs;
             r.r2 = u"'7','2','120.000000','50.000000','1.000000000000'"_qs;
             r.t = uR"('1','2',\'10\','106.250000','52.000000','6.000000','4.500000','1.000000','0.000000000000','0.000000000000','2','1')"_qs;
         }},
        {"degenerate extension line 1", [](TEntJwwSunpo& e) { e.Ho1.end_y = -1 - 5e-7; }, {},
         [](DimRecord& r) { r.e1 = kNoExtension; }},
        {"extension line long enough only after scaling",
         [](TEntJwwSunpo& e) { e.Ho2 = {{}, 10, 0, 10, 6e-7}; e.Kt2.start_y = 0; }, Placement{0, 0, 2},
         [](DimRecord& r) {
             r.line = u"'0.000000','0.000000','20.000000','0.000000'"_qs;
             r.e1 = u"'1','0.000000','-10.000000','0.000000','-2.000000','0.000000','-12.000000'"_qs;
             r.e2 = u"'1','20.000000','0.000000','20.000000','0.000000','20.000000','0.000001'"_qs;
             r.r1 = u"'3','2','0.000000','0.000000','1.500000000000'"_qs;
             r.r2 = u"'7','2','20.000000','0.000000','1.000000000000'"_qs;
             r.t = uR"('1','2',\'10\','6.250000','2.000000','6.000000','4.500000','1.000000','0.000000000000','0.000000000000','2','1')"_qs;
         }},
        {"auxiliary colour", [](TEntJwwSunpo& e) { e.Sen.att.nPenColor = 9; }, {},
         [](DimRecord& r) { r.a = u"'7','4','2','4'"_qs; }},
        {"auxiliary line type", [](TEntJwwSunpo& e) { e.Sen.att.nPenStyle = 9; }, {},
         [](DimRecord& r) { r.a = u"'7','4','2','4'"_qs; }},
        {"attributes of the entity itself are not used",
         [](TEntJwwSunpo& e) { e.att.nPenColor = 9; e.Moji.att.nPenColor = 9; }, {}, [](DimRecord&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEntJwwSunpo e = baseDimension();
        c.change(e);
        DimRecord expected;
        c.expect(expected);
        EXPECT_EQ(written(e, c.p), expected.text());
    }
}

TEST(DimensionConverter, DamagedLayerWritesNothing)
{
    TEntJwwSunpo e = baseDimension();
    e.Sen.att.nGLayer = 16;
    EXPECT_EQ(written(e, {}), QString());
}

TEST(DimensionConverter, MarkerCodes)
{
    // Only marker 1 varies; the line runs from (0, 0) to (10, 0).
    struct Case {
        const char* name;
        TEntJwwTen te1;
        QString r1;
    } cases[] = {
        {"not a coded point", TEntJwwTen{}, u"'7','1','0.000000','0.000000','0.100000000000'"_qs},
        {"start, rotation 0", marker(0, 0, 3, 0, 1.5), u"'3','2','0.000000','0.000000','1.500000000000'"_qs},
        {"start, rotation pi", marker(0, 0, 3, M_PI, 1.5), u"'3','1','0.000000','0.000000','1.500000000000'"_qs},
        {"start, rotation 2 pi", marker(0, 0, 3, 2 * M_PI, 1.5),
         u"'3','2','0.000000','0.000000','1.500000000000'"_qs},
        {"start, rotation 1e-13", marker(0, 0, 3, 1e-13, 1.5), u"'3','2','0.000000','0.000000','1.500000000000'"_qs},
        {"start, rotation 1e-11", marker(0, 0, 3, 1e-11, 1.5), u"'3','1','0.000000','0.000000','1.500000000000'"_qs},
        {"end, rotation pi", marker(10, 0, 3, M_PI, 1.5), u"'3','2','10.000000','0.000000','1.500000000000'"_qs},
        {"end, rotation -pi", marker(10, 0, 3, -M_PI, 1.5), u"'3','2','10.000000','0.000000','1.500000000000'"_qs},
        {"end, rotation 0", marker(10, 0, 3, 0, 1.5), u"'3','1','10.000000','0.000000','1.500000000000'"_qs},
        {"middle counts as the end", marker(5, 1, 3, M_PI, 1.5), u"'3','2','5.000000','1.000000','1.500000000000'"_qs},
        {"code 12", marker(0, 0, 12, 0, 1), u"'7','2','0.000000','0.000000','1.000000000000'"_qs},
        {"code 11", marker(0, 0, 11, 0, 1), u"'11','2','0.000000','0.000000','1.000000000000'"_qs},
        {"code 1", marker(0, 0, 1, 0, 1), u"'1','2','0.000000','0.000000','1.000000000000'"_qs},
        {"code 0", marker(0, 0, 0, 0, 1), u"'7','2','0.000000','0.000000','1.000000000000'"_qs},
        {"code -2", marker(0, 0, -2, 0, 1), u"'7','2','0.000000','0.000000','1.000000000000'"_qs},
        {"scale 0 keeps the position", marker(2, 3, 3, 0, 0), u"'0','0','2.000000','3.000000','0.000000000000'"_qs},
        {"scale 1e-10", marker(0, 0, 3, 0, 1e-10), u"'0','0','0.000000','0.000000','0.000000000000'"_qs},
        {"scale 2e-10", marker(0, 0, 3, 0, 2e-10), u"'3','2','0.000000','0.000000','0.000000000200'"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEntJwwSunpo e = baseDimension();
        e.Te1 = c.te1;
        DimRecord expected;
        expected.r1 = c.r1;
        EXPECT_EQ(written(e, {}), expected.text());
    }
}

TEST(DimensionConverter, TextValues)
{
    // "10" from (2, 1), 2 x 3 with spacing 0.5, placed at (100, 50) scale 2:
    // corner (104, 52), box 4.5 x 6.
    struct Expected {
        QString st;
        int mf, fo, dr, kt;
        double mx, my, mh, md, sx, sy, ma, ms, kx, ky;
    };
    struct Case {
        const char* name;
        std::function<void(TEntJwwMoji&)> change;
        Expected v;
    } cases[] = {
        {"plain", [](TEntJwwMoji&) {}, {u"10"_qs, 1, 2, 1, 2, 104, 52, 6, 1, 4.5, 6, 0, 0, 106.25, 52}},
        {"equal points clear the text", [](TEntJwwMoji& e) { e.end_x = 2; e.end_y = 1; },
         {QString(), 0, 0, 1, 1, 104, 52, 6, 1, 0, 0, 0, 0, 0, 0}},
        {"blank text with negative spacing", [](TEntJwwMoji& e) { e.str = u" \u3000"_qs; e.dKankaku = -1; },
         {QString(), 0, 0, 1, 1, 104, 52, 6, 0, 0, 0, 0, 0, 0, 0}},
        {"slanted kind 10002", [](TEntJwwMoji& e) { e.nMojiShu = 10002; },
         {u"10"_qs, 1, 2, 1, 2, 104, 52, 6, 1, 4.5, 6, 0, 15, 106.25, 52}},
        {"upright kind 20002", [](TEntJwwMoji& e) { e.nMojiShu = 20002; },
         {u"10"_qs, 1, 2, 1, 2, 104, 52, 6, 1, 4.5, 6, 0, 0, 106.25, 52}},
        {"base point code 0", [](TEntJwwMoji& e) { e.att.nPenStyle = 0; },
         {u"10"_qs, 1, 2, 1, 1, 104, 52, 6, 1, 4.5, 6, 0, 0, 104, 52}},
        {"font not in the table", [](TEntJwwMoji& e) { e.strFontName = u"Arial"_qs; },
         {u"10"_qs, 1, 1, 1, 2, 104, 52, 6, 1, 4.5, 6, 0, 0, 106.25, 52}},
        // The column is 2 x 2 wide and (2 x 3 + 0.5) x 2 high; neither the
        // box nor its angle turns.
        {"vertical", [](TEntJwwMoji& e) { e.att.sFlg = 0x20; e.att.nPenStyle = 9; },
         {u"10"_qs, 1, 2, 2, 9, 104, 52, 6, 1, 4, 13, 0, 0, 108, 65}},
        {"turned by 90 degrees", [](TEntJwwMoji& e) { e.end_x = 2; e.end_y = 5; },
         {u"10"_qs, 1, 2, 1, 2, 104, 52, 6, 1, 4.5, 6, 90, 0, 104, 54.25}},
        {"negative sizes", [](TEntJwwMoji& e) { e.dSizeX = -2; e.dSizeY = -3; },
         {u"10"_qs, 1, 2, 1, 2, 104, 52, 6, 1, 4.5, 6, 0, 0, 106.25, 52}},
        // Measured as read; only the pair that would end the SFC string is
        // replaced.
        {"backslash-apostrophe", [](TEntJwwMoji& e) { e.str = u"1\\'0"_qs; },
         {u"1\uFFE5\u20190"_qs, 1, 2, 1, 2, 104, 52, 6, 1, 9.5, 6, 0, 0, 108.75, 52}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEntJwwMoji m = baseDimension().Moji;
        c.change(m);
        DimFixture fx;
        const annotation::SunpoMojiValues v = annotation::procSfcDataSunpoMoji(fx.tables, m, Placement{100, 50, 2});
        EXPECT_EQ(v.st, c.v.st);
        EXPECT_EQ(v.mf, c.v.mf);
        EXPECT_EQ(v.fo, c.v.fo);
        EXPECT_EQ(v.dr, c.v.dr);
        EXPECT_EQ(v.kt, c.v.kt);
        const double got[] = {v.mx, v.my, v.mh, v.md, v.sx, v.sy, v.ma, v.ms, v.kx, v.ky};
        const double want[] = {c.v.mx, c.v.my, c.v.mh, c.v.md, c.v.sx, c.v.sy, c.v.ma, c.v.ms, c.v.kx, c.v.ky};
        for (int i = 0; i < 10; ++i)
            EXPECT_NEAR(got[i], want[i], 1e-9) << "value " << i << " of mx my mh md sx sy ma ms kx ky";
    }
}
