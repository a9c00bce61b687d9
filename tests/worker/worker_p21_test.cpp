// The worker writing the formal form: a destination ending in ".p21" gets
// P21, and one run can write both forms, the P21 always the SFC of the same
// run read back; both files appear together or neither does.
#include "sxf/p21_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/jww_builder.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_paths.h"
#include "tests/support/worker_copy.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

class WorkerP21 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_progDir = testsupport::copyWorker(m_dir.path());
        ASSERT_FALSE(m_progDir.isEmpty());
        ASSERT_TRUE(writeFile(m_progDir + "Kestrune.dat", "50\r\n"));
        m_source = m_dir.filePath("plan.jww");
        ASSERT_TRUE(writeFile(m_source, testsupport::demoDrawingBytes()));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir("out"));
        m_out = m_dir.filePath("out") + u'/';
    }

    int run(const QStringList& destinations)
    {
        QProcess p;
        p.start(m_progDir + "Ondrelle", QStringList{m_source} + destinations);
        EXPECT_TRUE(p.waitForFinished(60000));
        m_err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QStringList outFiles() const { return QDir(m_out).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir m_dir;
    QString m_progDir, m_source, m_out, m_err;
};

// `sfc` without its FILE_NAME and time stamp lines.
QByteArray withoutNameAndTime(const QByteArray& sfc)
{
    QList<QByteArray> lines = sfc.split('\n');
    lines.remove(4, 2);
    return lines.join('\n');
}

}  // namespace

TEST_F(WorkerP21, BothFormsAreTheSameDrawing)
{
    ASSERT_EQ(run({m_out + "plan.sfc", m_out + "plan.p21"}), 0) << m_err.toStdString();
    EXPECT_EQ(outFiles(), (QStringList{"plan.p21", "plan.sfc"}));
    const QByteArray sfc = readFile(m_out + "plan.sfc");
    const QByteArray p21 = readFile(m_out + "plan.p21");

    // The SFC is the one a run for SFC alone writes.
    ASSERT_EQ(run({m_out + "alone.sfc"}), 0) << m_err.toStdString();
    EXPECT_EQ(withoutNameAndTime(sfc), withoutNameAndTime(readFile(m_out + "alone.sfc")));
    EXPECT_TRUE(sfc.contains("FILE_NAME('plan.sfc',"));

    // The P21 is that SFC read back and written, its time stamp included.
    const sxf::ReadResult read = sxf::readSfc(sfc);
    EXPECT_TRUE(read.findings.empty());
    sxf::P21Options options;
    options.fileName = QStringLiteral("plan.p21");
    EXPECT_EQ(p21, sxf::writeP21(read.drawing, options));
    EXPECT_FALSE(p21.contains("FILE_NAME('plan.sfc'"));
}

TEST_F(WorkerP21, P21AloneInAnyCase)
{
    ASSERT_EQ(run({m_out + "PLAN.P21"}), 0) << m_err.toStdString();
    EXPECT_EQ(outFiles(), QStringList{"PLAN.P21"});
    const QByteArray p21 = readFile(m_out + "PLAN.P21");
    EXPECT_TRUE(p21.startsWith("ISO-10303-21;\r\nHEADER;\r\nFILE_DESCRIPTION(('SCADEC level2 AP202_mode'),\r\n"));
    EXPECT_TRUE(p21.contains("FILE_NAME('PLAN.P21',\r\n"));
    EXPECT_TRUE(p21.endsWith("ENDSEC;\r\nEND-ISO-10303-21;\r\n"));
}

// Refused before converting, or failed on the way: exit 1, a reason, and
// neither file.
TEST_F(WorkerP21, EitherBothFilesOrNeither)
{
    const QString usage = QStringLiteral("使い方：Ondrelle 変換元.jww 保存先.sfc [保存先.p21]\n");
    ASSERT_TRUE(writeFile(m_out + "taken.p21", "precious"));
    const struct {
        const char* name;
        QStringList destinations;
        QString reason;
    } cases[] = {
        {"two SFC files", {m_out + "a.sfc", m_out + "b.sfc"}, usage},
        {"two P21 files", {m_out + "a.p21", m_out + "b.P21"}, usage},
        {"three destinations", {m_out + "a.sfc", m_out + "a.p21", m_out + "b.p21"}, usage},
        {"P21 destination taken", {m_out + "taken.sfc", m_out + "taken.p21"},
         QStringLiteral("保存先に同じ名前のファイルがあります\n")},
        // The SFC can be written, the P21 cannot: the SFC goes again.
        {"P21 folder missing", {m_out + "lost.sfc", m_dir.filePath("none/lost.p21")},
         QStringLiteral("保存先に書き込めません\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.destinations), 1);
        EXPECT_EQ(m_err, c.reason);
        EXPECT_EQ(outFiles(), QStringList{"taken.p21"});
    }
    EXPECT_EQ(readFile(m_out + "taken.p21"), "precious");
}

// The image files a drawing shows go beside the files once.
TEST_F(WorkerP21, ImagesArriveOnceBesideBothForms)
{
    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    ASSERT_TRUE(writeFile(m_dir.filePath("beside.png"), png));
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    jww::TEntJwwMoji e;
    e.att.nPenColor = 1;
    e.att.nPenStyle = 1;
    e.end_x = 1;
    e.str = QStringLiteral("^@BMbeside.png,40");
    testsupport::addMoji(d, e);
    ASSERT_TRUE(writeFile(m_source, testsupport::writeJww(d, {})));

    ASSERT_EQ(run({m_out + "plan.sfc", m_out + "plan.p21"}), 0) << m_err.toStdString();
    EXPECT_EQ(outFiles(), (QStringList{"beside.jpg", "plan.p21", "plan.sfc"}));
    EXPECT_TRUE(readFile(m_out + "plan.p21").contains("beside.jpg"));
}
