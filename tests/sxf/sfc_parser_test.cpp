// The test-only SFC reader: a file written by the writers reads back clean,
// and each kind of damage is reported.
#include "tests/support/sfc_parser.h"

#include "sxf/annotation_features.h"
#include "sxf/definition_features.h"
#include "sxf/geometric_features.h"
#include "sxf/structure_features.h"
#include "tests/support/sfc_references.h"
#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace testsupport;

namespace {

// One record of every feature kind, each reference defined before its use.
void writeEveryFeature(sxf::SfcWriter& f)
{
    const sxf::SfcAttr a {1, 1, 1, 1};
    const std::vector<sxf::T2DPoint> points = {{0, 0}, {10, 0}};
    const std::vector<double> pitches = {1, 0.5};
    const std::vector<int32_t> holes = {2};
    sxf::procSfcSetLayer(f, u"A-1", 1);
    sxf::procSfcSetColor(f, u"black");
    sxf::procSfcSetColorUser(f, 0x00FF8000u);
    sxf::procSfcSetLtype(f, u"continuous");
    sxf::procSfcSetLtypeUser(f, u"u1", 2, pitches);
    sxf::procSfcSetWidth(f, 0.13);
    sxf::procSfcSetFont(f, u"ＭＳ ゴシック");
    sxf::procSfcTen(f, 1, 1, 0, 0, 1, 0, 1);
    sxf::procSfcLine(f, a, 0, 0, 10, 10);
    sxf::procSfcPolyLine(f, a, 2, points);
    sxf::procSfcCircle(f, a, 0, 0, 5);
    sxf::procSfcArc(f, sxf::SfcAttr {1, 17, 17, 1}, 0, 0, 5, 0, 0, 90);
    sxf::procSfcCcurveDef(f, 1, 1, 1, 0);
    sxf::procSfcElli(f, a, 0, 0, 5, 3, 0);
    sxf::procSfcEArc(f, a, 0, 0, 5, 3, 1, 0, 0, 90);
    sxf::procSfcCcurveDef(f, 1, 1, 1, 0);
    sxf::procSfcText(f, {1, 1, 1, QStringLiteral("図面 it's"), 0, 0, 2.5, 10, 0, 0, 0, 1, 1});
    sxf::procSfcBlockDef(f, u"DOOR", 4);
    sxf::procSfcBlock(f, 1, u"DOOR", 100, 50, 0, 1, 1);
    sxf::procSfcHatchColor(f, 1, 1, 1, holes);
    sxf::procSfcHatchExt(f, 1, u"H", 2, {});
    sxf::procSfcPaper(f, u"A1", 1, 1, 841, 594);
    sxf::SfcTextBlock t;
    t.mf = 1;
    t.fo = 1;
    t.st = QStringLiteral("100");
    const sxf::SfcExtLine e;
    const sxf::SfcArrow r;
    sxf::procSfcDimLinear(f, a, 0, 0, 100, 0, e, e, r, r, t);
    sxf::procSfcDimCurve(f, a, 0, 0, 5, 0, 90, e, e, r, r, t);
    sxf::procSfcDimAngle(f, a, 0, 0, 5, 0, 90, e, e, r, r, t);
    sxf::procSfcDimRadius(f, a, 0, 0, 5, 0, r, t);
    sxf::procSfcDimDiameter(f, a, 0, 0, 5, 0, r, r, t);
    sxf::procSfcLeader(f, a, 2, points, 1, 1, t);
    sxf::procSfcBalloon(f, a, 2, points, 0, 0, 1, 1, 1, t);
    sxf::procSfcArw(f, 1, 1, 0, 0, 1, 0, 1, 1);
}

QByteArray goodFile()
{
    return sfctest::framedSfc(writeEveryFeature);
}

// `bytes` with the first `from` replaced by `to`.
QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to)
{
    const qsizetype at = bytes.indexOf(from);
    EXPECT_GE(at, 0) << from.toStdString();
    return at < 0 ? bytes : bytes.replace(at, from.size(), to);
}

}  // namespace

TEST(SfcParser, GoodFileReadsBackTyped)
{
    const SfcFile file = parseSfc(goodFile());
    EXPECT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
    EXPECT_EQ(file.fileName, QStringLiteral("plan.sfc"));
    EXPECT_EQ(file.dateTime, QStringLiteral("2026-01-02T03:04:05"));
    ASSERT_EQ(file.records.size(), 30u);
    EXPECT_EQ(file.records.front().number, 10);
    EXPECT_EQ(file.records.front().line, 17);
    EXPECT_EQ(file.records.back().number, 300);
    EXPECT_TRUE(checkSfcReferences(file).isEmpty()) << checkSfcReferences(file).join(u'\n').toStdString();

    const SfcRecord& text = *file.named(u"text_string_feature").at(0);
    EXPECT_EQ(text.stringAt(3), QStringLiteral("図面 it's"));
    EXPECT_EQ(text.realAt(6), 2.5);
    EXPECT_EQ(text.args[9].decimals, 12);
    const SfcRecord& polyline = *file.named(u"polyline_feature").at(0);
    EXPECT_EQ(polyline.args[5].kind, SfcValueKind::RealList);
    EXPECT_EQ(polyline.args[5].elements, (std::vector<double> {0, 10}));
    const SfcRecord& fill = *file.named(u"fill_area_style_colour_feature").at(0);
    EXPECT_EQ(fill.args[4].integers, (std::vector<int64_t> {2}));
    EXPECT_EQ(file.named(u"externally_defined_hatch_feature").at(0)->args[4].kind, SfcValueKind::EmptyList);
    EXPECT_EQ(file.named(u"drawing_sheet_feature").at(0)->integerAt(4), 594);
}

TEST(SfcParser, DamageIsReported)
{
    const QByteArray good = goodFile();
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* problem;  // a part of one reported problem
    } cases[] = {
        {"extra argument", replaced(good, "width_feature('0.130000')", "width_feature('0.130000','1')"),
            "2 arguments, expected 1"},
        {"gap in numbering", replaced(good, "#30 = ", "#40 = "), "#40, expected #30"},
        {"number out of order", replaced(good, "#20 = ", "#10 = "), "#10, expected #20"},
        {"string without its closing backslash", replaced(good, "\\'A-1\\'", "\\'A-1'"), "layer_feature"},
        {"string never closed", replaced(good, "\\'H\\'", "\\'H"), "not closed"},
        {"missing footer", good.left(good.size() - int(sizeof "ENDSEC;\r\nEND-ISO-10303-21;\r\n") + 1),
            "missing footer"},
        {"last line without CR LF", good.left(good.size() - 2), "does not end with CR LF"},
        {"bytes after the last line", good + "x", "does not end with CR LF"},
        {"lines after the footer", good + "\r\n", "lines after"},
        {"LF-only line", replaced(good, "HEADER;\r\n", "HEADER;\n"), "line 2: ends with LF only"},
        {"wrong decimals", replaced(good, "'0.130000'", "'0.13'"), "real with 2 decimals"},
        {"integer where a real belongs", replaced(good, "'0.130000'", "'1'"), "expected r6"},
        {"negative zero", replaced(good, "'0.130000'", "'-0.000000'"), "negative zero"},
        {"non-finite number", replaced(good, "'0.130000'", "'nan'"), "non-finite"},
        {"leading zero", replaced(good, "layer_feature(\\'A-1\\','1')", "layer_feature(\\'A-1\\','01')"),
            "leading zero"},
        {"unknown feature", replaced(good, "width_feature", "wide_feature"), "unknown feature"},
        {"count does not match the list", replaced(good, "'2','(0.000000,10.000000)'", "'3','(0.000000,10.000000)'"),
            "the count says 3"},
        {"header line changed", replaced(good, "SCADEC_API_Ver3.30", "SCADEC_API_Ver3.31"), "line 9"},
        {"date-time in another form", replaced(good, "'2026-01-02T03:04:05'", "'2026-01-02 03:04:05'"),
            "not a date-time line"},
        {"impossible date", replaced(good, "'2026-01-02T03:04:05'", "'2026-13-02T03:04:05'"), "not a date-time line"},
        {"record not closed", replaced(good, "SXF*/\r\n", "SXF/\r\n"), "does not close"},
        {"blank outside a string", replaced(good, "('1','1','1','1','0.000000'", "('1', '1','1','1','0.000000'"),
            "unexpected ' '"},
        {"byte outside code page 932", replaced(good, "A-1", "A\x81\x20"), "code page 932"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SfcFile file = parseSfc(c.bytes);
        EXPECT_FALSE(file.ok());
        const bool found = std::any_of(file.problems.begin(), file.problems.end(),
            [&](const QString& p) { return p.contains(QLatin1String(c.problem)); });
        EXPECT_TRUE(found) << file.problems.join(u'\n').toStdString();
    }
}

TEST(SfcParser, ArgumentsTokenise)
{
    QStringList problems;
    const auto values =
        parseSfcArguments(u"'12',\\'a\\',\\'ends\\\\',\\'\\','-1.50','()','(1,-2)','(0.000000,1.5)'", problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    ASSERT_EQ(values.size(), 8u);
    EXPECT_EQ(values[0].integer, 12);
    EXPECT_EQ(values[1].text, QStringLiteral("a"));
    // A string runs to the first backslash-apostrophe after its opening.
    EXPECT_EQ(values[2].text, QStringLiteral("ends\\"));
    EXPECT_EQ(values[3].kind, SfcValueKind::String);
    EXPECT_TRUE(values[3].text.isEmpty());
    EXPECT_EQ(values[4].kind, SfcValueKind::Real);
    EXPECT_EQ(values[4].real, -1.5);
    EXPECT_EQ(values[4].decimals, 2);
    EXPECT_EQ(values[5].kind, SfcValueKind::EmptyList);
    EXPECT_EQ(values[6].integers, (std::vector<int64_t> {1, -2}));
    EXPECT_EQ(values[7].kind, SfcValueKind::RealList);
    EXPECT_EQ(values[7].elementDecimals, (std::vector<int> {6, 1}));
}

TEST(SfcParser, RegisteredFeaturesAreKnown)
{
    const QByteArray bytes = sfctest::framedSfc([](sxf::SfcWriter& f) {
        f.feature("test_probe_feature").integer(1).string(u"x").real(2, 6).write();
    });
    EXPECT_FALSE(parseSfc(bytes).ok());
    EXPECT_FALSE(registerSfcFeature(QStringLiteral("test_probe_feature"), u"i s nonsense"));
    EXPECT_FALSE(parseSfc(bytes).ok());
    ASSERT_TRUE(registerSfcFeature(QStringLiteral("test_probe_feature"), u"layer s r6"));
    const SfcFile file = parseSfc(bytes);
    EXPECT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
    EXPECT_EQ(sfcArgRoles(u"test_probe_feature"),
        (std::vector<SfcArgRole> {SfcArgRole::Layer, SfcArgRole::None, SfcArgRole::None}));
}

TEST(SfcParser, ProblemsAreCapped)
{
    QByteArray lfOnly = goodFile();
    lfOnly.replace("\r\n", "\n");
    const SfcFile file = parseSfc(lfOnly);
    ASSERT_EQ(file.problems.size(), 101);
    EXPECT_TRUE(file.problems.back().startsWith(u"... and "));
}
