// Annotation records: the order of the A, E, R and T blocks, argument
// counts, and the arrow drawn as a label.
#include "sxf/annotation_features.h"

#include "common/codepage.h"
#include "tests/support/sfc_parser.h"
#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <vector>

using namespace sxf;
using sfctest::record;
using sfctest::RecordCapture;

namespace {

const SfcAttr kAttr {1, 2, 3, 4};
const SfcExtLine kExt1 {1, 0, -5, 0, -1, 0, 1};
const SfcExtLine kExt2 {0, 100, -5, 100, -1, 100, 1};
const SfcArrow kArrow1 {1, 2, 0, 0, 1.5};
const SfcArrow kArrow2 {3, 1, 100, 0, 0.75};
const std::vector<T2DPoint> kVertices = {{10, 20}, {30, 40}, {50, 60}};

SfcTextBlock textBlock()
{
    SfcTextBlock t;
    t.mf = 1;
    t.fo = 2;
    t.st = QStringLiteral("it's");
    t.kx = 40;
    t.ky = 1;
    t.sy = 3;
    t.sx = 12;
    t.md = 0.5;
    t.ma = 30;
    t.ms = 15;
    t.kt = 8;
    t.dr = 2;
    return t;
}

// The written forms of the blocks above.
const QByteArray kAttrText = "'1','2','3','4'";
const QByteArray kExtText = "'1','0.000000','-5.000000','0.000000','-1.000000','0.000000','1.000000',"
                            "'0','100.000000','-5.000000','100.000000','-1.000000','100.000000','1.000000'";
const QByteArray kArrowsText = "'1','2','0.000000','0.000000','1.500000000000',"
                               "'3','1','100.000000','0.000000','0.750000000000'";
const QByteArray kTextText = "'1','2',\\'it's\\','40.000000','1.000000','3.000000','12.000000','0.500000',"
                             "'30.000000000000','15.000000000000','8','2'";

}  // namespace

TEST(AnnotationFeatures, RecordsAsWritten)
{
    const SfcTextBlock t = textBlock();
    struct Case {
        std::function<void(SfcWriter&)> write;
        QByteArray line;
    } cases[] = {
        // The apostrophe in the text stays as it is.
        {[&](SfcWriter& f) { procSfcDimLinear(f, kAttr, 0, 0, 100, 0, kExt1, kExt2, kArrow1, kArrow2, t); },
            "#10 = linear_dim_feature(" + kAttrText + ",'0.000000','0.000000','100.000000','0.000000'," + kExtText +
                "," + kArrowsText + "," + kTextText + ")"},
        {[&](SfcWriter& f) { procSfcDimCurve(f, kAttr, 5, 6, 7, 10, 80, kExt1, kExt2, kArrow1, kArrow2, t); },
            "#10 = curve_dim_feature(" + kAttrText + ",'5.000000','6.000000','7.000000','10.000000000000'," +
                "'80.000000000000'," + kExtText + "," + kArrowsText + "," + kTextText + ")"},
        {[&](SfcWriter& f) { procSfcDimAngle(f, kAttr, 5, 6, 7, 10, 80, kExt1, kExt2, kArrow1, kArrow2, t); },
            "#10 = angular_dim_feature(" + kAttrText + ",'5.000000','6.000000','7.000000','10.000000000000'," +
                "'80.000000000000'," + kExtText + "," + kArrowsText + "," + kTextText + ")"},
        {[&](SfcWriter& f) { procSfcDimRadius(f, kAttr, 1, 2, 3, 4, kArrow1, t); },
            "#10 = radius_dim_feature(" + kAttrText + ",'1.000000','2.000000','3.000000','4.000000'," +
                "'1','2','0.000000','0.000000','1.500000000000'," + kTextText + ")"},
        {[&](SfcWriter& f) { procSfcDimDiameter(f, kAttr, 1, 2, 3, 4, kArrow1, kArrow2, t); },
            "#10 = diameter_dim_feature(" + kAttrText + ",'1.000000','2.000000','3.000000','4.000000'," + kArrowsText +
                "," + kTextText + ")"},
        {[&](SfcWriter& f) { procSfcLeader(f, kAttr, 2, kVertices, 5, 2, t); },
            "#10 = label_feature(" + kAttrText + ",'2','(10.000000,30.000000)','(20.000000,40.000000)','5'," +
                "'2.000000000000'," + kTextText + ")"},
        {[&](SfcWriter& f) { procSfcBalloon(f, kAttr, 3, kVertices, 7, 8, 9, 6, 1, t); },
            "#10 = balloon_feature(" + kAttrText + ",'3','(10.000000,30.000000,50.000000)'," +
                "'(20.000000,40.000000,60.000000)','7.000000','8.000000','9.000000','6','1.000000000000'," + kTextText +
                ")"},
        // More vertices asked for than passed: the count follows the lists.
        {[&](SfcWriter& f) { procSfcLeader(f, kAttr, 4, kVertices, 5, 2, t); },
            "#10 = label_feature(" + kAttrText + ",'3','(10.000000,30.000000,50.000000)'," +
                "'(20.000000,40.000000,60.000000)','5','2.000000000000'," + kTextText + ")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        RecordCapture capture;
        c.write(capture.f());
        EXPECT_EQ(capture.take(), record(c.line));
        EXPECT_EQ(capture.f().SXFnum, 20);
    }
}

TEST(AnnotationFeatures, ArgumentCounts)
{
    const SfcTextBlock t;  // no text: all twelve arguments are still written
    struct Case {
        std::function<void(SfcWriter&)> write;
        size_t count;
    } cases[] = {
        {[&](SfcWriter& f) { procSfcDimLinear(f, kAttr, 0, 0, 1, 0, kExt1, kExt2, kArrow1, kArrow2, t); }, 44},
        {[&](SfcWriter& f) { procSfcDimCurve(f, kAttr, 0, 0, 1, 0, 90, kExt1, kExt2, kArrow1, kArrow2, t); }, 45},
        {[&](SfcWriter& f) { procSfcDimAngle(f, kAttr, 0, 0, 1, 0, 90, kExt1, kExt2, kArrow1, kArrow2, t); }, 45},
        {[&](SfcWriter& f) { procSfcDimRadius(f, kAttr, 0, 0, 1, 0, kArrow1, t); }, 25},
        {[&](SfcWriter& f) { procSfcDimDiameter(f, kAttr, 0, 0, 1, 0, kArrow1, kArrow2, t); }, 30},
        {[&](SfcWriter& f) { procSfcLeader(f, kAttr, 2, kVertices, 1, 1, t); }, 21},
        {[&](SfcWriter& f) { procSfcBalloon(f, kAttr, 2, kVertices, 0, 0, 1, 1, 1, t); }, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        RecordCapture capture;
        c.write(capture.f());
        const QString featureLine = common::decodeCp932(capture.take()).split(QStringLiteral("\r\n")).value(1);
        const qsizetype open = featureLine.indexOf(u'(');
        ASSERT_GT(open, 0);
        ASSERT_TRUE(featureLine.endsWith(u')'));
        QStringList problems;
        const auto args = testsupport::parseSfcArguments(
            QStringView(featureLine).mid(open + 1, featureLine.size() - open - 2), problems);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
        EXPECT_EQ(args.size(), c.count);
        ASSERT_GE(args.size(), 12u);
        EXPECT_EQ(args[args.size() - 10].kind, testsupport::SfcValueKind::String);
        EXPECT_TRUE(args[args.size() - 10].text.isEmpty());
    }
}

TEST(AnnotationFeatures, ArrowIsALabelWithoutText)
{
    struct Case {
        double x, y, angle, length;
        QByteArray lists;
    } cases[] = {
        {100, 50, 0, 0.1, "'(100.000000,99.900000)','(50.000000,50.000000)'"},
        {0, 0, std::numbers::pi / 2, 2, "'(0.000000,0.000000)','(0.000000,-2.000000)'"},
        {7, 8, 1, 0, "'(7.000000,7.000000)','(8.000000,8.000000)'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lists.toStdString());
        RecordCapture capture;
        capture.f().SXFnum = 310;
        procSfcArw(capture.f(), 2, 1, c.x, c.y, 1, c.angle, 1, c.length);
        EXPECT_EQ(capture.take(),
            record("#310 = label_feature('2','1','1','1','2'," + c.lists +
                ",'1','1.000000000000','0','0',\\'\\','0.000000','0.000000','0.000000','0.000000',"
                "'0.000000','0.000000000000','0.000000000000','1','1')"));
    }
}
