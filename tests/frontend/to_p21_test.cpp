// "Kestrune --to-p21": SFC files of any program written as P21, beside them
// or into a folder, never in place of a file.
#include "frontend/to_p21.h"

#include "common/path_names.h"
#include "tests/support/qt_printers.h"
#include "tests/sxf/p21_expected.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

using namespace frontend;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// An SFC file as another program lays it out: LF line ends, its own
// header values and indents, blanks between tokens, reals of any length.
// It is the drawing of the format's first worked example.
const QByteArray kOtherProgramSfc = R"(ISO-10303-21;
HEADER;
FILE_DESCRIPTION(('SCADEC level2 feature_mode'), '2;1');
FILE_NAME('plan.sfc', '2024-3-5T9:7:2', ('someone'), ('a firm'), 'SCADEC_API_Ver3.30', 'OtherCAD 2.1', '');
FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));
ENDSEC;
DATA;
/*SXF
#100 = layer_feature(\'L1\',  '1')
SXF*/
/*SXF
#110 = pre_defined_colour_feature(\'black\')
SXF*/
/*SXF
#120 = pre_defined_font_feature(\'continuous\')
SXF*/
/*SXF
#130 = width_feature('0.13')
SXF*/
/*SXF
#140 = line_feature('1','1','1','1','60.0','228.5','160','228.50000')
SXF*/
/*SXF
#150 = drawing_sheet_feature(\'S1\','3','1','420','297')
SXF*/
ENDSEC;
END-ISO-10303-21;
)";

// The first worked example as this system writes it from that file.
const QByteArray kExpectedP21 = p21test::crlf(
    p21test::exampleHeader("plan.p21", "2024-3-5T9:7:2", "''", "''", "Kestrune") + p21test::kExampleLine +
    p21test::kExampleSheet);

struct ToP21Run {
    int status = -1;
    QStringList log;
    QString errors;
};

QString contents(std::FILE* stream)
{
    std::rewind(stream);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
        bytes.append(buffer, qsizetype(n));
    std::fclose(stream);
    return QString::fromUtf8(bytes);
}

ToP21Run toP21(const QStringList& args)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ToP21Run r;
    r.status = runToP21(args, out, err);
    r.log = contents(out).split(u'\n', Qt::SkipEmptyParts);
    r.errors = contents(err);
    return r;
}

class ToP21 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = QDir::toNativeSeparators(m_tmp.path()) + common::PathDelimChar();
        ASSERT_TRUE(writeFile(m_dir + "plan.sfc", kOtherProgramSfc));
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

}  // namespace

TEST_F(ToP21, OtherProgramsFileIsWrittenBesideIt)
{
    const ToP21Run r = toP21({m_dir + "plan.sfc"});
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_EQ(r.log, QStringList({m_dir + "plan.sfc", "→ " + m_dir + "plan.p21", "　…… 変換完了",
                                  "1件中1件を変換しました"}));
    EXPECT_EQ(readFile(m_dir + "plan.p21").toStdString(), kExpectedP21.toStdString());
}

TEST_F(ToP21, NeverReplacesAFileAndWritesIntoAFolder)
{
    ASSERT_TRUE(writeFile(m_dir + "plan.p21", "precious"));
    const QString out = m_dir + "out" + common::PathDelimChar();
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(writeFile(out + "plan.p21", "precious"));
    EXPECT_EQ(toP21({m_dir + "plan.sfc"}).status, 0);
    const ToP21Run r = toP21({"--out", out, "--", m_dir + "plan.sfc"});
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_EQ(r.log.value(1), "→ " + out + "plan~1.p21");
    EXPECT_EQ(readFile(m_dir + "plan.p21"), "precious");
    EXPECT_EQ(readFile(out + "plan.p21"), "precious");
    EXPECT_TRUE(readFile(m_dir + "plan~1.p21").contains("FILE_NAME('plan~1.p21',"));
    EXPECT_TRUE(readFile(out + "plan~1.p21").contains("FILE_NAME('plan~1.p21',"));
}

TEST_F(ToP21, FailuresSayWhyAndWriteNothing)
{
    ASSERT_TRUE(writeFile(m_dir + "notes.sfc", "some notes\r\nand more\r\n"));
    ASSERT_TRUE(QDir().mkdir(m_dir + "folder.sfc"));
    const struct {
        const char* name;
        QString file;
        QString reason;
    } cases[] = {
        {"missing", m_dir + "none.sfc", "　　　理由：変換元のファイルがありません"},
        {"a folder", m_dir + "folder.sfc", "　　　理由：変換元が通常のファイルではありません"},
        {"no SFC text", m_dir + "notes.sfc", "　　　理由：SFCファイルではありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToP21Run r = toP21({c.file, m_dir + "plan.sfc"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.log.value(2), "　…… 変換失敗");
        EXPECT_EQ(r.log.value(3), c.reason);
        EXPECT_EQ(r.log.last(), "2件中1件を変換しました（失敗1件）");
        ASSERT_TRUE(QFile::remove(m_dir + "plan.p21"));
    }
    EXPECT_EQ(QDir(m_dir).entryList({"*.p21"}, QDir::Files), QStringList());
}

TEST_F(ToP21, WrongCommandLines)
{
    for (const QStringList& args : {QStringList{}, QStringList{"--out"}, QStringList{"--out", m_dir, "--out", m_dir},
                                    QStringList{"--fast", m_dir + "plan.sfc"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToP21Run r = toP21(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.errors.contains("usage: Kestrune --to-p21")) << r.errors.toStdString();
        EXPECT_TRUE(r.log.isEmpty());
    }
    const ToP21Run missing = toP21({"--out", m_dir + "none", m_dir + "plan.sfc"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.errors.contains("指定したフォルダが見つかりません。")) << missing.errors.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir + "plan.p21"));
}
