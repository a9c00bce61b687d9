// Windows: a handle to the folder with delete access that does not share
// it: a second hold, which asks for delete access too, fails while the run
// lives, while listing and writing files inside stay possible. Windows
// closes the handle when the process ends, however it ends.
#include "common/run_folder_lock.h"

#include <QDir>

#include <windows.h>

namespace common {

RunFolderLock::RunFolderLock(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QString native = QDir::toNativeSeparators(folder);
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h != INVALID_HANDLE_VALUE)
        m_handle = reinterpret_cast<qintptr>(h);
}

void RunFolderLock::release()
{
    if (m_handle != kNone)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = kNone;
}

}  // namespace common
