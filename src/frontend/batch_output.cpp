// Output-folder choice and destination naming.
#include "frontend/batch_output.h"

#include "common/file_ops.h"
#include "common/path_names.h"

#include <QFileInfo>

namespace frontend {

OutputChoice outputChoiceFromIndex(int index)
{
    switch (index) {
    case 0: return OutputChoice::Desktop;
    case 1: return OutputChoice::Documents;
    case 2: return OutputChoice::BesideSource;
    case 3: return OutputChoice::Specified;
    default: return OutputChoice::AskEachTime;
    }
}

SettledOutput settleOutput(OutputChoice choice, const QString& specifiedFolder, const SystemFolders& folders)
{
    SettledOutput out;
    QString folder;
    switch (choice) {
    case OutputChoice::Desktop:
        folder = folders.desktop;
        break;
    case OutputChoice::Documents:
        folder = folders.documents;
        break;
    case OutputChoice::Specified:
        folder = specifiedFolder;
        break;
    case OutputChoice::BesideSource:
        out.status = SettledOutput::Status::Ready;
        out.target.besideSource = true;
        return out;
    case OutputChoice::AskEachTime:
        out.status = SettledOutput::Status::MustAsk;
        return out;
    }
    out.folder = common::IncludeDelim(folder);
    // An empty text would send every file to the root folder; treat it like
    // a folder that does not exist.
    if (folder.isEmpty() || !common::DirExistsSafe(out.folder)) {
        out.status = SettledOutput::Status::MissingFolder;
        return out;
    }
    out.status = SettledOutput::Status::Ready;
    out.target.folder = out.folder;
    return out;
}

OutputFormat outputFormatFromIndex(int index)
{
    switch (index) {
    case 1: return OutputFormat::P21;
    case 2: return OutputFormat::Both;
    default: return OutputFormat::Sfc;
    }
}

QStringList formatExtensions(OutputFormat format)
{
    switch (format) {
    case OutputFormat::P21: return {QStringLiteral(".p21")};
    case OutputFormat::Both: return {QStringLiteral(".sfc"), QStringLiteral(".p21")};
    case OutputFormat::Sfc: break;
    }
    return {QStringLiteral(".sfc")};
}

QString missingFolderMessage(const QString& folder)
{
    return QStringLiteral("指定したフォルダが見つかりません。\r\n") + folder;
}

QString destinationFor(const QString& source, const OutputTarget& target,
                       const std::function<bool(const QString&)>& isTaken)
{
    const QString name = common::ExtractName(source);
    if (name.isEmpty())
        return {};
    const QString base = target.besideSource ? source : target.folder + name;
    const QStringList extensions = formatExtensions(target.format);
    const QString dst = common::ReplaceExt(base, extensions.first());
    if (dst.isEmpty())
        return {};
    if (extensions.size() == 1)
        return isTaken ? common::UniqueFileName(dst, isTaken) : common::UniqueFileName(dst);
    // One name for both files: a candidate is taken when either file is.
    return common::UniqueFileName(dst, [&](const QString& candidate) {
        for (const QString& extension : extensions) {
            const QString path = common::ReplaceExt(candidate, extension);
            if (isTaken ? isTaken(path) : QFileInfo::exists(path))
                return true;
        }
        return false;
    });
}

QStringList destinationsOf(const QString& destination, OutputFormat format)
{
    if (destination.isEmpty())
        return {};
    QStringList paths;
    for (const QString& extension : formatExtensions(format))
        paths.append(common::ReplaceExt(destination, extension));
    return paths;
}

}  // namespace frontend
