// Finding and loading the reference list. Both files belong to Jw_cad and
// are read in its code page (UTF-8 only after a byte-order mark).
#include "worker/reference_list.h"

#include "common/file_ops.h"
#include "common/file_read.h"
#include "common/path_names.h"
#include "common/settings_file.h"
#include "common/text_slice.h"
#include "worker/platform.h"


#include <optional>

namespace worker {
namespace {

const QString kJwSettingsName = QStringLiteral("Jw_win.jwf");

// The lines of a text file; nullopt when it cannot be read.
std::optional<QStringList> readLines(const QString& path)
{
    if (!common::FileExistsSafe(path))
        return std::nullopt;
    QByteArray bytes;
    if (common::ReadRegularFile(path, bytes) != common::ReadFailure::None)
        return std::nullopt;
    return common::SplitTextLines(common::DecodeTextFile(bytes));
}

// The line without blanks and control characters at either end. Only
// U+0020 and below count: an ideographic space is kept.
QString trimLine(const QString& line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && line[end - 1].unicode() <= 0x20)
        --end;
    return line.mid(begin, end - begin);
}

}  // namespace

QStringList JwSettingsCandidates(const QString& exeDir, const QString& jwwPath)
{
    QStringList candidates{exeDir + kJwSettingsName};
    if (!common::IsBlank(jwwPath))
        candidates.append(jwwPath + kJwSettingsName);
    candidates.append(fixedJwSettingsFiles());
    return candidates;
}

QString GetRefFileName(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        if (!common::FileExistsSafe(path))
            continue;
        const std::optional<QStringList> lines = readLines(path);
        if (!lines)
            return {};
        for (const QString& line : *lines) {
            const QString t = trimLine(line);
            if (common::IsBlank(t))
                continue;
            if (t.startsWith(u"END"))
                return {};
            for (const QStringView key : {u"REF_FILE=", u"REF_FILE =", u"REF_FILE  ="}) {
                if (t.startsWith(key))
                    return trimLine(t.mid(key.size()));
            }
        }
        return {};
    }
    return {};
}

std::vector<text::TStr2List> RefFileOpen(const QString& refFileName, const QString& jwwFileName,
                                         const QString& exeDir)
{
    std::vector<text::TStr2List> list;
    if (refFileName.isEmpty())
        return list;
    QString folder = common::ExtractDir(refFileName);
    if (folder.isEmpty())
        folder = jwwFileName.isEmpty() ? exeDir : common::ExtractDir(jwwFileName);
    const std::optional<QStringList> lines = readLines(folder + common::ExtractName(refFileName));
    if (!lines)
        return list;
    for (const QString& line : *lines) {
        const QString t = trimLine(line);
        const qsizetype tab = t.indexOf(u'\t');
        if (common::IsBlank(t) || tab < 0)
            continue;
        const QString name = t.left(tab);
        if (!name.isEmpty() && name == common::StripBlanks(name) && name.startsWith(u"%%"))
            list.push_back({name, common::StripControls(QStringView(t).mid(tab + 1))});
    }
    return list;
}

}  // namespace worker
