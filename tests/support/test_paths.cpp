// Test paths and small file helpers.
#include "tests/support/test_paths.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace testsupport {

QString samplesDir()
{
    const QString dir = QDir::cleanPath(QStringLiteral(KESTRUNE_SOURCE_DIR "/../shared/samples"));
    if (QDir(dir).exists())
        return dir;
    if (!qEnvironmentVariableIsEmpty("CI"))
        ADD_FAILURE() << "CI is set but the sample drawings are missing at " << dir.toStdString();
    return {};
}

QStringList sampleDrawings()
{
    const QString dir = samplesDir();
    if (dir.isEmpty())
        return {};
    QStringList files;
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.jww")}, QDir::Files, QDir::Name))
        files.append(dir + u'/' + name);
    return files;
}

QString sharedTool(const QString& name)
{
    const QString path = QDir::cleanPath(QStringLiteral(KESTRUNE_SOURCE_DIR "/../shared/tools/") + name);
    if (QFile::exists(path))
        return path;
    if (!qEnvironmentVariableIsEmpty("CI"))
        ADD_FAILURE() << "CI is set but the shared tool is missing at " << path.toStdString();
    return {};
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace testsupport
