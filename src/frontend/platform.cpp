// Platform services that Qt provides alike everywhere.
#include "frontend/platform.h"

#include "common/worker_protocol.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace frontend {

namespace {

QString standardFolder(QStandardPaths::StandardLocation location)
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(location));
}

}  // namespace

// On Windows these are the shell's desktop directory and personal folder.
QString desktopFolder()
{
    return standardFolder(QStandardPaths::DesktopLocation);
}

QString documentsFolder()
{
    return standardFolder(QStandardPaths::DocumentsLocation);
}

QString workerFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Ondrelle.exe");
#else
    return QStringLiteral("Ondrelle");
#endif
}

void setWorkerChannels(QProcess& process, bool turns)
{
    if (turns) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(common::kTurnsVariable), QStringLiteral("1"));
        process.setProcessEnvironment(env);
    } else {
        // The worker prints nothing on its output; closing it keeps a chatty
        // worker from ever filling a pipe that nobody reads.
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
    }
    // Its error output carries the reason for a failure and is read by the
    // caller.
    process.setProcessChannelMode(QProcess::SeparateChannels);
}

}  // namespace frontend
