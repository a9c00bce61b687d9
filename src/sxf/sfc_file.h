// Writing a whole SFC file so that it appears only when complete, and never
// in place of a file that is already there.
#pragma once

#include "sxf/sfc_writer.h"

#include <QString>

#include <functional>

namespace sxf {

enum class SfcFileResult {
    Written,            // `fn` holds the complete file
    DestinationExists,  // a file of that name appeared while this one was written
    CannotWrite,        // the file could not be created, written or put into place
    Abandoned,          // `beforeNaming` said no
};

// Runs `body` on a writer whose bytes go to a new file in the folder of `fn`
// (common::NewFile: without a name where the system allows, so that even a
// killed run leaves nothing), then gives that file the name `fn` in one step
// that fails when anything exists at `fn` by then (another program may have
// finished a file of the same name meanwhile). Returns Written only when `fn`
// holds every byte; on any failure (the file cannot be created, `body`
// throws, a write, the final flush or the naming fails) the new file is
// gone, whatever exists at `fn` is untouched, and the result says why.
// `beforeNaming`, when given, runs once the file is complete, just before it
// is given its name (to put in place what the file refers to); when it
// returns false the file is thrown away and the result is Abandoned.
SfcFileResult writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body,
                           const std::function<bool()>& beforeNaming = {});

}  // namespace sxf
