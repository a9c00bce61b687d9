// Writing a whole SFC (or P21) file so that it appears only when complete,
// and never in place of a file that is already there.
#pragma once

#include "common/new_file.h"
#include "sxf/sfc_writer.h"

#include <QString>

#include <functional>
#include <memory>

namespace sxf {

enum class SfcFileResult {
    Written,            // `fn` holds the complete file
    DestinationExists,  // a file of that name appeared while this one was written
    CannotWrite,        // the file could not be created, written or put into place
};

// Runs `body` on a writer whose bytes go to a new file in the folder of `fn`
// (common::NewFile: without a name where the system allows, so that even a
// killed run leaves nothing) and finishes that file. Returns it, complete
// and not yet named, to be given the name `fn` (NewFile::commit, alone or
// with other files: common::NewFileGroup). Returns nullptr, leaving
// nothing, when the file cannot be created, `body` throws, or a write or the
// final flush fails.
std::unique_ptr<common::NewFile> writeUnnamedFile(const QString& fn, const std::function<void(SfcWriter&)>& body);

// writeUnnamedFile, then gives the file the name `fn` in one step that fails
// when anything exists at `fn` by then (another program may have finished a
// file of the same name meanwhile). Returns Written only when `fn` holds
// every byte; on any failure the new file is gone, whatever exists at `fn`
// is untouched, and the result says why.
SfcFileResult writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body);

}  // namespace sxf
