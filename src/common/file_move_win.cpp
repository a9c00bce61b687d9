// Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING fails on an
// existing name.
#include "common/file_move.h"

#include <QDir>

#include <windows.h>

namespace common {

MoveResult MoveFileNoReplace(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty())
        return MoveResult::Failed;
    const QString f = QDir::toNativeSeparators(from);
    const QString t = QDir::toNativeSeparators(to);
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(f.utf16()), reinterpret_cast<LPCWSTR>(t.utf16()), 0))
        return MoveResult::Moved;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveResult::DestinationExists
                                                                        : MoveResult::Failed;
}

}  // namespace common
