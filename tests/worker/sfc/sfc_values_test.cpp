// The written forms of feature arguments and the four-line record.
#include "worker/sfc/sfc_writer.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using sfc::FeatureArgs;
using sfc::SfcWriter;

namespace {

QByteArray argsOf(const FeatureArgs& a)
{
    return a.bytes();
}

}  // namespace

TEST(SfcValues, WrittenForms)
{
    struct Case {
        FeatureArgs args;
        QByteArray text;
    } cases[] = {
        {FeatureArgs().real(0, 6), "'0.000000'"},
        {FeatureArgs().real(12.25, 6), "'12.250000'"},
        {FeatureArgs().integer(-3), "'-3'"},
        {FeatureArgs().real(0.01, 14), "'0.01000000000000'"},
        {FeatureArgs().real(-0.0000001, 6), "'0.000000'"},
        {FeatureArgs().integerList({}), "'()'"},
        {FeatureArgs().realList({}, 6), "'()'"},
        {FeatureArgs().string(u"A-1"), "\\'A-1\\'"},
        {FeatureArgs().string(u"it's"), "\\'it's\\'"},
        {FeatureArgs().string(u"図面"), "\\'\x90\x7D\x96\xCA\\'"},
        {FeatureArgs().quoted(u"594"), "'594'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(argsOf(c.args), c.text);
    }
}

TEST(SfcValues, ListsAndSeparators)
{
    const std::vector<int32_t> holes = {1, 2, 3};
    const std::vector<double> xs = {0, 1.5};
    EXPECT_EQ(FeatureArgs().integer(1).integerList(holes).realList(xs, 6).bytes(),
              QByteArray("'1','(1,2,3)','(0.000000,1.500000)'"));
}

TEST(SfcValues, NonFiniteRealsAreReported)
{
    EXPECT_TRUE(FeatureArgs().real(1, 6).allFinite());
    EXPECT_FALSE(FeatureArgs().real(std::numeric_limits<double>::quiet_NaN(), 6).allFinite());
    const std::vector<double> xs = {0, std::numeric_limits<double>::infinity()};
    EXPECT_FALSE(FeatureArgs().realList(xs, 6).allFinite());
}

TEST(SfcRecord, NumbersFromTenInStepsOfTenWithCrLf)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SfcWriter f(buffer);
    f.writeFeature("width_feature", FeatureArgs().real(0.35, 6));
    f.writeFeature("pre_defined_colour_feature", FeatureArgs().string(u"red"));
    f.flush();
    EXPECT_EQ(buffer.data(), QByteArray("/*SXF\r\n#10 = width_feature('0.350000')\r\nSXF*/\r\n\r\n"
                                        "/*SXF\r\n#20 = pre_defined_colour_feature(\\'red\\')\r\nSXF*/\r\n\r\n"));
    EXPECT_EQ(f.SXFnum, 30);
}

TEST(SfcRecord, RefusedBytesThrow)
{
    QBuffer buffer;  // not open: every write fails
    SfcWriter f(buffer);
    f.writeLine(u"x");
    EXPECT_THROW(f.flush(), sfc::SfcWriteError);
}
