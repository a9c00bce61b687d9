// Which stored image names may become files in the image folder.
#pragma once

#include <QString>

namespace jww {

// True when `name` ends in ".gz" (the extension compared in lower case).
bool isGzImageName(const QString& name);

// True when `name` is a plain file name that stays inside the image folder
// on every platform: not empty, not "." or "..", no "/", "\" or ":" (a drive
// or stream), no control or other invalid characters, no trailing dot or
// blank, and not a device name such as "CON" or "LPT1". A drawing is input
// from anywhere; only such names are ever written, inflated or deleted.
bool isPlainImageName(const QString& name);

}  // namespace jww
