// Putting a finished file into place without ever replacing another one.
// The Windows implementation lives in file_move_win.cpp, the one for Linux
// and other POSIX systems in file_move_portable.cpp.
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

}  // namespace common
