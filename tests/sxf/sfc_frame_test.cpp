// Header and footer lines, and the FILE_NAME encoding.
#include "sxf/sfc_frame.h"

#include <QBuffer>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace sxf;

TEST(SfcFileName, X2Encoding)
{
    struct Case {
        QString path;
        QString line;
    } cases[] = {
        {QStringLiteral("/out/plan.sfc"), QStringLiteral("plan.sfc")},
        {QStringLiteral("/out/図面.sfc"), QStringLiteral("\\X2\\56F39762\\X0\\.sfc")},
#ifdef Q_OS_WIN
        {QStringLiteral("C:\\out\\一.sfc"), QStringLiteral("\\X2\\4E00\\X0\\.sfc")},
#else
        // Outside Windows a backslash belongs to the name, written doubled.
        {QStringLiteral("/out/a\\一.sfc"), QStringLiteral("a\\\\\\X2\\4E00\\X0\\.sfc")},
#endif
        {QStringLiteral("/out/ｱｲ.sfc"), QStringLiteral("ｱｲ.sfc")},
        {QStringLiteral("/out/a\u00E9b.sfc"), QStringLiteral("a\\X2\\003F\\X0\\b.sfc")},
        {QStringLiteral("/out/図a面"), QStringLiteral("\\X2\\56F3\\X0\\a\\X2\\9762\\X0\\")},
        {QStringLiteral("/out/it's.sfc"), QStringLiteral("it's.sfc")},
        {QStringLiteral(" \u3000 "), QString()},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(fileNameField(SfcFileName(c.path)), c.line);
    }
}

TEST(SfcFrame, HeaderAndFooterBytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SfcWriter f(buffer);
    procSfcHeader(QStringLiteral("/tmp/plan.sfc"), f, QDateTime(QDate(2026, 12, 9), QTime(7, 5, 3)));
    f.feature("layer_feature").string(u"A-1").integer(1).write();
    procSfcFooter(f);
    f.flush();
    const QByteArray expected =
        "ISO-10303-21;\r\n"
        "HEADER;\r\n"
        "FILE_DESCRIPTION(('SCADEC level2 feature_mode'),\r\n"
        "        '2;1');\r\n"
        "FILE_NAME('plan.sfc',\r\n"
        "        '2026-12-09T07:05:03',\r\n"
        "        (''),\r\n"
        "        (''),\r\n"
        "        'SCADEC_API_Ver3.30',\r\n"
        "        'Kestrune',\r\n"
        "        '');\r\n"
        "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\r\n"
        "ENDSEC;\r\n"
        "DATA;\r\n"
        "\r\n"
        "/*SXF\r\n#10 = layer_feature(\\'A-1\\','1')\r\nSXF*/\r\n\r\n"
        "ENDSEC;\r\n"
        "END-ISO-10303-21;\r\n";
    EXPECT_EQ(buffer.data(), expected);
}

TEST(SfcFrame, DateTimeLineIsTheLocalTimeNow)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SfcWriter f(buffer);
    procSfcHeader(QStringLiteral("plan.sfc"), f);
    f.flush();
    const QList<QByteArray> lines = buffer.data().split('\n');
    ASSERT_GE(lines.size(), 6);
    static const QRegularExpression format(QStringLiteral("^        '\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}',\r$"));
    EXPECT_TRUE(format.match(QString::fromLatin1(lines[5])).hasMatch()) << lines[5].toStdString();
}
