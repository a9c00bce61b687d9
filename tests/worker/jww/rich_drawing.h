// A drawing that uses every part of the file format: every header row with
// values of its own, every entity kind with its optional parts, nested block
// definitions and embedded images.
#pragma once

#include "tests/support/jww_builder.h"
#include "worker/jww/jww_data.h"

namespace testsupport {

// Fills `d` with the drawing for file version `version` and `options` with
// the data of its images (stored from version 700 on).
void buildRichDrawing(jww::TJwwData& d, int32_t version, JwwWriteOptions& options);

// Turns the drawing `d` into what reading its file back gives for its
// version: the fields the version does not store take their defaults, the
// derived values are set and the insert tree is built.
void expectReadBack(jww::TJwwData& d);

}  // namespace testsupport
