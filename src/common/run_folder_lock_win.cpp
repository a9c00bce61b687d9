// Windows: a handle to the folder that shares nothing, so that no other
// process can open the folder while the run lives; Windows closes it when
// the process ends, however it ends.
#include "common/run_folder_lock.h"

#include <QDir>

#include <windows.h>

namespace common {

RunFolderLock::RunFolderLock(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QString native = QDir::toNativeSeparators(folder);
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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
