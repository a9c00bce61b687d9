// The check agrees with the reference checking script: the same official
// codes, severities and feature numbers as its RULE findings, on every file
// this system writes for the fixture and sample drawings (which have no
// error) and on a broken file for each code the script knows. This system's
// own outputs also have the script's exact written form (no FORM finding).
#include "sxf/sfc_check.h"

#include "common/codepage.h"
#include "tests/fuzz/converted_outputs.h"
#include "tests/support/qt_printers.h"
#include "tests/support/reference_check.h"
#include "tests/support/test_paths.h"

#include <gtest/gtest.h>

#include <functional>

using testsupport::ReferenceFindings;

namespace {

// "CODE severity #n", sorted: what both sides must agree on; the code
// `replaced`, when given, becomes `by`.
QStringList referenceKeys(const ReferenceFindings& findings, const QString& replaced = {}, const QString& by = {})
{
    QStringList keys;
    for (const testsupport::ReferenceFinding& f : findings) {
        const QString code = !replaced.isEmpty() && f.rule == replaced ? by : f.rule;
        if (f.cls == u"RULE")
            keys.append(QStringLiteral("%1 %2 #%3").arg(code, f.severity).arg(f.feature));
    }
    keys.sort();
    return keys;
}

// Our findings in the same form; the reader's findings of the record form
// (SFC_...) have no counterpart among the rules, except `alsoCode`.
QStringList ourKeys(const sxf::Findings& findings, const QString& alsoCode = {})
{
    QStringList keys;
    for (const sxf::Finding& f : findings) {
        if (f.code.startsWith(u"SFC_") && f.code != alsoCode)
            continue;
        const char* severity = f.severity == sxf::Severity::Error ? "error" : "warning";
        keys.append(QStringLiteral("%1 %2 #%3").arg(f.code, QLatin1String(severity)).arg(f.feature));
    }
    keys.sort();
    return keys;
}

QStringList formOf(const ReferenceFindings& findings)
{
    QStringList form;
    for (const testsupport::ReferenceFinding& f : findings) {
        if (f.cls == u"FORM")
            form.append(QStringLiteral("%1 #%2 %3").arg(f.rule).arg(f.feature).arg(f.message));
    }
    return form;
}

// One record of the feature-comment form.
QString record(int number, const QString& feature)
{
    return QStringLiteral("/*SXF\r\n#%1 = %2\r\nSXF*/\r\n\r\n").arg(number).arg(feature);
}

// `text` with `records` after the record numbered `number`.
QString insertAfter(const QString& text, int number, const QString& records)
{
    const qsizetype at = text.indexOf(QStringLiteral("#%1 = ").arg(number));
    const QString end = QStringLiteral("SXF*/\r\n\r\n");
    const qsizetype after = text.indexOf(end, at) + end.size();
    return text.left(after) + records + text.mid(after);
}

// `count` records numbered from `first`, the k-th made by `make(k)`.
QString records(int count, int first, const std::function<QString(int)>& make)
{
    QString text;
    for (int k = 0; k < count; ++k)
        text += record(first + k, make(k));
    return text;
}

using Replacements = std::vector<std::pair<QString, QString>>;

struct BrokenFile {
    const char* code;  // among the script's findings on the file
    Replacements replace;
    std::function<QString(const QString&)> change = {};
    // The reader's code for a fault of the header that the script reports
    // with the official code.
    const char* readerCode = nullptr;
};

const QString kLine220 = QStringLiteral("line_feature('1','1','1','1','0.000000','0.000000','10.000000','0.000000')");
const QString kAtru = QStringLiteral(R"(\'$$ATRU$$100$$背景色$$色$$255_255_255\')");
const QString kFill = QStringLiteral("fill_area_style_colour_feature('1','17','1','0','()')");
const QString kDimension1 = QStringLiteral("'1','50.000000','90.000000','50.000000','90.000000','50.000000','103.000000'");
const QString kPolyline270 = QStringLiteral("'3','(20.000000,60.000000,100.000000)','(50.000000,80.000000,50.000000)'");
const QString kDescription = QStringLiteral("'SCADEC level2 feature_mode'");
const QString kSheet = QStringLiteral("'3','1','420','297'");

// The line of the sheet of DOOR becomes a placement of the background
// symbol, made a part drawing; DOOR becomes a symbol of `kind`.
Replacements nested(const char* kind)
{
    return {{kLine220, QStringLiteral("sfig_locate_feature('1',%1,'0.000000','0.000000','0.00000000000000',"
                                      "'1.00000000000000','1.00000000000000')").arg(kAtru)},
        {kAtru + ",'3')", kAtru + ",'1')"},
        {R"(sfig_org_feature(\'DOOR\','4'))", QStringLiteral(R"(sfig_org_feature(\'DOOR\','%1'))").arg(kind)}};
}

// The colour fill of curve 1 with another outer curve and holes.
Replacements fill(const char* outer, const char* holeCount, const char* holes)
{
    return {{kFill, QStringLiteral("fill_area_style_colour_feature('1','17','%1','%2','%3')").arg(outer, holeCount, holes)}};
}

Replacements sheet(const char* values)
{
    return {{kSheet, QString::fromLatin1(values)}};
}

// Each file breaks the script's valid sample in one place.
const std::vector<BrokenFile>& brokenFiles()
{
    static const std::vector<BrokenFile> files = {
        {"SXFMAXLAYER", {},
            [](const QString& t) { return insertAfter(t, 30, records(254, 1001, [](int k) { return QStringLiteral(R"(layer_feature(\'L%1\','1'))").arg(k); })); }},
        {"SXFNOTSETLNAME", {{R"(layer_feature(\'HOJO\','0'))", R"(layer_feature(\'\','0'))"}}},
        {"SXFLAYERFLAG", {{R"((\'HOJO\','0'))", R"((\'HOJO\','2'))"}}},
        {"SXFSAMENAME", {{R"(layer_feature(\'HOJO\')", R"(layer_feature(\'A-1\')"}}},
        {"SXFNOTPRECOLOUR", {{R"(pre_defined_colour_feature(\'blue\'))", R"(pre_defined_colour_feature(\'Blue\'))"}}},
        {"SXFMAXUSERCOLOUR", {},
            [](const QString& t) { return insertAfter(t, 70, records(240, 1001, [](int k) { return QStringLiteral("user_defined_colour_feature('%1','0','0')").arg(k); })); }},
        {"SXFRGBERROR", {{"user_defined_colour_feature('255','128','0')", "user_defined_colour_feature('256','128','0')"}}},
        {"SXFNOTPRETYPE", {{R"(pre_defined_font_feature(\'chain\'))", R"(pre_defined_font_feature(\'chained\'))"}}},
        {"SXFMAXUSERLINETYPE", {},
            [](const QString& t) {
                return insertAfter(t, 110, records(16, 1001, [](int k) {
                    return QStringLiteral(R"(user_defined_font_feature(\'U%1\','2','(1.000000,1.000000)'))").arg(k);
                }));
            }},
        {"SXFSEGMENTERROR", {{"'4','(2.000000,1.000000,0.500000,1.000000)'", "'3','(2.000000,1.000000,0.500000)'"}}},
        {"SXFPITCHERROR", {{"(2.000000,1.000000,0.500000,1.000000)", "(2.000000,0.000000,0.500000,1.000000)"}}},
        {"SXFERRORWIDTH", {{"width_feature('0.250000')", "width_feature('0.000000')"}}},
        {"SXFSAMEWIDTH", {{"width_feature('0.250000')", "width_feature('0.130000')"}}},
        {"SXFMAXLINEWIDTH", {},
            [](const QString& t) { return insertAfter(t, 140, records(6, 1001, [](int k) { return QStringLiteral("width_feature('%1.000000')").arg(4 + k); })); }},
        {"SXFMAXTEXTFONT", {},
            [](const QString& t) { return insertAfter(t, 150, records(1024, 1001, [](int k) { return QStringLiteral(R"(text_font_feature(\'F%1\'))").arg(k); })); }},
        {"SXFFONTNAMEERROR", {{R"(text_font_feature(\'ＭＳ ゴシック\'))", R"(text_font_feature(\'\'))"}}},
        {"SXFNAMELENGTH", {{R"(layer_feature(\'A-1\')", QStringLiteral(R"(layer_feature(\'%1\')").arg(QString(300, u'A'))}}},
        {"SXFEUNSETLAYER", {{"circle_feature('1'", "circle_feature('9'"}}},
        {"SXFERRORCOLOUR", {{"circle_feature('1','1'", "circle_feature('1','5'"}}},
        {"SXFERRORFONT", {{"circle_feature('1','1','1'", "circle_feature('1','1','4'"}}},
        {"SXFTEXTFONTERROR", {{"text_string_feature('1','2','1',", "text_string_feature('1','2','2',"}}},
        {"SXFMARKERERROR", {{"'200.000000','250.000000','3'", "'200.000000','250.000000','8'"}}},
        {"SXFERRORANGLE", {{"'3','0.000000000000','1.000000000000')", "'3','400.000000000000','1.000000000000')"}}},
        {"SXFERRORSCALE", {{"'3','0.000000000000','1.000000000000')", "'3','0.000000000000','0.000000000000')"}}},
        {"SXFLENGTHZERO", {{kLine220, QString(kLine220).replace("'10.000000'", "'0.000000'")}}},
        {"SXFVERTEXERROR", {{kPolyline270, "'1','(20.000000)','(50.000000)'"}}},
        {"SXFNOTVERTEXNUMBER", {{"'2','(300.000000,320.000000)','(100.000000,120.000000)'", "'0','()','()'"}}},
        {"SXFSAMECOORD", {{kPolyline270, "'3','(20.000000,20.000000,20.000000)','(50.000000,50.000000,50.000000)'"}}},
        {"SXFRADIUSZERO", {{"'150.000000','150.000000','20.000000')", "'150.000000','150.000000','0.000000')"}}},
        {"SXFDIRECTIONERROR", {{"'30.000000','1','90.000000000000'", "'30.000000','2','90.000000000000'"}}},
        {"SXFSAMEANGLE", {{"'0','0.000000000000','90.000000000000')", "'0','90.000000000000','90.000000000000')"}}},
        {"SXFTEXTHEIGHT", {{"'5.000000','32.500000'", "'0.000000','32.500000'"}}},
        {"SXFTEXTWIDTH", {{"'5.000000','32.500000'", "'5.000000','0.000000'"}}},
        {"SXFTEXTSPACE", {{"'10.000000','5.000000','0.000000'", "'10.000000','5.000000','-1.000000'"}}},
        {"SXFBPNTERROR", {{"'0.000000000000','7','2')", "'0.000000000000','10','2')"}}},
        {"SXFDIRECTERROR", {{"'0.000000000000','7','2')", "'0.000000000000','7','3')"}}},
        {"SXFTEXTFLAG", {{R"('6','1.000000000000','1','1',\'引出)", R"('6','1.000000000000','2','1',\'引出)"}}},
        {"SXFPRJFLAG", {{kDimension1, QString(kDimension1).replace(0, 3, "'2'")}}},
        {"SXFERRORCOORDINATE", {{kDimension1, QString(kDimension1).replace("'1','50.000000'", "'1','40.000000'")}}},
        {"SXFARRINOUTCODE", {{"'6','1','50.000000','100.000000'", "'6','3','50.000000','100.000000'"}}},
        {"SXFARRCODE", {{R"('6','1.000000000000','1','1',\'引出)", R"('12','1.000000000000','1','1',\'引出)"}}},
        {"SXFARRORERROR", {{"'6','1','190.000000','150.000000'", "'6','1','110.000000','150.000000'"}}},
        {"SXFSFIGFLAG", {{R"(sfig_org_feature(\'DOOR\','4'))", R"(sfig_org_feature(\'DOOR\','5'))"}}},
        {"SXFNOTSETCNAME", {{R"(sfig_org_feature(\'DOOR\','4'))", R"(sfig_org_feature(\'\','4'))"}}},
        {"SXFNOTSETCFIG", {{R"(\'DOOR\','230)", R"(\'DOR\','230)"}}},
        {"SXFSFIGLOCONE", {{R"(sfig_org_feature(\'DOOR\','4'))", R"(sfig_org_feature(\'DOOR\','1'))"}}},
        {"SXFSFIGERROR", nested("2")},
        {"SXFGROUPERROR", nested("3")},
        {"SXFPARTERROR", nested("4")},
        {"SXFNOTCURVE",
            {{"polyline_feature('1','17','1','1','5','(300.000000,340.000000,340.000000,300.000000,300.000000)',"
              "'(200.000000,200.000000,240.000000,240.000000,200.000000)')",
                "line_feature('1','17','1','1','300.000000','200.000000','340.000000','200.000000')"}}},
        {"SXFNOTFEATURE", {{kLine220, R"(sfig_org_feature(\'X\','4'))"}}},
        {"SXFNOTASSEMBLY", {}, [](const QString& t) { return insertAfter(t, 460, record(470, kLine220)); }},
        {"SXFNOTSETSHEET", {{R"(drawing_sheet_feature(\'図面名\','3','1','420','297'))", R"(sfig_org_feature(\'図面名\','4'))"}}},
        {"SXFSHEETONE", {},
            [](const QString& t) {
                return insertAfter(t, 460, record(470, kLine220) + record(480, R"(drawing_sheet_feature(\'二\','3','1','420','297'))"));
            }},
        {"SXFSFIGLOCERR", {},
            [](const QString& t) { return insertAfter(t, 460, record(470, kLine220) + record(480, R"(sfig_org_feature(\'LATE\','4'))")); }},
        {"SXFCURVELOCERR", {},
            [](const QString& t) {
                return insertAfter(t, 460,
                    record(470, "polyline_feature('1','1','1','1','2','(0.000000,1.000000)','(0.000000,1.000000)')")
                        + record(480, "composite_curve_org_feature('1','1','1','0')"));
            }},
        {"SXFSHEETSIZE", sheet("'5','1','420','297'")},
        {"SXFSHEETLENGTH", sheet("'9','1','420','0'")},
        {"SXFSHEETLENGTHWARNING", sheet("'3','0','297','420'")},
        {"SXFORIENTERROR", sheet("'3','2','420','297'")},
        {"SXFNOTSETZNAME", {{R"(drawing_sheet_feature(\'図面名\')", R"(drawing_sheet_feature(\'\')"}}},
        {"SXFERROROUTID", fill("9", "0", "()")},
        {"SXFERRORINID", fill("1", "1", "(9)")},
        {"SXFERRORNUMBER", fill("1", "-1", "()")},
        {"SXFNOTINIDNUMBER", fill("1", "2", "(2)")},
        {"SXFHATCHIDERROR", fill("1", "1", "(1)")},
        {"CURVE-NUMBERING", {},
            [](const QString& t) { return insertAfter(t, 150, record(151, kLine220) + record(152, R"(sfig_org_feature(\'FIRST\','4'))")); }},
        {"SXFSCADECFILEERR", {{kDescription, "'CAD level2 feature_mode'"}}},
        {"SXFNOLEVEL", {{kDescription, "'SCADEC level9 feature_mode'"}}},
        {"SXFNOMODE", {{kDescription, "'SCADEC level2 table_mode'"}}},
        // FILE_NAME with eight values.
        {"SXFNOTHEADER", {{"        '');\r\nFILE_SCHEMA", "        '','');\r\nFILE_SCHEMA"}}, {}, "SFC_HEADER"},
    };
    return files;
}

QByteArray broken(const QString& valid, const BrokenFile& file)
{
    QString text = valid;
    for (const auto& [from, to] : file.replace) {
        EXPECT_TRUE(text.contains(from)) << from.toStdString();
        text.replace(text.indexOf(from), from.size(), to);
    }
    if (file.change)
        text = file.change(text);
    return common::encodeCp932(text);
}

}  // namespace

TEST(CheckAgreement, OwnOutputsHaveNoErrorAndAgreeWithTheScript)
{
    REQUIRE_REFERENCE_CHECK();
    std::vector<testsupport::ConvertedOutput> outputs = testsupport::fixtureOutputs();
    const std::vector<testsupport::ConvertedOutput> samples = testsupport::sampleOutputs();
    outputs.insert(outputs.end(), samples.begin(), samples.end());
    ASSERT_GE(outputs.size(), 20u);
    // The script takes minutes over the tens of megabytes of the colours
    // shape; files that large are compared in the benchmark's run instead.
    constexpr qsizetype kScriptBytes = 4 << 20;
    std::vector<QByteArray> bytes;
    for (const testsupport::ConvertedOutput& output : outputs)
        bytes.push_back(output.bytes.size() <= kScriptBytes ? output.bytes : QByteArray());
    const auto reference = testsupport::referenceCheck(bytes);
    ASSERT_TRUE(reference);
    int compared = 0;
    for (size_t i = 0; i < outputs.size(); ++i) {
        SCOPED_TRACE(outputs[i].name.toStdString());
        const sxf::Findings ours = sxf::checkSfc(outputs[i].bytes);
        // The drawings are real ones and the fixture seeds; the synthetic
        // benchmark shapes are not held to it (the blocks shape places its
        // part drawings more than once, which both checks must report).
        if (!outputs[i].shape) {
            EXPECT_FALSE(sxf::hasError(ours)) << ourKeys(ours).join(u'\n').toStdString();
        }
        if (bytes[i].isEmpty())
            continue;
        ++compared;
        EXPECT_EQ(ourKeys(ours), referenceKeys((*reference)[i]));
        EXPECT_EQ(formOf((*reference)[i]), QStringList());
    }
    EXPECT_GE(compared, int(outputs.size()) - 1);
}

TEST(CheckAgreement, BrokenFilesGiveTheScriptsCodesSeveritiesAndFeatures)
{
    REQUIRE_REFERENCE_CHECK();
    const QString valid = common::decodeCp932(testsupport::referenceSample());
    ASSERT_TRUE(valid.contains(u"drawing_sheet_feature"));
    std::vector<QByteArray> files{common::encodeCp932(valid)};
    for (const BrokenFile& file : brokenFiles())
        files.push_back(broken(valid, file));
    const auto reference = testsupport::referenceCheck(files);
    ASSERT_TRUE(reference);
    EXPECT_EQ(ourKeys(sxf::checkSfc(files[0])), referenceKeys((*reference)[0]));
    for (size_t i = 0; i < brokenFiles().size(); ++i) {
        const BrokenFile& file = brokenFiles()[i];
        SCOPED_TRACE(file.code);
        const ReferenceFindings& theirs = (*reference)[i + 1];
        const QString code = QLatin1String(file.code);
        const QString readerCode = QLatin1String(file.readerCode);
        EXPECT_FALSE(referenceKeys(theirs).filter(code + u' ').isEmpty())
            << "the file does not show its code: " << referenceKeys(theirs).join(u'\n').toStdString();
        const QStringList expected = file.readerCode ? referenceKeys(theirs, code, readerCode) : referenceKeys(theirs);
        EXPECT_EQ(ourKeys(sxf::checkSfc(files[i + 1]), readerCode), expected);
    }
}
