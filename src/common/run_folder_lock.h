// Telling the image folder of a live run from one that a killed run left
// behind: a run holds its folder for as long as its process lives, and the
// hold ends with the process however it ends. The POSIX implementation
// (flock on the folder) lives in run_folder_lock_portable.cpp, the Windows
// one (a handle that does not share delete access) in run_folder_lock_win.cpp.
#pragma once

#include <QString>

namespace common {

class RunFolderLock {
public:
    RunFolderLock() = default;
    // Takes `folder` for this process. held() is false when another live
    // process holds it, when it cannot be opened, or when it was removed
    // meanwhile.
    explicit RunFolderLock(const QString& folder);
    // Lets the folder go.
    ~RunFolderLock();
    RunFolderLock(RunFolderLock&& other) noexcept;
    RunFolderLock& operator=(RunFolderLock&& other) noexcept;
    RunFolderLock(const RunFolderLock&) = delete;
    RunFolderLock& operator=(const RunFolderLock&) = delete;

    bool held() const { return m_handle != kNone; }
    // Lets the folder go now (on Windows a held folder cannot be removed).
    void release();

private:
    static constexpr qintptr kNone = -1;
    qintptr m_handle = kNone;
};

}  // namespace common
