// The image symbols and their placements: each accepted image becomes a
// symbol holding the rectangle the image covers, placed once where it lies.
#pragma once

#include "worker/convert/conversion_context.h"
#include "worker/convert/image_source.h"

#include <QString>

#include <vector>

namespace convert {

// The symbol name of image k (1-based) whose file beside the output is
// `targetName`: "$$ATRU$$" 100 + k "$$画像" k "$$画像$$" targetName.
QString imageSymbolName(int k, const QString& targetName);

// Writes, for each image in order, its frame as a polyline (colour, line
// type and width 1) on the layer of the image and the symbol that closes it
// (kind 3). The frame lies at its final place on the sheet: a top-level
// image at its start point moved to the paper centre, a block member through
// its insertion's transform.
void procSfcDataImageDef(ConversionContext& ctx, const std::vector<AcceptedImage>& images);

// Places each image symbol on layer 0 at (0, 0), angle 0, scale 1.
void procSfcDataImages(ConversionContext& ctx, const std::vector<AcceptedImage>& images);

}  // namespace convert
