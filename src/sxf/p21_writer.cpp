// The whole P21 file: header, tables, assemblies in the order the library
// closes them, the sheet, the layers and the trailer.
#include "sxf/p21_writer.h"

#include "sxf/p21_blocks.h"
#include "sxf/p21_curves.h"
#include "sxf/p21_dimensions.h"
#include "sxf/p21_fills.h"
#include "sxf/p21_format.h"
#include "sxf/p21_sheet.h"
#include "sxf/p21_symbols.h"
#include "sxf/p21_tables.h"
#include "sxf/p21_text.h"

#include <QDateTime>

#include <algorithm>

namespace sxf {
namespace {

using namespace p21;

// Calls `f` with the feature `ref` names; false when it names none.
template <typename F>
bool visitFeature(const Drawing& d, const FeatureRef& ref, F&& f)
{
    const auto call = [&](const auto& features) {
        if (ref.index < 0 || size_t(ref.index) >= features.size())
            return false;
        f(features[size_t(ref.index)]);
        return true;
    };
    switch (ref.kind) {
    case FeatureKind::PointMarker: return call(d.pointMarkers);
    case FeatureKind::Line: return call(d.lines);
    case FeatureKind::Polyline: return call(d.polylines);
    case FeatureKind::Circle: return call(d.circles);
    case FeatureKind::Arc: return call(d.arcs);
    case FeatureKind::Ellipse: return call(d.ellipses);
    case FeatureKind::EllipseArc: return call(d.ellipseArcs);
    case FeatureKind::Text: return call(d.texts);
    case FeatureKind::Spline: return call(d.splines);
    case FeatureKind::Clothoid: return call(d.clothoids);
    case FeatureKind::SymbolPlacement: return call(d.placements);
    case FeatureKind::ExternalSymbol: return call(d.externalSymbols);
    case FeatureKind::FillColour: return call(d.fillColours);
    case FeatureKind::ExternalHatch: return call(d.externalHatches);
    case FeatureKind::Hatching: return call(d.hatchings);
    case FeatureKind::Tiles: return call(d.tiles);
    case FeatureKind::LinearDim: return call(d.linearDims);
    case FeatureKind::CurveDim:
    case FeatureKind::AngularDim: return call(d.arcDims);
    case FeatureKind::RadiusDim: return call(d.radiusDims);
    case FeatureKind::DiameterDim: return call(d.diameterDims);
    case FeatureKind::Label:
    case FeatureKind::Balloon: return call(d.labels);
    case FeatureKind::Attribute: return call(d.attributes);
    }
    return false;
}

// The feature writer of each kind.
Refusal writeOne(Context& c, FeatureKind, const PointMarkerFeature& f, Placed& p) { return writePointMarker(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const LineFeature& f, Placed& p) { return writeLine(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const PolylineFeature& f, Placed& p) { return writePolyline(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const CircleFeature& f, Placed& p) { return writeCircle(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const ArcFeature& f, Placed& p) { return writeArc(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const EllipseFeature& f, Placed& p) { return writeEllipse(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const EllipseArcFeature& f, Placed& p) { return writeEllipseArc(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const TextFeature& f, Placed& p) { return writeText(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const SplineFeature& f, Placed& p) { return writeSpline(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const ClothoidFeature& f, Placed& p) { return writeClothoid(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const SymbolPlacementFeature& f, Placed& p)
{
    return writePlacement(c, f, p);
}
Refusal writeOne(Context& c, FeatureKind, const ExternalSymbolFeature& f, Placed& p)
{
    return writeExternalSymbol(c, f, p);
}
Refusal writeOne(Context& c, FeatureKind, const FillColourFeature& f, Placed& p) { return writeFillColour(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const ExternalHatchFeature& f, Placed& p)
{
    return writeExternalHatch(c, f, p);
}
Refusal writeOne(Context& c, FeatureKind, const HatchingFeature& f, Placed& p) { return writeHatching(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const TilesFeature& f, Placed& p) { return writeTiles(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const LinearDimFeature& f, Placed& p) { return writeLinearDim(c, f, p); }
Refusal writeOne(Context& c, FeatureKind kind, const ArcDimFeature& f, Placed& p)
{
    return writeArcDim(c, f, kind == FeatureKind::AngularDim, p);
}
Refusal writeOne(Context& c, FeatureKind, const RadiusDimFeature& f, Placed& p) { return writeRadiusDim(c, f, p); }
Refusal writeOne(Context& c, FeatureKind, const DiameterDimFeature& f, Placed& p)
{
    return writeDiameterDim(c, f, p);
}
Refusal writeOne(Context& c, FeatureKind kind, const LabelFeature& f, Placed& p)
{
    return writeLabel(c, f, kind == FeatureKind::Balloon, p);
}
// The title block is written with the sheet; the writer picks it first.
Refusal writeOne(Context&, FeatureKind, const AttributeFeature&, Placed&) { return Refusal::OutOfRange; }

QString refusalText(Refusal r)
{
    switch (r) {
    case Refusal::UnknownCode: return QStringLiteral("画層・色・線種・線幅・文字フォントの番号が定義されていません");
    case Refusal::OutOfRange: return QStringLiteral("値が P21 に書ける範囲にありません");
    case Refusal::NotFinite: return QStringLiteral("数値が有限ではありません");
    case Refusal::NotInCurve: return QStringLiteral("複合曲線に含められない要素です");
    case Refusal::NoAssembly: return QStringLiteral("用紙・部分図・複合曲線のどれにも属していません");
    case Refusal::NoSymbol: return QStringLiteral("配置する部分図がその前に定義されていません");
    case Refusal::NoBoundary: return QStringLiteral("境界の複合曲線がその前に書かれていません");
    case Refusal::None: break;
    }
    return {};
}

// One drawing being written.
class DrawingWriter {
public:
    DrawingWriter(P21Output& out, const Drawing& d, Findings* findings) : m_ctx(out, d), m_findings(findings) {}

    void write();

private:
    void leaveOut(const Origin& at, const char* what, Refusal why);
    void leaveOut(const FeatureRef& ref, Refusal why);
    // Writes the members in `range` as features of a sheet or symbol
    // definition, appending their items to `items`.
    void writeMembers(const FeatureRange& range, std::vector<int32_t>& items, bool titleBlockAllowed);
    Refusal writeMember(const FeatureRef& ref, std::vector<int32_t>& items);
    void writeCurve(size_t index);
    void writeSymbol(const Symbol& s);
    // The range within the drawing's features.
    FeatureRange clamped(const FeatureRange& r) const;
    void leaveOutRange(const FeatureRange& range, Refusal why);
    void writeInvisibleCurves();

    Context m_ctx;
    Findings* m_findings;
    const AttributeFeature* m_titleBlock = nullptr;
    std::vector<int32_t> m_hiddenCurves;
};

void DrawingWriter::leaveOut(const Origin& at, const char* what, Refusal why)
{
    if (!m_findings)
        return;
    m_findings->push_back({Severity::Warning, QStringLiteral("P21_LEFT_OUT"), at.line, at.number,
                           QString::fromLatin1(what) + QStringLiteral(" を P21 に書けません：") + refusalText(why)});
}

void DrawingWriter::leaveOut(const FeatureRef& ref, Refusal why)
{
    Origin at;
    visitFeature(m_ctx.drawing, ref, [&at](const auto& f) { at = f.at; });
    leaveOut(at, featureName(ref.kind), why);
}

FeatureRange DrawingWriter::clamped(const FeatureRange& r) const
{
    const auto size = int32_t(m_ctx.drawing.features.size());
    const int32_t first = std::clamp(r.first, 0, size);
    return {first, std::clamp(r.count, 0, size - first)};
}

void DrawingWriter::leaveOutRange(const FeatureRange& range, Refusal why)
{
    const FeatureRange r = clamped(range);
    for (int32_t i = r.first; i < r.first + r.count; ++i)
        leaveOut(m_ctx.drawing.features[size_t(i)], why);
}

Refusal DrawingWriter::writeMember(const FeatureRef& ref, std::vector<int32_t>& items)
{
    P21Output& o = m_ctx.out;
    const P21Output::Mark mark = o.mark();
    Placed placed;
    Refusal r = Refusal::OutOfRange;
    visitFeature(m_ctx.drawing, ref, [&](const auto& f) { r = writeOne(m_ctx, ref.kind, f, placed); });
    if (r == Refusal::None && !o.finite())
        r = Refusal::NotFinite;
    // Only a placement may stand on layer 0, the hidden layer of symbols,
    // which exists once any layer does.
    const TableInstances& t = m_ctx.tables;
    const bool hidden = placed.layer == 0 && ref.kind == FeatureKind::SymbolPlacement;
    const bool layerKnown =
        hidden || (placed.layer >= 1 && size_t(placed.layer) < t.layers.size() && t.layers[size_t(placed.layer)]);
    if (r == Refusal::None && !layerKnown)
        r = Refusal::UnknownCode;
    if (r != Refusal::None) {
        o.rollback(mark);
        return r;
    }
    if (size_t(placed.layer) < m_ctx.layerMembers.size()) {
        std::vector<int32_t>& members = m_ctx.layerMembers[size_t(placed.layer)];
        members.insert(members.end(), placed.members.begin(), placed.members.begin() + placed.memberCount);
    }
    items.insert(items.end(), placed.items.begin(), placed.items.begin() + placed.itemCount);
    return Refusal::None;
}

void DrawingWriter::writeMembers(const FeatureRange& range, std::vector<int32_t>& items, bool titleBlockAllowed)
{
    const Drawing& d = m_ctx.drawing;
    const FeatureRange r = clamped(range);
    for (int32_t i = r.first; i < r.first + r.count; ++i) {
        const FeatureRef& ref = d.features[size_t(i)];
        if (ref.kind == FeatureKind::Attribute) {
            // Only the first title block counts.
            if (titleBlockAllowed && !m_titleBlock && ref.index >= 0 && size_t(ref.index) < d.attributes.size())
                m_titleBlock = &d.attributes[size_t(ref.index)];
            else
                leaveOut(ref, Refusal::OutOfRange);
            continue;
        }
        if (const Refusal why = writeMember(ref, items); why != Refusal::None)
            leaveOut(ref, why);
        m_ctx.out.flushIfFull();
    }
}

void DrawingWriter::writeCurve(size_t index)
{
    const CompositeCurve& c = m_ctx.drawing.curves[index];
    const TableInstances& t = m_ctx.tables;
    if (t.lineTypes[c.lineType] == 0 || t.widths[c.width] == 0 || t.colours[c.colour] == 0) {
        leaveOut(c.at, "composite_curve_org_feature", Refusal::UnknownCode);
        leaveOutRange(c.segments, Refusal::UnknownCode);
        return;
    }
    P21Output& o = m_ctx.out;
    std::vector<int32_t> segments;
    InteriorPoint inside;
    const FeatureRange r = clamped(c.segments);
    for (int32_t i = r.first; i < r.first + r.count; ++i) {
        const FeatureRef& ref = m_ctx.drawing.features[size_t(i)];
        // A clothoid has no segment form, nor does anything but these four.
        const P21Output::Mark mark = o.mark();
        int32_t segment = 0;
        Refusal why = Refusal::NotInCurve;
        if (visitFeature(m_ctx.drawing, ref, [](const auto&) {}))
            why = writeSegment(m_ctx, ref, segment, inside);
        if (why == Refusal::None && !o.finite())
            why = Refusal::NotFinite;
        if (why != Refusal::None) {
            o.rollback(mark);
            leaveOut(ref, why);
            continue;
        }
        segments.push_back(segment);
    }
    if (segments.empty())
        return;
    const int32_t curve = o.take();
    o.simple(curve, "COMPOSITE_CURVE").raw("' '").refs(segments).raw(".T.").end();
    const int32_t style = writeCurveStyle(m_ctx, c.lineType, c.width, c.colour);
    const int32_t item = writeStyledItem(o, Styled::Curve, u" ", style, curve);
    if (c.flag == 0)
        m_hiddenCurves.push_back(item);
    // Every segment added at least one point.
    m_ctx.curves[index] = {curve, inside.x / double(inside.count), inside.y / double(inside.count)};
    o.flushIfFull();
}

void DrawingWriter::writeSymbol(const Symbol& s)
{
    // A definition that cannot be written takes its members with it: they
    // would belong to nothing.
    if (s.flag < 1 || s.flag > 4 || m_ctx.symbols.contains(s.name)) {
        leaveOut(s.at, "sfig_org_feature", Refusal::OutOfRange);
        leaveOutRange(s.members, Refusal::NoAssembly);
        return;
    }
    std::vector<int32_t> items;
    writeMembers(s.members, items, s.flag == 1 || s.flag == 2);
    if (!items.empty())
        writeSymbolDefinition(m_ctx, s, items);
    m_ctx.out.flushIfFull();
}

void DrawingWriter::writeInvisibleCurves()
{
    if (!m_hiddenCurves.empty())
        m_ctx.out.simple(m_ctx.out.take(), "INVISIBILITY").refs(m_hiddenCurves).end();
}

void DrawingWriter::write()
{
    const Drawing& d = m_ctx.drawing;
    writeTables(m_ctx);
    m_ctx.curves.resize(d.curves.size());
    std::vector<bool> assigned(d.features.size(), false);
    const Sheet* sheet = nullptr;
    for (const AssemblyRef& a : d.assemblies) {
        const auto i = size_t(a.index);
        FeatureRange members;
        switch (a.kind) {
        case AssemblyKind::Curve:
            if (i >= d.curves.size())
                continue;
            writeCurve(i);
            members = d.curves[i].segments;
            break;
        case AssemblyKind::Symbol:
            if (i >= d.symbols.size())
                continue;
            writeSymbol(d.symbols[i]);
            members = d.symbols[i].members;
            break;
        case AssemblyKind::Sheet:
            if (i >= d.sheets.size())
                continue;
            members = d.sheets[i].members;
            // One sheet, written last: the official reader takes no second.
            if (!sheet)
                sheet = &d.sheets[i];
            else
                leaveOutRange(members, Refusal::NoAssembly);
            break;
        }
        const FeatureRange r = clamped(members);
        std::fill(assigned.begin() + r.first, assigned.begin() + r.first + r.count, true);
    }
    for (size_t i = 0; i < assigned.size(); ++i) {
        if (!assigned[i])
            leaveOut(d.features[i], Refusal::NoAssembly);
    }
    if (sheet) {
        std::vector<int32_t> items;
        m_ctx.inSheet = true;
        writeMembers(sheet->members, items, true);
        // Layers are used by the sheet: without one there are none.
        if (const int32_t revision = writeSheet(m_ctx, *sheet, items, m_titleBlock))
            writeLayers(m_ctx, revision);
    }
    writeInvisibleCurves();
}

// The header section, with CR LF line ends.
std::string headerText(const Drawing& d, const P21Options& options)
{
    QString stamp = options.timeStamp;
    if (stamp.isEmpty())
        stamp = d.header.timeStamp;
    if (stamp.isEmpty())
        stamp = QDateTime::currentDateTime().toString(u"yyyy-MM-dd'T'HH:mm:ss");
    std::string h = "ISO-10303-21;\r\nHEADER;\r\nFILE_DESCRIPTION(('SCADEC level2 AP202_mode'),\r\n\t\t'2;1');\r\n";
    const auto line = [&h](std::string_view indent, QStringView value, std::string_view end) {
        h.append(indent);
        appendString(h, value);
        h.append(end);
    };
    line("FILE_NAME(", options.fileName, ",\r\n");
    line("\t\t   ", stamp, ",\r\n");
    line("\t\t   (", options.author, "),\r\n");
    line("\t\t   (", options.organisation, "),\r\n");
    h.append("\t\t   'SCADEC_API_Ver3.30',\r\n");
    line("\t\t   ", options.originatingSystem, ",\r\n");
    h.append("\t\t'');\r\nFILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\r\nENDSEC;\r\nDATA;\r\n");
    return h;
}

}  // namespace

void writeP21(const Drawing& drawing, const P21Sink& sink, const P21Options& options, Findings* findings)
{
    P21Output out(sink);
    out.text(headerText(drawing, options));
    out.text("#10=(\r\nLENGTH_UNIT()\r\nNAMED_UNIT(*)\r\nSI_UNIT(.MILLI.,.METRE.)\r\n);\r\n");
    DrawingWriter(out, drawing, findings).write();
    out.text("ENDSEC;\r\nEND-ISO-10303-21;\r\n");
    out.flush();
}

QByteArray writeP21(const Drawing& drawing, const P21Options& options, Findings* findings)
{
    QByteArray bytes;
    writeP21(drawing, [&bytes](std::string_view piece) { bytes.append(piece.data(), qsizetype(piece.size())); },
             options, findings);
    return bytes;
}

}  // namespace sxf
