// Reading and writing the settings file.
#include "common/settings_file.h"

#include "common/codepage.h"
#include "common/colors.h"
#include "common/file_open.h"
#include "common/file_ops.h"
#include "common/new_file.h"
#include "common/number_parse.h"
#include "common/number_text.h"
#include "common/path_names.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace common {

SettingsFile::SettingsFile(const QString& programDir) : lb2(programDir) {}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString DecodeTextFile(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return decodeCp932(bytes);
}

namespace {

// The first `limit` bytes of the regular file at `path`; nullopt when it
// cannot be read.
std::optional<QByteArray> readHead(const QString& path, qint64 limit)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return std::nullopt;
    QByteArray bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

}  // namespace

bool SettingsFile::read(const QString& path, bool readJwwPath)
{
    const std::optional<QByteArray> bytes = readHead(path, kMaxReadBytes);
    if (!bytes)
        return false;
    const QStringList lines = SplitTextLines(DecodeTextFile(*bytes));
    for (int k = 1; k <= kLineCount && k <= lines.size(); ++k)
        assignLine(k, lines[k - 1], readJwwPath);
    return true;
}

void SettingsFile::assignLine(int lineNo, const QString& text, bool readJwwPath)
{
    switch (lineNo) {
    case 1: Fm1x = StrToIntZero(text); break;
    case 2: Fm1y = StrToIntZero(text); break;
    case 3: Fm1w = StrToIntZero(text); break;
    case 4: Fm1h = StrToIntZero(text); break;
    case 5: case 6: case 7: case 8: case 9: rb[lineNo - 5] = StrToBoolWord(text); break;
    case 10: ed1 = text; break;
    case 11: lb1 = text; break;
    case 12: lb2 = text; break;
    case 13: Fidx = StrToIntZero(text); break;
    case 14: gstyle = text; break;
    case 15:
        if (readJwwPath)
            JwwPath = text;
        break;
    case 16: cb2 = StrToIntZero(text); break;
    case 17: cb3 = StrToIntZero(text); break;
    case 18: cb4 = StrToIntZero(text); break;
    case 19: checkOutput = StrToBoolWord(text); break;
    default: break;
    }
}

bool SettingsFile::write(const QString& path) const
{
    const QStringList lines = {
        IntText(Fm1x), IntText(Fm1y), IntText(Fm1w), IntText(Fm1h),
        BoolText(rb[0]), BoolText(rb[1]), BoolText(rb[2]), BoolText(rb[3]), BoolText(rb[4]),
        ed1, lb1, lb2, IntText(Fidx), gstyle, JwwPath,
        IntText(cb2), IntText(cb3), IntText(cb4), BoolText(checkOutput),
    };
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes.append(line.toUtf8()).append("\r\n");

    // The file says so already: nothing to write, and nothing to refuse when
    // the user made it read-only.
    if (readHead(path, bytes.size() + 1) == bytes)
        return true;
    // The per-user configuration folder does not exist before the first save.
    const QString folder = IncludeDelim(QFileInfo(path).absolutePath());
    if (!DirExistsSafe(folder) && !ForceDirsSafe(folder))
        return false;
    // A read-only file is the user's choice: it is not replaced, although
    // the folder would let a rename do it.
    if (NameTaken(path) && !QFileInfo(path).isWritable())
        return false;
    NewFile file(folder, QStringLiteral("Kestrune"));
    return file.isOpen() && file.file().write(bytes) == bytes.size() && file.finish() && file.commitReplacing(path);
}

int SettingsFile::outputChoice() const
{
    for (int i = kOutputChoices - 1; i >= 0; --i) {
        if (rb[i])
            return i;
    }
    return -1;
}

void SettingsFile::setOutputChoice(int choice)
{
    for (int i = 0; i < kOutputChoices; ++i)
        rb[i] = i == choice;
}

int SettingsFile::listIndex(int32_t index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

const QStringList& SettingsFile::colourSourceNames()
{
    static const QStringList names = {QStringLiteral("画面要素色"), QStringLiteral("プリンタ出力要素色")};
    return names;
}

const QStringList& SettingsFile::auxColourNames()
{
    return PreDefinedColourNames();
}

const QStringList& SettingsFile::auxLineTypeNames()
{
    // Entry 12 starts with the katakana ニ, as the list has always shown it.
    static const QStringList names = {
        QStringLiteral("実線"), QStringLiteral("破線"), QStringLiteral("跳び破線"),
        QStringLiteral("一点長鎖線"), QStringLiteral("二点長鎖線"), QStringLiteral("三点長鎖線"),
        QStringLiteral("点線"), QStringLiteral("一点鎖線"), QStringLiteral("二点鎖線"),
        QStringLiteral("一点短鎖線"), QStringLiteral("一点二短鎖線"), QStringLiteral("二点短鎖線"),
        QStringLiteral("ニ点二短鎖線"), QStringLiteral("三点短鎖線"), QStringLiteral("三点二短鎖線"),
    };
    return names;
}

}  // namespace common
