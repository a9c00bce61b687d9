// What the parts of the P21 reader share while they read one file: the
// parsed instances, the drawing being filled, the report, what the tables
// made of each instance, and the budget that keeps the model in proportion
// to the file.
#pragma once

#include "sxf/drawing.h"
#include "sxf/p21_data.h"
#include "sxf/p21_report.h"
#include "sxf/p21_walk.h"
#include "sxf/table_codes.h"

#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace sxf {

// layerOf value of an item on the hidden layer of symbol placements.
constexpr int32_t kP21HiddenLayer = -2;

struct P21Context {
    P21Context(const P21Data& d, Drawing& dr, P21Report& r)
        : data(d), drawing(dr), report(r), entry(d.instances.size(), kNone), layerOf(d.instances.size(), kNone),
          invisible(d.instances.size(), 0), used(d.instances.size(), 0), budget(d.bytes.size())
    {
    }

    const P21Data& data;
    Drawing& drawing;
    P21Report& report;
    // Per instance: the index of the table entry it defines in the drawing's
    // colours, lineTypes, widths or fonts (by its entity), or kNone.
    std::vector<int32_t> entry;
    // Per instance: the index in drawing.layers of the layer that lists it,
    // kP21HiddenLayer, or kNone.
    std::vector<int32_t> layerOf;
    // The codes of the table entries read.
    TableCodes codes;
    // Per instance: listed in an INVISIBILITY instance.
    std::vector<uint8_t> invisible;
    // Per instance: already read as an item (an item listed twice is read
    // once).
    std::vector<uint8_t> used;
    // The drawing's symbol of each SYMBOL_REPRESENTATION_MAP instance, and
    // its composite curve of each COMPOSITE_CURVE instance.
    std::unordered_map<int32_t, int32_t> symbolOf;
    std::unordered_map<int32_t, int32_t> curveOf;
    // Set when the official reader would give up on the whole file.
    QString fatal;

    // What points, pitches and characters the model may still take. A file
    // of n bytes cannot honestly describe more than n points, every point
    // taking at least a reference in a list, nor more text than it holds:
    // a file that reuses one list or text many times would otherwise make a
    // model out of all proportion to its size. Walks take from it.
    int64_t budget;
    bool spent() const { return budget < 0; }
    P21Walk walk() { return P21Walk(data, &budget); }
};

// Where an instance stands in the file, as the model keeps it.
inline Origin p21Origin(const P21Instance& at)
{
    return Origin {at.number <= INT32_MAX ? static_cast<int32_t>(at.number) : 0, at.line};
}

// Appends feature `f` of `kind` to its vector and to the drawing's order.
template <typename Feature>
void appendFeature(Drawing& d, FeatureKind kind, std::vector<Feature>& list, Feature f)
{
    d.features.push_back(FeatureRef {kind, static_cast<int32_t>(list.size())});
    list.push_back(std::move(f));
}

}  // namespace sxf
