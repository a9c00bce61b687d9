// Builds sxf::Drawing values in memory for the rule-check tests: numbers and
// lines as a file written in this system's record form would give them, and
// features whose values pass every rule until a test changes one.
#pragma once

#include "sxf/drawing.h"

#include <vector>

namespace sxftest {

class DrawingBuilder {
public:
    // A drawing with the header of this system's files and one entry in each
    // table (layer "A", black, continuous, width 0.13, one font), all code 1.
    DrawingBuilder();

    // The Origin of the next record: #10 on line 16, then every 10 and 4.
    sxf::Origin next();

    // Appends a feature of `kind` to `items` and to the file order; returns
    // its number.
    template <typename T>
    int32_t add(sxf::FeatureKind kind, std::vector<T>& items, T feature)
    {
        feature.at = next();
        items.push_back(feature);
        d.features.push_back({kind, int32_t(items.size()) - 1});
        return feature.at.number;
    }

    // Assembly records closing the features added since the last one; each
    // returns its number.
    int32_t symbol(const QString& name, int32_t flag);
    int32_t curve();
    int32_t sheet(int32_t kind = 9, int32_t orientation = 1, double x = 420, double y = 297);

    // Valid features with attributes 1, 1, 1, 1.
    static sxf::LineFeature line(double x1 = 0, double y1 = 0, double x2 = 10, double y2 = 0);
    static sxf::ArcFeature arc();
    static sxf::TextFeature text();
    static sxf::PolylineFeature polyline(const std::vector<sxf::T2DPoint>& points);
    static sxf::LinearDimFeature linearDim();
    static sxf::ArcDimFeature arcDim();
    static sxf::LabelFeature label();
    static sxf::SymbolPlacementFeature placement(const QString& name);
    static sxf::FillColourFeature fill(int32_t outer, const std::vector<int32_t>& holes = {});

    sxf::Drawing d;

private:
    sxf::FeatureRange takeMembers();

    int32_t m_number = 0;
    int32_t m_line = 12;
    int32_t m_closed = 0;  // features already closed by an assembly record
};

}  // namespace sxftest
