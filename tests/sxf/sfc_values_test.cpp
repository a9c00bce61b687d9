// The written forms of feature arguments and the four-line record.
#include "sxf/sfc_writer.h"

#include "tests/sxf/sfc_capture.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

using sxf::FeatureRecord;
using sxf::SfcWriter;
using sfctest::record;
using sfctest::RecordCapture;

namespace {

// The argument text of one record whose arguments `args` appends.
QByteArray argsOf(const std::function<void(FeatureRecord&)>& args)
{
    RecordCapture capture;
    FeatureRecord r = capture.f().feature("v");
    args(r);
    r.write();
    const QByteArray bytes = capture.take();
    const qsizetype open = bytes.indexOf("#10 = v(");
    const qsizetype close = bytes.lastIndexOf(")\r\nSXF*/");
    if (open < 0 || close < 0)
        return "no record: " + bytes;
    return bytes.mid(open + 8, close - open - 8);
}

}  // namespace

TEST(SfcValues, WrittenForms)
{
    struct Case {
        std::function<void(FeatureRecord&)> args;
        QByteArray text;
    } cases[] = {
        {[](FeatureRecord& r) { r.real(0, 6); }, "'0.000000'"},
        {[](FeatureRecord& r) { r.real(12.25, 6); }, "'12.250000'"},
        {[](FeatureRecord& r) { r.integer(-3); }, "'-3'"},
        {[](FeatureRecord& r) { r.real(0.01, 14); }, "'0.01000000000000'"},
        {[](FeatureRecord& r) { r.real(-0.0000001, 6); }, "'0.000000'"},
        {[](FeatureRecord& r) { r.real(-1234.5678905, 6); }, "'-1234.567890'"},
        {[](FeatureRecord& r) { r.real(1e22, 2); }, "'10000000000000000000000.00'"},
        {[](FeatureRecord& r) { r.integerList({}); }, "'()'"},
        {[](FeatureRecord& r) { r.realList({}, 6); }, "'()'"},
        {[](FeatureRecord& r) { r.string(u"A-1"); }, "\\'A-1\\'"},
        {[](FeatureRecord& r) { r.string(u"it's"); }, "\\'it's\\'"},
        {[](FeatureRecord& r) { r.string(u"図面"); }, "\\'\x90\x7D\x96\xCA\\'"},
        {[](FeatureRecord& r) { r.string(u""); }, "\\'\\'"},
        {[](FeatureRecord& r) { r.quoted(u"594"); }, "'594'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.left(40).toStdString());
        EXPECT_EQ(argsOf(c.args), c.text);
    }
}

TEST(SfcValues, ListsAndSeparators)
{
    const std::vector<int32_t> holes = {1, 2, 3};
    const std::vector<double> xs = {0, 1.5};
    EXPECT_EQ(argsOf([&](FeatureRecord& r) { r.integer(1).integerList(holes).realList(xs, 6); }),
              QByteArray("'1','(1,2,3)','(0.000000,1.500000)'"));
}

// A string from the drawing must not hold the bytes of the closing "\\'":
// neither a backslash before an apostrophe nor a two-byte character whose
// second byte is that backslash byte. Other apostrophes are left alone.
TEST(SfcValues, SafeStringsHoldNoClosingPair)
{
    const struct {
        const char16_t* text;
        const char16_t* safe;
    } cases[] = {
        {u"ソ'ト", u"ソ’ト"},
        {u"表'札", u"表’札"},
        {u"能'登", u"能’登"},
        {u"\u2015'", u"\u2015’"},  // ― is 81 5C
        {u"\u2014'", u"\u2014’"},  // — is written as ―
        {u"ア'イ", u"ア'イ"},
        {u"'表'", u"'表’"},
        {u"表''", u"表’'"},
        {u"it\\'s", u"it￥’s"},
        {u"\\\\'", u"\\￥’"},
        {u"表\\'", u"表￥’"},
        {u"'", u"'"},
        {u"", u""},
        {u"\U0001F600'", u"\U0001F600'"},  // beyond the code page: one "?"
        {u"\uFF3C'", u"\uFF3C'"},          // ＼ is 81 5F
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const QString safe = sxf::safeSfcString(text);
        EXPECT_EQ(safe, QString::fromUtf16(c.safe));
        EXPECT_EQ(sxf::safeSfcString(safe), safe);
        const QByteArray written = argsOf([&](FeatureRecord& r) { r.string(safe); });
        EXPECT_EQ(written.indexOf("\\'", 2), written.size() - 2) << written.toHex(' ').toStdString();
    }
}

TEST(SfcRecord, NumbersFromTenInStepsOfTenWithCrLf)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SfcWriter f(buffer);
    f.feature("width_feature").real(0.35, 6).write();
    f.feature("pre_defined_colour_feature").string(u"red").write();
    f.flush();
    EXPECT_EQ(buffer.data(), QByteArray("/*SXF\r\n#10 = width_feature('0.350000')\r\nSXF*/\r\n\r\n"
                                        "/*SXF\r\n#20 = pre_defined_colour_feature(\\'red\\')\r\nSXF*/\r\n\r\n"));
    EXPECT_EQ(f.SXFnum, 30);
}

// A record with a value no reader accepts, or one abandoned half-written,
// leaves no bytes and no gap in the numbering.
TEST(SfcRecord, RefusedAndAbandonedRecordsLeaveNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> withInfinity = {0, std::numeric_limits<double>::infinity()};
    RecordCapture capture;
    SfcWriter& f = capture.f();
    EXPECT_FALSE(f.feature("width_feature").real(1, 6).real(nan, 6).write());
    EXPECT_FALSE(f.feature("polyline_feature").integer(2).realList(withInfinity, 6).write());
    try {
        FeatureRecord r = f.feature("line_feature");
        r.integer(1).string(u"half");
        throw std::runtime_error("conversion failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(f.feature("width_feature").real(1, 6).write());
    EXPECT_EQ(capture.take(), record("#10 = width_feature('1.000000')"));
    EXPECT_EQ(f.SXFnum, 20);
    EXPECT_EQ(f.recordsLeftOut(), 2);
}

// A record far longer than the writer's buffer is still written whole, in
// order with the records around it.
TEST(SfcRecord, RecordLongerThanTheBufferStaysWhole)
{
    const std::vector<double> values(40000, 0.5);
    RecordCapture capture;
    SfcWriter& f = capture.f();
    f.feature("width_feature").real(1, 6).write();
    f.feature("long_feature").realList(values, 6).write();
    f.feature("width_feature").real(2, 6).write();

    QByteArray list = "'(";
    for (size_t i = 0; i < values.size(); ++i)
        list += i == 0 ? "0.500000" : ",0.500000";
    list += ")'";
    EXPECT_EQ(capture.take(), record("#10 = width_feature('1.000000')") + record("#20 = long_feature(" + list + ")") +
                                  record("#30 = width_feature('2.000000')"));
}

TEST(SfcRecord, RefusedBytesThrow)
{
    QBuffer buffer;  // not open: every write fails
    SfcWriter f(buffer);
    f.writeLine(u"x");
    EXPECT_THROW(f.flush(), sxf::SfcWriteError);
}
