// Systems without a file-class registry or a global key state: no Jw_cad
// registration, and the Escape key as this application's windows see it.
// Workers are POSIX processes: a process group of their own, and on Linux a
// signal when the front-end ends.
#include "frontend/platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>

#include <atomic>
#include <csignal>

#include <unistd.h>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace frontend {

namespace {

std::atomic<bool> g_escapeDown{false};

// Follows the Escape key through every event the application delivers.
class EscapeWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Auto-repeat sends releases while the key is still down.
            if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
                g_escapeDown = event->type() == QEvent::KeyPress;
            break;
        }
        case QEvent::ApplicationDeactivate:
            // A release that happens elsewhere never reaches us.
            g_escapeDown = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QString jwwOpenCommand()
{
    return {};
}

void attachParentConsole() {}

void watchEscapeKey()
{
    // One watch per application object; it goes with the application.
    static QPointer<EscapeWatch> watch;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || watch)
        return;
    watch = new EscapeWatch(app);
    app->installEventFilter(watch);
}

bool escapeKeyHeld()
{
    return g_escapeDown;
}

void useWindowlessPlatform()
{
    // Whatever the environment names: a picture must not depend on a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

void setWorkerCommand(QProcess& process, const QString& program, const QString& source,
                      const QStringList& destinations, bool turns)
{
    process.setProgram(program);
    process.setArguments(QStringList{source} + destinations);
    setWorkerChannels(process, turns);
    const pid_t frontEnd = ::getpid();
    process.setChildProcessModifier([frontEnd] {
        // Runs in the new process before the worker starts: only
        // async-signal-safe calls.
        ::setpgid(0, 0);
#ifdef __linux__
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The front-end may have ended before the request was made.
        if (::getppid() != frontEnd)
            ::_exit(1);
#else
        (void)frontEnd;
#endif
    });
}

void adoptWorker(QProcess&) {}

void stopWorker(QProcess& process)
{
    const auto pid = static_cast<pid_t>(process.processId());
    if (pid <= 0)
        return;
    ::kill(-pid, SIGTERM);
    ::kill(pid, SIGTERM);
}

}  // namespace frontend
