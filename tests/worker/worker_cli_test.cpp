// The worker program run as users and the front-end run it: every failure
// path ends with no new destination file, exit status 1 and one line on
// standard error saying why; nothing that was there is ever touched.
#include "common/codepage.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/jww_builder.h"
#include "tests/support/qt_printers.h"
#include "tests/support/sfc_parser.h"
#include "tests/support/test_paths.h"
#include "tests/support/worker_copy.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using testsupport::writeFile;

namespace {

// A folder holding a copy of the worker in its program folder, optionally
// with a settings file there, and a source drawing.
class WorkerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_progDir = testsupport::copyWorker(m_dir.path());
        ASSERT_FALSE(m_progDir.isEmpty());
        m_exe = m_progDir + "Ondrelle";
        m_source = m_dir.filePath("plan.jww");
        ASSERT_TRUE(writeFile(m_source, testsupport::demoDrawingBytes()));
        m_dest = m_dir.filePath("plan.sfc");
    }

    // Line 15, when given, names the Jw_cad folder.
    void writeSettings(const QString& jwwPath = QString())
    {
        QByteArray lines = "50\r\n50\r\n480\r\n480\r\n1\r\n0\r\n0\r\n0\r\n0\r\n";
        if (!jwwPath.isEmpty())
            lines = "\xEF\xBB\xBF" + lines + "\r\n\r\n\r\n\r\n\r\n" + jwwPath.toUtf8() + "\r\n";
        ASSERT_TRUE(writeFile(m_progDir + "Kestrune.dat", lines));
    }

    // Runs the worker; its error output, decoded, goes to m_err.
    int run(const QStringList& args)
    {
        QProcess p;
        p.start(m_exe, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());  // the worker prints nothing
        m_err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    QString m_progDir, m_exe, m_source, m_dest, m_err;
};

}  // namespace

TEST_F(WorkerRun, ConvertsAndExitsZero)
{
    writeSettings();
    EXPECT_EQ(run({m_source, m_dest}), 0);
    EXPECT_EQ(m_err, QString());  // nor on its error output
    const QByteArray sfc = testsupport::readFile(m_dest);
    EXPECT_TRUE(sfc.startsWith("ISO-10303-21;\r\nHEADER;\r\n"));
    EXPECT_TRUE(sfc.contains("FILE_NAME('plan.sfc',\r\n"));
    EXPECT_TRUE(sfc.endsWith("ENDSEC;\r\nEND-ISO-10303-21;\r\n"));
    // Only the destination was added; the image folder was removed when empty.
    EXPECT_FALSE(QDir(m_progDir + "TEMP").exists());
}

TEST_F(WorkerRun, UpperCaseExtensionConverts)
{
    writeSettings();
    const QString upper = m_dir.filePath("PLAN.JWW");
    ASSERT_TRUE(QFile::rename(m_source, upper));
    EXPECT_EQ(run({upper, m_dest}), 0);
    EXPECT_TRUE(QFile::exists(m_dest));
}

// Every refusal: exit status 1, no destination, and one line saying why.
TEST_F(WorkerRun, FailurePathsWriteNothingAndSayWhy)
{
    const QByteArray drawing = testsupport::demoDrawingBytes();
    const QString other = m_dir.filePath("plan.txt");
    ASSERT_TRUE(QFile::copy(m_source, other));
    const auto source = [this](const char* name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    };
    QByteArray v900 = drawing;
    v900[8] = char(0x84);  // version 900
    v900[9] = char(0x03);
    const QString folder = m_dir.filePath("folder.jww");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString settingsPath = m_progDir + "Kestrune.dat";
    struct Case {
        const char* name;
        bool settings;
        QStringList args;
        QString reason;
    } cases[] = {
        {"no arguments", true, {}, "使い方：Ondrelle 変換元.jww 保存先.sfc"},
        {"one argument", true, {m_source}, "使い方：Ondrelle 変換元.jww 保存先.sfc"},
        {"three arguments", true, {m_source, m_dest, m_dest}, "使い方：Ondrelle 変換元.jww 保存先.sfc"},
        {"missing settings file", false, {m_source, m_dest}, "設定ファイルがありません（" + settingsPath + "）"},
        {"missing source", true, {m_dir.filePath("none.jww"), m_dest}, "変換元のファイルがありません"},
        {"folder as source", true, {folder, m_dest}, "変換元が通常のファイルではありません"},
        {"not a .jww extension", true, {other, m_dest}, "JWWファイルではありません"},
        {"not a drawing", true, {m_exe, m_dest}, "JWWファイルではありません"},
        {"text renamed .jww", true, {source("notes.jww", "some notes\r\n"), m_dest}, "JWWファイルではありません"},
        {"empty file", true, {source("empty.jww", {}), m_dest}, "ファイルが空です"},
        {"version 900", true, {source("v900.jww", v900), m_dest}, "対応していないバージョンです（version 900）"},
        {"truncated", true, {source("cut.jww", drawing.left(drawing.size() / 2)), m_dest}, "ファイルが途中で切れています"},
        {"missing output folder", true, {m_source, m_dir.filePath("none/plan.sfc")}, "保存先に書き込めません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_progDir + "Kestrune.dat");
        if (c.settings)
            writeSettings();
        EXPECT_EQ(run(c.args), 1);
        EXPECT_EQ(m_err, c.reason + u'\n');
        EXPECT_FALSE(QFile::exists(m_dest));
    }
}

TEST_F(WorkerRun, ExistingDestinationIsKeptAndNothingWritten)
{
    writeSettings();
    const QString link = m_dir.filePath("link.sfc");
    ASSERT_TRUE(QFile::link(m_dir.filePath("nowhere"), link));
    const QString folder = m_dir.filePath("folder.sfc");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(writeFile(m_dest, "precious"));
    for (const QString& dst : {m_dest, link, folder}) {
        SCOPED_TRACE(dst.toStdString());
        EXPECT_EQ(run({m_source, dst}), 1);
        EXPECT_EQ(m_err, QStringLiteral("保存先に同じ名前のファイルがあります\n"));
    }
    // Also when the source is no drawing at all.
    const QString junk = m_dir.filePath("not a drawing.jww");
    ASSERT_TRUE(writeFile(junk, "junk"));
    EXPECT_EQ(run({junk, m_dest}), 1);
    EXPECT_EQ(testsupport::readFile(m_dest), "precious");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

#ifdef Q_OS_UNIX
// A FIFO is never opened: reading it would wait for a writer for ever.
TEST_F(WorkerRun, FifoSourceFailsAtOnce)
{
    writeSettings();
    const QString fifo = m_dir.filePath("x.jww");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(run({fifo, m_dest}), 1);
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(m_err, QStringLiteral("変換元が通常のファイルではありません\n"));
    EXPECT_FALSE(QFile::exists(m_dest));
}
#endif

TEST_F(WorkerRun, UnwritableDestinationLeavesNoTemporaryFile)
{
    writeSettings();
    const QString folder = m_dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool root = QFileInfo(folder).isWritable();  // permissions do not bind root
    const int status = run({m_source, folder + "/plan.sfc"});
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (root)
        GTEST_SKIP() << "running as root: folder permissions cannot refuse the write";
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

namespace {

// One text of the code drawing: the code as written, its layer group, and
// the value expected in the SFC file (none when it is blank).
struct CodeText {
    QString code;
    int group = 0;
    QString expected;
};

// A drawing with one text per code, one above the other; layer group 1 is
// drawn at 1:50, the print scale is 2, the memo has three lines and the
// drawing time is 1 h 29 min 59 s.
QByteArray codesDrawing(const std::vector<CodeText>& texts)
{
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    d.Enthd.strMemo = u"X\r\nY\r\nZ"_qs;
    d.Enthd.lnDrawTime = 5399;
    d.Enthd.dPrtBairitsu = 2;
    d.EntLgrp[1].adScale = 50;
    double y = 10;
    for (const CodeText& t : texts) {
        jww::TEntJwwMoji e;
        e.att.nPenColor = 1;
        e.att.nPenStyle = 1;
        e.att.nGLayer = static_cast<uint16_t>(t.group);
        e.start_x = 10;
        e.end_x = 20;
        e.start_y = e.end_y = y;
        e.dSizeX = e.dSizeY = 2.5;
        e.str = t.code;
        testsupport::addMoji(d, e);
        y += 10;
    }
    return testsupport::writeJww(d);
}

bool setWriteTime(const QString& path, const QDateTime& t)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(t, QFileDevice::FileModificationTime);
}

// The strings of every text feature of the file, sorted.
QStringList writtenTexts(const QString& path)
{
    const testsupport::SfcFile file = testsupport::parseSfcFile(path);
    EXPECT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
    QStringList out;
    for (const testsupport::SfcRecord* r : file.named(u"text_string_feature"))
        out.append(r->stringAt(3));
    out.sort();
    return out;
}

QStringList expectedTexts(const std::vector<CodeText>& texts)
{
    QStringList out;
    for (const CodeText& t : texts) {
        if (!t.expected.isEmpty())
            out.append(t.expected);
    }
    out.sort();
    return out;
}

// The codes on the current date, as a run at `now` writes them.
std::vector<CodeText> currentDateCodes(const QDateTime& now)
{
    const QDate d = now.date();
    return {
        {u"&j"_qs, 0, QStringLiteral("%1/%2/%3").arg(d.year()).arg(d.month(), 2).arg(d.day(), 2)},
        {u"%y"_qs, 0, QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0'))},
    };
}

}  // namespace

// Every kind of code, end to end: the settings file names the Jw_cad folder,
// whose Jw_win.jwf names a value file beside the drawing. A Jw_win.jwf beside
// the worker, when there is one, wins over the Jw_cad folder's.
TEST_F(WorkerRun, TextCodesCarryTheirValues)
{
    const QString site = m_dir.filePath("site");
    const QString jw = m_dir.filePath("jw") + u'/';
    ASSERT_TRUE(QDir().mkpath(site));
    ASSERT_TRUE(QDir().mkpath(jw));
    const QString source = site + u"/site plan 2.jww"_qs;
    ASSERT_TRUE(writeFile(jw + u"Jw_win.jwf"_qs, "[Jw_win]\r\nREF_FILE = values.txt\r\nEND\r\n"));
    ASSERT_TRUE(writeFile(site + u"/values.txt"_qs,
                          "%%A\t" + common::encodeCp932(u"値A"_qs) + "\r\n%%C\tc\td\r\n"));
    ASSERT_TRUE(writeFile(site + u"/other.txt"_qs, "%%A\tother\r\n%%C\tc\td\r\n"));
    writeSettings(jw);

    const std::vector<CodeText> fixed = {
        {u"plain text"_qs, 0, u"plain text"_qs},
        {u"%%C"_qs, 0, u"cd"_qs},
        {u"%%B"_qs, 0, u"B"_qs},
        {u"%F"_qs, 0, source},
        {u"%F1"_qs, 0, u"site"_qs},
        {u"&f"_qs, 0, u"site plan 2"_qs},
        {u"&fs2"_qs, 0, u"plan"_qs},
        {u"%f"_qs, 0, u"site plan 2.jww"_qs},
        {u"%f3"_qs, 0, u"sit"_qs},
        {u"=F"_qs, 0, u"2024/05/07 09:05:03"_qs},
        {u"_f"_qs, 0, u"2024/ 5/ 7"_qs},
        {u"=Y"_qs, 0, u"36"_qs},
        {u"=GＧＥＥ"_qs, 0, u"令和06年"_qs},
        {u"_m"_qs, 0, u" 5"_qs},
        {u"=w"_qs, 0, u"火"_qs},
        {u"=J"_qs, 0, u"令和6年 5月 7日"_qs},
        {u"%mm"_qs, 0, u"X\u3000YZ"_qs},
        {u"%m1"_qs, 0, u"X"_qs},
        {u"%m2"_qs, 0, u"YZ"_qs},
        {u"%SS"_qs, 1, u"1/50"_qs},
        {u"%SS"_qs, 0, u"1/1"_qs},
        {u"%sp"_qs, 1, u"25"_qs},
        {u"&T"_qs, 0, u"1 : 30"_qs},
        // A trailing "･" marks the end of a spread text: one of the three
        // goes, the other two are spread over the width of three.
        {u"%j3"_qs, 0, u"\uFF65\uFF65"_qs},
        {u"%j1x"_qs, 0, u""_qs},
    };
    struct Case {
        const char* name;
        bool besideWorker;
        QString A;
    } cases[] = {
        {"settings in the Jw_cad folder", false, u"値A"_qs},
        {"settings beside the worker too", true, u"other"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.besideWorker) {
            ASSERT_TRUE(writeFile(m_progDir + "Jw_win.jwf", "REF_FILE=other.txt\r\n"));
        }
        std::vector<CodeText> texts = fixed;
        texts.push_back({u"%%A"_qs, 0, c.A});
        const QDateTime before = QDateTime::currentDateTime();
        for (const CodeText& t : currentDateCodes(before))
            texts.push_back({t.code, 0, QString()});
        ASSERT_TRUE(writeFile(source, codesDrawing(texts)));
        ASSERT_TRUE(setWriteTime(source, QDateTime(QDate(2024, 5, 7), QTime(9, 5, 3))));
        QFile::remove(m_dest);

        ASSERT_EQ(run({source, m_dest}), 0);
        const QDateTime after = QDateTime::currentDateTime();

        const QStringList written = writtenTexts(m_dest);
        const auto expectedAt = [&](const QDateTime& now) {
            std::vector<CodeText> all(texts.begin(), texts.end() - 2);
            for (const CodeText& t : currentDateCodes(now))
                all.push_back(t);
            return expectedTexts(all);
        };
        // A run across midnight sees the date of either end.
        if (written != expectedAt(after)) {
            EXPECT_EQ(written, expectedAt(before));
        }
    }
}

// Help and version answer without a display and without touching the
// program folder; any other single argument is still a failed conversion.
TEST_F(WorkerRun, HelpAndVersionPrintAndExitZero)
{
    const struct {
        const char* arg;
        const char* starts;
    } cases[] = {
        {"--version", "Ondrelle 1.10\n"},
        {"--help", "Ondrelle 1.10: "},
        {"-h", "Ondrelle 1.10: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arg);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "no-such-platform");
        env.remove("DISPLAY");
        p.setProcessEnvironment(env);
        p.start(m_exe, {QString::fromLatin1(c.arg)});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(c.starts)) << out.toStdString();
        if (QByteArrayView(c.arg) != "--version") {
            EXPECT_TRUE(out.contains("usage: Ondrelle SOURCE.jww DESTINATION.sfc"));
            EXPECT_TRUE(out.contains(m_progDir + "Kestrune.dat")) << out.toStdString();
        }
    }
    EXPECT_EQ(QDir(m_progDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"Ondrelle"});
    EXPECT_EQ(run({"--verbose"}), 1);
}

namespace {

// Where a piece of a decorated text lies, relative to the text's start point.
struct PieceAt {
    QString str;
    double x, y, w, h;
    int64_t font = 2;
    double slant = 0;
};

struct LineAt {
    double x1, y1, x2, y2;
};

// One decorated text of the decoration drawing and the pieces it is drawn
// with, characters 2 wide and 3 high, no spacing.
struct DecoratedText {
    QString str;
    bool vertical;
    std::vector<PieceAt> texts;
    std::vector<LineAt> lines;
};

// Starts 10 apart up the sheet, from (10, 10), baselines at 0 degrees.
double startY(size_t k)
{
    return 10.0 + 10.0 * static_cast<double>(k);
}

QByteArray decoratedDrawing(const std::vector<DecoratedText>& texts)
{
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    // Pen 3 green whichever colours the settings choose, and SFC colour 2
    // green, so that "^$3" shows as colour 2; every other colour is black.
    d.EntCol[3].aPenColor = d.EntCol[3].aPrtPenColor = 0x00FF00;
    d.EntColS[2].aPenColor = 0x00FF00;
    d.EntCol[1].aPenColor = d.EntCol[1].aPrtPenColor = 0;
    for (size_t k = 0; k < texts.size(); ++k) {
        jww::TEntJwwMoji e;
        e.att.nPenColor = 1;
        e.att.nPenStyle = 1;
        e.att.sFlg = texts[k].vertical ? 0x20 : 0;
        e.start_x = 10;
        e.end_x = 20;
        e.start_y = e.end_y = startY(k);
        e.dSizeX = 2;
        e.dSizeY = 3;
        e.strFontName = u"ＭＳ 明朝"_qs;
        e.str = texts[k].str;
        testsupport::addMoji(d, e);
    }
    return testsupport::writeJww(d);
}

QString fixed(double v)
{
    return QString::number(v, 'f', 6);
}

}  // namespace

// One text per decoration code through the real worker: every text piece and
// every line lies where the rules put it, and nothing else is written. The
// first text has no codes; where it lands tells the sheet offset.
TEST_F(WorkerRun, DecoratedTextsAreDrawnInPieces)
{
    const std::vector<DecoratedText> texts = {
        {u"reference"_qs, false, {{u"reference"_qs, 0, 0, 9, 3}}, {}},
        {u"A^!B"_qs, false, {{u"AB"_qs, 0, 0, 2, 3}}, {}},
        {u"A^/B"_qs, false, {{u"A"_qs, 0, 0, 1, 3}, {u"B"_qs, 1.2, 0, 1, 3, 2, 15}}, {}},
        {u"A^_B"_qs, false, {{u"AB"_qs, 0, 0, 2, 3}}, {{1, -0.3, 2, -0.3}}},
        {u"A^-B"_qs, false, {{u"AB"_qs, 0, 0, 2, 3}}, {{1, 1.5, 2, 1.5}}},
        {u"A^$3B"_qs, false, {{u"A"_qs, 0, 0, 1, 3}, {u"B"_qs, 1.2, 0, 1, 3}}, {}},
        {u"A^_B^#C"_qs, false, {{u"AB"_qs, 0, 0, 2, 3}, {u"C"_qs, 2.2, 0, 1, 3}}, {{1, -0.3, 2, -0.3}}},
        {u"A^\\B^&C"_qs, false, {{u"A"_qs, 0, 0, 1, 3}, {u"B"_qs, 1.2, 0, 1, 3, 1}, {u"C"_qs, 2.2, 0, 1, 3}}, {}},
        {u"A^-B^%C"_qs, false, {{u"AB"_qs, 0, 0, 2, 3}, {u"C"_qs, 2.2, 0, 1, 3}}, {{1, 1.5, 2, 1.5}}},
        {u"^*^_^^A"_qs, false, {{u"^_A"_qs, 0, 0, 3, 3}}, {}},
        {u"m^u2"_qs, false, {{u"2"_qs, 1.2, 1.5, 0.8, 1.5}, {u"m "_qs, 0, 0, 2, 3}}, {}},
        {u"m^d2"_qs, false, {{u"2"_qs, 1.2, 0, 0.8, 1.5}, {u"m "_qs, 0, 0, 2, 3}}, {}},
        {u"m^c2"_qs, false, {{u"2"_qs, 1.2, 0.75, 0.8, 1.5}, {u"m "_qs, 0, 0, 2, 3}}, {}},
        {u"○^o1"_qs, false, {{u"1"_qs, 0.5, 0.75, 0.5, 1.5}, {u"○"_qs, 0, 0, 2, 3}}, {}},
        {u"A^bx"_qs, false, {{u"x"_qs, 0.4, 0, 1, 3}, {u"A"_qs, 0, 0, 1, 3}}, {}},
        {u"A^Bx"_qs, false, {{u"x"_qs, 0.3, 0, 1, 3}, {u"A"_qs, 0, 0, 1, 3}}, {}},
        {u"A^nx"_qs, false, {{u"x"_qs, 0, 0, 1, 3}, {u"A"_qs, 0, 0, 1, 3}}, {}},
        {u"A^w12"_qs, false, {{u"12"_qs, 0.3, 0.9, 0.8, 1.2}, {u"A"_qs, 0, 0, 1, 3}}, {}},
        // Spread over the 7 columns it was measured with; squeezed to half.
        {u"ABC\u30FB\u30FB"_qs, false, {{u"ABC"_qs, 0, 0, 7, 3}}, {}},
        {u"ABCD^2"_qs, false, {{u"ABCD"_qs, 0, 0, 2, 3}}, {}},
        // Columns run along the baseline, turned to 90 degrees.
        {u"A^_B"_qs, true, {{u"AB"_qs, 0, 0, 2, 6}}, {{3, 2.2, 6, 2.2}}},
        {u"A^w12"_qs, true, {{u"12"_qs, 0.9, 0.3, 0.8, 1.2}, {u"A"_qs, 0, 0, 2, 3}}, {}},
    };
    writeSettings();
    ASSERT_TRUE(writeFile(m_source, decoratedDrawing(texts)));
    ASSERT_EQ(run({m_source, m_dest}), 0);
    const testsupport::SfcFile file = testsupport::parseSfcFile(m_dest);
    ASSERT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();

    const auto textKey = [](const QString& str, double x, double y, double w, double h, int64_t font, double slant) {
        return QStringList{str, fixed(x), fixed(y), fixed(w), fixed(h), QString::number(font), fixed(slant)}.join(u' ');
    };
    QStringList written, lines;
    double dx = 0, dy = 0;
    for (const testsupport::SfcRecord* r : file.named(u"text_string_feature")) {
        written.append(textKey(r->stringAt(3), r->realAt(4), r->realAt(5), r->realAt(7), r->realAt(6),
                               r->integerAt(2), r->realAt(10)));
        if (r->stringAt(3) == u"reference") {
            dx = r->realAt(4) - 10;
            dy = r->realAt(5) - 10;
        }
    }
    for (const testsupport::SfcRecord* r : file.named(u"line_feature"))
        lines.append(QStringList{fixed(r->realAt(4)), fixed(r->realAt(5)), fixed(r->realAt(6)), fixed(r->realAt(7))}
                         .join(u' '));

    QStringList expected, expectedLines;
    for (size_t k = 0; k < texts.size(); ++k) {
        const double x = dx + 10, y = dy + startY(k);
        for (const PieceAt& p : texts[k].texts)
            expected.append(textKey(p.str, x + p.x, y + p.y, p.w, p.h, p.font, p.slant));
        for (const LineAt& l : texts[k].lines)
            expectedLines.append(
                QStringList{fixed(x + l.x1), fixed(y + l.y1), fixed(x + l.x2), fixed(y + l.y2)}.join(u' '));
    }
    written.sort();
    expected.sort();
    lines.sort();
    expectedLines.sort();
    EXPECT_EQ(written, expected);
    EXPECT_EQ(lines, expectedLines);

    // "^$3" draws B in the colour of pen 3, A stays in that of pen 1.
    const auto colourOf = [&](const QString& str, double y) {
        for (const testsupport::SfcRecord* r : file.named(u"text_string_feature")) {
            if (r->stringAt(3) == str && std::abs(r->realAt(5) - (dy + y)) < 1e-9)
                return r->integerAt(1);
        }
        return int64_t{-1};
    };
    EXPECT_EQ(colourOf(u"A"_qs, startY(5)), 1);
    EXPECT_EQ(colourOf(u"B"_qs, startY(5)), 2);
}

namespace {

QByteArray pngBytes(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

// A drawing carrying one image inside it (stored gzip-compressed) and
// referring to another beside it: both become symbols placed on the sheet,
// both arrive as JPEG files beside the output, and the folder the embedded
// image was extracted to is gone afterwards.
TEST_F(WorkerRun, EmbeddedAndReferencedImagesArriveBesideTheOutput)
{
    writeSettings();
    ASSERT_TRUE(writeFile(m_dir.filePath("beside.png"), pngBytes(10, 10)));
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    testsupport::JwwWriteOptions options;
    const QByteArray stored = testsupport::gzipBytes(pngBytes(30, 20));
    d.BindImage.push_back({QStringLiteral("photo.png.gz"), static_cast<int32_t>(stored.size())});
    options.imageData.push_back(stored);
    for (const char* ref : {"^@BM%temp%photo.png,60", "^@BMbeside.png,40"}) {
        jww::TEntJwwMoji e;
        e.att.nPenColor = 1;
        e.att.nPenStyle = 1;
        e.end_x = 1;
        e.str = QString::fromLatin1(ref);
        testsupport::addMoji(d, e);
    }
    ASSERT_TRUE(writeFile(m_source, testsupport::writeJww(d, options)));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("out"));
    const QString dest = m_dir.filePath("out/plan.sfc");

    ASSERT_EQ(run({m_source, dest}), 0) << m_err.toStdString();
    EXPECT_EQ(QDir(m_dir.filePath("out")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"beside.jpg", "photo.jpg", "plan.sfc"}));
    for (const auto& [name, size] : {std::pair{"photo.jpg", QSize(30, 20)}, std::pair{"beside.jpg", QSize(10, 10)}}) {
        QImageReader reader(m_dir.filePath(QStringLiteral("out/") + QString::fromLatin1(name)));
        EXPECT_EQ(reader.format(), "jpeg") << name;
        EXPECT_EQ(reader.size(), size) << name;
    }
    const testsupport::SfcFile file = testsupport::parseSfcFile(dest);
    ASSERT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
    const auto imageNames = [&](QStringView feature, size_t at) {
        QStringList names;
        for (const testsupport::SfcRecord* r : file.named(feature)) {
            if (r->stringAt(at).contains(u"$$画像"_qs))
                names.append(r->stringAt(at));
        }
        return names;
    };
    const QStringList expected{u"$$ATRU$$101$$画像1$$画像$$photo.jpg"_qs, u"$$ATRU$$102$$画像2$$画像$$beside.jpg"_qs};
    EXPECT_EQ(imageNames(u"sfig_org_feature", 0), expected);
    EXPECT_EQ(imageNames(u"sfig_locate_feature", 1), expected);
    EXPECT_FALSE(QDir(m_progDir + "TEMP").exists());

    // A run that writes no output (here: the destination exists) places no
    // image file either.
    ASSERT_TRUE(QFile::remove(m_dir.filePath("out/photo.jpg")));
    EXPECT_EQ(run({m_source, dest}), 1);
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("out/photo.jpg")));

    // A worker installed without its image codec still converts the drawing
    // without its images, and says so on its error channel.
    m_progDir = testsupport::copyWorker(m_dir.filePath("bare"), false);
    ASSERT_FALSE(m_progDir.isEmpty());
    m_exe = m_progDir + "Ondrelle";
    writeSettings();
    const QString bare = m_dir.filePath("out/bare.sfc");
    ASSERT_EQ(run({m_source, bare}), 0);
    EXPECT_TRUE(m_err.startsWith("Ondrelle: images are left out: ")) << m_err.toStdString();
    EXPECT_EQ(m_err.count(u'\n'), 1);
    EXPECT_EQ(QDir(m_dir.filePath("out")).entryList(QDir::Files, QDir::Name),
              (QStringList{"bare.sfc", "beside.jpg", "plan.sfc"}));
    EXPECT_FALSE(testsupport::readFile(bare).contains("$$ATRU$$101"));
}

namespace {

// A drawing whose names and texts hold an apostrophe after a character whose
// second byte is the backslash byte: the text 「ソ'ト」 in a font whose name
// ends in 「表'」, placed on the layer 「能'登」, a placed block 「表'札」,
// and the text 「ア'イ」, whose apostrophe is harmless.
QByteArray apostropheDrawing()
{
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    d.EntLay[1].aStrLayName = u"能'登"_qs;
    const auto text = [](const QString& str, double y) {
        jww::TEntJwwMoji e;
        e.att.nPenColor = 1;
        e.att.nPenStyle = 1;
        e.att.nLayer = 1;
        e.start_y = e.end_y = y;
        e.end_x = 3 * str.size();
        e.dSizeX = e.dSizeY = 3;
        e.strFontName = u"ＭＳ 表'"_qs;
        e.str = str;
        return e;
    };
    testsupport::addMoji(d, text(u"ソ'ト"_qs, 0));
    testsupport::addMoji(d, text(u"ア'イ"_qs, 10));
    jww::TEntJwwBlockDef def;
    def.nNumber = 1;
    def.strName = u"表'札"_qs;
    testsupport::addLine(def, {{}, 0, 0, 10, 0});
    d.EntBlockDef.push_back(def);
    d.Enthd.n2 = 1;
    testsupport::addBlock(d, {{}, 20, 20, 1, 1, 0, 1});
    return testsupport::writeJww(d);
}

// The feature lines in which a reader that works on bytes ends a string
// early: taking each string to run from its opening backslash and
// apostrophe to the next pair, it finds no "," or ")" after that pair.
QList<QByteArray> linesMisreadByBytes(const QByteArray& sfc)
{
    QList<QByteArray> misread;
    for (const QByteArray& line : sfc.split('\n')) {
        if (!line.startsWith('#'))
            continue;
        for (qsizetype open = line.indexOf("\\'"); open >= 0;) {
            const qsizetype close = line.indexOf("\\'", open + 2);
            if (close < 0 || close + 2 >= line.size() || (line[close + 2] != ',' && line[close + 2] != ')')) {
                misread.append(line);
                break;
            }
            open = line.indexOf("\\'", close + 2);
        }
    }
    return misread;
}

}  // namespace

// Such a drawing converts to a file that a reader working on bytes reads
// whole, and the definitions and the records naming them agree.
TEST_F(WorkerRun, ApostropheAfterABackslashByteNeverEndsAString)
{
    writeSettings();
    ASSERT_TRUE(writeFile(m_source, apostropheDrawing()));
    ASSERT_EQ(run({m_source, m_dest}), 0) << m_err.toStdString();
    const QByteArray sfc = testsupport::readFile(m_dest);
    const QList<QByteArray> misread = linesMisreadByBytes(sfc);
    EXPECT_TRUE(misread.isEmpty()) << common::decodeCp932(misread.join('\n')).toStdString();

    const testsupport::SfcFile file = testsupport::parseSfcFile(m_dest);
    ASSERT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
    const auto strings = [&](QStringView feature, size_t at) {
        QStringList out;
        for (const testsupport::SfcRecord* r : file.named(feature))
            out.append(r->stringAt(at));
        return out;
    };
    EXPECT_TRUE(strings(u"layer_feature", 0).contains(u"能’登"_qs));
    EXPECT_EQ(strings(u"text_string_feature", 3), (QStringList{u"ソ’ト"_qs, u"ア'イ"_qs}));
    EXPECT_TRUE(strings(u"text_font_feature", 0).contains(u"ＭＳ 表’"_qs));
    EXPECT_EQ(strings(u"sfig_org_feature", 0).filter(u"札"_qs), QStringList{u"表’札"_qs});
    EXPECT_EQ(strings(u"sfig_locate_feature", 1).filter(u"札"_qs), QStringList{u"表’札"_qs});

    // The shared checker, which reads strings as the official library does,
    // finds no error and no string that holds those bytes.
    const QString checker = testsupport::sharedTool(u"sfc_check.py"_qs);
    const QString python = QStandardPaths::findExecutable(u"python3"_qs);
    if (checker.isEmpty() || python.isEmpty()) {
        if (!qEnvironmentVariableIsEmpty("CI"))
            ADD_FAILURE() << "CI is set but python3 or the shared checker is missing";
        GTEST_SKIP() << "python3 or the shared checker is missing";
    }
    QProcess check;
    check.start(python, {checker, m_dest, u"--json"_qs});
    ASSERT_TRUE(check.waitForFinished(60000));
    const QJsonObject report = QJsonDocument::fromJson(check.readAllStandardOutput()).object();
    EXPECT_EQ(report.value(u"errors"_qs).toInt(-1), 0) << QJsonDocument(report).toJson().toStdString();
    for (const QString& kind : {u"form"_qs, u"rule"_qs}) {
        for (const QJsonValue& finding : report.value(kind).toArray())
            EXPECT_NE(finding[u"rule"_qs].toString().toStdString(), "string-bytes")
                << finding[u"excerpt"_qs].toString().toStdString();
    }
}
