// Drawings made in memory for the writer tests: tables, features and the
// assemblies that close them, as a reader would fill sxf::Drawing.
#pragma once

#include "sxf/drawing.h"

#include <QString>

#include <vector>

namespace p21test {

class P21DrawingBuilder {
public:
    // An empty drawing: no tables, features or assemblies.
    P21DrawingBuilder() = default;

    P21DrawingBuilder& layer(const QString& name, int32_t flag = 1)
    {
        d.layers.push_back({{}, name, flag, int32_t(d.layers.size()) + 1});
        return *this;
    }
    // A pre-defined colour with its code.
    P21DrawingBuilder& colour(const QString& name, int32_t code)
    {
        d.colours.push_back({{}, true, name, 0, 0, 0, code});
        return *this;
    }
    P21DrawingBuilder& userColour(int32_t r, int32_t g, int32_t b, int32_t code)
    {
        d.colours.push_back({{}, false, {}, r, g, b, code});
        return *this;
    }
    P21DrawingBuilder& lineType(const QString& name, int32_t code)
    {
        d.lineTypes.push_back({{}, true, name, 0, {}, code});
        return *this;
    }
    P21DrawingBuilder& userLineType(const QString& name, std::vector<double> pitches, int32_t code)
    {
        d.lineTypes.push_back({{}, false, name, int32_t(pitches.size()), std::move(pitches), code});
        return *this;
    }
    P21DrawingBuilder& width(double w, int32_t code)
    {
        d.widths.push_back({{}, w, code});
        return *this;
    }
    P21DrawingBuilder& font(const QString& name)
    {
        d.fonts.push_back({{}, name, int32_t(d.fonts.size()) + 1});
        return *this;
    }

    // Appends `f` of `kind` to `features` (the drawing's vector of that
    // kind) and to the file order.
    template <typename F>
    P21DrawingBuilder& add(sxf::FeatureKind kind, std::vector<F>& features, F f)
    {
        features.push_back(std::move(f));
        d.features.push_back({kind, int32_t(features.size()) - 1});
        return *this;
    }

    // Assembly records close the features added since the previous one.
    P21DrawingBuilder& curve(int32_t colour, int32_t lineType, int32_t width, int32_t flag)
    {
        sxf::CompositeCurve c;
        c.colour = colour;
        c.lineType = lineType;
        c.width = width;
        c.flag = flag;
        c.segments = open();
        d.curves.push_back(c);
        d.assemblies.push_back({sxf::AssemblyKind::Curve, int32_t(d.curves.size()) - 1});
        return *this;
    }
    P21DrawingBuilder& symbol(const QString& name, int32_t flag)
    {
        sxf::Symbol s;
        s.name = name;
        s.flag = flag;
        s.members = open();
        d.symbols.push_back(s);
        d.assemblies.push_back({sxf::AssemblyKind::Symbol, int32_t(d.symbols.size()) - 1});
        return *this;
    }
    P21DrawingBuilder& sheet(const QString& name, int32_t kind = 3, int32_t orientation = 1, double x = 420,
                          double y = 297)
    {
        sxf::Sheet s;
        s.name = name;
        s.kind = kind;
        s.orientation = orientation;
        s.x = x;
        s.y = y;
        s.members = open();
        d.sheets.push_back(s);
        d.assemblies.push_back({sxf::AssemblyKind::Sheet, int32_t(d.sheets.size()) - 1});
        return *this;
    }

    sxf::Drawing d;

private:
    // The features since the last assembly record.
    sxf::FeatureRange open()
    {
        const sxf::FeatureRange r{m_closed, int32_t(d.features.size()) - m_closed};
        m_closed = int32_t(d.features.size());
        return r;
    }

    int32_t m_closed = 0;
};

}  // namespace p21test
