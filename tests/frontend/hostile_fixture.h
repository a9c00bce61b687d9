// Both programs run as users and scripts run them in hostile places: copies
// laid out as installed, runs without a display, as another user, on small
// file systems that fill up, and drawings that embed pictures.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace hostile {

// Skips the calling test unless it runs as root, which mounting file systems
// and acting as another user take; fails it instead when CI is set, where
// the tests always run as root.
#define REQUIRE_ROOT()                                                                           \
    do {                                                                                         \
        if (!::hostile::isRoot()) {                                                              \
            if (qEnvironmentVariableIsSet("CI"))                                                 \
                FAIL() << "CI runs the tests as root; this one needs it";                         \
            GTEST_SKIP() << "needs root: tmpfs mounts and setpriv";                              \
        }                                                                                        \
    } while (0)

bool isRoot();

// The user the tests act as when a program must not be root ("nobody").
inline constexpr unsigned kNobody = 65534;

// Gives `path` and everything under it to user and group `id`.
bool chownTree(const QString& path, unsigned id);

// A tmpfs of `bytes` mounted on `folder` (made when missing) for the life of
// the object.
class Tmpfs {
public:
    Tmpfs(const QString& folder, qint64 bytes);
    ~Tmpfs();
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};

// Writes a file "filler" into `folder` until the file system holding it has
// at most `leave` bytes free. False when it cannot get there.
bool fillUpTo(const QString& folder, qint64 leave);

// A picture of `w` x `h` pixels of noise (so that it does not compress) as
// the bytes of a PNG or JPEG file.
QByteArray noisePicture(int w, int h, const char* format, unsigned seed = 1);

// A drawing that carries `picture` as "<name>.gz" and shows it at (x, 0):
// the drawing "with an embedded <name>".
QByteArray drawingShowingEmbedded(const QString& name, const QByteArray& picture);

// A drawing of `n` mixed entities that also shows an embedded picture, large
// enough that its conversion takes a while.
QByteArray largeDrawingShowingEmbedded(int n, const QByteArray& picture);

// What a program run gave.
struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    QStringList log;  // its standard output, line by line
    QString errors;
};

// Copies of both programs and the image codec in a folder of the test's own,
// laid out as installed (bin/ and lib/kestrune/), and a home folder for the
// user whose HOME and XDG folders the runs get.
class Programs {
public:
    Programs();
    bool ok() const { return !m_bin.isEmpty(); }
    const QString& bin() const { return m_bin; }          // with a trailing separator
    const QString& work() const { return m_work; }        // a folder for the test's files, trailing separator
    QString home() const { return m_work + "home/"; }
    // Runs the programs as user `id` (through setpriv) from now on.
    void runAs(unsigned id) { m_asUser = QString::number(id); }
    void runAsSelf() { m_asUser.clear(); }

    // Starts `name` (Kestrune or Ondrelle) with `args` and no display.
    std::unique_ptr<QProcess> start(const QString& name, const QStringList& args) const;
    static ProgramRun finish(QProcess& p);
    ProgramRun run(const QString& name, const QStringList& args) const { return finish(*start(name, args)); }
    ProgramRun batch(const QStringList& args) const { return run("Kestrune", QStringList{"--batch"} + args); }

private:
    QTemporaryDir m_root;
    QString m_bin, m_work, m_asUser;
};

// The names in `folder`, hidden ones included, sorted.
QStringList entriesOf(const QString& folder);

}  // namespace hostile
