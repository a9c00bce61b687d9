// The per-file loop of a batch and the launch of one worker.
#include "frontend/batch_runner.h"

#include "common/path_names.h"
#include "frontend/worker_launch.h"
#include "tests/frontend/test_app.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/test_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

FRONTENDTEST_APPLICATION(QCoreApplication);

using namespace frontend;

namespace {

class BatchRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = QDir::toNativeSeparators(m_dir.path()) + common::PathDelimChar();
        for (const char* name : {"a.jww", "b.jww", "c.jww"})
            ASSERT_TRUE(testsupport::writeFile(m_folder + name, "x"));
    }

    // Hooks that record the log and the conversions; `convert` writes the
    // destination so that it exists afterwards.
    BatchHooks recordingHooks()
    {
        BatchHooks hooks;
        hooks.log = [this](const QString& line) { m_log.append(line); };
        hooks.convert = [this](const QString& src, const QString& dst) {
            m_converted.append(src);
            return testsupport::writeFile(dst, "sfc") ? FileOutcome{kConverted, {}} : FileOutcome{kFailed, "x"};
        };
        return hooks;
    }

    QStringList triple(const char* name, const QString& dst, const QString& result) const
    {
        return {m_folder + name, kArrowPrefix + dst, kResultPrefix + result};
    }

    QTemporaryDir m_dir;
    QString m_folder;
    QStringList m_log, m_converted;
};

}  // namespace

TEST_F(BatchRun, LogsThreeLinesPerFileAReasonPerFailureAndASummary)
{
    ASSERT_TRUE(testsupport::writeFile(m_folder + "b.sfc", "old"));
    BatchHooks hooks = recordingHooks();
    const auto convert = hooks.convert;
    hooks.convert = [&](const QString& src, const QString& dst) {
        return src.endsWith("c.jww") ? FileOutcome{kFailed, "ファイルが空です"} : convert(src, dst);
    };
    QStringList started;
    hooks.starting = [&](int number, int count, const QString& src) {
        started.append(QStringLiteral("%1/%2 %3 after %4 lines").arg(number).arg(count).arg(src).arg(m_log.size()));
    };
    const BatchResult r = runBatch({m_folder + "a.jww", m_folder + "b.jww", m_folder + "c.jww"}, {true, {}}, hooks);
    QStringList expected = triple("a.jww", m_folder + "a.sfc", "変換完了");
    expected += triple("b.jww", m_folder + "b~1.sfc", "変換完了");
    expected += triple("c.jww", m_folder + "c.sfc", "変換失敗");
    expected += {"　　　理由：ファイルが空です", "3件中2件を変換しました（失敗1件）"};
    EXPECT_EQ(m_log, expected);
    EXPECT_EQ(started, QStringList({"1/3 " + m_folder + "a.jww after 0 lines", "2/3 " + m_folder + "b.jww after 3 lines",
                           "3/3 " + m_folder + "c.jww after 6 lines"}));
    EXPECT_EQ(r.converted, 2);
    EXPECT_EQ(r.failed, 1);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(testsupport::readFile(m_folder + "b.sfc"), "old");
}

TEST(BatchSummary, CountsTheFilesOfTheBatch)
{
    const struct {
        BatchResult result;
        QString line;
    } cases[] = {
        {{320, 318, 2, false, 0}, "320件中318件を変換しました（失敗2件）"},
        {{20, 20, 0, false, 0}, "20件中20件を変換しました"},
        // Stopped by Escape: the files never tried are neither.
        {{20, 5, 1, true, 0}, "20件中5件を変換しました（失敗1件）"},
        {{2, 0, 0, true, 0}, "2件中0件を変換しました"},
        // Files whose check found errors are counted apart from failures.
        {{20, 18, 2, false, 1}, "20件中18件を変換しました（失敗2件・検査でエラーのあるファイル1件）"},
        {{3, 3, 0, false, 3}, "3件中3件を変換しました（検査でエラーのあるファイル3件）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(batchSummary(c.result), c.line);
    }
}

TEST_F(BatchRun, EscapeAndCloseStopBeforeTheNextFile)
{
    const QStringList files{m_folder + "a.jww", m_folder + "b.jww"};
    const struct {
        const char* name;
        bool escape;  // else a stop request
        int stopBefore;
        QStringList log;
    } cases[] = {
        {"escape before the first file", true, 0, {kEscapeLine, "2件中0件を変換しました"}},
        {"escape before the second file", true, 1,
            triple("a.jww", m_folder + "a.sfc", kConverted) << kEscapeLine << "2件中1件を変換しました"},
        // The window is closing: no summary.
        {"close before the second file", false, 1, triple("a.jww", m_folder + "a.sfc", kConverted)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_folder + "a.sfc");
        m_log.clear();
        m_converted.clear();
        BatchHooks hooks = recordingHooks();
        int asked = 0;
        std::function<bool()> stopNow = [&] { return asked++ >= c.stopBefore; };
        (c.escape ? hooks.escapeHeld : hooks.stopRequested) = stopNow;
        const BatchResult r = runBatch(files, {true, {}}, hooks);
        EXPECT_EQ(m_log, c.log);
        EXPECT_EQ(m_converted.size(), c.stopBefore);
        EXPECT_TRUE(r.stopped);
    }
}

// One file after another, the check of a file runs while the next one
// converts; its line still comes right after its file's result, also when
// Escape stops the batch meanwhile.
TEST_F(BatchRun, CheckRunsWhileTheNextFileConvertsAndItsLineStaysInPlace)
{
    const QStringList files{m_folder + "a.jww", m_folder + "b.jww", m_folder + "c.jww"};
    const QString clean = "　　　検査：問題なし";
    const QString failed = "　　　検査：エラー1件・警告0件（最初：SXFNOTSETSHEET 用紙がありません）";
    const struct {
        const char* name;
        int escapeBefore;  // the file before which Escape is held, -1 never
        QStringList log;
    } cases[] = {
        {"whole batch", -1,
            triple("a.jww", m_folder + "a.sfc", kConverted) << failed << triple("b.jww", m_folder + "b.sfc", kConverted)
                << clean << triple("c.jww", m_folder + "c.sfc", kConverted) << clean
                << "3件中3件を変換しました（検査でエラーのあるファイル1件）"},
        {"escape", 1,
            triple("a.jww", m_folder + "a.sfc", kConverted) << failed << kEscapeLine
                << "3件中1件を変換しました（検査でエラーのあるファイル1件）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* name : {"a.sfc", "b.sfc", "c.sfc"})
            QFile::remove(m_folder + name);
        m_log.clear();
        BatchHooks hooks = recordingHooks();
        // The check of a.sfc is started before b.jww converts and takes
        // longer than that conversion.
        std::atomic<int> checked = 0;
        bool convertedWhileChecking = false;
        const auto convert = hooks.convert;
        hooks.convert = [&](const QString& src, const QString& dst) {
            if (src.endsWith("b.jww"))
                convertedWhileChecking = checked == 0;
            return convert(src, dst);
        };
        hooks.checkOutput = [&checked](const QString& dst) {
            QThread::msleep(150);
            ++checked;
            return dst.endsWith("a.sfc") ? OutputCheck{1, 0, "SXFNOTSETSHEET 用紙がありません"} : OutputCheck{};
        };
        int asked = 0;
        hooks.escapeHeld = [&] { return asked++ == c.escapeBefore; };
        const BatchResult r = runBatch(files, {true, {}}, hooks);
        EXPECT_EQ(m_log, c.log);
        EXPECT_EQ(r.checkErrors, 1);
        EXPECT_EQ(convertedWhileChecking, c.escapeBefore < 0);
    }
}

TEST_F(BatchRun, NoFreeNameFailsWithoutStartingTheWorker)
{
    // Every name up to ~99999 taken: the worker would delete the file it is
    // handed, so it must not be started, whether files run one by one or
    // several at once.
    const QString out = m_folder + "out" + common::PathDelimChar();
    for (const int jobs : {1, 3}) {
        SCOPED_TRACE(jobs);
        m_log.clear();
        BatchHooks hooks = recordingHooks();
        hooks.startConvert = [this](const QString& src, const QString&, auto) {
            m_converted.append(src);
            return std::unique_ptr<ConversionRun>();
        };
        QStringList asked;
        hooks.isTaken = [&](const QString& path) {
            asked.append(path);
            return true;
        };
        const BatchResult r = jobs == 1 ? runBatch({m_folder + "a.jww"}, {false, out}, hooks)
                                        : runBatchJobs({m_folder + "a.jww"}, {false, out}, hooks, jobs);
        EXPECT_EQ(m_log, QStringList({m_folder + "a.jww", kArrowPrefix, kResultPrefix + kFailed,
                             kReasonPrefix + "保存先に空いている名前がありません", "1件中0件を変換しました（失敗1件）"}));
        EXPECT_TRUE(m_converted.isEmpty());
        EXPECT_EQ(r.failed, 1);
        ASSERT_GT(asked.size(), 99999);
        EXPECT_EQ(asked.first(), out + "a.sfc");
        EXPECT_EQ(asked.last(), out + "a~99999.sfc");
    }
}

namespace {

// A stand-in for the worker: a source in a folder named "bad" fails with a
// reason; any other source is "converted" into files of `format` holding
// its path.
FileOutcome fakeConvert(const QString& src, const QString& dst, OutputFormat format = OutputFormat::Sfc)
{
    if (src.contains(QStringLiteral("bad")))
        return {kFailed, QStringLiteral("ファイルが空です")};
    for (const QString& path : destinationsOf(dst, format)) {
        if (!testsupport::writeFile(path, src.toUtf8()))
            return {kFailed, "x"};
    }
    return {kConverted, {}};
}

// A conversion that ends when its timer fires.
class TimedConversion final : public ConversionRun {
public:
    TimedConversion(int delayMs, std::function<void()> end)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(end));
        m_timer.start(delayMs);
    }

private:
    QTimer m_timer;
};

// A stand-in for the check, run on a thread of its own: a file converted
// from a folder named "y" has an error.
OutputCheck fakeCheck(const QString& dst)
{
    if (QDir::fromNativeSeparators(QString::fromUtf8(testsupport::readFile(dst))).contains(u"/y/"))
        return {1, 2, QStringLiteral("SXFNOTSETSHEET 用紙がありません")};
    return {};
}

// The files of the folder `out`, each with its contents.
QStringList folderContents(const QString& out)
{
    QStringList contents;
    for (const QString& name : QDir(out).entryList(QDir::Files, QDir::Name))
        contents.append(name + ": " + QString::fromUtf8(testsupport::readFile(out + name)));
    return contents;
}

}  // namespace

// Several conversions at once, the earlier files ending last: the log, the
// names and the files are those of one file after another, also where a
// name depends on whether an earlier file with the same name fails, and
// when each conversion writes both forms under one name.
TEST_F(BatchRun, SeveralAtOnceLogAndNameAsOneAfterAnother)
{
    const QString sep = common::PathDelimChar();
    const QString out = m_folder + "out" + sep;
    QStringList files;
    for (const char* name : {"x/plan.jww", "bad/plan.jww", "y/plan.jww", "a.jww", "gone/plan.jww", "z/PLAN.jww",
                             "bad/b.jww", "b.jww", "c.jww"})
        files.append(m_folder + QDir::toNativeSeparators(name));
    const auto prepareOut = [&] {
        ASSERT_TRUE(QDir(out).removeRecursively() && QDir().mkpath(out));
        ASSERT_TRUE(testsupport::writeFile(out + "plan.sfc", "before the batch"));
        ASSERT_TRUE(testsupport::writeFile(out + "plan~1.p21", "before the batch"));
    };
    // The name the failed conversion leaves to the next "plan.jww", the case
    // the waiting is for.
    const struct {
        OutputFormat format;
        QString reused;
    } formats[] = {{OutputFormat::Sfc, "plan~2.sfc"}, {OutputFormat::Both, "plan~3.p21"}};
    for (const auto& f : formats) {
        SCOPED_TRACE(int(f.format));
        const OutputTarget target{false, out, f.format};
        prepareOut();
        BatchHooks oneByOne;
        QStringList expectedLog;
        oneByOne.log = [&](const QString& line) { expectedLog.append(line); };
        oneByOne.convert = [&f](const QString& src, const QString& dst) {
            return src.contains(QStringLiteral("gone")) ? FileOutcome{kFailed, kNoSourceReason}
                                                        : fakeConvert(src, dst, f.format);
        };
        oneByOne.checkOutput = fakeCheck;
        const BatchResult expected = runBatch(files, target, oneByOne);
        const QStringList expectedFiles = folderContents(out);
        ASSERT_TRUE(expectedLog.contains(kArrowPrefix + out + f.reused));
        ASSERT_TRUE(expectedFiles.contains(f.reused + ": " + files[2]));
        // Each converted file is checked, the check line right after its
        // result.
        ASSERT_EQ(expectedLog.count(kResultPrefix + kConverted), 6);
        EXPECT_EQ(expectedLog.count("　　　検査：問題なし"), 5);
        const qsizetype checked = expectedLog.indexOf("　　　検査：エラー1件・警告2件（最初：SXFNOTSETSHEET 用紙がありません）");
        ASSERT_GT(checked, 0);
        EXPECT_EQ(expectedLog[checked - 1], kResultPrefix + kConverted);
        EXPECT_EQ(expectedLog.last(), "9件中6件を変換しました（失敗3件・検査でエラーのあるファイル1件）");

        for (const int jobs : {1, 2, 3, 16}) {
            SCOPED_TRACE(jobs);
            prepareOut();
            int running = 0, mostRunning = 0;
            BatchHooks hooks;
            QStringList log;
            hooks.log = [&](const QString& line) { log.append(line); };
            hooks.checkOutput = fakeCheck;
            hooks.startConvert = [&](const QString& src, const QString& dst,
                                     std::function<void(const FileOutcome&)> done) -> std::unique_ptr<ConversionRun> {
                // A source that is gone fails before the start returns.
                if (src.contains(QStringLiteral("gone"))) {
                    done({kFailed, kNoSourceReason});
                    return nullptr;
                }
                mostRunning = std::max(mostRunning, ++running);
                const int delay = int(10 * (files.size() - files.indexOf(src)));
                return std::make_unique<TimedConversion>(delay, [&running, &f, src, dst, done] {
                    --running;
                    done(fakeConvert(src, dst, f.format));
                });
            };
            const BatchResult r = runBatchJobs(files, target, hooks, jobs);
            EXPECT_EQ(log, expectedLog);
            EXPECT_EQ(folderContents(out), expectedFiles);
            EXPECT_EQ(r.converted, expected.converted);
            EXPECT_EQ(r.failed, expected.failed);
            EXPECT_EQ(r.checkErrors, 1);
            EXPECT_FALSE(r.stopped);
            EXPECT_LE(mostRunning, jobs);
            EXPECT_EQ(mostRunning > 1, jobs > 1);
        }
    }
}

// Another batch into the same folder takes a file's name after this batch
// chose it: the file is tried again under the next free name, logged as one
// more "→ " line for each form, as one file after another and several at
// once. With both forms, the SFC's name still free but the P21's taken, the
// next name is one free for both. A picture's name taken meanwhile (the
// output's own still free) tries the same name again, without another line.
// The check reads the file written under the last name, not the other
// batch's.
TEST_F(BatchRun, NameTakenMeanwhileGoesToTheNextFreeName)
{
    const QString out = m_folder + "out" + common::PathDelimChar();
    const QStringList files{m_folder + "a.jww", m_folder + "b.jww", m_folder + "c.jww"};
    const QString clean = "　　　検査：問題なし";
    const struct {
        OutputFormat format;
        QString takenMeanwhile;
    } formats[] = {{OutputFormat::Sfc, "a.sfc"}, {OutputFormat::Both, "a.p21"}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.takenMeanwhile.toStdString());
        const OutputTarget target{false, out, f.format};
        const auto arrows = [&](const QString& dst) {
            QStringList lines;
            for (const QString& path : destinationsOf(out + dst, f.format))
                lines.append(kArrowPrefix + path);
            return lines;
        };
        const auto converted = [&](const char* name, const QString& dst) {
            return QStringList{m_folder + name} + arrows(dst) + QStringList{kResultPrefix + kConverted};
        };
        const QStringList expectedLog = QStringList{files[0]} + arrows("a.sfc") + arrows("a~1.sfc")
                                        + QStringList{kResultPrefix + kConverted, clean}
                                        + (converted("b.jww", "b.sfc") << clean)
                                        + (converted("c.jww", "c.sfc") << clean) + QStringList{"3件中3件を変換しました"};
        for (const int jobs : {1, 3}) {
            SCOPED_TRACE(jobs);
            ASSERT_TRUE(QDir(out).removeRecursively() && QDir().mkpath(out));
            QStringList tried;
            // One of a's names is taken by another batch just before this
            // one's worker puts it in place; b's picture name is taken once.
            const auto convert = [&](const QString& src, const QString& dst) {
                tried.append(QFileInfo(dst).fileName());
                if (dst == out + "a.sfc") {
                    testsupport::writeFile(out + f.takenMeanwhile, "another batch's");
                    return FileOutcome{kFailed, "保存先に同じ名前のファイルがあります"};
                }
                if (src.endsWith("b.jww") && tried.count("b.sfc") == 1)
                    return FileOutcome{kFailed, "保存先に同じ名前のファイルがあります"};
                return fakeConvert(src, dst, f.format);
            };
            BatchHooks hooks;
            QStringList log;
            hooks.log = [&](const QString& line) { log.append(line); };
            hooks.convert = convert;
            hooks.startConvert = [&](const QString& src, const QString& dst,
                                     std::function<void(const FileOutcome&)> done) -> std::unique_ptr<ConversionRun> {
                return std::make_unique<TimedConversion>(5, [=] { done(convert(src, dst)); });
            };
            hooks.checkOutput = [](const QString& dst) {
                return testsupport::readFile(dst) == "another batch's" ? OutputCheck{1, 0, "the other batch's file"}
                                                                       : OutputCheck{};
            };
            const BatchResult r = jobs == 1 ? runBatch(files, target, hooks) : runBatchJobs(files, target, hooks, jobs);
            EXPECT_EQ(log, expectedLog);
            EXPECT_EQ(r.converted, 3);
            EXPECT_EQ(testsupport::readFile(out + f.takenMeanwhile), "another batch's");
            for (const QString& path : destinationsOf(out + "a~1.sfc", f.format))
                EXPECT_EQ(testsupport::readFile(path), files[0].toUtf8());
            tried.sort();
            EXPECT_EQ(tried, QStringList({"a.sfc", "a~1.sfc", "b.sfc", "b.sfc", "c.sfc"}));
        }
    }
}

namespace {

// A conversion that asks for its turn after `askMs`, and once it has it ends
// after `endMs`.
class TurnTakingConversion final : public ConversionRun {
public:
    TurnTakingConversion(int askMs, int endMs, std::function<void()> granted, std::function<void()> end)
        : m_endMs(endMs), m_granted(std::move(granted))
    {
        m_ask.setSingleShot(true);
        m_end.setSingleShot(true);
        QObject::connect(&m_ask, &QTimer::timeout, [this] { m_asked(); });
        QObject::connect(&m_end, &QTimer::timeout, std::move(end));
        m_ask.start(askMs);
    }
    void setTurnHandler(std::function<void()> asked) override { m_asked = std::move(asked); }
    void grantTurn() override
    {
        m_granted();
        m_end.start(m_endMs);
    }

private:
    int m_endMs;
    std::function<void()> m_granted, m_asked;
    QTimer m_ask, m_end;
};

}  // namespace

// Conversions at once that name pictures take turns: the later files ask
// first, yet each gets its turn only once every file before it has ended,
// so that picture names are given in file order.
TEST_F(BatchRun, TurnsToNamePicturesComeInFileOrder)
{
    QStringList files;
    for (int i = 0; i < 6; ++i) {
        files.append(m_folder + QStringLiteral("d%1.jww").arg(i));
        ASSERT_TRUE(testsupport::writeFile(files.last(), "x"));
    }
    QStringList ended, granted;
    BatchHooks hooks;
    hooks.startConvert = [&](const QString& src, const QString& dst, std::function<void(const FileOutcome&)> done)
        -> std::unique_ptr<ConversionRun> {
        const int i = int(files.indexOf(src));
        return std::make_unique<TurnTakingConversion>(
            5 * (6 - i), 2,
            [&, src] {
                // Every file before this one has ended.
                EXPECT_EQ(ended, files.mid(0, files.indexOf(src)));
                granted.append(src);
            },
            [&, src, dst, done] {
                ended.append(src);
                done(fakeConvert(src, dst));
            });
    };
    const BatchResult r = runBatchJobs(files, {true, {}}, hooks, 4);
    EXPECT_EQ(granted, files);
    EXPECT_EQ(r.converted, 6);
}

TEST(RunProc1, JudgesByTheDestinationFileAndGivesTheReason)
{
    QTemporaryDir dir;
    const QString worker = dir.filePath("Ondrelle");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ONDRELLE_EXE), worker));
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("Kestrune.dat"), "50\r\n"));
    const QString plan = dir.filePath("plan.jww");
    ASSERT_TRUE(testsupport::writeFile(plan, testsupport::demoDrawingBytes()));

    const struct {
        const char* name;
        QString worker;
        QByteArray script;  // written to `worker` when not empty
        FileOutcome outcome;
    } cases[] = {
        {"converted", worker, {}, {kConverted, {}}},
        {"missing worker", dir.filePath("missing"), {}, {kFailed, "変換プログラムを起動できません"}},
#ifdef Q_OS_UNIX
        // The reason is the last line; a warning before it is not shown.
        {"reason line", dir.filePath("reason"),
            "#!/bin/sh\necho 'QStandardPaths: a warning' >&2\nprintf '%s\\r\\n\\n' 'ファイルが空です' >&2\nexit 1\n",
            {kFailed, "ファイルが空です"}},
        {"ended without a reason", "/bin/false", {}, {kFailed, "変換プログラムが異常終了しました"}},
        // It says it wrote the file, which is gone (its folder was removed
        // meanwhile): that is what the reason says.
        {"converted, then the file went", "/bin/true", {}, {kFailed, "変換したファイルが保存先から消えました"}},
        {"crashed after a line", dir.filePath("crash"), "#!/bin/sh\necho 'half' >&2\nkill -SEGV $$\n",
            {kFailed, "変換プログラムが異常終了しました"}},
        {"reason from a flood of output", dir.filePath("flood"),
            "#!/bin/sh\nyes 'noise' | head -n 40000 >&2\necho '保存先に書き込めません' >&2\nexit 1\n",
            {kFailed, "保存先に書き込めません"}},
#endif
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.script.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(c.worker, c.script));
            ASSERT_TRUE(QFile::setPermissions(c.worker, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        const QString dst = dir.filePath(QStringLiteral("plan%1.sfc").arg(++n));
        const FileOutcome outcome = RunProc1(c.worker, plan, {dst});
        EXPECT_EQ(outcome.result, c.outcome.result);
        EXPECT_EQ(outcome.reason, c.outcome.reason);
        EXPECT_EQ(QFile::exists(dst), c.outcome.result == kConverted);
    }
#ifdef Q_OS_UNIX
    // A worker that says it failed: whatever file is there is not its result.
    const QString liar = dir.filePath("liar");
    ASSERT_TRUE(testsupport::writeFile(liar, "#!/bin/sh\necho x > \"$2\"\nexit 1\n"));
    ASSERT_TRUE(QFile::setPermissions(liar, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(RunProc1(liar, plan, {dir.filePath("liar.sfc")}).result, kFailed);
    EXPECT_TRUE(QFile::exists(dir.filePath("liar.sfc")));
#endif
}

#ifdef Q_OS_UNIX
// A FIFO named like a drawing fails at once: no worker is started for it.
TEST(RunProc1, SourceThatIsNoRegularFileFailsAtOnce)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("started");
    const QString worker = dir.filePath("worker");
    ASSERT_TRUE(testsupport::writeFile(worker, "#!/bin/sh\ntouch \"$2\" " + QFile::encodeName(marker) + "\n"));
    ASSERT_TRUE(QFile::setPermissions(worker, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString fifo = dir.filePath("x.jww");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(dir.filePath("folder.jww")));
    for (const QString& src : {fifo, dir.filePath("folder.jww"), dir.filePath("gone.jww")}) {
        SCOPED_TRACE(src.toStdString());
        EXPECT_EQ(RunProc1(worker, src, {dir.filePath("x.sfc")}).result, kFailed);
        EXPECT_FALSE(QFile::exists(marker));
    }
}
#endif

TEST(RunProc1, KeepsTheEventLoopRunningWhileWaiting)
{
    // A script that sleeps stands in for a slow worker; a timer that fires
    // during the wait shows that events are handled rather than blocked.
#ifndef Q_OS_UNIX
    GTEST_SKIP() << "the slow worker is a shell script";
#endif
    QTemporaryDir dir;
    const QString worker = dir.filePath("slow");
    ASSERT_TRUE(testsupport::writeFile(worker, "#!/bin/sh\nsleep 0.5\n"));
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("a.jww"), "x"));
    ASSERT_TRUE(QFile::setPermissions(worker, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RunProc1(worker, dir.filePath("a.jww"), {dir.filePath("a.sfc")}).result, kFailed);
    EXPECT_GE(clock.elapsed(), 450);  // it did wait for the process
    EXPECT_GE(ticks, 5);
}

// A worker gets time in proportion to its source: two minutes, and twenty
// seconds more per mebibyte.
TEST(WorkerTimeLimit, GrowsWithTheSource)
{
    using namespace std::chrono_literals;
    const struct {
        qint64 bytes;
        std::chrono::milliseconds limit;
    } cases[] = {
        {0, 120s}, {(1 << 20) - 1, 120s}, {1 << 20, 140s}, {qint64{100} << 20, 2120s}, {-1, 120s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(workerTimeLimit(c.bytes), c.limit);
    }
}

#ifdef Q_OS_UNIX
// A worker that hangs (on a source that became a FIFO, say) is stopped at
// its time limit and its file fails with a reason, instead of holding the
// batch for ever; the time a worker waits for its turn does not count.
TEST(WorkerRun, StoppedAtItsTimeLimitWhichWaitingForATurnDoesNotUse)
{
    using namespace std::chrono_literals;
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("a.jww"), "x"));
    const struct {
        const char* name;
        QByteArray script;
        bool turns;
        FileOutcome outcome;
    } cases[] = {
        {"hangs", "#!/bin/sh\nexec sleep 600\n", false, {kFailed, workerTimedOutReason(400ms)}},
        {"waits for its turn longer than its limit", "#!/bin/sh\necho turn\nread go\necho sfc > \"$2\"\n", true,
            {kConverted, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString worker = dir.filePath("worker");
        QFile::remove(worker);
        ASSERT_TRUE(testsupport::writeFile(worker, c.script));
        ASSERT_TRUE(QFile::setPermissions(worker, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QFile::remove(dir.filePath("a.sfc"));
        std::optional<FileOutcome> outcome;
        QEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        WorkerRun run(worker, dir.filePath("a.jww"), {dir.filePath("a.sfc")},
                      [&](const FileOutcome& o) {
                          outcome = o;
                          loop.quit();
                      },
                      {c.turns, 400ms});
        // The batch grants the turn well after the limit would have passed.
        run.setTurnHandler([&run] { QTimer::singleShot(1000, [&run] { run.grantTurn(); }); });
        if (!outcome)
            loop.exec();
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->result, c.outcome.result);
        EXPECT_EQ(outcome->reason, c.outcome.reason);
        EXPECT_LT(clock.elapsed(), 30000);
    }
}
#endif

#ifdef Q_OS_UNIX
// A conversion into both forms counts only when every file is there.
TEST(RunProc1, EveryDestinationMustBeWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("a.jww"), "x"));
    const QString worker = dir.filePath("first-only");
    ASSERT_TRUE(testsupport::writeFile(worker, "#!/bin/sh\necho x > \"$2\"\n"));
    ASSERT_TRUE(QFile::setPermissions(worker, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QStringList one{dir.filePath("a.sfc")};
    const QStringList both{dir.filePath("b.sfc"), dir.filePath("b.p21")};
    EXPECT_EQ(RunProc1(worker, dir.filePath("a.jww"), one).result, kConverted);
    EXPECT_EQ(RunProc1(worker, dir.filePath("a.jww"), both).result, kFailed);
}
#endif
