// The walk over a drawing's features that resolves their references.
#include "sxf/reference_resolver.h"

#include <QHash>

namespace sxf {
namespace {

class Resolver {
public:
    Resolver(Drawing& d, const TableCodes& codes, FindingSink& findings) : m_d(d), m_codes(codes), m_findings(findings)
    {
    }

    void run();

private:
    void feature(const FeatureRef& f, bool inCurve);
    void attr(const SfcAttr& a, TableRefs& refs, const Origin& at);
    // A dimension, label or balloon: its attributes and, when it has a
    // text, its font.
    template <typename F>
    void annotation(F& f)
    {
        attr(f.a, f.refs, f.at);
        if (f.t.mf == 1)
            font(f.t.fo, f.refs, f.at);
    }
    void layer(int32_t code, TableRefs& refs, const Origin& at);
    void colour(int32_t code, TableRefs& refs, const Origin& at);
    void lineType(int32_t code, TableRefs& refs, const Origin& at);
    void width(int32_t code, TableRefs& refs, const Origin& at);
    void font(int32_t code, TableRefs& refs, const Origin& at);
    void boundary(FillBoundary& b, const Origin& at);
    void placement(SymbolPlacementFeature& p);
    void curve(CompositeCurve& c);
    void report(const char* code, const Origin& at, const QString& message);

    Drawing& m_d;
    const TableCodes& m_codes;
    FindingSink& m_findings;
    const char* m_name = "";  // of the record being resolved
    bool m_report = true;
    int32_t m_curvesClosed = 0;
    QHash<QString, int32_t> m_closedSymbols;  // name → first definition closed so far
    QHash<QString, int32_t> m_allSymbols;     // name → first definition in the file
};

// Whether a feature of `kind` can be a segment of a composite curve.
bool maySegment(FeatureKind kind)
{
    return kind == FeatureKind::Polyline || kind == FeatureKind::Arc || kind == FeatureKind::EllipseArc
           || kind == FeatureKind::Spline || kind == FeatureKind::Clothoid;
}

const FeatureRange& membersOf(const Drawing& d, const AssemblyRef& a)
{
    switch (a.kind) {
    case AssemblyKind::Sheet: return d.sheets[static_cast<size_t>(a.index)].members;
    case AssemblyKind::Symbol: return d.symbols[static_cast<size_t>(a.index)].members;
    case AssemblyKind::Curve: break;
    }
    return d.curves[static_cast<size_t>(a.index)].segments;
}

void Resolver::run()
{
    // Inserted from the last to the first, so that the first stays.
    for (auto i = static_cast<int32_t>(m_d.symbols.size()) - 1; i >= 0; --i)
        m_allSymbols.insert(m_d.symbols[static_cast<size_t>(i)].name, i);
    int32_t next = 0;
    for (const AssemblyRef& a : m_d.assemblies) {
        const FeatureRange& members = membersOf(m_d, a);
        for (int32_t i = members.first; i < members.first + members.count; ++i)
            feature(m_d.features[static_cast<size_t>(i)], a.kind == AssemblyKind::Curve);
        next = members.first + members.count;
        if (a.kind == AssemblyKind::Curve) {
            curve(m_d.curves[static_cast<size_t>(a.index)]);
            ++m_curvesClosed;
        } else if (a.kind == AssemblyKind::Symbol) {
            const Symbol& s = m_d.symbols[static_cast<size_t>(a.index)];
            if (!m_closedSymbols.contains(s.name))
                m_closedSymbols.insert(s.name, a.index);
        }
    }
    for (auto i = static_cast<size_t>(next); i < m_d.features.size(); ++i)
        feature(m_d.features[i], false);
}

void Resolver::report(const char* code, const Origin& at, const QString& message)
{
    if (m_report)
        m_findings.add(Severity::Error, code, at, QString::fromLatin1(m_name) + u'：' + message);
}

void Resolver::layer(int32_t code, TableRefs& refs, const Origin& at)
{
    refs.layer = m_codes.layer(code);
    if (refs.layer == kNone)
        report("SXFEUNSETLAYER", at, QStringLiteral("レイヤ番号%1は定義されていません").arg(code));
}

void Resolver::colour(int32_t code, TableRefs& refs, const Origin& at)
{
    refs.colour = m_codes.colour(code);
    if (refs.colour == kNone)
        report("SXFERRORCOLOUR", at, QStringLiteral("色番号%1は定義されていません").arg(code));
}

void Resolver::lineType(int32_t code, TableRefs& refs, const Origin& at)
{
    refs.lineType = m_codes.lineType(code);
    if (refs.lineType == kNone)
        report("SXFERRORFONT", at, QStringLiteral("線種番号%1は定義されていません").arg(code));
}

void Resolver::width(int32_t code, TableRefs& refs, const Origin& at)
{
    refs.width = m_codes.width(code);
    if (refs.width == kNone)
        report("SXFERRORWIDTH", at, QStringLiteral("線幅番号%1は定義されていません").arg(code));
}

void Resolver::font(int32_t code, TableRefs& refs, const Origin& at)
{
    refs.font = m_codes.font(code);
    if (refs.font == kNone)
        report("SXFTEXTFONTERROR", at, QStringLiteral("文字フォント番号%1は定義されていません").arg(code));
}

void Resolver::attr(const SfcAttr& a, TableRefs& refs, const Origin& at)
{
    layer(a.layer, refs, at);
    colour(a.colour, refs, at);
    lineType(a.lineType, refs, at);
    width(a.width, refs, at);
}

void Resolver::boundary(FillBoundary& b, const Origin& at)
{
    auto resolve = [&](int32_t number, const char* code, const QString& role) {
        if (number >= 1 && number <= m_curvesClosed)
            return number - 1;
        const bool later = number > m_curvesClosed && static_cast<size_t>(number) <= m_d.curves.size();
        report(code, at, QStringLiteral("%1の複合曲線%2はこの塗りつぶしより前にありません%3")
                             .arg(role)
                             .arg(number)
                             .arg(later ? QStringLiteral("（後にあります）") : QString()));
        return kNone;
    };
    b.outerCurve = resolve(b.outer, "SXFERROROUTID", QStringLiteral("外形"));
    b.holeCurves.clear();
    b.holeCurves.reserve(b.holes.size());
    for (int32_t hole : b.holes)
        b.holeCurves.push_back(resolve(hole, "SXFERRORINID", QStringLiteral("穴")));
}

void Resolver::placement(SymbolPlacementFeature& p)
{
    // Layer 0 places the symbol on no layer.
    if (p.layer != 0)
        layer(p.layer, p.refs, p.at);
    p.symbol = m_closedSymbols.value(p.name, kNone);
    if (p.symbol != kNone)
        return;
    p.symbol = m_allSymbols.value(p.name, kNone);
    report("SXFNOTSETCFIG", p.at, QStringLiteral("シンボル「%1」はこの配置より前に定義されていません%2")
                                      .arg(p.name, p.symbol != kNone ? QStringLiteral("（後で定義されています）") : QString()));
}

void Resolver::curve(CompositeCurve& c)
{
    m_report = true;
    m_name = "composite_curve_org_feature";
    colour(c.colour, c.refs, c.at);
    lineType(c.lineType, c.refs, c.at);
    width(c.width, c.refs, c.at);
}

void Resolver::feature(const FeatureRef& f, bool inCurve)
{
    m_name = featureName(f.kind);
    m_report = !(inCurve && maySegment(f.kind));
    const auto i = static_cast<size_t>(f.index);
    switch (f.kind) {
    case FeatureKind::PointMarker: {
        PointMarkerFeature& p = m_d.pointMarkers[i];
        layer(p.layer, p.refs, p.at);
        colour(p.colour, p.refs, p.at);
        break;
    }
    case FeatureKind::Line: attr(m_d.lines[i].a, m_d.lines[i].refs, m_d.lines[i].at); break;
    case FeatureKind::Polyline: attr(m_d.polylines[i].a, m_d.polylines[i].refs, m_d.polylines[i].at); break;
    case FeatureKind::Circle: attr(m_d.circles[i].a, m_d.circles[i].refs, m_d.circles[i].at); break;
    case FeatureKind::Arc: attr(m_d.arcs[i].a, m_d.arcs[i].refs, m_d.arcs[i].at); break;
    case FeatureKind::Ellipse: attr(m_d.ellipses[i].a, m_d.ellipses[i].refs, m_d.ellipses[i].at); break;
    case FeatureKind::EllipseArc: attr(m_d.ellipseArcs[i].a, m_d.ellipseArcs[i].refs, m_d.ellipseArcs[i].at); break;
    case FeatureKind::Spline: attr(m_d.splines[i].a, m_d.splines[i].refs, m_d.splines[i].at); break;
    case FeatureKind::Clothoid: attr(m_d.clothoids[i].a, m_d.clothoids[i].refs, m_d.clothoids[i].at); break;
    case FeatureKind::Text: {
        TextFeature& t = m_d.texts[i];
        layer(t.t.layer, t.refs, t.at);
        colour(t.t.colour, t.refs, t.at);
        font(t.t.font, t.refs, t.at);
        break;
    }
    case FeatureKind::SymbolPlacement: placement(m_d.placements[i]); break;
    case FeatureKind::ExternalSymbol: {
        ExternalSymbolFeature& e = m_d.externalSymbols[i];
        layer(e.layer, e.refs, e.at);
        if (e.colourFlag == 1)
            colour(e.colour, e.refs, e.at);
        break;
    }
    case FeatureKind::FillColour: {
        FillColourFeature& fill = m_d.fillColours[i];
        layer(fill.layer, fill.refs, fill.at);
        colour(fill.colour, fill.refs, fill.at);
        boundary(fill.boundary, fill.at);
        break;
    }
    case FeatureKind::ExternalHatch: {
        ExternalHatchFeature& h = m_d.externalHatches[i];
        layer(h.layer, h.refs, h.at);
        boundary(h.boundary, h.at);
        break;
    }
    case FeatureKind::Hatching: {
        HatchingFeature& h = m_d.hatchings[i];
        layer(h.layer, h.refs, h.at);
        for (HatchPattern& p : h.patterns) {
            colour(p.colour, p.refs, h.at);
            lineType(p.lineType, p.refs, h.at);
            width(p.width, p.refs, h.at);
        }
        boundary(h.boundary, h.at);
        break;
    }
    case FeatureKind::Tiles: {
        TilesFeature& t = m_d.tiles[i];
        layer(t.layer, t.refs, t.at);
        colour(t.colour, t.refs, t.at);
        boundary(t.boundary, t.at);
        break;
    }
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

}  // namespace

void resolveReferences(Drawing& d, const TableCodes& codes, FindingSink& findings)
{
    Resolver(d, codes, findings).run();
}

}  // namespace sxf
