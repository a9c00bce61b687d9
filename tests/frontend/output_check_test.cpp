// What the log says about a check, and checks on a thread of their own.
#include "frontend/output_check.h"

#include "tests/frontend/test_app.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>

using namespace frontend;
using sxf::Finding;
using sxf::Severity;

namespace {

const Finding kWarning{Severity::Warning, QStringLiteral("SXFNAMELENGTH"), 40, 70, QStringLiteral("文字列が300バイトあります")};
const Finding kError{Severity::Error, QStringLiteral("SXFERRORCOLOUR"), 230, 80, QStringLiteral("色コード5は定義されていません")};
const Finding kFileError{Severity::Error, QStringLiteral("SXFNOTSETSHEET"), 0, 0, QStringLiteral("用紙がありません")};

}  // namespace

TEST(OutputCheck, LogLineCountsAndNamesTheFirstErrorBeforeAnyWarning)
{
    const struct {
        const char* name;
        sxf::Findings findings;
        QString line;
    } cases[] = {
        {"nothing found", {}, "　　　検査：問題なし"},
        {"the first error, though a warning comes first", {kWarning, kError, kFileError},
            "　　　検査：エラー2件・警告1件（最初：SXFERRORCOLOUR #80 230行目 色コード5は定義されていません）"},
        {"warnings only", {kWarning}, "　　　検査：エラー0件・警告1件（最初：SXFNAMELENGTH #70 40行目 文字列が300バイトあります）"},
        {"a finding of the whole file", {kFileError}, "　　　検査：エラー1件・警告0件（最初：SXFNOTSETSHEET 用紙がありません）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(checkLogLine(summarise(c.findings)), c.line);
    }
}

TEST(CheckRun, RunsOnAThreadOfItsOwnAndReportsWhileTheEventLoopRuns)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    const Qt::HANDLE caller = QThread::currentThreadId();
    Qt::HANDLE worker = caller, reported = nullptr;
    int errors = 0;
    QEventLoop loop;
    const CheckRun run(
        [&worker] {
            worker = QThread::currentThreadId();
            QThread::msleep(300);
            return OutputCheck{3, 0, QStringLiteral("x")};
        },
        [&](const OutputCheck& check) {
            reported = QThread::currentThreadId();
            errors = check.errors;
            loop.quit();
        });
    loop.exec();
    EXPECT_EQ(errors, 3);
    EXPECT_NE(worker, caller);
    EXPECT_EQ(reported, caller);
    EXPECT_GE(ticks, 5);
}

TEST(CheckRun, DestroyedWhileRunningWaitsAndReportsNothing)
{
    std::atomic<bool> finished = false;
    bool reported = false;
    {
        CheckRun run(
            [&finished] {
                QThread::msleep(100);
                finished = true;
                return OutputCheck{};
            },
            [&reported](const OutputCheck&) { reported = true; });
    }
    EXPECT_TRUE(finished);
    QCoreApplication::processEvents();
    EXPECT_FALSE(reported);
}
