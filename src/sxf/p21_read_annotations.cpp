// Annotation occurrences into features: curves, point markers, external
// symbols, symbol placements and texts (fills are in p21_read_fills.cpp).
#include "sxf/p21_read_annotations.h"

#include "sxf/p21_read_fills.h"
#include "sxf/p21_read_tables.h"

#include <array>
#include <cmath>

namespace sxf {
namespace {

constexpr std::array<std::string_view, 7> kMarkers = {
    "asterisk", "circle", "dot", "plus", "square", "triangle", "x"};

// The base point position 1..9 that alignment words name: the row by
// "top", "middle" or neither (the base line), the column by "right",
// "centre" or neither (left).
int32_t basePoint(const QString& words)
{
    const int row = words.contains(u"top") ? 2 : words.contains(u"middle") ? 1 : 0;
    const int column = words.contains(u"right") ? 2 : words.contains(u"centre") || words.contains(u"center") ? 1 : 0;
    return row * 3 + column + 1;
}

// The typed value `type` in a list of typed values, or null.
const P21Value* typedIn(P21Walk& w, const P21List& list, std::string_view type)
{
    for (const P21Value& v : list) {
        if (v.kind == P21Kind::Typed && w.data().text(v) == type)
            return w.untyped(&v, type);
    }
    return nullptr;
}

// The TEXT_STYLE behind a text's style list: colour, spacing, slant and,
// when the style gives it, the rotation (radians).
struct TextStyle {
    int32_t colour = 0;
    double spacing = 0;
    double slant = 0;
    double rotation = 0;
    bool hasRotation = false;
};

TextStyle textStyle(P21Context& ctx, P21Walk& w, const P21Value* styles, const P21Instance& at, TableRefs& refs)
{
    TextStyle s;
    const P21List psa = w.entity(w.list(styles).at(0), "PRESENTATION_STYLE_ASSIGNMENT");
    const int32_t style = w.target(w.list(psa.at(0)).at(0));
    const P21List base = w.entity(style, "TEXT_STYLE");
    s.colour = p21Colour(ctx, w, w.entity(base.at(1), "TEXT_STYLE_FOR_DEFINED_FONT").at(0), at, refs);
    if (!w.ok())
        return s;
    // A subtype's own attribute is its last, as a part of a complex
    // instance and as a simple instance alike.
    if (w.has(style, "TEXT_STYLE_WITH_SPACING")) {
        const P21List sp = w.entity(style, "TEXT_STYLE_WITH_SPACING");
        s.spacing = w.real(w.untyped(sp.at(sp.size() - 1), "LENGTH_MEASURE"));
    }
    if (w.has(style, "TEXT_STYLE_WITH_BOX_CHARACTERISTICS")) {
        const P21List box = w.entity(style, "TEXT_STYLE_WITH_BOX_CHARACTERISTICS");
        const P21List chars = w.list(box.at(box.size() - 1));
        if (const P21Value* slant = typedIn(w, chars, "BOX_SLANT_ANGLE"))
            s.slant = w.real(slant);
        if (const P21Value* rotation = typedIn(w, chars, "BOX_ROTATE_ANGLE")) {
            s.rotation = w.real(rotation);
            s.hasRotation = true;
        }
    }
    return s;
}

bool curve(P21Context& ctx, P21Walk& w, int32_t index, const P21Styled& s)
{
    const P21Curve c = readP21Curve(ctx, w, s.item);
    TableRefs refs;
    const SfcAttr a = p21CurveAttr(ctx, w, index, s.styles, refs);
    if (!w.ok())
        return false;
    appendP21Curve(ctx.drawing, c, p21Origin(ctx.data.instances[static_cast<size_t>(index)]), a, refs);
    return true;
}

// A point marker or an externally defined symbol.
bool symbol(P21Context& ctx, P21Walk& w, int32_t index, const P21Styled& s)
{
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
    const P21DefinedSymbol d = readP21DefinedSymbol(w, s.item);
    TableRefs refs;
    bool hasColour = false;
    const int32_t colour = p21SymbolColour(ctx, w, s.styles, at, refs, hasColour);
    const double angle = polarDegrees(d.placement.direction);
    if (w.simpleName(d.definition) == "EXTERNALLY_DEFINED_SYMBOL") {
        const QString name = w.string(w.untyped(w.entity(d.definition, "EXTERNALLY_DEFINED_SYMBOL").at(0), "IDENTIFIER"));
        const int32_t layer = w.ok() ? p21Layer(ctx, index, refs, false) : 0;
        if (!w.ok())
            return false;
        appendFeature(ctx.drawing, FeatureKind::ExternalSymbol, ctx.drawing.externalSymbols,
            ExternalSymbolFeature {p21Origin(at), layer, hasColour ? 1 : 0, colour, name, d.placement.at.x,
                d.placement.at.y, angle, d.scaleX, refs});
        return true;
    }
    const QString marker = w.string(w.entity(d.definition, "PRE_DEFINED_POINT_MARKER_SYMBOL").at(0));
    const auto code = std::find(kMarkers.begin(), kMarkers.end(), marker.toStdString()) - kMarkers.begin() + 1;
    if (w.ok() && code > static_cast<long>(kMarkers.size()))
        w.fail(QStringLiteral("点マーカー「%1」はありません").arg(marker));
    const int32_t layer = w.ok() ? p21Layer(ctx, index, refs, false) : 0;
    if (!w.ok())
        return false;
    appendFeature(ctx.drawing, FeatureKind::PointMarker, ctx.drawing.pointMarkers,
        PointMarkerFeature {p21Origin(at), layer, colour, d.placement.at.x, d.placement.at.y,
            static_cast<int32_t>(code), angle, d.scaleX, refs});
    return true;
}

bool placement(P21Context& ctx, P21Walk& w, int32_t index, const P21Styled& s)
{
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
    const P21List mapped = w.entity(s.item, "MAPPED_ITEM");
    // The own attributes come last, as for every subtype.
    const int32_t map = w.target(mapped.at(mapped.size() - 2));
    const P21List target = w.entity(mapped.at(mapped.size() - 1), "SYMBOL_TARGET");
    const P21Placement p = w.placement(target.at(1));
    const double sx = w.real(target.at(2));
    const double sy = w.real(target.at(3));
    if (!w.ok())
        return false;
    const auto symbol = ctx.symbolOf.find(map);
    if (symbol == ctx.symbolOf.end() || symbol->second == kNone) {
        // The official reader gives up on the whole file here.
        if (w.simpleName(map) == "SYMBOL_REPRESENTATION_MAP" && symbol == ctx.symbolOf.end())
            ctx.fatal = QStringLiteral("%1 が配置するシンボル定義 #%2 は読めませんでした")
                            .arg(p21Name(at))
                            .arg(ctx.data.instances[static_cast<size_t>(map)].number);
        return w.fail(QStringLiteral("配置するシンボル定義がありません"));
    }
    TableRefs refs;
    const int32_t layer = p21Layer(ctx, index, refs, true);
    const Symbol& def = ctx.drawing.symbols[static_cast<size_t>(symbol->second)];
    appendFeature(ctx.drawing, FeatureKind::SymbolPlacement, ctx.drawing.placements,
        SymbolPlacementFeature {p21Origin(at), layer, def.name, p.at.x, p.at.y, polarDegrees(p.direction), sx, sy,
            refs, symbol->second});
    return true;
}

bool text(P21Context& ctx, P21Walk& w, int32_t index)
{
    TableRefs refs;
    SfcText t = readP21Text(ctx, w, index, refs);
    if (!w.ok())
        return false;
    t.layer = p21Layer(ctx, index, refs, false);
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
    appendFeature(ctx.drawing, FeatureKind::Text, ctx.drawing.texts, TextFeature {p21Origin(at), t, refs});
    return true;
}

}  // namespace

P21Occurrence p21OccurrenceKind(const P21Walk& w, int32_t index)
{
    if (w.has(index, "ANNOTATION_CURVE_OCCURRENCE"))
        return P21Occurrence::Curve;
    if (w.has(index, "ANNOTATION_SYMBOL_OCCURRENCE")) {
        if (w.has(index, "TERMINATOR_SYMBOL")
            && (w.has(index, "DIMENSION_CURVE_TERMINATOR") || w.has(index, "LEADER_TERMINATOR")))
            return P21Occurrence::Terminator;
        return w.has(index, "ANNOTATION_SUBFIGURE_OCCURRENCE") ? P21Occurrence::Placement : P21Occurrence::Symbol;
    }
    if (w.has(index, "ANNOTATION_TEXT_OCCURRENCE"))
        return P21Occurrence::Text;
    if (w.has(index, "ANNOTATION_FILL_AREA_OCCURRENCE"))
        return P21Occurrence::Fill;
    return P21Occurrence::None;
}

P21Styled readP21Styled(P21Walk& w, int32_t index)
{
    P21Styled s;
    const P21List styled = w.entity(index, "STYLED_ITEM");
    // A simple STYLED_ITEM carries its name first; a part of a complex
    // instance leaves it to REPRESENTATION_ITEM.
    if (styled.size() >= 3) {
        s.name = w.string(styled.at(0));
        s.styles = styled.at(1);
        s.item = w.target(styled.at(2));
        return s;
    }
    s.styles = styled.at(0);
    s.item = w.target(styled.at(1));
    if (w.has(index, "REPRESENTATION_ITEM"))
        s.name = w.string(w.entity(index, "REPRESENTATION_ITEM").at(0));
    return s;
}

bool mapP21Annotation(P21Context& ctx, P21Walk& w, int32_t index)
{
    const P21Occurrence kind = p21OccurrenceKind(w, index);
    const P21Styled s = readP21Styled(w, index);
    if (!w.ok())
        return false;
    switch (kind) {
    case P21Occurrence::Curve: return curve(ctx, w, index, s);
    case P21Occurrence::Symbol: return symbol(ctx, w, index, s);
    case P21Occurrence::Placement: return placement(ctx, w, index, s);
    case P21Occurrence::Text: return text(ctx, w, index);
    case P21Occurrence::Fill: return mapP21Fill(ctx, w, index, s);
    case P21Occurrence::Terminator:
        return w.fail(QStringLiteral("矢印は寸法か引出線の一部としてしか読めません"));
    case P21Occurrence::None: break;
    }
    return w.fail(QStringLiteral("注記の種類（曲線・記号・文字・ハッチング）がわかりません"));
}

void appendP21Curve(Drawing& d, const P21Curve& c, Origin at, const SfcAttr& a, const TableRefs& refs)
{
    switch (c.kind) {
    case FeatureKind::Line:
        appendFeature(d, c.kind, d.lines, LineFeature {at, a, c.start.x, c.start.y, c.end.x, c.end.y, refs});
        break;
    case FeatureKind::Arc:
        appendFeature(d, c.kind, d.arcs,
            ArcFeature {at, a, c.centre.x, c.centre.y, c.rx, c.direction, c.startAngle, c.endAngle, refs});
        break;
    case FeatureKind::Circle:
        appendFeature(d, c.kind, d.circles, CircleFeature {at, a, c.centre.x, c.centre.y, c.rx, refs});
        break;
    case FeatureKind::Ellipse:
        appendFeature(d, c.kind, d.ellipses, EllipseFeature {at, a, c.centre.x, c.centre.y, c.rx, c.ry, c.rotation, refs});
        break;
    case FeatureKind::EllipseArc:
        appendFeature(d, c.kind, d.ellipseArcs,
            EllipseArcFeature {at, a, c.centre.x, c.centre.y, c.rx, c.ry, c.direction, c.rotation, c.startAngle,
                c.endAngle, refs});
        break;
    case FeatureKind::Polyline:
        appendFeature(d, c.kind, d.polylines,
            PolylineFeature {at, a, static_cast<int32_t>(c.points.size()), c.points, refs});
        break;
    case FeatureKind::Spline:
        appendFeature(d, c.kind, d.splines,
            SplineFeature {at, a, c.openClose, static_cast<int32_t>(c.points.size()), c.points, refs});
        break;
    case FeatureKind::Clothoid:
        appendFeature(d, c.kind, d.clothoids,
            ClothoidFeature {at, a, c.base.x, c.base.y, c.parameter, c.direction, c.rotation, c.startLength,
                c.endLength, refs});
        break;
    default: break;
    }
}

SfcText readP21Text(P21Context& ctx, P21Walk& w, int32_t index, TableRefs& refs)
{
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
    const P21Styled s = readP21Styled(w, index);
    const P21List lit = w.entity(s.item, "TEXT_LITERAL_WITH_EXTENT");
    if (w.ok() && lit.size() < 7)
        w.fail(QStringLiteral("TEXT_LITERAL_WITH_EXTENT の属性が 7 つありません"));
    // The official reader counts the placement, alignment, path, font and
    // extent from the end.
    const size_t n = lit.size();
    const QString name = w.string(lit.at(0));
    SfcText t;
    t.text = w.string(lit.at(1));
    const P21Placement p = w.placement(lit.at(n - 5));
    const QString alignment = w.string(lit.at(n - 4));
    const std::string_view path = w.enumeration(lit.at(n - 3));
    t.font = p21Font(ctx, w, lit.at(n - 2), at, refs);
    const P21List extent = w.entity(lit.at(n - 1), "PLANAR_EXTENT");
    t.width = w.real(extent.at(1));
    t.height = w.real(extent.at(2));
    const TextStyle style = textStyle(ctx, w, s.styles, at, refs);
    if (!w.ok())
        return t;
    t.colour = style.colour;
    t.spacing = style.spacing;
    t.slantDeg = toDegrees(style.slant);
    const double theta = style.hasRotation ? style.rotation : std::atan2(p.direction.y, p.direction.x);
    t.angleDeg = style.hasRotation ? toDegrees(theta) : polarDegrees(p.direction);
    t.basePoint = basePoint(name.startsWith(u"$$SXF_") ? name.mid(6) : alignment);
    t.direction = path == "RIGHT" ? 1 : path == "DOWN" ? 2 : 0;
    // The writer moves the point from the base point to the text's middle
    // or top line by the font's ascent and descent; undo that.
    double ascent = 1, descent = 0;
    p21FontMetrics(ctx.drawing, refs.font, ascent, descent);
    const double c = t.height * (ascent - (ascent + descent) / 2) / (ascent + descent);
    const double top = t.height * ascent / (ascent + descent);
    const double shift = t.basePoint <= 3 ? -c : t.basePoint <= 6 ? c : top;
    t.x = p.at.x - shift * std::sin(theta);
    t.y = p.at.y + shift * std::cos(theta);
    return t;
}

int32_t p21SymbolColour(P21Context& ctx, P21Walk& w, const P21Value* styles, const P21Instance& at, TableRefs& refs,
    bool& hasColour)
{
    const P21List psa = w.entity(w.list(styles).at(0), "PRESENTATION_STYLE_ASSIGNMENT");
    const P21List style = w.entity(w.list(psa.at(0)).at(0), "SYMBOL_STYLE");
    const P21Value* colour = style.at(1);
    hasColour = colour && colour->kind != P21Kind::Unset;
    if (!hasColour)
        return 0;
    return p21Colour(ctx, w, w.entity(colour, "SYMBOL_COLOUR").at(0), at, refs);
}

P21DefinedSymbol readP21DefinedSymbol(P21Walk& w, int32_t index)
{
    P21DefinedSymbol d;
    const P21List a = w.entity(index, "DEFINED_SYMBOL");
    d.definition = w.target(a.at(1));
    const P21List target = w.entity(a.at(2), "SYMBOL_TARGET");
    d.placement = w.placement(target.at(1));
    d.scaleX = w.real(target.at(2));
    d.scaleY = w.real(target.at(3));
    return d;
}

}  // namespace sxf
