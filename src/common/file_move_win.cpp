// Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING fails on an
// existing name, with it replaces in one step. Windows has no files without
// a name: callers use temporary names there.
#include "common/file_move.h"

#include <QDir>

#include <windows.h>

namespace common {

namespace {

bool moveFile(const QString& from, const QString& to, DWORD flags)
{
    const QString f = QDir::toNativeSeparators(from);
    const QString t = QDir::toNativeSeparators(to);
    return MoveFileExW(reinterpret_cast<LPCWSTR>(f.utf16()), reinterpret_cast<LPCWSTR>(t.utf16()), flags);
}

}  // namespace

MoveResult MoveFileNoReplace(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty())
        return MoveResult::Failed;
    if (moveFile(from, to, 0))
        return MoveResult::Moved;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveResult::DestinationExists
                                                                        : MoveResult::Failed;
}

bool MoveFileReplacing(const QString& from, const QString& to)
{
    return !from.isEmpty() && !to.isEmpty() && moveFile(from, to, MOVEFILE_REPLACE_EXISTING);
}

int OpenUnnamedFile(const QString&)
{
    return -1;
}

MoveResult NameUnnamedFile(int, const QString&)
{
    return MoveResult::Failed;
}

void CloseUnnamedFile(int) {}

}  // namespace common
