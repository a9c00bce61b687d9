// The feature number (#n) of a drawing's features, whatever their kind.
#pragma once

#include "sxf/drawing.h"

namespace render {

// The number of Drawing::features[index] as its file gave it; 0 for an
// index out of range or a feature made in memory.
int32_t featureNumber(const sxf::Drawing& drawing, int32_t index);

// The index in Drawing::features of the feature numbered `number`;
// sxf::kNone when none has it.
int32_t featureWithNumber(const sxf::Drawing& drawing, int32_t number);

}  // namespace render
