// The file check and the header: version gates, both string forms, and the
// values derived or repaired while reading.
#include "tests/support/jww_builder.h"
#include "tests/worker/jww/jww_test_files.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace jww;
using namespace testsupport;

namespace {

// An empty drawing of `version` with one line after the header, so that a
// header read one byte off shows in the line.
void drawingWithLine(TJwwData& d, int32_t version)
{
    initEmptyDrawing(d, version);
    addLine(d, {{0, 0, 1}, 1.5, 2.5, 3.5, 4.5});
}

QByteArray bytesWithLine(int32_t version)
{
    TJwwData d;
    drawingWithLine(d, version);
    return writeJww(d);
}

}  // namespace

TEST(JwwHeader, FileCheckAcceptsVersions220To700Only)
{
    const struct {
        int32_t version;
        bool accepted;
    } cases[] = {{219, false}, {220, true}, {700, true}, {701, false}, {-220, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const QString path = scratchPath(QStringLiteral("check.jww"));
        ASSERT_TRUE(writeFile(path, bytesWithLine(c.version)));
        TJwwData d;
        EXPECT_EQ(d.FileCheck(path), c.accepted);
        EXPECT_EQ(d.FileIn(path), c.accepted);
    }
}

TEST(JwwHeader, FileCheckRejectsOtherFiles)
{
    const QByteArray good = bytesWithLine(600);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"magic only", good.left(8)},
        {"short version", good.left(11)},
        {"lower-case magic", QByteArray("jwwData.") + good.mid(8)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = scratchPath(QStringLiteral("check.jww"));
        ASSERT_TRUE(writeFile(path, c.bytes));
        TJwwData d;
        EXPECT_FALSE(d.FileCheck(path));
        EXPECT_FALSE(d.FileIn(path));
    }
    TJwwData d;
    EXPECT_FALSE(d.FileCheck(scratchPath(QStringLiteral("missing.jww"))));
    EXPECT_FALSE(d.FileIn(scratchPath(QStringLiteral("missing.jww"))));
}

// The driver tells the user why a file was refused; the reason comes with
// the false of the check or the read.
TEST(JwwHeader, RefusalsSayWhy)
{
    const QByteArray good = bytesWithLine(600);
    QByteArray v900 = good;
    v900[8] = char(0x84);  // 900 = 0x384
    v900[9] = char(0x03);
    const struct {
        const char* name;
        QByteArray bytes;
        JwwReadFailure check, read;
        int32_t version;
    } cases[] = {
        {"sound", good, JwwReadFailure::None, JwwReadFailure::None, 0},
        {"empty", QByteArray(), JwwReadFailure::Empty, JwwReadFailure::Empty, 0},
        {"text renamed", QByteArray("plain text, not a drawing\n"), JwwReadFailure::NotJww, JwwReadFailure::NotJww, 0},
        {"short magic", good.left(5), JwwReadFailure::NotJww, JwwReadFailure::NotJww, 0},
        {"no version", good.left(10), JwwReadFailure::Damaged, JwwReadFailure::Damaged, 0},
        {"version 900", v900, JwwReadFailure::UnsupportedVersion, JwwReadFailure::UnsupportedVersion, 900},
        {"cut in the header", good.left(200), JwwReadFailure::None, JwwReadFailure::Damaged, 0},
        {"cut in the entities", good.left(good.size() - 20), JwwReadFailure::None, JwwReadFailure::Damaged, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = scratchPath(QStringLiteral("why.jww"));
        ASSERT_TRUE(writeFile(path, c.bytes));
        TJwwData d;
        EXPECT_EQ(d.FileCheck(path), c.check == JwwReadFailure::None);
        EXPECT_EQ(d.ReadFailure, c.check);
        EXPECT_EQ(d.FailedVersion, c.version);
        EXPECT_EQ(d.FileIn(path), c.read == JwwReadFailure::None);
        EXPECT_EQ(d.ReadFailure, c.read);
        EXPECT_EQ(d.FailedVersion, c.version);
    }
    TJwwData d;
    EXPECT_FALSE(d.FileCheck(scratchPath(QStringLiteral("missing.jww"))));
    EXPECT_EQ(d.ReadFailure, JwwReadFailure::Unreadable);
    EXPECT_FALSE(d.FileIn(scratchPath(QStringLiteral("missing.jww"))));
    EXPECT_EQ(d.ReadFailure, JwwReadFailure::Unreadable);
}

#ifdef Q_OS_UNIX
// A drawing's path checked as a regular file may name a FIFO by the time it
// is opened: the check and the read open it without waiting for a writer,
// see what it is and refuse it. Each runs in a child process that an alarm
// ends, so that a wait for ever shows as a failure instead of a hang.
TEST(JwwHeader, FifoIsRefusedWithoutWaitingOnIt)
{
    const QString fifo = scratchPath(QStringLiteral("fifo.jww"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const bool read : {false, true}) {
        SCOPED_TRACE(read ? "FileIn" : "FileCheck");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::alarm(10);
            TJwwData d;
            const bool ok = read ? d.FileIn(fifo) : d.FileCheck(fifo);
            ::_exit(!ok && d.ReadFailure == JwwReadFailure::Unreadable ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status)) << "the open waited until the alarm";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}
#endif

// Version 231 added the long zoom-jump block, 230 the solid colours, 300 the
// sky-view settings, 420 the extended colour and line-type tables.
TEST(JwwHeader, VersionGatesDecideWhichRowsAreStored)
{
    const struct {
        int32_t version;
        bool solidColours, longZoom, skyView, extended;
    } cases[] = {
        {229, false, false, false, false}, {230, true, false, false, false}, {231, true, true, false, false},
        {300, true, true, true, false},    {419, true, true, true, false},   {420, true, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        TJwwData w;
        drawingWithLine(w, c.version);
        w.Enthd.SolidColor = 0x123456;
        w.Enthd.dZoomJumpBairitsu = {2, 3, 4, 5, 6, 7, 8, 9};
        w.Enthd.nZoomJumpGLay[0] = 4;
        w.Enthd.dMojiBG = 2.5;
        w.Enthd.dTenkuuZuLevel = 7;
        w.EntColS[256].astrUDColorName = QStringLiteral("紫");
        w.EntLtpS[32].aadUDLTypePitch[9] = 1.25;
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
        EXPECT_EQ(r.Enthd.SolidColor, c.solidColours ? 0x123456 : 0);
        EXPECT_EQ(r.Enthd.dZoomJumpBairitsu[3], 5);  // the short block has four registers
        EXPECT_EQ(r.Enthd.dZoomJumpBairitsu[4], c.longZoom ? 6 : 1);
        EXPECT_EQ(r.Enthd.nZoomJumpGLay[0], c.longZoom ? 4 : -1);
        EXPECT_EQ(r.Enthd.dMojiBG, c.longZoom ? 2.5 : 0);
        EXPECT_EQ(r.Enthd.dTenkuuZuLevel, c.skyView ? 7 : 0);
        ASSERT_EQ(r.EntColS.size(), 257u);
        ASSERT_EQ(r.EntLtpS.size(), 33u);
        EXPECT_EQ(r.EntColS[256].astrUDColorName, c.extended ? QStringLiteral("紫") : QString());
        EXPECT_EQ(r.EntLtpS[32].aadUDLTypePitch[9], c.extended ? 1.25 : 0);
        ASSERT_EQ(r.EntLineN(), 1);
        EXPECT_EQ(r.EntLine[0].end_y, 4.5);
    }
}

TEST(JwwHeader, MemoKeepsLineBreaksOtherStringsLoseControlCharacters)
{
    for (bool utf16 : {false, true}) {
        SCOPED_TRACE(utf16);
        TJwwData w;
        drawingWithLine(w, 700);
        w.Enthd.strMemo = QStringLiteral("一行目\r\n二行目\tend");
        w.EntLay[17].aStrLayName = QStringLiteral("壁\t芯\r\n");
        w.EntLgrp[15].aStrGLayName = QStringLiteral("A\x01" "B");
        JwwWriteOptions options;
        options.utf16Memo = options.utf16Strings = utf16;
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, writeJww(w, options)));
        EXPECT_EQ(r.Enthd.strMemo, w.Enthd.strMemo);
        EXPECT_EQ(r.EntLay[17].aStrLayName, QStringLiteral("壁芯"));
        EXPECT_EQ(r.EntLgrp[15].aStrGLayName, QStringLiteral("AB"));
    }
}

TEST(JwwHeader, LongStringsAndNulCut)
{
    const QString ascii300(300, u'x');
    const QString wide300(300, u'漢');
    TJwwData w;
        drawingWithLine(w, 600);
    w.EntLay[0].aStrLayName = ascii300;
    w.EntLay[1].aStrLayName = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
    TJwwData r;
    const QByteArray bytes = writeJww(w);
    ASSERT_TRUE(readJwwBytes(r, bytes));
    EXPECT_EQ(r.EntLay[0].aStrLayName, ascii300);
    EXPECT_EQ(r.EntLay[1].aStrLayName, QStringLiteral("ab"));
    // The 300 bytes are announced as 255 and a 16-bit length of 300.
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\x2C\x01xxx", 6)));

    w.EntLay[0].aStrLayName = wide300;  // UTF-16: 255, FFFE, 255 and a 16-bit count
    JwwWriteOptions utf16;
    utf16.utf16Strings = true;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w, utf16)));
    EXPECT_EQ(r.EntLay[0].aStrLayName, wide300);
    EXPECT_EQ(r.EntLay[1].aStrLayName, QStringLiteral("ab"));
}

TEST(JwwHeader, LineWidthModeIsDerived)
{
    const struct {
        int32_t stored;
        bool senHaba100;
        int32_t bak;
    } cases[] = {
        {-450, true, -50}, {-401, true, -1},  {-500, true, -100}, {-250, true, 50},  {-201, true, 1},
        {-300, true, 100}, {-350, true, -100}, {-101, true, -100}, {-100, false, -100}, {0, false, 0},
        {std::numeric_limits<int32_t>::min(), true, -100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        TJwwData w;
        drawingWithLine(w, 600);
        w.Enthd.nMaxDrawWid = c.stored;
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
        EXPECT_EQ(r.Enthd.nMaxDrawWid, c.stored);
        EXPECT_EQ(r.Enthd.bSenHaba100, c.senHaba100);
        EXPECT_EQ(r.Enthd.nMaxDrawWidBak, c.bak);
    }
}

TEST(JwwHeader, PrintResolutionIsSplitFromOneStoredValue)
{
    const struct {
        int32_t dpi, rest;  // written as dpi * 10 + rest
    } cases[] = {{1, 2}, {0, 5}, {-1, -2}, {12, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi * 10 + c.rest);
        TJwwData w;
        drawingWithLine(w, 600);
        w.Enthd.nPrtDpi = c.dpi;
        w.Enthd.nPrtDispOnlyNonDraw = c.rest;
        TJwwData r;
        ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
        EXPECT_EQ(r.Enthd.nPrtDpi, c.dpi);
        EXPECT_EQ(r.Enthd.nPrtDispOnlyNonDraw, c.rest);
    }
}

TEST(JwwHeader, TextSizesThatAreNotNumbersTakeDefaults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TJwwData w;
        drawingWithLine(w, 600);
    w.EntMoj[4] = {nan, -inf, inf, 7};
    w.Enthd.dMojiSizeX = inf;
    w.Enthd.dMojiSizeY = nan;
    w.Enthd.dMojiKankaku = nan;
    TJwwData r;
    ASSERT_TRUE(readJwwBytes(r, writeJww(w)));
    EXPECT_EQ(r.EntMoj[4], (TEntJwwMojiType{3, 3, 0, 7}));
    EXPECT_EQ(r.EntMoj[5], w.EntMoj[5]);
    EXPECT_EQ(r.Enthd.dMojiSizeX, 3);
    EXPECT_EQ(r.Enthd.dMojiSizeY, 3);
    EXPECT_EQ(r.Enthd.dMojiKankaku, 0);
}
