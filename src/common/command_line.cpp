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
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString text = QFile::decodeName(bytes);
        args.append(QFile::encodeName(text) == bytes ? text : QChar(0) + text);
    }
    return args;
#endif
}

bool isLostArgument(const QString& argument)
{
    return argument.startsWith(QChar(0));
}

QString argumentText(const QString& argument)
{
    return isLostArgument(argument) ? argument.mid(1) : argument;
}

}  // namespace common
