// Path text functions.
#include "common/path_names.h"

#include "common/text_slice.h"

namespace common {
namespace {

// Windows takes both "\\" and "/" between names. Elsewhere only "/" does: a
// backslash is an ordinary character of a file name there, and a name that
// holds one must not be cut in two.
bool isDelim(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}

qsizetype lastDelim(QStringView path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isDelim(path[i]))
            return i;
    }
    return -1;
}

// Index of the extension's dot, or -1.
qsizetype extensionDot(QStringView path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > lastDelim(path) ? dot : -1;
}

}  // namespace

QChar PathDelimChar()
{
#ifdef Q_OS_WIN
    return u'\\';
#else
    return u'/';
#endif
}

bool IsInvalidPath(QStringView path)
{
    for (QChar c : path) {
#ifdef Q_OS_WIN
        if (c.unicode() < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|')
            return true;
#else
        // Every other character, a tab or a line feed included, may be part
        // of a file name; a NUL would end the name early in the system call.
        if (c.unicode() == 0)
            return true;
#endif
    }
    return false;
}

QString IncludeDelim(QStringView path)
{
    if (!path.isEmpty() && isDelim(path.back()))
        return path.toString();
    return path.toString() + PathDelimChar();
}

QStringList SplitPath(QStringView path)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i == path.size() || isDelim(path[i])) {
            if (i > start)
                parts.append(path.mid(start, i - start).toString());
            start = i + 1;
        }
    }
    return parts;
}

QString ExtractDir(QStringView path)
{
    if (IsBlank(path) || IsInvalidPath(path))
        return {};
    const qsizetype d = lastDelim(path);
    return d < 0 ? QString() : path.left(d + 1).toString();
}

QString ExtractName(QStringView path)
{
    if (IsBlank(path) || IsInvalidPath(path))
        return {};
    return path.mid(lastDelim(path) + 1).toString();
}

QString ExtractExtLower(QStringView path)
{
    if (path.isEmpty() || IsInvalidPath(path))
        return {};
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : LowerText(path.mid(dot));
}

QString ReplaceExt(QStringView path, QStringView ext)
{
    if (path.isEmpty() || IsInvalidPath(path))
        return {};
    const qsizetype dot = extensionDot(path);
    return (dot < 0 ? path : path.left(dot)).toString() + ext.toString();
}

}  // namespace common
