// Writing a whole SFC file so that it appears only when complete.
#pragma once

#include "worker/sfc/sfc_writer.h"

#include <QString>

#include <functional>

namespace sfc {

// Runs `body` on a writer whose bytes go to a temporary file in the folder of
// `fn`; renames it to `fn` when `body` returns and every byte was written.
// Returns true when `fn` was written. On any failure (the file cannot be
// created, `body` throws, a write or the rename fails) neither `fn` nor the
// temporary file is left behind, and false is returned.
bool writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body);

}  // namespace sfc
