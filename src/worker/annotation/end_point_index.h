// An index of the end points of a group's lines, so that the recognisers
// find the lines touching a point without comparing every pair of members.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace annotation {

// Lines by position, found by either end. Two points touch when both
// coordinate differences are at most 1e-12; the index finds every such
// point, also across the border of its cells. Points that are not finite
// touch nothing and are not indexed.
class EndPointIndex {
public:
    // Indexes line `pos` (a member position) by its ends.
    void add(int32_t pos, double x1, double y1, double x2, double y2);
    // Forgets line `pos`, which must have been added with these ends.
    void remove(int32_t pos, double x1, double y1, double x2, double y2);
    // The indexed lines with an end touching (x, y), each once, in increasing
    // position. With a positive `limit` the search may stop early: it then
    // returns at least `limit` of them, not necessarily the lowest.
    std::vector<int32_t> linesAt(double x, double y, int32_t limit = 0) const;
    // The lowest indexed position with an end touching (x, y), or -1.
    int32_t firstAt(double x, double y) const;

private:
    struct Cell {
        int64_t i = 0, j = 0;
        bool operator==(const Cell&) const = default;
    };
    struct CellHash {
        std::size_t operator()(const Cell& c) const { return std::hash<int64_t>()(c.i * 0x9E3779B97F4A7C15LL ^ c.j); }
    };
    struct Entry {
        int32_t pos = 0;
        double x = 0, y = 0;
    };

    void addPoint(int32_t pos, double x, double y);
    void removePoint(int32_t pos, double x, double y);
    // Calls `visit` with every entry touching (x, y); stops when it returns false.
    template <typename Visit> void visitAt(double x, double y, Visit&& visit) const;

    std::unordered_map<Cell, std::vector<Entry>, CellHash> m_cells;
};

} // namespace annotation
