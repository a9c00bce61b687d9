// Fill occurrences into fill features.
#include "sxf/p21_read_fills.h"

#include "sxf/p21_read_tables.h"

#include <cmath>

namespace sxf {
namespace {

// The most line patterns a user hatching has.
constexpr size_t kMaxPatterns = 4;

FillBoundary boundary(P21Context& ctx, P21Walk& w, int32_t area, const P21Instance& at)
{
    FillBoundary b;
    const P21List a = w.entity(area, "ANNOTATION_FILL_AREA");
    const P21List curves = w.list(a.at(a.size() - 1));
    if (w.ok() && curves.size() == 0)
        w.fail(QStringLiteral("ハッチングの境界がありません"));
    bool outer = true;
    for (const P21Value& ref : curves) {
        const int32_t index = w.target(&ref);
        const auto curve = ctx.curveOf.find(index);
        const bool known = curve != ctx.curveOf.end() && curve->second != kNone;
        if (outer) {
            if (w.ok() && !known)
                w.fail(QStringLiteral("外側の境界 #%1 は読める複合曲線ではありません").arg(ref.integer()));
            b.outerCurve = known ? curve->second : kNone;
            b.outer = b.outerCurve + 1;
            outer = false;
        } else if (known) {
            b.holeCurves.push_back(curve->second);
            b.holes.push_back(curve->second + 1);
        } else if (w.ok()) {
            ctx.report.warning("P21_FILL", &at,
                QStringLiteral("%1 の穴 #%2 は読める複合曲線ではないので除きます").arg(p21Name(at)).arg(ref.integer()));
        }
    }
    b.holeCount = static_cast<int32_t>(b.holes.size());
    return b;
}

// The magnitude and direction (degrees) of the VECTOR `ref` refers to.
double vector(P21Walk& w, const P21Value* ref, double& angleDeg, double* angleRad = nullptr)
{
    const P21List v = w.entity(ref, "VECTOR");
    const T2DPoint d = w.direction(v.at(1));
    angleDeg = polarDegrees(d);
    if (angleRad)
        *angleRad = std::atan2(d.y, d.x);
    return w.real(v.at(2));
}

std::vector<HatchPattern> patterns(P21Context& ctx, P21Walk& w, const P21List& styles, const P21Instance& at)
{
    std::vector<HatchPattern> out;
    for (const P21Value& ref : styles) {
        const P21List h = w.entity(&ref, "FILL_AREA_STYLE_HATCHING");
        const size_t n = h.size();
        HatchPattern p;
        const P21List curveStyle = w.entity(h.at(n - 5), "CURVE_STYLE");
        p.lineType = p21LineType(ctx, w, curveStyle.at(1), at, p.refs);
        p.width = p21Width(ctx, w, curveStyle.at(2), at, p.refs);
        p.colour = p21Colour(ctx, w, curveStyle.at(3), at, p.refs);
        const P21List repeat = w.entity(h.at(n - 4), "ONE_DIRECTION_REPEAT_FACTOR");
        double normalDeg = 0, normal = 0;
        const double magnitude = vector(w, repeat.at(repeat.size() - 1), normalDeg, &normal);
        const T2DPoint start = w.point(h.at(n - 2));
        const double angle = w.real(w.untyped(h.at(n - 1), "PLANE_ANGLE_MEASURE"));
        p.startX = start.x;
        p.startY = start.y;
        // The repeat vector is normal to the lines; only its part across
        // them is the spacing.
        p.spacing = magnitude * std::sin(normal - angle);
        p.angle = toDegrees(angle);
        out.push_back(p);
        if (!w.ok() || out.size() > kMaxPatterns)
            break;
    }
    if (w.ok() && out.size() > kMaxPatterns)
        w.fail(QStringLiteral("ハッチングの線が 4 種類を超えています"));
    // The writer lists the patterns last to first.
    std::reverse(out.begin(), out.end());
    return out;
}

bool tiles(P21Context& ctx, P21Walk& w, int32_t index, const P21List& tile, const FillBoundary& b)
{
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
    TilesFeature f;
    f.at = p21Origin(at);
    f.boundary = b;
    double angle2 = 0, angle1 = 0;
    const P21List two = w.entity(tile.at(1), "TWO_DIRECTION_REPEAT_FACTOR");
    f.vector2 = vector(w, two.at(two.size() - 2), angle2);
    f.vector1 = vector(w, two.at(two.size() - 1), angle1);
    f.vector2Angle = angle2;
    f.vector1Angle = angle1;
    const P21List symbolStyle = w.entity(w.list(tile.at(2)).at(0), "FILL_AREA_STYLE_TILE_SYMBOL_WITH_STYLE");
    const int32_t styled = w.target(symbolStyle.at(symbolStyle.size() - 1));
    const P21Styled s = readP21Styled(w, styled);
    const P21DefinedSymbol d = readP21DefinedSymbol(w, s.item);
    bool hasColour = false;
    f.colour = p21SymbolColour(ctx, w, s.styles, at, f.refs, hasColour);
    f.name = w.string(w.untyped(w.entity(d.definition, "EXTERNALLY_DEFINED_SYMBOL").at(0), "IDENTIFIER"));
    f.patternX = d.placement.at.x;
    f.patternY = d.placement.at.y;
    f.angle = polarDegrees(d.placement.direction);
    f.scaleX = d.scaleX;
    f.scaleY = d.scaleY;
    if (!w.ok())
        return false;
    f.layer = p21Layer(ctx, index, f.refs, false);
    appendFeature(ctx.drawing, FeatureKind::Tiles, ctx.drawing.tiles, std::move(f));
    return true;
}

}  // namespace

bool mapP21Fill(P21Context& ctx, P21Walk& w, int32_t index, const P21Styled& s)
{
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
    const P21List psa = w.entity(w.list(s.styles).at(0), "PRESENTATION_STYLE_ASSIGNMENT");
    const P21List fill = w.entity(w.list(psa.at(0)).at(0), "FILL_AREA_STYLE");
    const P21List styles = w.list(fill.at(1));
    const int32_t first = w.target(styles.at(0));
    const FillBoundary b = boundary(ctx, w, s.item, at);
    if (!w.ok())
        return false;
    Drawing& d = ctx.drawing;
    TableRefs refs;
    const std::string_view kind = w.simpleName(first);
    if (kind == "FILL_AREA_STYLE_COLOUR") {
        const int32_t colour = p21Colour(ctx, w, w.entity(first, kind).at(1), at, refs);
        if (!w.ok())
            return false;
        const int32_t layer = p21Layer(ctx, index, refs, false);
        appendFeature(d, FeatureKind::FillColour, d.fillColours, FillColourFeature {p21Origin(at), layer, colour, b, refs});
        return true;
    }
    if (kind == "EXTERNALLY_DEFINED_HATCH_STYLE") {
        const QString name = w.string(w.untyped(w.entity(first, kind).at(0), "IDENTIFIER"));
        if (!w.ok())
            return false;
        const int32_t layer = p21Layer(ctx, index, refs, false);
        appendFeature(d, FeatureKind::ExternalHatch, d.externalHatches,
            ExternalHatchFeature {p21Origin(at), layer, name, b, refs});
        return true;
    }
    if (kind == "FILL_AREA_STYLE_HATCHING") {
        std::vector<HatchPattern> p = patterns(ctx, w, styles, at);
        if (!w.ok())
            return false;
        const int32_t layer = p21Layer(ctx, index, refs, false);
        const auto count = static_cast<int32_t>(p.size());
        appendFeature(d, FeatureKind::Hatching, d.hatchings,
            HatchingFeature {p21Origin(at), layer, count, std::move(p), b, refs});
        return true;
    }
    if (kind == "FILL_AREA_STYLE_TILES")
        return tiles(ctx, w, index, w.entity(first, kind), b);
    return w.fail(QStringLiteral("ハッチングの種類（塗り・既定義・ユーザ定義・タイル）がわかりません"));
}

}  // namespace sxf
