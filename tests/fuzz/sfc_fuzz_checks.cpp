// The promises of the SFC reader checked on every fuzz input.
#include "tests/fuzz/sfc_fuzz_checks.h"

#include "sxf/finding_sink.h"
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"

#include <QBuffer>

namespace fuzzing {
namespace {

using namespace sxf;

class ModelCheck {
public:
    ModelCheck(const Drawing& d, QStringList& problems) : m_d(d), m_problems(problems) {}

    void run()
    {
        features();
        assemblies();
        for (const FeatureRef& f : m_d.features)
            references(f);
        for (const CompositeCurve& c : m_d.curves)
            style(c.colour, c.lineType, c.width, c.refs, "composite curve");
    }

private:
    template <typename T>
    bool inRange(const std::vector<T>& list, int32_t i)
    {
        return i >= 0 && static_cast<size_t>(i) < list.size();
    }

    void problem(const QString& text)
    {
        if (m_problems.size() < 10)
            m_problems << text;
    }

    size_t sizeOf(FeatureKind kind) const
    {
        switch (kind) {
        case FeatureKind::PointMarker: return m_d.pointMarkers.size();
        case FeatureKind::Line: return m_d.lines.size();
        case FeatureKind::Polyline: return m_d.polylines.size();
        case FeatureKind::Circle: return m_d.circles.size();
        case FeatureKind::Arc: return m_d.arcs.size();
        case FeatureKind::Ellipse: return m_d.ellipses.size();
        case FeatureKind::EllipseArc: return m_d.ellipseArcs.size();
        case FeatureKind::Text: return m_d.texts.size();
        case FeatureKind::Spline: return m_d.splines.size();
        case FeatureKind::Clothoid: return m_d.clothoids.size();
        case FeatureKind::SymbolPlacement: return m_d.placements.size();
        case FeatureKind::ExternalSymbol: return m_d.externalSymbols.size();
        case FeatureKind::FillColour: return m_d.fillColours.size();
        case FeatureKind::ExternalHatch: return m_d.externalHatches.size();
        case FeatureKind::Hatching: return m_d.hatchings.size();
        case FeatureKind::Tiles: return m_d.tiles.size();
        case FeatureKind::LinearDim: return m_d.linearDims.size();
        case FeatureKind::CurveDim:
        case FeatureKind::AngularDim: return m_d.arcDims.size();
        case FeatureKind::RadiusDim: return m_d.radiusDims.size();
        case FeatureKind::DiameterDim: return m_d.diameterDims.size();
        case FeatureKind::Label:
        case FeatureKind::Balloon: return m_d.labels.size();
        case FeatureKind::Attribute: return m_d.attributes.size();
        }
        return 0;
    }

    // Curve and angular dimensions share one list, as do labels and
    // balloons.
    static FeatureKind listOf(FeatureKind kind)
    {
        return kind == FeatureKind::AngularDim ? FeatureKind::CurveDim
               : kind == FeatureKind::Balloon  ? FeatureKind::Label
                                               : kind;
    }

    // Every entry of every feature list is named exactly once, in order.
    void features()
    {
        constexpr auto kKinds = static_cast<size_t>(FeatureKind::Attribute) + 1;
        std::vector<int32_t> next(kKinds, 0);
        for (const FeatureRef& f : m_d.features) {
            int32_t& order = next[static_cast<size_t>(listOf(f.kind))];
            if (f.index != order)
                problem(QStringLiteral("feature %1 of kind %2 out of order").arg(f.index).arg(int(f.kind)));
            ++order;
        }
        for (size_t k = 0; k < kKinds; ++k) {
            const auto kind = static_cast<FeatureKind>(k);
            if (listOf(kind) == kind && static_cast<size_t>(next[k]) != sizeOf(kind))
                problem(QStringLiteral("%1 features of kind %2 named, %3 stored").arg(next[k]).arg(k).arg(sizeOf(kind)));
        }
    }

    // The members of the assemblies follow each other without gaps.
    void assemblies()
    {
        int32_t next = 0;
        for (const AssemblyRef& a : m_d.assemblies) {
            FeatureRange r;
            if (a.kind == AssemblyKind::Sheet && inRange(m_d.sheets, a.index))
                r = m_d.sheets[static_cast<size_t>(a.index)].members;
            else if (a.kind == AssemblyKind::Symbol && inRange(m_d.symbols, a.index))
                r = m_d.symbols[static_cast<size_t>(a.index)].members;
            else if (a.kind == AssemblyKind::Curve && inRange(m_d.curves, a.index))
                r = m_d.curves[static_cast<size_t>(a.index)].segments;
            else
                problem(QStringLiteral("assembly %1 of kind %2 does not exist").arg(a.index).arg(int(a.kind)));
            if (r.first != next || r.count < 0 || static_cast<size_t>(r.first + r.count) > m_d.features.size())
                problem(QStringLiteral("assembly members [%1, +%2) after %3").arg(r.first).arg(r.count).arg(next));
            next = r.first + r.count;
        }
        if (m_d.assemblies.size() != m_d.sheets.size() + m_d.symbols.size() + m_d.curves.size())
            problem(QStringLiteral("assemblies not all listed"));
    }

    // A resolved reference names an entry of the number used.
    template <typename Entry>
    void entry(const std::vector<Entry>& table, int32_t index, int32_t code, const char* what)
    {
        if (index == kNone)
            return;
        if (!inRange(table, index) || table[static_cast<size_t>(index)].code != code)
            problem(QStringLiteral("%1 %2 resolved to entry %3").arg(QLatin1String(what)).arg(code).arg(index));
    }

    void style(int32_t colour, int32_t lineType, int32_t width, const TableRefs& refs, const char* what)
    {
        entry(m_d.colours, refs.colour, colour, what);
        entry(m_d.lineTypes, refs.lineType, lineType, what);
        entry(m_d.widths, refs.width, width, what);
    }

    void attr(const SfcAttr& a, const TableRefs& refs)
    {
        entry(m_d.layers, refs.layer, a.layer, "layer");
        style(a.colour, a.lineType, a.width, refs, "feature");
    }

    void boundary(const FillBoundary& b)
    {
        if (b.outerCurve != kNone && b.outerCurve != b.outer - 1)
            problem(QStringLiteral("curve %1 resolved to %2").arg(b.outer).arg(b.outerCurve));
        if (b.holeCurves.size() != b.holes.size())
            problem(QStringLiteral("%1 holes but %2 resolved").arg(b.holes.size()).arg(b.holeCurves.size()));
        for (size_t i = 0; i < std::min(b.holes.size(), b.holeCurves.size()); ++i) {
            if (b.holeCurves[i] != kNone && (b.holeCurves[i] != b.holes[i] - 1 || !inRange(m_d.curves, b.holeCurves[i])))
                problem(QStringLiteral("hole %1 resolved to %2").arg(b.holes[i]).arg(b.holeCurves[i]));
        }
        if (b.outerCurve != kNone && !inRange(m_d.curves, b.outerCurve))
            problem(QStringLiteral("outer curve %1 does not exist").arg(b.outerCurve));
    }

    // A feature with its own layer and colour numbers.
    template <typename F>
    void layerColour(const F& f)
    {
        entry(m_d.layers, f.refs.layer, f.layer, "layer");
        entry(m_d.colours, f.refs.colour, f.colour, "colour");
    }

    template <typename F>
    void annotation(const F& f)
    {
        attr(f.a, f.refs);
        entry(m_d.fonts, f.refs.font, f.t.fo, "font");
    }

    void references(const FeatureRef& ref)
    {
        if (static_cast<size_t>(ref.index) >= sizeOf(ref.kind))
            return;
        const auto i = static_cast<size_t>(ref.index);
        switch (ref.kind) {
        case FeatureKind::PointMarker: layerColour(m_d.pointMarkers[i]); break;
        case FeatureKind::Line: attr(m_d.lines[i].a, m_d.lines[i].refs); break;
        case FeatureKind::Polyline: attr(m_d.polylines[i].a, m_d.polylines[i].refs); break;
        case FeatureKind::Circle: attr(m_d.circles[i].a, m_d.circles[i].refs); break;
        case FeatureKind::Arc: attr(m_d.arcs[i].a, m_d.arcs[i].refs); break;
        case FeatureKind::Ellipse: attr(m_d.ellipses[i].a, m_d.ellipses[i].refs); break;
        case FeatureKind::EllipseArc: attr(m_d.ellipseArcs[i].a, m_d.ellipseArcs[i].refs); break;
        case FeatureKind::Spline: attr(m_d.splines[i].a, m_d.splines[i].refs); break;
        case FeatureKind::Clothoid: attr(m_d.clothoids[i].a, m_d.clothoids[i].refs); break;
        case FeatureKind::Text: {
            const TextFeature& t = m_d.texts[i];
            entry(m_d.layers, t.refs.layer, t.t.layer, "layer");
            entry(m_d.colours, t.refs.colour, t.t.colour, "colour");
            entry(m_d.fonts, t.refs.font, t.t.font, "font");
            break;
        }
        case FeatureKind::SymbolPlacement: {
            const SymbolPlacementFeature& p = m_d.placements[i];
            entry(m_d.layers, p.refs.layer, p.layer, "layer");
            if (p.symbol != kNone
                && (!inRange(m_d.symbols, p.symbol) || m_d.symbols[static_cast<size_t>(p.symbol)].name != p.name))
                problem(QStringLiteral("placement of %1 resolved to symbol %2").arg(p.name).arg(p.symbol));
            break;
        }
        case FeatureKind::ExternalSymbol: layerColour(m_d.externalSymbols[i]); break;
        case FeatureKind::FillColour:
            layerColour(m_d.fillColours[i]);
            boundary(m_d.fillColours[i].boundary);
            break;
        case FeatureKind::ExternalHatch:
            entry(m_d.layers, m_d.externalHatches[i].refs.layer, m_d.externalHatches[i].layer, "layer");
            boundary(m_d.externalHatches[i].boundary);
            break;
        case FeatureKind::Hatching:
            entry(m_d.layers, m_d.hatchings[i].refs.layer, m_d.hatchings[i].layer, "layer");
            for (const HatchPattern& p : m_d.hatchings[i].patterns)
                style(p.colour, p.lineType, p.width, p.refs, "hatch pattern");
            boundary(m_d.hatchings[i].boundary);
            break;
        case FeatureKind::Tiles:
            layerColour(m_d.tiles[i]);
            boundary(m_d.tiles[i].boundary);
            break;
        case FeatureKind::LinearDim: annotation(m_d.linearDims[i]); break;
        case FeatureKind::CurveDim:
        case FeatureKind::AngularDim: annotation(m_d.arcDims[i]); break;
        case FeatureKind::RadiusDim: annotation(m_d.radiusDims[i]); break;
        case FeatureKind::DiameterDim: annotation(m_d.diameterDims[i]); break;
        case FeatureKind::Label:
        case FeatureKind::Balloon: annotation(m_d.labels[i]); break;
        case FeatureKind::Attribute: break;
        }
    }

    const Drawing& m_d;
    QStringList& m_problems;
};

QByteArray written(const Drawing& d)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SfcWriter f(buffer);
    writeSfc(f, d);
    f.flush();
    return buffer.data();
}

// The shape of a drawing: the sizes of its tables, then the kind of each
// assembly and each feature in file order.
std::vector<int> shape(const Drawing& d)
{
    std::vector<int> out = {int(d.layers.size()), int(d.colours.size()), int(d.lineTypes.size()),
                            int(d.widths.size()), int(d.fonts.size()), -1};
    out.reserve(out.size() + d.assemblies.size() + 1 + d.features.size());
    for (const AssemblyRef& a : d.assemblies)
        out.push_back(int(a.kind));
    out.push_back(-1);
    for (const FeatureRef& f : d.features)
        out.push_back(int(f.kind));
    return out;
}

QString shapeText(const std::vector<int>& shape)
{
    QStringList parts;
    for (size_t i = 0; i < std::min<size_t>(shape.size(), 40); ++i)
        parts << QString::number(shape[i]);
    return parts.join(u' ');
}

}  // namespace

QStringList checkSfcReader(QByteArrayView bytes)
{
    QStringList problems;
    const ReadResult first = readSfc(bytes);
    ModelCheck(first.drawing, problems).run();
    if (first.findings.size() > FindingSink::kDefaultLimit + 2)
        problems << QStringLiteral("%1 findings").arg(first.findings.size());
    const ReadResult again = readSfc(written(first.drawing));
    const std::vector<int> before = shape(first.drawing);
    const std::vector<int> after = shape(again.drawing);
    if (after != before)
        problems << QStringLiteral("written back, the drawing reads as %1 instead of %2")
                        .arg(shapeText(after), shapeText(before));
    return problems;
}

}  // namespace fuzzing
