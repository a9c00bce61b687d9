// Registered open command to Jw_cad folder.
#include "frontend/jww_folder.h"

#include "common/text_slice.h"

#include <algorithm>

namespace frontend {

QString programFromOpenCommand(const QString& command)
{
    if (command.startsWith(u'"')) {
        // A quoted path may hold blanks ("C:\Program Files\..."): cutting it
        // at the first blank would name the wrong folder.
        const qsizetype close = command.indexOf(u'"', 1);
        return close < 0 ? command.mid(1) : command.mid(1, close - 1);
    }
    const qsizetype blank = command.indexOf(u' ');
    return blank < 0 ? command : command.left(blank);
}

QString jwwFolderFromProgram(const QString& program)
{
    // A Windows path whatever system reads it: the registry and Jw_cad's
    // default folder are Windows things, where both separators count.
    const QString path = program.isEmpty() ? QStringLiteral("C:\\JWW\\JW_WIN.EXE") : program;
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return cut < 0 || common::IsBlank(path) ? QString() : path.left(cut + 1);
}

}  // namespace frontend
