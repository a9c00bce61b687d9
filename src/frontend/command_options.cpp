// Lines and options of the commands without a window.
#include "frontend/command_options.h"

#include "common/command_line.h"

#include <QDir>
#include <QFileInfo>

namespace frontend {

void writeLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(std::FILE* err, const QString& error, const char* usage)
{
    writeLine(err, QStringLiteral("Kestrune: ") + error);
    std::fputs(usage, err);
    return 2;
}

std::optional<QString> takeOutFolder(const QStringList& args, qsizetype& i, QString& folder)
{
    if (++i >= args.size() || args[i].isEmpty())
        return QStringLiteral("--out needs a folder");
    // A folder whose name lost its bytes would be another folder.
    if (common::isLostArgument(args[i]))
        return QStringLiteral("the --out folder's name is not valid UTF-8: ") + common::argumentText(args[i]);
    folder = QDir::toNativeSeparators(QFileInfo(args[i]).absoluteFilePath());
    return std::nullopt;
}

QStringList filesWithTheirNames(const QStringList& files, std::FILE* err)
{
    QStringList kept;
    for (const QString& file : files) {
        if (common::isLostArgument(file))
            writeLine(err, QStringLiteral("Kestrune: skipped, the name is not valid UTF-8: ") + common::argumentText(file));
        else
            kept.append(file);
    }
    return kept;
}

QString oneLine(QString message)
{
    return message.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

}  // namespace frontend
