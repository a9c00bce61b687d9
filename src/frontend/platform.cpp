// Platform services that Qt provides alike everywhere.
#include "frontend/platform.h"

#include <QDir>
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

}  // namespace frontend
