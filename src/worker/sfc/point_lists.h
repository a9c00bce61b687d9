// The vertex lists of polylines, labels and balloons: every x first, then
// every y, as those features write them.
#pragma once

#include "worker/sfc/feature_types.h"

#include <cstdint>
#include <span>
#include <vector>

namespace sfc {

struct PointLists {
    std::vector<double> xs;
    std::vector<double> ys;
};

// The coordinates of the first `n` of `points`. Fewer when `points` is
// shorter than `n`, none when `n` is negative; the size of `xs` is the count
// a record must state.
PointLists firstPoints(int32_t n, std::span<const T2DPoint> points);

}  // namespace sfc
