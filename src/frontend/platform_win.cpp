// Windows: the registry of file classes, the asynchronous key state and the
// worker's one-text command line.
#include "frontend/platform.h"

#include <QProcess>
#include <QSettings>

#include <windows.h>

#include <cstdio>

namespace frontend {

namespace {

// The default value of a key under HKEY_CLASSES_ROOT; empty when the key is
// missing or unreadable.
QString classesDefaultValue(const QString& key)
{
    const QSettings settings(QStringLiteral("HKEY_CLASSES_ROOT\\") + key, QSettings::NativeFormat);
    if (settings.status() != QSettings::NoError)
        return {};
    return settings.value(QStringLiteral("Default")).toString();
}

}  // namespace

QString jwwOpenCommand()
{
    const QString className = classesDefaultValue(QStringLiteral(".JWW"));
    if (className.isEmpty())
        return {};
    return classesDefaultValue(className + QStringLiteral("\\shell\\open\\command"));
}

void attachParentConsole()
{
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
    SetConsoleOutputCP(CP_UTF8);
}

void watchEscapeKey() {}

bool escapeKeyHeld()
{
    return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
}

void setWorkerCommand(QProcess& process, const QString& program, const QString& source,
                      const QStringList& destinations)
{
    process.setProgram(program);
    // Windows paths cannot hold a double quote, so quoting each one is safe.
    QString arguments = u'"' + source + u'"';
    for (const QString& destination : destinations)
        arguments += QStringLiteral(" \"") + destination + u'"';
    process.setNativeArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
        // The worker shows no error dialogs of its own. Handle inheritance
        // stays on: the pipe that carries its reason line reaches it that
        // way, and Qt opens every other handle of ours non-inheritable.
        args->flags |= CREATE_DEFAULT_ERROR_MODE;
    });
}

}  // namespace frontend
