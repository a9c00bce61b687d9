// Reporting and the value tests shared by the rule groups.
#include "sxf/rule_context.h"

#include "common/codepage.h"

#include <QLocale>

namespace sxf {

namespace {

// The official library keeps names and texts in buffers of 257 bytes.
constexpr qsizetype kMaxNameBytes = 256;

template <typename T>
const Origin& at(const std::vector<T>& items, int32_t index)
{
    static const Origin none;
    return index >= 0 && size_t(index) < items.size() ? items[size_t(index)].at : none;
}

}  // namespace

void RuleContext::error(const char* code, const Origin& at, const QString& message)
{
    m_out.add(Severity::Error, code, at, message);
}

void RuleContext::warning(const char* code, const Origin& at, const QString& message)
{
    m_out.add(Severity::Warning, code, at, message);
}

void RuleContext::nameLength(const Origin& at, const QString& text)
{
    // One UTF-16 unit never takes more than two bytes: most texts are
    // short enough to need no encoding at all.
    if (text.size() * common::kMaxCp932Bytes <= kMaxNameBytes)
        return;
    const qsizetype bytes = common::encodeCp932(text).size();
    if (bytes > kMaxNameBytes)
        warning("SXFNAMELENGTH", at,
                QStringLiteral("文字列が%1バイトあります（読み込む側では256バイトで切られます）").arg(bytes));
}

bool angleInRange(double degrees)
{
    return 0.0 <= degrees && degrees <= 360.0;
}

QString num(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

const Origin& originOf(const Drawing& d, FeatureRef ref)
{
    switch (ref.kind) {
    case FeatureKind::PointMarker: return at(d.pointMarkers, ref.index);
    case FeatureKind::Line: return at(d.lines, ref.index);
    case FeatureKind::Polyline: return at(d.polylines, ref.index);
    case FeatureKind::Circle: return at(d.circles, ref.index);
    case FeatureKind::Arc: return at(d.arcs, ref.index);
    case FeatureKind::Ellipse: return at(d.ellipses, ref.index);
    case FeatureKind::EllipseArc: return at(d.ellipseArcs, ref.index);
    case FeatureKind::Text: return at(d.texts, ref.index);
    case FeatureKind::Spline: return at(d.splines, ref.index);
    case FeatureKind::Clothoid: return at(d.clothoids, ref.index);
    case FeatureKind::SymbolPlacement: return at(d.placements, ref.index);
    case FeatureKind::ExternalSymbol: return at(d.externalSymbols, ref.index);
    case FeatureKind::FillColour: return at(d.fillColours, ref.index);
    case FeatureKind::ExternalHatch: return at(d.externalHatches, ref.index);
    case FeatureKind::Hatching: return at(d.hatchings, ref.index);
    case FeatureKind::Tiles: return at(d.tiles, ref.index);
    case FeatureKind::LinearDim: return at(d.linearDims, ref.index);
    case FeatureKind::CurveDim:
    case FeatureKind::AngularDim: return at(d.arcDims, ref.index);
    case FeatureKind::RadiusDim: return at(d.radiusDims, ref.index);
    case FeatureKind::DiameterDim: return at(d.diameterDims, ref.index);
    case FeatureKind::Label:
    case FeatureKind::Balloon: return at(d.labels, ref.index);
    case FeatureKind::Attribute: return at(d.attributes, ref.index);
    }
    return at(d.lines, kNone);
}

const Origin& originOf(const Drawing& d, AssemblyRef ref)
{
    switch (ref.kind) {
    case AssemblyKind::Sheet: return at(d.sheets, ref.index);
    case AssemblyKind::Symbol: return at(d.symbols, ref.index);
    case AssemblyKind::Curve: return at(d.curves, ref.index);
    }
    return at(d.sheets, kNone);
}

FeatureRange membersOf(const Drawing& d, AssemblyRef ref)
{
    const auto members = [&ref](const auto& items, auto field) {
        return ref.index >= 0 && size_t(ref.index) < items.size() ? items[size_t(ref.index)].*field : FeatureRange{};
    };
    switch (ref.kind) {
    case AssemblyKind::Sheet: return members(d.sheets, &Sheet::members);
    case AssemblyKind::Symbol: return members(d.symbols, &Symbol::members);
    case AssemblyKind::Curve: return members(d.curves, &CompositeCurve::segments);
    }
    return {};
}

}  // namespace sxf
