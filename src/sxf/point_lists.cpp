// Splitting points into the coordinate lists of a record.
#include "sxf/point_lists.h"

#include <algorithm>

namespace sxf {

void appendPointLists(FeatureRecord& args, int32_t n, std::span<const T2DPoint> points, int decimals)
{
    const auto count = static_cast<size_t>(std::clamp<int64_t>(n, 0, static_cast<int64_t>(points.size())));
    args.integer(static_cast<int64_t>(count));
    args.realList(count, [points](size_t i) { return points[i].x; }, decimals);
    args.realList(count, [points](size_t i) { return points[i].y; }, decimals);
}

}  // namespace sxf
