// The value rules of single features: lengths, radii, angles, scales, vertex
// lists, texts, arrows and extension lines. What a feature's place among the
// assemblies decides is in assembly_rules.cpp.
#include "sxf/predefined_tables.h"
#include "sxf/rule_context.h"

#include <cmath>
#include <numbers>

namespace sxf {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr double kMaxSpacing = 1.0e15;
constexpr double kMaxSlant = 85.0;

void angle(RuleContext& c, const Origin& at, double degrees, const QString& what)
{
    if (!angleInRange(degrees))
        c.error("SXFERRORANGLE", at, QStringLiteral("%1（%2度）が0～360度の範囲外です").arg(what, num(degrees)));
}

void scale(RuleContext& c, const Origin& at, double value, const QString& what)
{
    if (!isTableLength(value))
        c.error("SXFERRORSCALE", at, QStringLiteral("%1（%2）が正の値でないか大きすぎます").arg(what, num(value)));
}

void radius(RuleContext& c, const Origin& at, double r, const QString& what)
{
    if (!isTableLength(r))
        c.error("SXFRADIUSZERO", at, QStringLiteral("%1（%2）が正の値ではありません").arg(what, num(r)));
}

void length(RuleContext& c, const Origin& at, double x1, double y1, double x2, double y2, const QString& what)
{
    const double l = std::hypot(x2 - x1, y2 - y1);
    if (l < c.options.lengthTolerance)
        c.error("SXFLENGTHZERO", at,
                QStringLiteral("%1の長さ（%2）が許容差%3未満です").arg(what, num(l), num(c.options.lengthTolerance)));
}

void direction(RuleContext& c, const Origin& at, int32_t flag)
{
    if (flag != 0 && flag != 1)
        c.error("SXFDIRECTIONERROR", at, QStringLiteral("向きのフラグ%1は0か1でなければなりません").arg(flag));
}

// Start and end angle of an arc; `sameMatters` when equal angles are an
// error (an arc length dimension may have them).
void arcAngles(RuleContext& c, const Origin& at, double start, double end, bool sameMatters)
{
    if (sameMatters && std::abs(end - start) < c.options.angleTolerance)
        c.error("SXFSAMEANGLE", at, QStringLiteral("始角と終角が同じです（%1度と%2度）").arg(num(start), num(end)));
    angle(c, at, start, QStringLiteral("始角"));
    angle(c, at, end, QStringLiteral("終角"));
}

struct TextValues {
    double height, width, spacing, angle, slant;
    int32_t basePoint, direction;
};

void textValues(RuleContext& c, const Origin& at, const TextValues& t)
{
    if (!isTableLength(t.height))
        c.error("SXFTEXTHEIGHT", at, QStringLiteral("文字の高さ（%1）が正の値ではありません").arg(num(t.height)));
    if (!isTableLength(t.width))
        c.error("SXFTEXTWIDTH", at, QStringLiteral("文字の幅（%1）が正の値ではありません").arg(num(t.width)));
    if (t.spacing < 0 || t.spacing >= kMaxSpacing)
        c.error("SXFTEXTSPACE", at, QStringLiteral("文字の間隔（%1）が負の値か大きすぎます").arg(num(t.spacing)));
    angle(c, at, t.angle, QStringLiteral("文字の角度"));
    if (!(-kMaxSlant <= t.slant && t.slant <= kMaxSlant))
        c.error("SXFERRORANGLE", at, QStringLiteral("文字の傾き（%1度）が-85～85度の範囲外です").arg(num(t.slant)));
    if (t.basePoint < 1 || t.basePoint > 9)
        c.error("SXFBPNTERROR", at, QStringLiteral("文字の配置基点%1は1～9でなければなりません").arg(t.basePoint));
    if (t.direction != 1 && t.direction != 2)
        c.error("SXFDIRECTERROR", at,
                QStringLiteral("文字の向き%1は1（横書き）か2（縦書き）でなければなりません").arg(t.direction));
}

// The text of a dimension, label or balloon: checked only when it has one.
void annotationText(RuleContext& c, const Origin& at, const SfcTextBlock& t)
{
    if (t.mf != 0 && t.mf != 1) {
        c.error("SXFTEXTFLAG", at, QStringLiteral("文字の有無のフラグ%1は0か1でなければなりません").arg(t.mf));
        return;
    }
    if (t.mf == 0)
        return;
    textValues(c, at, {t.sy, t.sx, t.md, t.ma, t.ms, t.kt, t.dr});
    c.nameLength(at, t.st);
}

// An arrow drawn (in/out code 1 or 2) needs a known shape and a scale.
void arrow(RuleContext& c, const Origin& at, int32_t code, int32_t inOut, double arrowScale, const QString& what)
{
    if (inOut < 0 || inOut > 2) {
        c.error("SXFARRINOUTCODE", at, QStringLiteral("%1の内外コード%2は0～2でなければなりません").arg(what).arg(inOut));
        return;
    }
    if (inOut == 0)
        return;
    if (code < 1 || code > 11) {
        c.error("SXFARRCODE", at, QStringLiteral("%1のコード%2は1～11でなければなりません").arg(what).arg(code));
        return;
    }
    scale(c, at, arrowScale, what + QStringLiteral("の倍率"));
}

// An extension line: its base point, start and end must lie on one line.
void extensionLine(RuleContext& c, const Origin& at, const SfcExtLine& e, const QString& what)
{
    if (e.flag != 0 && e.flag != 1) {
        c.error("SXFPRJFLAG", at, QStringLiteral("%1のフラグ%2は0か1でなければなりません").arg(what).arg(e.flag));
        return;
    }
    if (e.flag == 0)
        return;
    const double tol = c.options.lengthTolerance;
    const double l1 = std::hypot(e.endX - e.startX, e.endY - e.startY);
    if (l1 < tol) {
        c.error("SXFLENGTHZERO", at, QStringLiteral("%1の長さ（%2）が許容差%3未満です").arg(what, num(l1), num(tol)));
        return;
    }
    const double l2 = std::hypot(e.endX - e.baseX, e.endY - e.baseY);
    if (l2 == 0)
        return;
    const double dx = (e.endX - e.baseX) / l2 - (e.endX - e.startX) / l1;
    const double dy = (e.endY - e.baseY) / l2 - (e.endY - e.startY) / l1;
    if (std::abs(dx) >= tol && std::abs(dy) >= tol)
        c.error("SXFERRORCOORDINATE", at, QStringLiteral("%1の基点・始点・終点が一直線上にありません").arg(what));
}

bool samePoint(const T2DPoint& a, const T2DPoint& b, double tol)
{
    return std::abs(a.x - b.x) < tol && std::abs(a.y - b.y) < tol;
}

// A vertex list: at least `minimum` vertices, as many as its count says,
// and not all on one point once runs of equal points are merged.
void vertices(RuleContext& c, const Origin& at, int32_t n, const std::vector<T2DPoint>& points, int32_t minimum,
              const char* tooFewCode)
{
    if (n < minimum) {
        c.error(tooFewCode, at, QStringLiteral("頂点の数%1が%2未満です").arg(n).arg(minimum));
        return;
    }
    if (size_t(n) > points.size()) {
        c.error("SXFNOTVERTEXNUMBER", at, QStringLiteral("頂点の数は%1ですが座標は%2組です").arg(n).arg(points.size()));
        return;
    }
    // The library drops each vertex equal to the one kept before it (the
    // last vertex always stays), then a next-to-last vertex equal to the
    // last. What remains must not be two equal points.
    const double tol = c.options.lengthTolerance;
    const T2DPoint& last = points[size_t(n) - 1];
    if (n == 1)
        return;
    size_t kept = 1;
    const T2DPoint* lastKept = &points[0];
    for (size_t k = 1; k + 1 < size_t(n); ++k) {
        if (!samePoint(*lastKept, points[k], tol)) {
            lastKept = &points[k];
            ++kept;
        }
    }
    size_t remaining = kept + 1;
    if (remaining > 2 && samePoint(*lastKept, last, tol))
        --remaining;
    if (remaining == 2 && samePoint(points[0], last, tol))
        c.error("SXFSAMECOORD", at,
                QStringLiteral("頂点がすべて同じ点（%1, %2）にあります").arg(num(points[0].x), num(points[0].y)));
}

// `a` modulo `m` with the sign of `m`, as the rounding of the reference
// reading gives it (the result may reach `m` itself).
double floorMod(double a, double m)
{
    double mod = std::fmod(a, m);
    if (mod != 0) {
        if ((m < 0) != (mod < 0))
            mod += m;
    } else {
        mod = std::copysign(0.0, m);
    }
    return mod;
}

// The two arrows of an arc dimension lie within its arc, arrow 1 first
// counter-clockwise from the start angle.
void arrowsOnArc(RuleContext& c, const Origin& at, const ArcDimFeature& f)
{
    if (f.r1.orientation == 0 || f.r2.orientation == 0)
        return;
    const double eps = std::max(c.options.lengthTolerance, c.options.angleTolerance);
    const auto direction = [&f](double x, double y) {
        const double a = std::atan2(y - f.cy, x - f.cx);
        return a < 0 ? a + kFullTurn : a;
    };
    constexpr double kDegree = std::numbers::pi / 180.0;
    const double start = f.startAngle * kDegree;
    const double span = floorMod(f.endAngle * kDegree - start, kFullTurn);
    double d1 = floorMod(direction(f.r1.x, f.r1.y) - start, kFullTurn);
    const double d2 = floorMod(direction(f.r2.x, f.r2.y) - start, kFullTurn);
    const auto inside = [span, eps](double d) { return d <= span + eps || std::abs(d - kFullTurn) < eps; };
    if (!inside(d1) || !inside(d2)) {
        c.error("SXFARRORERROR", at, QStringLiteral("矢印が寸法の円弧の角度の範囲の外にあります"));
        return;
    }
    if (std::abs(d1 - kFullTurn) < eps)
        d1 = 0.0;
    if (d2 + eps < d1 && std::abs(d2 - d1) >= eps)
        c.error("SXFARRORERROR", at, QStringLiteral("寸法の円弧の上で矢印2が矢印1より前にあります"));
}

void pointMarker(RuleContext& c, const PointMarkerFeature& f)
{
    if (f.code < 1 || f.code > 7)
        c.error("SXFMARKERERROR", f.at, QStringLiteral("点マーカのコード%1は1～7でなければなりません").arg(f.code));
    angle(c, f.at, f.angle, QStringLiteral("回転角"));
    scale(c, f.at, f.scale, QStringLiteral("点マーカの倍率"));
}

void arc(RuleContext& c, const ArcFeature& f)
{
    radius(c, f.at, f.r, QStringLiteral("円弧の半径"));
    direction(c, f.at, f.direction);
    arcAngles(c, f.at, f.startAngle, f.endAngle, true);
}

void ellipse(RuleContext& c, const EllipseFeature& f)
{
    if (!isTableLength(f.rx) || !isTableLength(f.ry))
        c.error("SXFRADIUSZERO", f.at,
                QStringLiteral("楕円の半径（%1, %2）が正の値ではありません").arg(num(f.rx), num(f.ry)));
    angle(c, f.at, f.rotation, QStringLiteral("回転角"));
}

void ellipseArc(RuleContext& c, const EllipseArcFeature& f)
{
    radius(c, f.at, f.rx, QStringLiteral("楕円弧の半径"));
    radius(c, f.at, f.ry, QStringLiteral("楕円弧の第2の半径"));
    direction(c, f.at, f.direction);
    angle(c, f.at, f.rotation, QStringLiteral("回転角"));
    arcAngles(c, f.at, f.startAngle, f.endAngle, true);
}

void text(RuleContext& c, const TextFeature& f)
{
    const SfcText& t = f.t;
    textValues(c, f.at, {t.height, t.width, t.spacing, t.angleDeg, t.slantDeg, t.basePoint, t.direction});
    c.nameLength(f.at, t.text);
}

void linearDim(RuleContext& c, const LinearDimFeature& f)
{
    length(c, f.at, f.x1, f.y1, f.x2, f.y2, QStringLiteral("寸法線"));
    extensionLine(c, f.at, f.e1, QStringLiteral("寸法補助線1"));
    extensionLine(c, f.at, f.e2, QStringLiteral("寸法補助線2"));
    arrow(c, f.at, f.r1.code, f.r1.orientation, f.r1.scale, QStringLiteral("矢印1"));
    arrow(c, f.at, f.r2.code, f.r2.orientation, f.r2.scale, QStringLiteral("矢印2"));
    annotationText(c, f.at, f.t);
}

void arcDim(RuleContext& c, const ArcDimFeature& f, bool angular)
{
    radius(c, f.at, f.r, QStringLiteral("寸法の円弧の半径"));
    arcAngles(c, f.at, f.startAngle, f.endAngle, angular);
    extensionLine(c, f.at, f.e1, QStringLiteral("寸法補助線1"));
    extensionLine(c, f.at, f.e2, QStringLiteral("寸法補助線2"));
    arrow(c, f.at, f.r1.code, f.r1.orientation, f.r1.scale, QStringLiteral("矢印1"));
    arrow(c, f.at, f.r2.code, f.r2.orientation, f.r2.scale, QStringLiteral("矢印2"));
    arrowsOnArc(c, f.at, f);
    annotationText(c, f.at, f.t);
}

void radiusDim(RuleContext& c, const RadiusDimFeature& f)
{
    length(c, f.at, f.x1, f.y1, f.x2, f.y2, QStringLiteral("寸法線"));
    arrow(c, f.at, f.r.code, f.r.orientation, f.r.scale, QStringLiteral("矢印"));
    annotationText(c, f.at, f.t);
}

void diameterDim(RuleContext& c, const DiameterDimFeature& f)
{
    length(c, f.at, f.x1, f.y1, f.x2, f.y2, QStringLiteral("寸法線"));
    arrow(c, f.at, f.r1.code, f.r1.orientation, f.r1.scale, QStringLiteral("矢印1"));
    arrow(c, f.at, f.r2.code, f.r2.orientation, f.r2.scale, QStringLiteral("矢印2"));
    annotationText(c, f.at, f.t);
}

// A label, or a balloon with its circle. Its arrow is always drawn.
void label(RuleContext& c, const LabelFeature& f, bool balloon)
{
    vertices(c, f.at, f.n, f.points, 1, "SXFNOTVERTEXNUMBER");
    if (balloon)
        radius(c, f.at, f.r, QStringLiteral("バルーンの半径"));
    arrow(c, f.at, f.arrowCode, 1, f.arrowScale, QStringLiteral("矢印"));
    annotationText(c, f.at, f.t);
}

void placement(RuleContext& c, const SymbolPlacementFeature& f)
{
    angle(c, f.at, f.angle, QStringLiteral("配置の回転角"));
    scale(c, f.at, f.scaleX, QStringLiteral("X方向の倍率"));
    scale(c, f.at, f.scaleY, QStringLiteral("Y方向の倍率"));
    c.nameLength(f.at, f.name);
}

template <typename T>
const T* item(const std::vector<T>& items, int32_t index)
{
    return index >= 0 && size_t(index) < items.size() ? &items[size_t(index)] : nullptr;
}

// Calls `rule` on the feature `ref` names in `items`, when there is one.
template <typename T, typename Rule>
void apply(const std::vector<T>& items, int32_t index, Rule rule)
{
    if (const T* f = item(items, index))
        rule(*f);
}

void checkFeature(RuleContext& c, FeatureRef ref)
{
    const Drawing& d = c.drawing;
    const int32_t i = ref.index;
    switch (ref.kind) {
    case FeatureKind::PointMarker: apply(d.pointMarkers, i, [&c](const auto& f) { pointMarker(c, f); }); break;
    case FeatureKind::Line:
        apply(d.lines, i, [&c](const auto& f) { length(c, f.at, f.x1, f.y1, f.x2, f.y2, QStringLiteral("線分")); });
        break;
    case FeatureKind::Polyline:
        apply(d.polylines, i, [&c](const auto& f) { vertices(c, f.at, f.n, f.points, 2, "SXFVERTEXERROR"); });
        break;
    case FeatureKind::Circle:
        apply(d.circles, i, [&c](const auto& f) { radius(c, f.at, f.r, QStringLiteral("円の半径")); });
        break;
    case FeatureKind::Arc: apply(d.arcs, i, [&c](const auto& f) { arc(c, f); }); break;
    case FeatureKind::Ellipse: apply(d.ellipses, i, [&c](const auto& f) { ellipse(c, f); }); break;
    case FeatureKind::EllipseArc: apply(d.ellipseArcs, i, [&c](const auto& f) { ellipseArc(c, f); }); break;
    case FeatureKind::Text: apply(d.texts, i, [&c](const auto& f) { text(c, f); }); break;
    case FeatureKind::SymbolPlacement: apply(d.placements, i, [&c](const auto& f) { placement(c, f); }); break;
    case FeatureKind::ExternalHatch:
        apply(d.externalHatches, i, [&c](const auto& f) { c.nameLength(f.at, f.name); });
        break;
    case FeatureKind::LinearDim: apply(d.linearDims, i, [&c](const auto& f) { linearDim(c, f); }); break;
    case FeatureKind::CurveDim: apply(d.arcDims, i, [&c](const auto& f) { arcDim(c, f, false); }); break;
    case FeatureKind::AngularDim: apply(d.arcDims, i, [&c](const auto& f) { arcDim(c, f, true); }); break;
    case FeatureKind::RadiusDim: apply(d.radiusDims, i, [&c](const auto& f) { radiusDim(c, f); }); break;
    case FeatureKind::DiameterDim: apply(d.diameterDims, i, [&c](const auto& f) { diameterDim(c, f); }); break;
    case FeatureKind::Label: apply(d.labels, i, [&c](const auto& f) { label(c, f, false); }); break;
    case FeatureKind::Balloon: apply(d.labels, i, [&c](const auto& f) { label(c, f, true); }); break;
    // The official rules of these kinds are not among those checked here;
    // their place among the assemblies and their boundaries still are.
    case FeatureKind::Spline:
    case FeatureKind::Clothoid:
    case FeatureKind::ExternalSymbol:
    case FeatureKind::FillColour:
    case FeatureKind::Hatching:
    case FeatureKind::Tiles:
    case FeatureKind::Attribute: break;
    }
}

}  // namespace

void checkFeatureValues(RuleContext& c)
{
    for (const FeatureRef& ref : c.drawing.features)
        checkFeature(c, ref);
}

}  // namespace sxf
