// Kills, batches side by side, pictures of the same name and names that
// Linux allows, on the real programs: nothing is left behind, every file
// gets a free name in the order one batch after another would give, and a
// name always names the file it came from.
#include "common/path_names.h"
#include "frontend/batch_runner.h"
#include "tests/frontend/hostile_fixture.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <unistd.h>

using namespace hostile;
using frontend::kArrowPrefix;
using frontend::kConverted;
using frontend::kResultPrefix;

namespace {

// The processes whose parent is `parent`, from /proc.
QList<qint64> childrenOf(qint64 parent)
{
    QList<qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, the last
        // ")" ends it.
        const QByteArray stat = testsupport::readFile("/proc/" + entry + "/stat");
        const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1 && rest[1].toLongLong() == parent)
            children.append(pid);
    }
    return children;
}

bool alive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 && !testsupport::readFile(QStringLiteral("/proc/%1/stat").arg(pid)).contains(") Z ");
}

// How many files process `pid` has open in `folder`: the outputs and
// pictures it is writing, or has written and not named yet.
int filesOpenIn(qint64 pid, const QString& folder)
{
    const QString fds = QStringLiteral("/proc/%1/fd/").arg(pid);
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    int open = 0;
    for (const QString& fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        // As the kernel says it: a file without a name reads "folder/#inode
        // (deleted)", which Qt would resolve away.
        char target[4096];
        const ssize_t n = ::readlink(QFile::encodeName(fds + fd).constData(), target, sizeof target);
        if (n > 0 && QByteArray(target, n).startsWith(prefix))
            ++open;
    }
    return open;
}

// Waits up to a minute for `done`; false when it never came.
bool waitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60000)
            return false;
        QThread::usleep(500);
    }
    return true;
}

// The log's converted destinations: the last "→ " line before each result.
QStringList convertedNames(const QStringList& log)
{
    QStringList names;
    for (qsizetype i = 1; i < log.size(); ++i) {
        if (log[i] == kResultPrefix + kConverted)
            names.append(QFileInfo(log[i - 1].mid(kArrowPrefix.size())).fileName());
    }
    return names;
}

class HostileBatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_programs.ok());
        ASSERT_TRUE(testsupport::writeFile(m_programs.bin() + "Kestrune.dat", "50\r\n"));
    }
    QString work(const QString& name) const { return m_programs.work() + name; }
    Programs m_programs;
};

}  // namespace

#ifdef Q_OS_LINUX
// A worker stopped by any signal while it writes a large output leaves no
// part of it (the file has no name until it is whole); stopped by one it
// can catch it also removes its image folder at once, and the folder of one
// killed outright goes at the next run. A batch stopped, even killed, stops
// its worker with it. Writing both forms, stopped while it writes the P21
// file with the SFC file and the picture complete, it leaves none of them.
TEST_F(HostileBatch, KilledWorkersAndBatchesLeaveNothing)
{
    const QString src = work("large.jww");
    ASSERT_TRUE(testsupport::writeFile(src, largeDrawingShowingEmbedded(300000, noisePicture(30, 20, "PNG"))));
    const QString small = work("small.jww");
    ASSERT_TRUE(testsupport::writeFile(small, testsupport::demoDrawingBytes()));
    const QString out = work("out");
    const QString temp = m_programs.bin() + "TEMP";
    ASSERT_TRUE(QDir().mkpath(out));

    const struct {
        const char* name;
        bool batch;  // stop the batch, else the worker
        int signal;
        bool folderStays;  // the image folder stays until the next run
        bool bothForms;
    } cases[] = {
        {"worker, SIGKILL", false, SIGKILL, true, false},
        {"worker, SIGTERM", false, SIGTERM, false, false},
        {"worker, SIGINT", false, SIGINT, false, false},
        {"worker, SIGHUP", false, SIGHUP, false, false},
        {"batch, SIGTERM", true, SIGTERM, false, false},
        {"batch, SIGKILL", true, SIGKILL, false, false},
        {"worker writing both forms, SIGKILL", false, SIGKILL, true, true},
        {"batch writing both forms, SIGTERM", true, SIGTERM, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList forms = c.bothForms ? QStringList{"--format", "both"} : QStringList{"--format", "sfc"};
        const QStringList destinations =
            c.bothForms ? QStringList{out + "/large.sfc", out + "/large.p21"} : QStringList{out + "/large.sfc"};
        const auto p = c.batch ? m_programs.start("Kestrune", QStringList{"--batch", "--out", out} + forms + QStringList{src})
                               : m_programs.start("Ondrelle", QStringList{src} + destinations);
        ASSERT_TRUE(p->waitForStarted());
        qint64 worker = p->processId();
        if (c.batch) {
            ASSERT_TRUE(waitFor([&] {
                const QList<qint64> children = childrenOf(p->processId());
                worker = children.isEmpty() ? 0 : children.first();
                return worker != 0;
            }));
        }
        // The picture, then the outputs: with both forms, the third file is
        // the P21 one.
        const int writing = c.bothForms ? 3 : 1;
        ASSERT_TRUE(waitFor([&] { return filesOpenIn(worker, out) >= writing || !alive(worker); }));
        ASSERT_TRUE(alive(worker)) << "the conversion ended before it could be stopped";
        ::kill(pid_t(p->processId()), c.signal);
        ASSERT_TRUE(p->waitForFinished(60000));
        // The worker goes with its batch, however the batch ended.
        EXPECT_TRUE(waitFor([&] { return !alive(worker); }));

        EXPECT_EQ(entriesOf(out), QStringList());
        EXPECT_EQ(QFileInfo::exists(temp), c.folderStays);
        if (c.folderStays) {
            // Its folder's owner is gone: the next run clears it.
            EXPECT_EQ(m_programs.run("Ondrelle", {small, out + "/small.sfc"}).status, 0);
            EXPECT_FALSE(QFileInfo::exists(temp));
            QFile::remove(out + "/small.sfc");
        }
    }
}
#endif

// Four batches at once of the same twelve names into one folder: where a
// name is taken by another batch after this one chose it, the file takes the
// next free name as the README promises, instead of failing. Every file
// converts, each under a name of its own, complete, and nothing else is left.
// With both forms, each drawing's two files share the name.
TEST_F(HostileBatch, BatchesIntoOneFolderTakeTheNextFreeNames)
{
    const QByteArray drawing = testsupport::demoDrawingBytes();
    constexpr int kBatches = 4, kFiles = 12;
    const struct {
        const char* format;
        QStringList extensions;
    } formats[] = {{"sfc", {".sfc"}}, {"both", {".sfc", ".p21"}}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.format);
        const QString out = work(QStringLiteral("out-%1").arg(f.format));
        ASSERT_TRUE(QDir().mkpath(out));
        std::vector<std::unique_ptr<QProcess>> batches;
        for (int b = 0; b < kBatches; ++b) {
            QStringList args{"--batch", "--jobs", "2", "--format", f.format, "--out", out};
            const QString folder = work(QStringLiteral("src%1/").arg(b));
            ASSERT_TRUE(QDir().mkpath(folder));
            for (int i = 0; i < kFiles; ++i) {
                args.append(folder + QStringLiteral("plan%1.jww").arg(i, 2, 10, QLatin1Char('0')));
                ASSERT_TRUE(testsupport::writeFile(args.last(), drawing));
            }
            batches.push_back(m_programs.start("Kestrune", args));
        }
        QStringList converted;
        for (const auto& p : batches) {
            const ProgramRun r = Programs::finish(*p);
            EXPECT_EQ(r.status, 0) << r.log.join('\n').toStdString();
            converted += convertedNames(r.log);
        }
        converted.sort();
        QStringList expected, lastOfEach;
        for (int i = 0; i < kFiles; ++i) {
            const QString base = QStringLiteral("plan%1").arg(i, 2, 10, QLatin1Char('0'));
            for (int k = 0; k < kBatches; ++k) {
                const QString name = k == 0 ? base : base + QStringLiteral("~%1").arg(k);
                for (const QString& extension : f.extensions)
                    expected << name + extension;
                lastOfEach << name + f.extensions.last();
            }
        }
        expected.sort();
        lastOfEach.sort();
        EXPECT_EQ(converted, lastOfEach);
        EXPECT_EQ(entriesOf(out), expected);
        for (const QString& name : entriesOf(out)) {
            const QByteArray bytes = testsupport::readFile(out + "/" + name);
            EXPECT_TRUE(bytes.endsWith("END-ISO-10303-21;\r\n")) << name.toStdString();
            EXPECT_TRUE(bytes.contains("FILE_NAME('" + name.toUtf8() + "'")) << name.toStdString();
        }
    }
}

namespace {

// The files of `folder` by name with their bytes, the SFC time stamp masked.
QStringList outputFiles(const QString& folder)
{
    static const QRegularExpression timeStamp(QStringLiteral("'[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}'"));
    QStringList files;
    for (const QString& name : entriesOf(folder)) {
        QString text = QString::fromLatin1(testsupport::readFile(folder + "/" + name));
        files.append(name + ":\n" + text.replace(timeStamp, QStringLiteral("'TIME'")));
    }
    return files;
}

}  // namespace

// Four drawings, each with a photo.png of its own, into a folder where the
// user already keeps a photo.jpg: each picture arrives under a free name,
// photo~1.jpg to photo~4.jpg in file order, and each output names its own.
// Three workers at once give the same names, files and log as one after
// another.
TEST_F(HostileBatch, PicturesOfOneNameKeepTheirOwnFilesInFileOrder)
{
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        files.append(work(QStringLiteral("src/d%1.jww").arg(i)));
        ASSERT_TRUE(QDir().mkpath(work("src")));
        ASSERT_TRUE(testsupport::writeFile(files.last(),
                                           drawingShowingEmbedded("photo.png", noisePicture(10 + i, 20, "PNG", i))));
    }
    QStringList logs[2], outputs[2];
    const char* const jobs[2] = {"1", "3"};
    for (int j = 0; j < 2; ++j) {
        const QString out = work(QStringLiteral("out%1").arg(jobs[j]));
        ASSERT_TRUE(QDir().mkpath(out));
        ASSERT_TRUE(testsupport::writeFile(out + "/photo.jpg", "the user's own photo"));
        const ProgramRun r = m_programs.batch(QStringList{"--jobs", jobs[j], "--out", out} + files);
        EXPECT_EQ(r.status, 0) << r.errors.toStdString();
        logs[j] = r.log.join('\n').split(out);
        outputs[j] = outputFiles(out);
        EXPECT_EQ(testsupport::readFile(out + "/photo.jpg"), "the user's own photo");
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            const QString picture = QStringLiteral("photo~%1.jpg").arg(i + 1);
            EXPECT_TRUE(testsupport::readFile(out + QStringLiteral("/d%1.sfc").arg(i)).contains("$$" + picture.toUtf8()));
            EXPECT_EQ(QImageReader(out + "/" + picture).size(), QSize(10 + i, 20));
        }
    }
    EXPECT_EQ(logs[1].join("OUT"), logs[0].join("OUT"));
    EXPECT_EQ(outputs[1], outputs[0]);
    EXPECT_EQ(outputs[0].size(), 9);
}

namespace {

// Runs Kestrune or Ondrelle through the shell, where printf turns `format`
// into the argument that stands at "@BYTES@" in `args`, so that it may hold
// bytes that are no UTF-8 ("\\377").
ProgramRun runWithBytes(const Programs& programs, const QString& name, const QStringList& args, const QString& format)
{
    const QString script = QStringLiteral(
        "prog=$1; bytes=$(printf \"$2\"); shift 2; "
        "for a; do shift; if [ \"$a\" = @BYTES@ ]; then set -- \"$@\" \"$bytes\"; else set -- \"$@\" \"$a\"; fi; done; "
        "exec \"$prog\" \"$@\"");
    QProcess p;
    p.setProcessEnvironment(testsupport::headlessEnvironment(programs.home()));
    p.start("/bin/sh", QStringList{"-c", script, "sh", programs.bin() + name, format} + args);
    return Programs::finish(p);
}

// Renames `path` to its folder plus the bytes `name`.
bool renameToBytes(const QString& path, const QByteArray& name)
{
    const QByteArray to = QFile::encodeName(QFileInfo(path).path()) + '/' + name;
    return ::rename(QFile::encodeName(path).constData(), to.constData()) == 0;
}

}  // namespace

// Names Linux allows are names: a tab or a line feed in one converts (F5),
// a backslash is part of the name and never a folder, for the output and
// for its pictures (F6), and a link to nowhere takes its name (F7). A name
// whose bytes are no UTF-8 is refused with a reason, and never converts the
// file whose name it resembles (F4).
TEST_F(HostileBatch, NamesThatLinuxAllowsNameTheirOwnFiles)
{
    const QString in = work("in/"), out = work("out");
    ASSERT_TRUE(QDir().mkpath(in) && QDir().mkpath(out));
    const QByteArray demo = testsupport::demoDrawingBytes();
    const QByteArray pictured = drawingShowingEmbedded("photo.png", noisePicture(12, 8, "PNG"));
    const struct {
        const char* name;
        QStringList files;  // written into `in`
        QStringList options;
        QString folder;     // where the outputs go
        QStringList present;
    } cases[] = {
        {"a tab and a line feed", {"tab\tname.jww", "line\nfeed.jww"}, {"--out", out}, out,
            {"line\nfeed.sfc", "tab\tname.sfc"}},
        {"a backslash into a folder", {"back\\slash.jww"}, {"--out", out}, out, {"back\\slash.sfc"}},
        {"a backslash beside the drawing, with a picture", {"a\\b.jww"}, {"--beside"}, in,
            {"a\\b.jww", "a\\b.sfc", "photo.jpg"}},
        {"a link to nowhere", {"Test2.jww"}, {"--out", out}, out, {"Test2.sfc", "Test2~1.sfc"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList args = c.options;
        for (const QString& name : c.files) {
            ASSERT_TRUE(testsupport::writeFile(in + name, name.startsWith("a\\") ? pictured : demo));
            args.append(in + name);
        }
        if (c.present.contains("Test2~1.sfc")) {
            ASSERT_TRUE(QFile::link(out + "/nowhere", out + "/Test2.sfc"));
        }
        const ProgramRun r = m_programs.batch(args);
        EXPECT_EQ(r.status, 0) << r.errors.toStdString();
        EXPECT_EQ(entriesOf(c.folder), c.present);
        if (c.present.contains("photo.jpg")) {
            EXPECT_TRUE(testsupport::readFile(in + "a\\b.sfc").contains("$$photo.jpg"));
        }
        QDir(in).removeRecursively();
        QDir(out).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(in) && QDir().mkpath(out));
    }

    // "\xFF\xFE.jww" beside "\uFFFD\uFFFD.jww", the name its bytes become
    // when decoded, and "caf\xE9.jww" (Latin-1): each is refused with a
    // reason, and the other drawing is converted only as itself.
    const QString lookalike = in + QString(2, QChar(0xFFFD)) + ".jww";
    ASSERT_TRUE(testsupport::writeFile(lookalike, pictured));
    ASSERT_TRUE(testsupport::writeFile(in + "ff.jww", demo));
    ASSERT_TRUE(renameToBytes(in + "ff.jww", "\xFF\xFE.jww"));
    ASSERT_TRUE(testsupport::writeFile(in + "cafe.jww", demo));
    ASSERT_TRUE(renameToBytes(in + "cafe.jww", "caf\xE9.jww"));
    const QString ffFormat = in + "\\377\\376.jww";
    const QString notUtf8 = QStringLiteral("ファイル名がUTF-8ではないため扱えません\n");
    const struct {
        const char* name;
        QStringList args;
        QString format;
    } refusals[] = {
        {"a source of other bytes", {"@BYTES@", out + "/x.sfc"}, ffFormat},
        {"a Latin-1 source", {"@BYTES@", out + "/x.sfc"}, in + "caf\\351.jww"},
        {"a destination of other bytes", {in + "cafe2.jww", "@BYTES@"}, out + "/\\377\\376.sfc"},
    };
    ASSERT_TRUE(testsupport::writeFile(in + "cafe2.jww", demo));
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.name);
        const ProgramRun worker = runWithBytes(m_programs, "Ondrelle", c.args, c.format);
        EXPECT_EQ(worker.status, 1);
        EXPECT_EQ(worker.errors, notUtf8);
        EXPECT_EQ(entriesOf(out), QStringList());
    }
    const ProgramRun batch = runWithBytes(m_programs, "Kestrune", {"--batch", "--out", out, "@BYTES@", lookalike}, ffFormat);
    EXPECT_EQ(batch.status, 1);
    EXPECT_TRUE(batch.errors.contains("skipped, the name is not valid UTF-8")) << batch.errors.toStdString();
    EXPECT_EQ(convertedNames(batch.log), QStringList{QString(2, QChar(0xFFFD)) + ".sfc"});
    EXPECT_EQ(entriesOf(out), (QStringList{"photo.jpg", QString(2, QChar(0xFFFD)) + ".sfc"}));
}
