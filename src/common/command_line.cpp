// Arguments that keep their bytes, or say that they could not.
#include "common/command_line.h"

#include <QCoreApplication>
#include <QFile>

namespace common {

QStringList commandLineArguments(int argc, char* argv[])
{
#ifdef Q_OS_WIN
    // Qt reads the command line as text there; argv holds a lossy copy.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments().mid(1);
#else
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(pathFromBytes(QByteArray(argv[i])));
    return args;
#endif
}

QString pathFromBytes(const QByteArray& bytes)
{
    const QString text = QFile::decodeName(bytes);
    return QFile::encodeName(text) == bytes ? text : QChar(0) + text;
}

bool isLostArgument(const QString& argument)
{
    return argument.startsWith(QChar(0));
}

QString argumentText(const QString& argument)
{
    return isLostArgument(argument) ? argument.mid(1) : argument;
}

QString localFileOf(const QUrl& url)
{
#ifdef Q_OS_WIN
    return url.toLocalFile();
#else
    // The URL keeps bytes that are not UTF-8 percent-encoded.
    return pathFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
}

}  // namespace common
