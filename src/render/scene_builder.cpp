// The walk over a drawing that builds its scene: which features are on the
// sheet, symbol placements, the definition tables, and the items.
#include "render/scene_builder.h"

#include "render/feature_number.h"
#include "render/feature_style.h"
#include "render/scene_walk.h"
#include "render/text_box.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

namespace {

// Points per item the budget allows, on average: arcs and texts take more.
constexpr size_t kPointsPerItem = 8;

// Slants close to a right angle would shear a text out to infinity.
constexpr double kMaxSlantDeg = 80.0;

// The size of a sheet whose record gives none, by its kind (A0..A4),
// landscape.
QSizeF standardSheetSize(int32_t kind)
{
    static const QSizeF kSizes[] = {{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}};
    return kind >= 0 && kind < 5 ? kSizes[kind] : QSizeF();
}

QRectF sheetRect(const sxf::Sheet& sheet)
{
    QSizeF size(sheet.x, sheet.y);
    if (!(size.width() > 0 && size.height() > 0)) {
        size = standardSheetSize(sheet.kind);
        if (sheet.orientation == 0)
            size.transpose();
    }
    if (!std::isfinite(size.width()) || !std::isfinite(size.height()) || size.isEmpty())
        return {};
    return QRectF(QPointF(0, 0), size);
}

// The end of the features that assembly records own: those after it belong
// to none.
int32_t assembledEnd(const sxf::Drawing& d)
{
    int32_t end = 0;
    const auto grow = [&end](const sxf::FeatureRange& r) { end = std::max(end, r.first + r.count); };
    for (const sxf::Sheet& s : d.sheets)
        grow(s.members);
    for (const sxf::Symbol& s : d.symbols)
        grow(s.members);
    for (const sxf::CompositeCurve& c : d.curves)
        grow(c.segments);
    return end;
}

bool finitePoint(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

}  // namespace

Scene buildScene(const sxf::Drawing& drawing, size_t maxItems)
{
    Scene scene;
    SceneWalk(drawing, scene, maxItems).run();
    return scene;
}

SceneWalk::SceneWalk(const sxf::Drawing& drawing, Scene& scene, size_t maxItems)
    : m_d(drawing)
    , m_s(scene)
    , m_noted(drawing.features.size(), 0)
    , m_maxItems(maxItems)
{
    m_s.layerCount = int32_t(drawing.layers.size());
    m_dashesOfType.reserve(drawing.lineTypes.size());
    for (const sxf::LineType& type : drawing.lineTypes) {
        std::vector<double> pattern = dashPattern(type);
        if (pattern.empty()) {
            m_dashesOfType.push_back(0);
            continue;
        }
        const auto known = std::find(m_s.dashes.begin(), m_s.dashes.end(), pattern);
        m_dashesOfType.push_back(int32_t(known - m_s.dashes.begin()));
        if (known == m_s.dashes.end())
            m_s.dashes.push_back(std::move(pattern));
    }
}

void SceneWalk::run()
{
    if (const sxf::Sheet* sheet = m_d.sheet())
        m_s.sheet = sheetRect(*sheet);
    drawVisibleCurves();
    const Place onSheet;
    for (const sxf::Sheet& sheet : m_d.sheets)
        drawRange(sheet.members, onSheet);
    const int32_t end = assembledEnd(m_d);
    drawRange({end, int32_t(m_d.features.size()) - end}, onSheet);
}

void SceneWalk::drawRange(sxf::FeatureRange range, const Place& at)
{
    const int32_t first = std::max(range.first, 0);
    const int32_t last = std::min<int64_t>(int64_t(range.first) + range.count, int64_t(m_d.features.size()));
    for (int32_t i = first; i < last; ++i)
        drawFeature(i, at);
}

void SceneWalk::drawFeature(int32_t index, const Place& at)
{
    const sxf::FeatureRef& ref = m_d.features[size_t(index)];
    using K = sxf::FeatureKind;
    switch (ref.kind) {
    case K::SymbolPlacement:
        if (size_t(ref.index) < m_d.placements.size())
            drawPlacement(index, m_d.placements[size_t(ref.index)], at);
        return;
    case K::FillColour:
    case K::ExternalHatch:
    case K::Hatching:
    case K::Tiles: drawFill(index, ref, at); return;
    case K::LinearDim:
    case K::CurveDim:
    case K::AngularDim:
    case K::RadiusDim:
    case K::DiameterDim:
    case K::Label:
    case K::Balloon: drawAnnotation(index, ref, at); return;
    case K::Attribute: return;  // the title block's data: nothing on the sheet
    default: drawGeometry(index, ref, at); return;
    }
}

void SceneWalk::drawPlacement(int32_t index, const sxf::SymbolPlacementFeature& p, const Place& at)
{
    const int32_t layer = layerOf(p.layer, p.refs.layer, index, true);
    Place inside = placeOf(index, layer, at);
    if (at.tag.placement == kNone) {
        inside.tag.placement = index;
        inside.tag.placementLayer = layer;
    }
    const QPointF point(p.x, p.y);
    if (p.symbol < 0 || size_t(p.symbol) >= m_d.symbols.size()) {
        noteMissing(index, QStringLiteral("記号「%1」").arg(p.name));
        addMissingMark(inside, point, QStringLiteral("?") + p.name);
        return;
    }
    if (std::find(m_symbolsOpen.begin(), m_symbolsOpen.end(), p.symbol) != m_symbolsOpen.end()) {
        note(index, QStringLiteral("記号「%1」がそれ自身の中に配置されています（一度だけ描きます）").arg(p.name));
        addMissingMark(inside, point, QString());
        return;
    }
    if (m_s.shapes.size() + m_s.texts.size() > m_maxItems || m_s.points.size() > m_maxItems * kPointsPerItem) {
        if (!m_overBudget)
            note(index, QStringLiteral("配置が多すぎるため、これ以降の記号は描きません"));
        m_overBudget = true;
        return;
    }
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.angle) || !std::isfinite(p.scaleX)
        || !std::isfinite(p.scaleY))
        return;
    inside.toSheet = at.toSheet;
    inside.toSheet.translate(p.x, p.y);
    inside.toSheet.rotate(p.angle);
    inside.toSheet.scale(p.scaleX, p.scaleY);
    m_symbolsOpen.push_back(p.symbol);
    drawRange(m_d.symbols[size_t(p.symbol)].members, inside);
    m_symbolsOpen.pop_back();
}

void SceneWalk::drawVisibleCurves()
{
    for (size_t c = 0; c < m_d.curves.size(); ++c) {
        const sxf::CompositeCurve& curve = m_d.curves[c];
        if (curve.flag != 1)
            continue;
        const int32_t first = curve.segments.count > 0 ? curve.segments.first : kNone;
        Place at;
        at.tag.feature = first >= 0 && size_t(first) < m_d.features.size() ? first : kNone;
        const Look look = curveLook(curve, at.tag.feature);
        addLine(at, curvePoints(int32_t(c)), false, look.stroke);
    }
}

Place SceneWalk::placeOf(int32_t index, int32_t layer, const Place& at) const
{
    Place p = at;
    p.tag.feature = index;
    p.tag.layer = layer;
    return p;
}

int32_t SceneWalk::layerOf(int32_t number, int32_t ref, int32_t index, bool zeroIsNone)
{
    if (zeroIsNone && number == 0)
        return kNone;
    if (ref < 0 || size_t(ref) >= m_d.layers.size()) {
        noteMissing(index, QStringLiteral("レイヤ %1").arg(number));
        return kNone;
    }
    return ref;
}

Drawn SceneWalk::attrDrawn(int32_t index, const sxf::TableRefs& refs, const Place& at, int needs)
{
    bool missing = false;
    int32_t layer = kNone;
    if (refs.layer >= 0 && size_t(refs.layer) < m_d.layers.size()) {
        layer = refs.layer;
    } else {
        noteMissing(index, QStringLiteral("レイヤ"));
        missing = true;
    }
    QColor colour = (needs & kColour) ? colourOf(m_d, refs.colour) : QColor(Qt::black);
    if (colour == kMissingColour) {
        noteMissing(index, QStringLiteral("色"));
        missing = true;
    }
    int32_t dashes = 0;
    double width = 0;
    if (needs & kLineStyle) {
        if (refs.lineType >= 0 && size_t(refs.lineType) < m_dashesOfType.size()) {
            dashes = m_dashesOfType[size_t(refs.lineType)];
        } else {
            noteMissing(index, QStringLiteral("線種"));
            missing = true;
        }
        if (refs.width >= 0 && size_t(refs.width) < m_d.widths.size()) {
            width = widthOf(m_d, refs.width);
        } else {
            noteMissing(index, QStringLiteral("線幅"));
            missing = true;
        }
    }
    if (missing)
        colour = kMissingColour;
    return {placeOf(index, layer, at), {colour.rgb(), strokeStyle(colour, width, dashes), strokeStyle(colour, width, 0)}};
}

Look SceneWalk::curveLook(const sxf::CompositeCurve& curve, int32_t index)
{
    QColor colour = colourOf(m_d, curve.refs.colour);
    const bool typeKnown = curve.refs.lineType >= 0 && size_t(curve.refs.lineType) < m_dashesOfType.size();
    const bool widthKnown = curve.refs.width >= 0 && size_t(curve.refs.width) < m_d.widths.size();
    if (!typeKnown || !widthKnown || colour == kMissingColour) {
        colour = kMissingColour;
        noteMissing(index, QStringLiteral("色・線種・線幅"));
    }
    const int32_t dashes = typeKnown ? m_dashesOfType[size_t(curve.refs.lineType)] : 0;
    const double width = widthOf(m_d, curve.refs.width);
    return {colour.rgb(), strokeStyle(colour, width, dashes), strokeStyle(colour, width, 0)};
}

int32_t SceneWalk::strokeStyle(QColor colour, double widthMm, int32_t dashes)
{
    const StrokeStyle style{colour.rgb(), float(widthMm), dashes};
    // Drawings use a few dozen styles: a linear search from the latest wins.
    for (size_t i = m_s.strokes.size(); i-- > 0;) {
        if (m_s.strokes[i] == style)
            return int32_t(i);
    }
    m_s.strokes.push_back(style);
    return int32_t(m_s.strokes.size() - 1);
}

void SceneWalk::noteMissing(int32_t index, const QString& what)
{
    if (index < 0 || size_t(index) >= m_noted.size() || (m_noted[size_t(index)] & 2))
        return;
    m_noted[size_t(index)] |= 2;
    ++m_s.missingDefinitions;
    note(index, QStringLiteral("定義されていない%1を参照しています").arg(what));
}

void SceneWalk::note(int32_t index, const QString& message)
{
    if (index >= 0 && size_t(index) < m_noted.size()) {
        if (m_noted[size_t(index)] & 1)
            return;
        m_noted[size_t(index)] |= 1;
    }
    m_s.notes.push_back({index, numberOf(index), message});
}

int32_t SceneWalk::numberOf(int32_t index) const
{
    return featureNumber(m_d, index);
}

int32_t SceneWalk::beginRing(const std::vector<QPointF>& local, const QTransform& toSheet, QRectF& bounds)
{
    const int32_t first = int32_t(m_s.points.size());
    double x0 = bounds.left(), y0 = bounds.top(), x1 = bounds.right(), y1 = bounds.bottom();
    bool empty = bounds.isNull();
    // Most features lie on the sheet itself, where mapping is copying.
    const bool identity = toSheet.isIdentity();
    for (const QPointF& p : local) {
        const QPointF q = identity ? p : toSheet.map(p);
        if (!finitePoint(q))
            continue;
        m_s.points.push_back(q);
        if (empty) {
            x0 = x1 = q.x();
            y0 = y1 = q.y();
            empty = false;
        } else {
            x0 = std::min(x0, q.x());
            x1 = std::max(x1, q.x());
            y0 = std::min(y0, q.y());
            y1 = std::max(y1, q.y());
        }
    }
    const int32_t count = int32_t(m_s.points.size()) - first;
    if (count > 0)
        bounds = QRectF(QPointF(x0, y0), QPointF(x1, y1));
    return count;
}

void SceneWalk::addLine(const Place& at, const std::vector<QPointF>& local, bool closed, int32_t stroke)
{
    if (local.size() < 2)
        return;
    Shape shape;
    shape.tag = at.tag;
    shape.firstRing = int32_t(m_s.rings.size());
    const int32_t first = int32_t(m_s.points.size());
    const int32_t count = beginRing(local, at.toSheet, shape.bounds);
    if (count < 2) {
        m_s.points.resize(size_t(first));
        return;
    }
    m_s.rings.push_back({first, count});
    shape.ringCount = 1;
    shape.stroke = stroke;
    shape.closed = closed;
    m_s.extents = m_s.extents.united(shape.bounds);
    m_s.shapes.push_back(shape);
}

void SceneWalk::addArea(const Place& at, const std::vector<std::vector<QPointF>>& rings, Fill fill, QRgb fillColour,
                        int32_t stroke)
{
    Shape shape;
    shape.tag = at.tag;
    shape.firstRing = int32_t(m_s.rings.size());
    for (const std::vector<QPointF>& ring : rings) {
        const int32_t first = int32_t(m_s.points.size());
        const int32_t count = beginRing(ring, at.toSheet, shape.bounds);
        if (count < 2) {
            m_s.points.resize(size_t(first));
            continue;
        }
        m_s.rings.push_back({first, count});
        ++shape.ringCount;
    }
    if (shape.ringCount == 0)
        return;
    shape.stroke = stroke;
    shape.fill = fill;
    shape.fillColour = fillColour;
    shape.closed = true;
    m_s.extents = m_s.extents.united(shape.bounds);
    m_s.shapes.push_back(shape);
}

void SceneWalk::addTerminator(const Place& at, const Terminator& t, const Look& look)
{
    const Look drawn = t.known ? look : Look{kMissingColour.rgb(), strokeStyle(kMissingColour, 0, 0), 0};
    for (const TerminatorPart& part : t.parts) {
        if (part.fill == PartFill::None) {
            addLine(at, part.points, part.closed, drawn.solidStroke ? drawn.solidStroke : drawn.stroke);
            continue;
        }
        const QRgb fillColour = part.fill == PartFill::Page ? qRgb(255, 255, 255) : drawn.colour;
        const size_t before = m_s.shapes.size();
        addArea(at, {part.points}, Fill::Solid, fillColour, drawn.solidStroke ? drawn.solidStroke : drawn.stroke);
        if (m_s.shapes.size() > before)
            m_s.shapes.back().withLines = true;
    }
}

void SceneWalk::addText(const Place& at, const TextSpec& placed, QRgb colour, const QString& family)
{
    if (placed.text.isEmpty()
        || !std::isfinite(placed.x + placed.y + placed.height + placed.width + placed.angleDeg + placed.slantDeg))
        return;
    const bool vertical = placed.direction == 2;
    const TextBox box = textBoxAt(QPointF(placed.x, placed.y), placed.basePoint, placed.width, placed.height, placed.angleDeg);
    TextItem item;
    item.tag = at.tag;
    item.text = placed.text;
    item.colour = colour;
    item.toSheet = at.toSheet;
    item.toSheet.translate(box.corner.x(), box.corner.y());
    item.toSheet.rotate(placed.angleDeg);
    const double slant = std::clamp(placed.slantDeg, -kMaxSlantDeg, kMaxSlantDeg);
    item.toSheet.shear(std::tan(slant * std::numbers::pi / 180.0), 0);
    m_shaper.layOut(item, placed.text, box.width, box.height, placed.spacing, vertical, family, m_s.fontFamilies);
    if (item.glyphs.empty())
        return;
    item.bounds = item.toSheet.mapRect(QRectF(0, 0, box.width, box.height));
    if (!finitePoint(item.bounds.topLeft()) || !finitePoint(item.bounds.bottomRight()))
        return;
    m_s.extents = m_s.extents.united(item.bounds);
    m_s.texts.push_back(std::move(item));
}

void SceneWalk::addMissingMark(const Place& at, QPointF point, const QString& label)
{
    const Look look{kMissingColour.rgb(), strokeStyle(kMissingColour, 0.25, 0), 0};
    // A cross of 4 mm on the sheet, whatever the placement's scale.
    const QPointF centre = at.toSheet.map(point);
    Place sheet = at;
    sheet.toSheet = QTransform();
    const double r = 2.0;
    addLine(sheet, {centre + QPointF(-r, -r), centre + QPointF(r, r)}, false, look.stroke);
    addLine(sheet, {centre + QPointF(-r, r), centre + QPointF(r, -r)}, false, look.stroke);
    if (!label.isEmpty()) {
        TextSpec placed;
        placed.text = label;
        placed.x = centre.x() + r + 0.5;
        placed.y = centre.y();
        placed.height = 2.5;
        placed.basePoint = 4;
        addText(sheet, placed, look.colour, fontFamilyFor(QString()));
    }
}

QString SceneWalk::fontFamily(int32_t index, int32_t fontRef, bool hasText)
{
    if (fontRef >= 0 && size_t(fontRef) < m_d.fonts.size())
        return fontFamilyFor(m_d.fonts[size_t(fontRef)].name);
    if (hasText)
        noteMissing(index, QStringLiteral("文字フォント"));
    return fontFamilyFor(QString());
}

}  // namespace render
