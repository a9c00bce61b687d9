// The vertex lists of polylines, labels and balloons: every x first, then
// every y, as those features write them.
#pragma once

#include "sxf/feature_types.h"
#include "sxf/sfc_writer.h"

#include <cstdint>
#include <span>

namespace sxf {

// Appends the count of the first `n` of `points`, the list of their x and
// the list of their y, each with `decimals`. Fewer when `points` is shorter
// than `n`, none when `n` is negative: the count always matches the lists.
void appendPointLists(FeatureRecord& args, int32_t n, std::span<const T2DPoint> points, int decimals);

}  // namespace sxf
