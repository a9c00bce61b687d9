// What every platform's folder lock shares: giving the hold away and ending it.
#include "common/run_folder_lock.h"

namespace common {

RunFolderLock::~RunFolderLock()
{
    release();
}

RunFolderLock::RunFolderLock(RunFolderLock&& other) noexcept : m_handle(other.m_handle)
{
    other.m_handle = kNone;
}

RunFolderLock& RunFolderLock::operator=(RunFolderLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_handle = other.m_handle;
        other.m_handle = kNone;
    }
    return *this;
}

}  // namespace common
