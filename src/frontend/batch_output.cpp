// Output-folder choice and destination naming.
#include "frontend/batch_output.h"

#include "common/file_ops.h"
#include "common/path_names.h"

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

QString defaultAskFolder(const QString& programDir, bool programDirWritable, const QString& documentsFolder)
{
    if (programDirWritable || documentsFolder.isEmpty())
        return programDir;
    return common::IncludeDelim(documentsFolder);
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
    const QString dst = common::ReplaceExt(base, u".sfc");
    if (dst.isEmpty())
        return {};
    return isTaken ? common::UniqueFileName(dst, isTaken) : common::UniqueFileName(dst);
}

}  // namespace frontend
