// Systems without a file-class registry or a global key state: no Jw_cad
// registration, and the Escape key as this application's windows see it.
#include "frontend/platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>

#include <atomic>

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

void setWorkerCommand(QProcess& process, const QString& program, const QString& source,
                      const QStringList& destinations)
{
    process.setProgram(program);
    process.setArguments(QStringList{source} + destinations);
    // The worker prints nothing on its output; closing it keeps a chatty
    // worker from ever filling a pipe that nobody reads. Its error output
    // carries the reason for a failure and is read by the caller.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
}

}  // namespace frontend
