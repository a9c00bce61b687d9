// Cells of 1/64 drawing unit: coarse enough that a touching point lies in
// the same cell or a neighbour, fine enough that a cell holds few points.
#include "worker/annotation/end_point_index.h"

#include "common/number_parse.h"

#include <algorithm>
#include <cmath>

namespace annotation {
namespace {

constexpr double kCellsPerUnit = 64;
constexpr double kTouch = 1e-12;
// Beyond this magnitude every coordinate shares the outermost cell, so that
// the cell number stays an integer; the comparison of the points decides.
constexpr double kLimit = 1e15;

int64_t cellOf(double v)
{
    return static_cast<int64_t>(std::floor(std::clamp(v, -kLimit, kLimit) * kCellsPerUnit));
}

bool finite(double x, double y)
{
    return std::isfinite(x) && std::isfinite(y);
}

} // namespace

void EndPointIndex::add(int32_t pos, double x1, double y1, double x2, double y2)
{
    addPoint(pos, x1, y1);
    if (x1 != x2 || y1 != y2)
        addPoint(pos, x2, y2);
}

void EndPointIndex::remove(int32_t pos, double x1, double y1, double x2, double y2)
{
    removePoint(pos, x1, y1);
    if (x1 != x2 || y1 != y2)
        removePoint(pos, x2, y2);
}

void EndPointIndex::addPoint(int32_t pos, double x, double y)
{
    if (finite(x, y))
        m_cells[Cell {cellOf(x), cellOf(y)}].push_back({pos, x, y});
}

void EndPointIndex::removePoint(int32_t pos, double x, double y)
{
    if (!finite(x, y))
        return;
    const auto it = m_cells.find(Cell {cellOf(x), cellOf(y)});
    if (it == m_cells.end())
        return;
    std::vector<Entry>& entries = it->second;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].pos == pos && entries[k].x == x && entries[k].y == y) {
            entries[k] = entries.back();
            entries.pop_back();
            return;
        }
    }
}

template <typename Visit> void EndPointIndex::visitAt(double x, double y, Visit&& visit) const
{
    if (!finite(x, y))
        return;
    const int64_t i0 = cellOf(x - kTouch), i1 = cellOf(x + kTouch);
    const int64_t j0 = cellOf(y - kTouch), j1 = cellOf(y + kTouch);
    for (int64_t i = i0; i <= i1; ++i) {
        for (int64_t j = j0; j <= j1; ++j) {
            const auto it = m_cells.find(Cell {i, j});
            if (it == m_cells.end())
                continue;
            for (const Entry& e : it->second) {
                if (common::SamePoint(e.x, e.y, x, y) && !visit(e.pos))
                    return;
            }
        }
    }
}

std::vector<int32_t> EndPointIndex::linesAt(double x, double y, int32_t limit) const
{
    std::vector<int32_t> out;
    // A line is indexed by at most two points, so 2 * limit entries hold at
    // least `limit` lines.
    const size_t enough = limit > 0 ? 2 * static_cast<size_t>(limit) : 0;
    visitAt(x, y, [&](int32_t pos) {
        out.push_back(pos);
        return enough == 0 || out.size() < enough;
    });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

int32_t EndPointIndex::firstAt(double x, double y) const
{
    int32_t first = -1;
    visitAt(x, y, [&](int32_t pos) {
        if (first < 0 || pos < first)
            first = pos;
        return true;
    });
    return first;
}

} // namespace annotation
