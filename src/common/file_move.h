// Putting a finished file into place: without ever replacing another one,
// or, for a program's own file, replacing it in one step. The Windows
// implementation lives in file_move_win.cpp, the one for Linux and other
// POSIX systems in file_move_portable.cpp.
#pragma once

#include <QString>

namespace common {

enum class MoveResult {
    Moved,              // `to` now names the file that was `from`
    DestinationExists,  // something already has the name `to`; nothing moved
    Failed,             // any other refusal (no such file, another volume, no permission)
};

// Renames the file `from` to `to` in one step that fails when anything
// (a file, a folder, a link) already exists at `to`: two programs that
// finish files of the same name at the same time never replace each other's.
// `from` and `to` should be in the same folder. On any result but Moved,
// `from` is left where it was and `to` is untouched.
MoveResult MoveFileNoReplace(const QString& from, const QString& to);

// Renames the file `from` to `to`, replacing a file of that name in the same
// step (a reader sees the old file or the new one, never neither). False,
// with `from` left as it was, on any error.
bool MoveFileReplacing(const QString& from, const QString& to);

// Files without a name. Where the system can make them (Linux), a file is
// written without a name and given one only when it is complete, so that no
// way of stopping the program, SIGKILL included, leaves a part behind.

// Creates a file without a name in the folder `folder`, open for writing,
// and returns its handle; -1 where the system cannot (then the caller falls
// back on a temporary name). The caller closes the handle.
int OpenUnnamedFile(const QString& folder);
// Gives the file of `handle` (from OpenUnnamedFile) the name `to`, in its
// folder, in one step that fails when anything has that name already.
MoveResult NameUnnamedFile(int handle, const QString& to);
// Closes the handle of a file without a name; one that was never named is
// gone with it.
void CloseUnnamedFile(int handle);

}  // namespace common
