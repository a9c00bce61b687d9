// Splitting points into the coordinate lists of a record.
#include "worker/sfc/point_lists.h"

#include <algorithm>

namespace sfc {

PointLists firstPoints(int32_t n, std::span<const T2DPoint> points)
{
    const auto count = static_cast<size_t>(std::clamp<int64_t>(n, 0, static_cast<int64_t>(points.size())));
    PointLists lists;
    lists.xs.reserve(count);
    lists.ys.reserve(count);
    for (const T2DPoint& p : points.first(count)) {
        lists.xs.push_back(p.x);
        lists.ys.push_back(p.y);
    }
    return lists;
}

}  // namespace sfc
