// "Kestrune --batch" as scripts run it: copies of both programs in a
// temporary program folder, no display (an unusable display platform is set
// on purpose), the log on standard output and the exit status.
#include "common/path_names.h"
#include "common/settings_file.h"
#include "frontend/batch_runner.h"
#include "tests/frontend/test_app.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace frontend;

namespace {

const QString kSep = common::PathDelimChar();

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// An empty drawing that embeds one compressed image, "photo.jpg.gz".
QByteArray drawingWithImage()
{
    jww::TJwwData w;
    testsupport::initEmptyDrawing(w, 700);
    testsupport::JwwWriteOptions options;
    options.imageData = {testsupport::gzipBytes(QByteArray("\xFF\xD8\xFF\xE0 photo ").repeated(200))};
    w.BindImage.push_back({QStringLiteral("photo.jpg.gz"), int32_t(options.imageData[0].size()), false});
    return testsupport::writeJww(w, options);
}

class HeadlessBatch : public ::testing::Test {
protected:
    struct Run {
        int status = -1;
        QStringList fullLog;  // every line of standard output
        QStringList log;      // without the check lines
        QStringList checks;   // the check lines, each right after a converted file
        QString errors;
    };

    void SetUp() override
    {
        ASSERT_TRUE(m_prog.isValid() && m_work.isValid());
        m_progDir = native(m_prog.path()) + kSep;
        m_workDir = native(m_work.path()) + kSep;
        ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRUNE_EXE), m_progDir + "Kestrune"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ONDRELLE_EXE), m_progDir + "Ondrelle"));
    }

    Run run(const QStringList& args) const { return runProgram("Kestrune", QStringList{"--batch"} + args); }

    // Starts a program of the program folder with no display, as the user
    // m_asUser when one is set (through setpriv, by its numeric id).
    std::unique_ptr<QProcess> start(const QString& name, const QStringList& args) const
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(testsupport::headlessEnvironment(m_workDir + "home"));
        QStringList command = QStringList{m_progDir + name} + args;
        if (!m_asUser.isEmpty())
            command = QStringList{"setpriv", "--reuid=" + m_asUser, "--regid=" + m_asUser, "--clear-groups"} + command;
        p->start(command.first(), command.mid(1));
        return p;
    }

    static Run finish(QProcess& p)
    {
        EXPECT_TRUE(p.waitForFinished(600000));
        Run r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.fullLog = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        for (const QString& line : r.fullLog) {
            if (!line.startsWith(kCheckPrefix)) {
                r.log.append(line);
                continue;
            }
            EXPECT_EQ(r.log.value(r.log.size() - 1), kResultPrefix + kConverted) << "a check line out of place";
            r.checks.append(line);
        }
        r.errors = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    Run runProgram(const QString& name, const QStringList& args) const { return finish(*start(name, args)); }

    QStringList savedLines() const
    {
        return common::SplitTextLines(common::DecodeTextFile(testsupport::readFile(m_progDir + "Kestrune.dat")));
    }

    static QStringList triple(const QString& src, const QString& dst, const QString& result)
    {
        return {src, kArrowPrefix + dst, kResultPrefix + result};
    }

    QTemporaryDir m_prog, m_work;
    QString m_progDir, m_workDir;
    QString m_asUser;  // numeric user id to run the programs as; empty: this one
};

}  // namespace

TEST_F(HeadlessBatch, ConvertsEverySampleDrawing)
{
    REQUIRE_SAMPLES();
    const QStringList samples = testsupport::sampleDrawings();
    ASSERT_FALSE(samples.isEmpty());
    const QString out = m_workDir + "out";
    ASSERT_TRUE(QDir().mkdir(out));

    const Run r = run(QStringList{"--out", out} + samples);
    QStringList expected;
    for (const QString& sample : samples) {
        const QString src = native(QFileInfo(sample).absoluteFilePath());
        const QString dst = out + kSep + QFileInfo(sample).completeBaseName() + ".sfc";
        expected += triple(src, dst, kConverted);
        EXPECT_TRUE(testsupport::readFile(dst).startsWith("ISO-10303-21;\r\n")) << dst.toStdString();
    }
    expected.append(QStringLiteral("%1件中%1件を変換しました").arg(samples.size()));
    EXPECT_EQ(r.log, expected);
    // Each file was read back and checked, and none has an error.
    ASSERT_EQ(r.checks.size(), samples.size());
    for (const QString& check : r.checks)
        EXPECT_TRUE(check == kCheckPrefix + "問題なし" || check.startsWith(kCheckPrefix + "エラー0件・")) << check.toStdString();
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), samples.size());
    // The settings were written for the worker, the user's own output choice
    // (desktop by default) untouched by the override.
    const QStringList saved = savedLines();
    ASSERT_EQ(saved.size(), 20);
    EXPECT_EQ(saved.mid(4, 5), QStringList({"1", "0", "0", "0", "0"}));
    EXPECT_TRUE(testsupport::readFile(m_progDir + "Kestrune.dat").startsWith("\xEF\xBB\xBF"));
}

TEST_F(HeadlessBatch, FailuresAndOverrides)
{
    const QString src = m_workDir + "src" + kSep;
    const QString out = m_workDir + "out";
    const QString desktop = m_workDir + "home" + kSep + "Desktop";
    for (const QString& dir : {src, out, desktop})
        ASSERT_TRUE(QDir().mkpath(dir));
    const QString plan = src + "plan.jww", junk = src + "junk.jww", notes = src + "notes.txt";
    ASSERT_TRUE(testsupport::writeFile(plan, testsupport::demoDrawingBytes()));
    ASSERT_TRUE(testsupport::writeFile(junk, "not a drawing"));
    ASSERT_TRUE(testsupport::writeFile(notes, "text"));
    const QString convertedOne = QStringLiteral("1件中1件を変換しました");
    const QString failedOne = QStringLiteral("1件中0件を変換しました（失敗1件）");
    const auto radios = [](const char* five) {
        QByteArray s("50\r\n50\r\n480\r\n480\r\n");
        for (const char* c = five; *c; ++c)
            s += QByteArray(1, *c) + "\r\n";
        return s;
    };

    const struct {
        const char* name;
        std::optional<QByteArray> settings;
        QStringList args;
        int status;
        QStringList log;
        QString written;  // the one file the run leaves, or none
    } cases[] = {
        {"no files", {}, {}, 2, {}, {}},
        {"options but no files", {}, {"--beside"}, 2, {}, {}},
        {"--out without a folder", {}, {"--out"}, 2, {}, {}},
        {"two overrides", {}, {"--beside", "--out", out, plan}, 2, {}, {}},
        {"unknown option", {}, {"--fast", plan}, 2, {}, {}},
        {"--jobs without a number", {}, {plan, "--jobs"}, 2, {}, {}},
        {"--jobs 0", {}, {"--jobs", "0", plan}, 2, {}, {}},
        {"--jobs -2", {}, {"--jobs", "-2", plan}, 2, {}, {}},
        {"--jobs +2", {}, {"--jobs", "+2", plan}, 2, {}, {}},
        {"--jobs 1.5", {}, {"--jobs", "1.5", plan}, 2, {}, {}},
        {"--jobs two", {}, {"--jobs", "two", plan}, 2, {}, {}},
        {"--jobs beyond int", {}, {"--jobs", "99999999999", plan}, 2, {}, {}},
        {"--jobs twice", {}, {"--jobs", "2", "--jobs", "2", plan}, 2, {}, {}},
        {"--format without a form", {}, {plan, "--format"}, 2, {}, {}},
        {"--format of no form", {}, {"--format", "dxf", plan}, 2, {}, {}},
        {"--format twice", {}, {"--format", "sfc", "--format", "p21", plan}, 2, {}, {}},
        {"saved choice asks every time", radios("00001"), {plan}, 2, {}, {}},
        {"no saved choice asks every time", radios("00000"), {plan}, 2, {}, {}},
        {"missing --out folder", {}, {"--out", m_workDir + "none", plan}, 1, {}, {}},
        {"missing saved folder", radios("00010") + (m_workDir + "none\r\n").toUtf8(), {plan}, 1, {}, {}},
        {"not a drawing", {}, {"--out", out, junk}, 1,
            triple(junk, out + kSep + "junk.sfc", kFailed) << "　　　理由：JWWファイルではありません" << failedOne, {}},
        {"a file that is skipped", {}, {"--out", out, plan, notes}, 1,
            triple(plan, out + kSep + "plan.sfc", kConverted) << convertedOne, out + kSep + "plan.sfc"},
        {"several at once, a file skipped", {}, {"--jobs", "4", "--out", out, plan, notes}, 1,
            triple(plan, out + kSep + "plan.sfc", kConverted) << convertedOne, out + kSep + "plan.sfc"},
        {"beside the source", {}, {"--beside", plan}, 0, triple(plan, src + "plan.sfc", kConverted) << convertedOne,
            src + "plan.sfc"},
        {"saved beside the source", radios("00100"), {"--", plan}, 0,
            triple(plan, src + "plan.sfc", kConverted) << convertedOne, src + "plan.sfc"},
        {"default: the desktop", {}, {plan}, 0, triple(plan, desktop + kSep + "plan.sfc", kConverted) << convertedOne,
            desktop + kSep + "plan.sfc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_progDir + "Kestrune.dat");
        if (c.settings) {
            ASSERT_TRUE(testsupport::writeFile(m_progDir + "Kestrune.dat", *c.settings));
        }
        const Run r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.errors.toStdString();
        EXPECT_EQ(r.log, c.log);
        if (c.status == 2) {
            EXPECT_TRUE(r.errors.contains("usage") || r.errors.contains("--out DIR")) << r.errors.toStdString();
        }
        QStringList written;
        for (const QString& dir : {src, out + kSep, desktop + kSep}) {
            for (const QString& name : QDir(dir).entryList({"*.sfc"}, QDir::Files)) {
                written.append(dir + name);
                QFile::remove(dir + name);
            }
        }
        EXPECT_EQ(written, c.written.isEmpty() ? QStringList() : QStringList{c.written});
        // Settings are written only when a batch starts converting.
        EXPECT_EQ(QFile::exists(m_progDir + "Kestrune.dat"), c.settings.has_value() || !c.log.isEmpty());
    }
}

// The output format: saved in line 20, or given for one run by --format;
// both forms share one free name, and the log names each file.
TEST_F(HeadlessBatch, WritesTheFormsAskedUnderOneName)
{
    const QString out = m_workDir + "out" + kSep;
    ASSERT_TRUE(QDir().mkpath(out));
    const QString plan = m_workDir + "plan.jww";
    ASSERT_TRUE(testsupport::writeFile(plan, testsupport::demoDrawingBytes()));
    ASSERT_TRUE(testsupport::writeFile(out + "plan.sfc", "old"));
    const QString converted = QStringLiteral("1件中1件を変換しました");

    Run r = run({"--format", "both", "--out", out, plan});
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_EQ(r.log, QStringList({plan, kArrowPrefix + out + "plan~1.sfc", kArrowPrefix + out + "plan~1.p21",
                                  kResultPrefix + kConverted, converted}));
    EXPECT_TRUE(testsupport::readFile(out + "plan~1.p21").contains("FILE_NAME('plan~1.p21',"));
    // The override is not saved: line 20 says SFC.
    EXPECT_EQ(savedLines().value(19), "0");

    // A saved P21 format, with several workers at once.
    common::SettingsFile settings(m_progDir);
    settings.outputFormat = 1;
    ASSERT_TRUE(settings.write(m_progDir + "Kestrune.dat"));
    r = run({"--jobs", "2", "--out", out, plan});
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_EQ(r.log, QStringList({plan, kArrowPrefix + out + "plan.p21", kResultPrefix + kConverted, converted}));
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
              QStringList({"plan.p21", "plan.sfc", "plan~1.p21", "plan~1.sfc"}));
}

// Help and version need no display (the platform set for the run does not
// exist) and leave the program folder as it was; every other first argument
// still means the window.
TEST_F(HeadlessBatch, HelpAndVersionPrintAndExitZero)
{
    const struct {
        QStringList args;
        const char* starts;
    } cases[] = {
        {{"--version"}, "Kestrune 1.10"},
        {{"--help"}, "Kestrune 1.10: "},
        {{"-h"}, "Kestrune 1.10: "},
        {{"--batch", "--help"}, "Kestrune 1.10: "},
        {{"--batch", "--out", "x", "-h", "plan.jww"}, "Kestrune 1.10: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Run r = runProgram("Kestrune", c.args);
        EXPECT_EQ(r.status, 0) << r.errors.toStdString();
        const QString out = r.log.join('\n');
        EXPECT_TRUE(out.startsWith(c.starts)) << out.toStdString();
        if (c.args.first() == u"--version") {
            EXPECT_EQ(r.log, QStringList{"Kestrune 1.10"});
        } else {
            for (const char* part :
                 {"--batch", "--out DIR", "--beside", "--jobs N", "--format", "--to-p21", "plan~1.sfc",
                  "0 every drawing converted"})
                EXPECT_TRUE(out.contains(part)) << part;
            EXPECT_TRUE(out.contains("Settings file: " + m_progDir + "Kestrune.dat")) << out.toStdString();
        }
    }
    EXPECT_EQ(QDir(m_progDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList({"Kestrune", "Ondrelle"}));
    // A file after "--" is a drawing, not a request for help.
    EXPECT_EQ(run({"--out", m_workDir, "--", "--help"}).status, 1);
}

#ifndef Q_OS_WIN
namespace {

// Gives `dir` and everything under it to the user and group `id`.
bool chownTree(const QString& dir, uid_t id)
{
    if (::chown(QFile::encodeName(dir).constData(), id, id) != 0)
        return false;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (::chown(QFile::encodeName(it.next()).constData(), id, id) != 0)
            return false;
    }
    return true;
}

}  // namespace

// Programs installed where the user cannot write: the batch converts, the
// settings file goes to the user's configuration folder, the worker reads
// it from there, two workers at once keep their images apart, and nothing
// is written beside the programs.
TEST_F(HeadlessBatch, ReadOnlyProgramFolderUsesTheUsersFolders)
{
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0) {
        // Permission bits do not bind root: run the programs as "nobody".
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            GTEST_SKIP() << "running as root and setpriv is missing: cannot drop to a user whom the "
                            "read-only program folder binds, so the read-only layout is not tested";
        m_asUser = QString::number(kNobody);
    }
    const QString src = m_workDir + "src" + kSep, out = m_workDir + "out" + kSep;
    for (const QString& dir : {src, out, m_workDir + "home"})
        ASSERT_TRUE(QDir().mkpath(dir));
    for (const char* name : {"a.jww", "b.jww", "c.jww"})
        ASSERT_TRUE(testsupport::writeFile(src + name, drawingWithImage()));
    if (!m_asUser.isEmpty()) {
        ASSERT_TRUE(chownTree(m_work.path(), kNobody));
    }
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(m_prog.path(), readOnly));
    const auto restore = qScopeGuard([this, readOnly] {
        QFile::setPermissions(m_prog.path(), readOnly | QFileDevice::WriteOwner);
    });
    const QString userSettings = m_workDir + "home/.config/Kestrune/Kestrune.dat";
    const QString imageFolder = m_workDir + "home/.cache/Kestrune";

    const Run batch = run({"--out", out, src + "a.jww"});
    EXPECT_EQ(batch.status, 0) << batch.errors.toStdString();
    EXPECT_EQ(batch.log, triple(src + "a.jww", out + "a.sfc", kConverted) << "1件中1件を変換しました");
    EXPECT_TRUE(testsupport::readFile(userSettings).startsWith("\xEF\xBB\xBF"));
    // The folder offered under 「毎回指定」 is the user's documents folder,
    // not the program folder nobody can write to.
    const QStringList saved = common::SplitTextLines(common::DecodeTextFile(testsupport::readFile(userSettings)));
    EXPECT_EQ(saved.value(11), m_workDir + "home" + kSep + "Documents" + kSep);

    // The worker on its own finds the same file; two at once on drawings
    // whose images have the same name both convert and leave no image.
    auto b = start("Ondrelle", {src + "b.jww", out + "b.sfc"});
    auto c = start("Ondrelle", {src + "c.jww", out + "c.sfc"});
    for (QProcess* p : {b.get(), c.get()}) {
        const Run r = finish(*p);
        EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    }
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList({"a.sfc", "b.sfc", "c.sfc"}));
    EXPECT_FALSE(QFileInfo::exists(imageFolder));

    // Without the user's file the worker refuses, whatever lies beside it.
    ASSERT_TRUE(QFile::remove(userSettings));
    EXPECT_EQ(runProgram("Ondrelle", {src + "a.jww", out + "a2.sfc"}).status, 1);
    EXPECT_FALSE(QFileInfo::exists(out + "a2.sfc"));

    EXPECT_EQ(QDir(m_progDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList({"Kestrune", "Ondrelle"}));
}
#endif

// Two batches at once, of the same 30 file names, into one folder: both may
// pick the same free name, but a file reported as converted is never lost
// to the other batch, and no temporary file stays behind.
TEST_F(HeadlessBatch, TwoBatchesIntoOneFolderLoseNothing)
{
    const QString out = m_workDir + "out";
    ASSERT_TRUE(QDir().mkpath(out));
    const QByteArray drawing = testsupport::demoDrawingBytes();
    QStringList files[2];
    for (int b = 0; b < 2; ++b) {
        const QString folder = m_workDir + "src" + QString::number(b) + kSep;
        ASSERT_TRUE(QDir().mkpath(folder));
        for (int i = 0; i < 30; ++i) {
            files[b].append(folder + QStringLiteral("plan%1.jww").arg(i, 2, 10, QLatin1Char('0')));
            ASSERT_TRUE(testsupport::writeFile(files[b].last(), drawing));
        }
    }
    // The settings file exists before either batch rewrites it.
    ASSERT_TRUE(testsupport::writeFile(m_progDir + "Kestrune.dat", "50\r\n"));
    auto first = start("Kestrune", QStringList{"--batch", "--out", out} + files[0]);
    auto second = start("Kestrune", QStringList{"--batch", "--out", out} + files[1]);
    const Run runs[2] = {finish(*first), finish(*second)};

    QStringList converted;
    for (const Run& r : runs) {
        ASSERT_FALSE(r.log.isEmpty()) << r.errors.toStdString();
        for (qsizetype i = 1; i < r.log.size(); ++i) {
            if (r.log[i] == kResultPrefix + kConverted)
                converted.append(r.log[i - 1].mid(kArrowPrefix.size()));
        }
    }
    converted.sort();
    QStringList present;
    for (const QString& name :
         QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        present.append(out + kSep + name);
    present.sort();
    EXPECT_EQ(present, converted);
    EXPECT_GE(converted.size(), 30);
    for (const QString& file : present)
        EXPECT_TRUE(testsupport::readFile(file).endsWith("END-ISO-10303-21;\r\n")) << file.toStdString();
}

namespace {

// The files of `folder` by name, each with its bytes; an SFC file's time
// stamp is masked, so that two runs compare equal.
QStringList outputFiles(const QString& folder)
{
    static const QRegularExpression timeStamp(QStringLiteral("^        '[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}',\r$"),
                                              QRegularExpression::MultilineOption);
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QString text = QString::fromLatin1(testsupport::readFile(folder + kSep + name));
        files.append(name + ":\n" + text.replace(timeStamp, QStringLiteral("        'TIME',\r")));
    }
    return files;
}

}  // namespace

// Twelve drawings, three at a time: the same log, names and files as one
// after another, with drawings of one name from several folders (one of
// them failing while its name is still in question) and failures whose
// reason lines stay with their file.
TEST_F(HeadlessBatch, SeveralWorkersAtOnceGiveTheLogAndFilesOfOneAfterAnother)
{
    const auto demoOfVersion = [](int32_t version) {
        jww::TJwwData d;
        testsupport::buildDemoDrawing(d);
        d.Enthd.jwVer = version;
        return testsupport::writeJww(d);
    };
    const auto emptyOfVersion = [](int32_t version) {
        jww::TJwwData d;
        testsupport::initEmptyDrawing(d, version);
        return testsupport::writeJww(d);
    };
    const QByteArray demo = testsupport::demoDrawingBytes();
    const struct {
        const char* path;
        QByteArray bytes;
    } drawings[] = {
        {"a/plan.jww", demo},
        {"b/plan.jww", emptyOfVersion(700)},
        {"c/plan.jww", demo.left(demo.size() / 2)},
        {"d/plan.jww", demoOfVersion(420)},
        {"v220.jww", emptyOfVersion(220)},
        {"v300.jww", demoOfVersion(300)},
        {"v600.jww", demoOfVersion(600)},
        {"text.jww", "これはテキストファイルです\r\n"},
        {"image.jww", drawingWithImage()},
        {"old.jww", demoOfVersion(219)},
        {"e/v220.jww", demoOfVersion(230)},
        {"last.jww", demo},
    };
    QStringList files;
    for (const auto& d : drawings) {
        files.append(native(m_workDir + "src/" + d.path));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(files.last()).path()));
        ASSERT_TRUE(testsupport::writeFile(files.last(), d.bytes));
    }
    QStringList logs[2];
    QStringList outputs[2];
    int statuses[2] = {};
    const char* const jobs[2] = {"1", "3"};
    for (int i = 0; i < 2; ++i) {
        const QString out = m_workDir + "out" + jobs[i];
        ASSERT_TRUE(QDir().mkpath(out));
        ASSERT_TRUE(testsupport::writeFile(out + kSep + "plan.sfc", "taken before the batch"));
        const Run r = run(QStringList{"--jobs", jobs[i], "--out", out} + files);
        statuses[i] = r.status;
        EXPECT_EQ(r.checks.size(), 9);
        logs[i] = r.fullLog.join('\n').split(out + kSep);
        outputs[i] = outputFiles(out);
    }
    EXPECT_EQ(statuses[0], 1);
    EXPECT_EQ(statuses[1], statuses[0]);
    EXPECT_EQ(logs[1].join("OUT/"), logs[0].join("OUT/"));
    EXPECT_EQ(outputs[1].join("\n----\n"), outputs[0].join("\n----\n"));
    // What the one-by-one run gave: the failed plan~3.sfc went to the next
    // plan.jww, and the three failures have their reasons.
    const QString log = logs[0].join("OUT/");
    EXPECT_TRUE(log.contains(files[3] + "\n→ OUT/plan~3.sfc\n　…… 変換完了\n" + kCheckPrefix)) << log.toStdString();
    EXPECT_TRUE(log.endsWith("12件中9件を変換しました（失敗3件）")) << log.toStdString();
    EXPECT_EQ(log.count(kReasonPrefix), 3);
    EXPECT_EQ(outputs[0].size(), 10);
}

TEST_F(HeadlessBatch, EachFailureKindHasItsReasonLine)
{
    const QString src = m_workDir + "src" + kSep;
    const QString out = m_workDir + "out";
    ASSERT_TRUE(QDir().mkpath(src) && QDir().mkpath(out));
    const QByteArray good = testsupport::demoDrawingBytes();
    jww::TJwwData old;
    testsupport::buildDemoDrawing(old);
    old.Enthd.jwVer = 219;
    const struct {
        const char* name;
        QByteArray bytes;
        QString reason;  // empty: converted
    } cases[] = {
        {"text.jww", "これはテキストファイルです\r\n", "JWWファイルではありません"},
        {"empty.jww", "", "ファイルが空です"},
        {"cut.jww", good.left(good.size() / 2), "ファイルが途中で切れています"},
        {"old.jww", testsupport::writeJww(old), "対応していないバージョンです（version 219）"},
        {"plan.jww", good, {}},
    };
    QStringList args{"--out", out}, expected;
    for (const auto& c : cases) {
        const QString path = src + c.name;
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        args.append(path);
        const QString dst = out + kSep + QFileInfo(path).completeBaseName() + ".sfc";
        if (c.reason.isEmpty())
            expected += triple(path, dst, kConverted);
        else
            expected += triple(path, dst, kFailed) << kReasonPrefix + c.reason;
    }
    expected.append("5件中1件を変換しました（失敗4件）");
    const Run r = run(args);
    EXPECT_EQ(r.log, expected);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"plan.sfc"});
}

TEST_F(HeadlessBatch, ReasonWhenTheOutputFolderCannotBeWritten)
{
    QString out = m_workDir + "locked";
    ASSERT_TRUE(QDir().mkpath(out));
    const QString plan = m_workDir + "plan.jww";
    ASSERT_TRUE(testsupport::writeFile(plan, testsupport::demoDrawingBytes()));
    ASSERT_TRUE(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool privileged = testsupport::writeFile(out + kSep + "probe", "x");
    QFile::remove(out + kSep + "probe");
    if (privileged) {
        // A user who may write anywhere still cannot create files in the
        // process file system.
        if (!QFileInfo(QStringLiteral("/proc/self")).exists())
            GTEST_SKIP() << "this user may write into any folder";
        out = QStringLiteral("/proc");
    }
    const Run r = run({"--out", out, plan});
    QFile::setPermissions(m_workDir + "locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(r.log, triple(plan, out + kSep + "plan.sfc", kFailed)
                         << kReasonPrefix + "保存先に書き込めません" << "1件中0件を変換しました（失敗1件）");
    EXPECT_EQ(r.status, 1);
}

TEST_F(HeadlessBatch, FrontEndReasonsAndTheMissingDesktop)
{
    const QString plan = m_workDir + "plan.jww";
    ASSERT_TRUE(testsupport::writeFile(plan, testsupport::demoDrawingBytes()));
    // The default choice is the desktop, which this new home lacks.
    Run r = run({plan});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.log.isEmpty());
    const QString desktop = m_workDir + "home" + kSep + "Desktop" + kSep;
    EXPECT_TRUE(r.errors.contains(QStringLiteral("指定したフォルダが見つかりません。 ") + desktop)) << r.errors.toStdString();
    EXPECT_FALSE(QFile::exists(m_progDir + "Kestrune.dat"));  // nothing started

    ASSERT_TRUE(QFile::remove(m_progDir + "Ondrelle"));
    r = run({"--beside", plan});
    EXPECT_EQ(r.log, triple(plan, m_workDir + "plan.sfc", kFailed)
                         << kReasonPrefix + "変換プログラムを起動できません" << "1件中0件を変換しました（失敗1件）");
    EXPECT_EQ(r.status, 1);
}

// A file with an error and one without: the check line of each, the count
// of files with errors in the summary, the same with several workers and
// for the delivery form alone, and no check with --no-check or with the
// setting off.
TEST_F(HeadlessBatch, ChecksEachConvertedFileUnlessToldNot)
{
    const QString src = m_workDir + "src" + kSep;
    ASSERT_TRUE(QDir().mkpath(src));
    // Marked blocks placed more than once: part drawings that the rules
    // allow to be placed only once.
    jww::TJwwData parts;
    testsupport::buildBlocksDrawing(parts, 40);
    const QStringList files{src + "plan.jww", src + "parts.jww"};
    ASSERT_TRUE(testsupport::writeFile(files[0], testsupport::demoDrawingBytes()));
    ASSERT_TRUE(testsupport::writeFile(files[1], testsupport::writeJww(parts)));
    const auto radios = "50\r\n50\r\n480\r\n480\r\n1\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\n\r\n1\r\nWindows\r\n\r\n0\r\n0\r\n0\r\n";

    const struct {
        const char* name;
        QByteArray settings;  // empty: none
        QStringList options;
        bool checked;
    } cases[] = {
        {"one by one", {}, {"--jobs", "1"}, true},
        {"two at once", {}, {"--jobs", "2"}, true},
        {"delivery form", {}, {"--format", "p21"}, true},
        {"--no-check", {}, {"--no-check"}, false},
        {"setting off", QByteArray(radios) + "0\r\n", {}, false},
        {"file of an older program", radios, {}, true},
    };
    QStringList firstLog;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = m_workDir + c.name;
        ASSERT_TRUE(QDir().mkpath(out));
        QFile::remove(m_progDir + "Kestrune.dat");
        if (!c.settings.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(m_progDir + "Kestrune.dat", c.settings));
        }
        const Run r = run(c.options + QStringList{"--out", out} + files);
        EXPECT_EQ(r.status, 0) << r.errors.toStdString();
        EXPECT_EQ(r.log.size(), 7);
        if (!c.checked) {
            EXPECT_TRUE(r.checks.isEmpty());
            EXPECT_EQ(r.log.value(6), "2件中2件を変換しました");
            continue;
        }
        ASSERT_EQ(r.checks.size(), 2);
        EXPECT_TRUE(r.checks[0].startsWith(kCheckPrefix + "エラー0件・")) << r.checks[0].toStdString();
        EXPECT_TRUE(r.checks[1].startsWith(kCheckPrefix + "エラー")) << r.checks[1].toStdString();
        EXPECT_FALSE(r.checks[1].startsWith(kCheckPrefix + "エラー0件")) << r.checks[1].toStdString();
        EXPECT_TRUE(r.checks[1].contains("（最初：SXFSFIGLOCONE #")) << r.checks[1].toStdString();
        EXPECT_EQ(r.log.value(6), "2件中2件を変換しました（検査でエラーのあるファイル1件）");
        if (c.options.contains("--format")) {
            // The P21 file is the one written and checked.
            EXPECT_TRUE(r.log.value(1).endsWith("plan.p21")) << r.log.value(1).toStdString();
            continue;
        }
        const QStringList log = r.fullLog.join('\n').split(out + kSep);
        if (firstLog.isEmpty())
            firstLog = log;
        EXPECT_EQ(log, firstLog);
    }
}

// "Kestrune --check" on a file this system wrote, on the same file with a
// line after its sheet, and on a file that is not there.
TEST_F(HeadlessBatch, CheckCommandPrintsTheFindingsAndExitsByThem)
{
    const QString plan = m_workDir + "plan.jww";
    ASSERT_TRUE(testsupport::writeFile(plan, testsupport::demoDrawingBytes()));
    ASSERT_EQ(run({"--beside", "--no-check", plan}).status, 0);
    const QString good = m_workDir + "plan.sfc", bad = m_workDir + "bad.sfc";
    QByteArray bytes = testsupport::readFile(good);
    const QByteArray footer = "ENDSEC;\r\nEND-ISO-10303-21;\r\n";
    ASSERT_TRUE(bytes.endsWith(footer));
    bytes.insert(bytes.size() - footer.size(),
        "/*SXF\r\n#99990 = line_feature('1','1','1','1','0.000000','0.000000','0.000000','0.000000')\r\nSXF*/\r\n\r\n");
    ASSERT_TRUE(testsupport::writeFile(bad, bytes));
    const int line = int(bytes.left(bytes.indexOf("#99990")).count('\n')) + 1;

    Run r = runProgram("Kestrune", {"--check", good});
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_TRUE(r.fullLog.value(0).startsWith(good + ": エラー0件・")) << r.fullLog.join('\n').toStdString();
    // The delivery form of the same drawing, told by its content.
    ASSERT_EQ(runProgram("Kestrune", {"--to-p21", good}).status, 0);
    const QString delivered = m_workDir + "plan.p21";
    r = runProgram("Kestrune", {"--check", delivered});
    EXPECT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_TRUE(r.fullLog.value(0).startsWith(delivered + ": エラー0件・")) << r.fullLog.join('\n').toStdString();

    r = runProgram("Kestrune", {"--check", good, bad});
    EXPECT_EQ(r.status, 1);
    const QString text = r.fullLog.join('\n');
    EXPECT_TRUE(text.contains(bad + ": エラー2件・")) << text.toStdString();
    for (const char* code : {"SXFNOTASSEMBLY", "SXFLENGTHZERO"}) {
        EXPECT_TRUE(text.contains(QStringLiteral("  %1 エラー #99990 %2行目 ").arg(QLatin1String(code)).arg(line)))
            << text.toStdString();
    }

    r = runProgram("Kestrune", {"--check", "--json", bad, m_workDir + "none.sfc"});
    EXPECT_EQ(r.status, 1);
    const QJsonArray files = QJsonDocument::fromJson(r.fullLog.join('\n').toUtf8()).object().value("files").toArray();
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].toObject().value("errors").toInt(), 2);
    const QJsonObject missing = files[1].toObject();
    EXPECT_EQ(missing.value("errors").toInt(), 1);
    EXPECT_EQ(missing.value("findings").toArray().at(0).toObject().value("code").toString(), "SFC_CANNOT_READ");

    for (const QStringList& args : {QStringList{"--check"}, QStringList{"--check", "--fast", good}}) {
        r = runProgram("Kestrune", args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.errors.contains("usage: Kestrune --check")) << r.errors.toStdString();
    }
    r = runProgram("Kestrune", {"--check", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.fullLog.join('\n').contains("Kestrune --check [--json]"));
}

#ifndef Q_OS_WIN
// A FIFO named like an SXF file is refused at once by --check and --render,
// never waited on for a writer that does not come.
TEST_F(HeadlessBatch, PipesNamedLikeSxfFilesAreRefusedAtOnce)
{
    const QString fifo = m_workDir + "pipe.sfc";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QStringList args;
        const char* said;
    } cases[] = {
        {{"--check", fifo}, "SFC_CANNOT_READ"},
        {{"--render", fifo, m_workDir + "pipe.png"}, "通常のファイルではない"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.first().toStdString());
        const std::unique_ptr<QProcess> p = start("Kestrune", c.args);
        const bool ended = p->waitForFinished(20000);
        if (!ended) {
            p->kill();
            p->waitForFinished();
        }
        ASSERT_TRUE(ended) << "it waited on the pipe";
        EXPECT_EQ(p->exitCode(), 1);
        const QString said = QString::fromUtf8(p->readAllStandardOutput() + p->readAllStandardError());
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.said))) << said.toStdString();
    }
    EXPECT_FALSE(QFile::exists(m_workDir + "pipe.png"));
}
#endif
