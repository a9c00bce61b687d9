// "Kestrune --render" as scripts run it: a separate process with an
// unusable display platform set on purpose, its exit status, its message
// and the files it leaves.
#include "sxf/p21_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/support/test_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A sheet of 420 x 297 mm with one line on it.
const QByteArray kDrawing =
    "ISO-10303-21;\r\nHEADER;\r\nFILE_DESCRIPTION(('SCADEC level2 feature_mode'),\r\n        '2;1');\r\n"
    "FILE_NAME('plan.sfc',\r\n        '2026-12-10T09:30:00',\r\n        (''),\r\n        (''),\r\n"
    "        'SCADEC_API_Ver3.30',\r\n        'Kestrune',\r\n        '');\r\n"
    "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\r\nENDSEC;\r\nDATA;\r\n\r\n"
    "/*SXF\r\n#10 = layer_feature(\\'A\\','1')\r\nSXF*/\r\n\r\n"
    "/*SXF\r\n#20 = pre_defined_colour_feature(\\'red\\')\r\nSXF*/\r\n\r\n"
    "/*SXF\r\n#30 = pre_defined_font_feature(\\'continuous\\')\r\nSXF*/\r\n\r\n"
    "/*SXF\r\n#40 = width_feature('0.350000')\r\nSXF*/\r\n\r\n"
    "/*SXF\r\n#50 = line_feature('1','1','1','1','10.000000','10.000000','410.000000','287.000000')\r\nSXF*/\r\n\r\n"
    "/*SXF\r\n#60 = drawing_sheet_feature(\\'plan\\','3','1','420','297')\r\nSXF*/\r\n\r\n"
    "ENDSEC;\r\nEND-ISO-10303-21;\r\n";

class RenderCommand : public ::testing::Test {
protected:
    struct Run {
        int status = -1;
        QString errors;
    };

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(testsupport::writeFile(path("plan.sfc"), kDrawing));
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    Run render(const QStringList& args) { return kestrune(QStringList{QStringLiteral("--render")} + args, "no-such-platform"); }

    Run kestrune(const QStringList& args, const char* platform)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
        env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KESTRUNE_EXE), args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir m_dir;
};

TEST_F(RenderCommand, WritesPngOfTheWidthAsked)
{
    const Run run = render({path("plan.sfc"), path("plan.png"), QStringLiteral("--width"), QStringLiteral("600")});
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    QImageReader png(path("plan.png"));
    EXPECT_EQ(png.format(), "png");
    EXPECT_EQ(png.size().width(), 600);
    // The picture shows the red line.
    const QImage image = png.read();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 100;
    EXPECT_GT(red, 300);
}

// The delivery form of the same drawing gives the same picture: the form is
// told by the content, whatever the name says.
TEST_F(RenderCommand, DrawsTheP21FormAsTheSfcForm)
{
    // The line in red (colour 2) and 0.35 mm (width 4), as defined: the
    // delivery form leaves out what refers to nothing.
    QByteArray sfc = kDrawing;
    sfc.replace("line_feature('1','1','1','1'", "line_feature('1','2','1','4'");
    const sxf::ReadResult read = sxf::readSfc(sfc);
    ASSERT_TRUE(read.findings.empty());
    const QByteArray p21 = sxf::writeP21(read.drawing);
    ASSERT_TRUE(testsupport::writeFile(path("plan.sfc"), sfc));
    ASSERT_TRUE(testsupport::writeFile(path("plan.p21"), p21));
    ASSERT_TRUE(testsupport::writeFile(path("named.sfc"), p21));
    for (const char* name : {"plan.sfc", "plan.p21", "named.sfc"}) {
        const QString png = path(QString::fromLatin1(name) + QStringLiteral(".png"));
        const Run run = render({path(QString::fromLatin1(name)), png, QStringLiteral("--width"), QStringLiteral("300")});
        EXPECT_EQ(run.status, 0) << name << ": " << run.errors.toStdString();
    }
    const QImage picture(path("plan.sfc.png"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(QImage(path("plan.p21.png")), picture);
    EXPECT_EQ(QImage(path("named.sfc.png")), picture);
}

TEST_F(RenderCommand, WritesPdfWithTheSheetAtFullSize)
{
    const Run run = render({path("plan.sfc"), path("plan.pdf")});
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    const QByteArray pdf = testsupport::readFile(path("plan.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    // 420 x 297 mm in points.
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_NEAR(m.captured(1).toDouble(), 420 / 25.4 * 72, 1);
    EXPECT_NEAR(m.captured(2).toDouble(), 297 / 25.4 * 72, 1);
}

TEST_F(RenderCommand, NeverReplacesAFileAndSaysWhyItFailed)
{
    ASSERT_TRUE(testsupport::writeFile(path("taken.png"), "mine"));
    ASSERT_TRUE(testsupport::writeFile(path("broken.sfc"), "これはSXFではありません\r\n"));
    struct Case {
        const char* name;
        QStringList args;
    };
    const Case cases[] = {
        {"existing picture", {path("plan.sfc"), path("taken.png")}},
        {"missing drawing", {path("nowhere.sfc"), path("a.png")}},
        {"not a drawing", {path("broken.sfc"), path("b.png")}},
        {"folder that is not there", {path("plan.sfc"), path("no/such/c.png")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Run run = render(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_FALSE(run.errors.trimmed().isEmpty());
    }
    EXPECT_EQ(testsupport::readFile(path("taken.png")), QByteArray("mine"));
    for (const char* left : {"a.png", "b.png"})
        EXPECT_FALSE(QFileInfo::exists(path(QString::fromLatin1(left))));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(RenderCommand, WrongCommandLinesExitWithTwo)
{
    const QStringList cases[] = {
        {},
        {path("plan.sfc")},
        {path("plan.sfc"), path("plan.jpg")},
        {path("plan.sfc"), path("plan.png"), path("extra.png")},
        {path("plan.sfc"), path("plan.png"), QStringLiteral("--width")},
        {path("plan.sfc"), path("plan.png"), QStringLiteral("--width"), QStringLiteral("0")},
        {path("plan.sfc"), path("plan.png"), QStringLiteral("--width"), QStringLiteral("wide")},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Run run = render(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.errors.contains(QStringLiteral("usage:")));
    }
    EXPECT_FALSE(QFileInfo::exists(path("plan.png")));
}

TEST_F(RenderCommand, ScreenshotOfThePreviewWindow)
{
    const Run run = kestrune({QStringLiteral("--screenshot"), path("window.png"), path("plan.sfc")}, "offscreen");
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    QImageReader png(path("window.png"));
    EXPECT_EQ(png.format(), "png");
    EXPECT_GT(png.size().width(), 500);
}

}  // namespace
