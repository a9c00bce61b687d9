// Telling SFC and P21 apart, and reading a file of either form.
#include "sxf/sxf_file.h"

#include "tests/support/p21_fixtures.h"
#include "tests/support/test_paths.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace sxf;

namespace {

const QByteArray kSfc = "ISO-10303-21;\r\nHEADER;\r\nENDSEC;\r\nDATA;\r\n\r\n/*SXF\r\n#10 = layer_feature(\\'A\\','1')\r\n"
                        "SXF*/\r\n\r\nENDSEC;\r\nEND-ISO-10303-21;\r\n";

}  // namespace

TEST(SxfFile, FormByContentThenByName)
{
    const struct {
        const char* name;
        QByteArray bytes;
        const char* fileName;
        SxfForm form;
    } cases[] = {
        {"P21", p21test::fixtureFile(p21test::featureFixtures().front()), "x.sfc", SxfForm::P21},
        {"SFC", kSfc, "x.p21", SxfForm::Sfc},
        {"P21 after a comment", "ISO-10303-21;\nDATA;\n/* made by hand */\n#1=A();", "", SxfForm::P21},
        {"empty data section named .P21", "ISO-10303-21;\nDATA;\nENDSEC;", "plan.P21", SxfForm::P21},
        {"empty data section", "ISO-10303-21;\nDATA;\nENDSEC;", "plan.sfc", SxfForm::Sfc},
        {"no data section", "hello", "", SxfForm::Sfc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sxfFormOf(c.bytes, QString::fromLatin1(c.fileName)), c.form);
    }
}

TEST(SxfFile, ReadsEitherFormFromDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString p21 = dir.filePath(QStringLiteral("a.p21"));
    const QString sfc = dir.filePath(QStringLiteral("b.sfc"));
    ASSERT_TRUE(testsupport::writeFile(p21, p21test::fixtureFile(p21test::featureFixtures().front())));
    ASSERT_TRUE(testsupport::writeFile(sfc, kSfc));
    SxfForm form = SxfForm::Sfc;
    const ReadResult a = readSxfFile(p21, &form);
    EXPECT_EQ(form, SxfForm::P21);
    EXPECT_EQ(a.drawing.lines.size(), 1u);
    const ReadResult b = readSxfFile(sfc, &form);
    EXPECT_EQ(form, SxfForm::Sfc);
    ASSERT_EQ(b.drawing.layers.size(), 1u);
    EXPECT_EQ(b.drawing.layers[0].name, u"A");
    const ReadResult missing = readSxfFile(dir.filePath(QStringLiteral("none.p21")));
    ASSERT_EQ(missing.findings.size(), 1u);
    EXPECT_EQ(missing.findings[0].code, u"SXF_FILE");
#ifndef Q_OS_WIN
    // A FIFO is refused, not waited on.
    const QString fifo = dir.filePath(QStringLiteral("pipe.sfc"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const ReadResult pipe = readSxfFile(fifo);
    ASSERT_EQ(pipe.findings.size(), 1u);
    EXPECT_EQ(pipe.findings[0].code, u"SXF_FILE");
#endif
}
