// Painting a scene: culling, pens, fills and glyph runs.
#include "render/scene_painter.h"

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <unordered_map>

namespace render {

namespace {

const QColor kSheetFrame(176, 176, 176);
const QColor kHighlight(255, 140, 0);
// A dash pattern whose period is shorter than this on the device looks like
// a continuous line and costs far more to stroke.
constexpr double kMinDashPeriodPx = 3.0;

// Whether two boxes share any point; unlike QRectF::intersects, a box of no
// height (a horizontal line) counts.
bool overlaps(const QRectF& a, const QRectF& b)
{
    return a.left() <= b.right() && a.right() >= b.left() && a.top() <= b.bottom() && a.bottom() >= b.top();
}

bool nearIdentity(const QTransform& t, double stretchTolerance)
{
    return std::abs(t.m11() - 1) < stretchTolerance && std::abs(t.m22() - 1) < 1e-6 && std::abs(t.m12()) < 1e-9
        && std::abs(t.m21()) < 1e-9;
}

// The glyph runs of one font, size and colour, collected over a frame so
// that they are drawn with one call.
struct GlyphBatch {
    int32_t font = 0;
    double pixels = 0;
    QRgb colour = 0;
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

}  // namespace

struct ScenePainter::Frame {
    QPainter& p;
    const Scene& scene;
    const View& view;
    QSizeF size;
    QRectF visible;  // the sheet part shown
    const LayerVisibility& layers;
    const PaintOptions& options;
    int32_t currentStroke = kNone;
    std::vector<QPen> pens;        // per stroke style, for this view
    std::vector<uint8_t> plain;    // per stroke style: drawn without dashes
    std::vector<QPointF> device;   // scratch
    // Plain lines of one style, gathered so that runs of them take one call.
    int32_t batchStyle = kNone;
    QList<QLineF> batch;
    // Items smaller than a pixel, set straight into the pixels of an image
    // laid over the frame.
    QImage dots;
};

void ScenePainter::paint(QPainter& painter, const Scene& scene, const View& view, QSizeF size,
                         const LayerVisibility& visible, const PaintOptions& options)
{
    painter.save();
    painter.resetTransform();
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, options.antialias);
    Frame f{painter, scene, view, size, view.visibleSheet(size), visible, options, kNone, {}, {}, {}, kNone, {}, {}};
    preparePens(f);
    if (!scene.sheet.isEmpty()) {
        painter.setPen(QPen(kSheetFrame, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(view.toDevice(scene.sheet.topLeft()), view.toDevice(scene.sheet.bottomRight())));
    }
    paintShapes(f);
    paintTexts(f);
    if (!f.dots.isNull())
        painter.drawImage(QPointF(0, 0), f.dots);
    if (options.highlight != kNone)
        paintHighlight(f);
    painter.restore();
}

void ScenePainter::preparePens(Frame& f)
{
    f.pens.reserve(f.scene.strokes.size());
    f.plain.reserve(f.scene.strokes.size());
    for (const StrokeStyle& s : f.scene.strokes) {
        const double widthPx = std::max(double(s.widthMm) * f.view.scale, f.options.minPenPx);
        QPen pen(QColor::fromRgb(s.colour), widthPx);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::RoundJoin);
        const std::vector<double>& dashes = f.scene.dashes[size_t(std::max(s.dashes, 0))];
        double period = 0;
        for (double d : dashes)
            period += d;
        const bool dashed = !dashes.empty() && period * f.view.scale >= kMinDashPeriodPx;
        if (dashed) {
            // Qt measures dashes in pen widths; the drawing gives millimetres.
            QList<qreal> pattern;
            pattern.reserve(qsizetype(dashes.size()));
            for (double d : dashes)
                pattern.append(std::max(d * f.view.scale / widthPx, 1e-3));
            pen.setDashPattern(pattern);
        } else {
            pen.setCapStyle(Qt::RoundCap);
        }
        f.pens.push_back(pen);
        f.plain.push_back(dashed ? 0 : 1);
    }
}

void ScenePainter::setStroke(Frame& f, int32_t style)
{
    if (f.currentStroke == style)
        return;
    f.currentStroke = style;
    f.p.setPen(style >= 0 && size_t(style) < f.pens.size() ? f.pens[size_t(style)] : QPen(Qt::NoPen));
}

void ScenePainter::flushLines(Frame& f)
{
    if (f.batch.isEmpty())
        return;
    setStroke(f, f.batchStyle);
    f.p.drawLines(f.batch.constData(), int(f.batch.size()));
    f.batch.clear();
}

void ScenePainter::dot(Frame& f, QPointF at, QRgb colour)
{
    if (!f.options.tinyAsPixels)
        return;
    if (f.dots.isNull()) {
        f.dots = QImage(f.size.toSize(), QImage::Format_ARGB32_Premultiplied);
        f.dots.fill(Qt::transparent);
    }
    const int x = int(std::floor(at.x())), y = int(std::floor(at.y()));
    if (x >= 0 && y >= 0 && x < f.dots.width() && y < f.dots.height())
        reinterpret_cast<QRgb*>(f.dots.scanLine(y))[x] = colour | 0xff000000u;
}

void ScenePainter::dotLine(Frame& f, QPointF a, QPointF b, QRgb colour)
{
    if (!f.options.tinyAsPixels)
        return;
    const double length = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
    const int steps = int(std::min(length, 1e5));
    for (int k = 0; k <= steps; ++k)
        dot(f, steps == 0 ? a : a + (b - a) * (double(k) / steps), colour);
}

void ScenePainter::paintShapes(Frame& f)
{
    const Scene& s = f.scene;
    const double scale = f.view.scale;
    const QPointF origin = f.view.topLeft;
    const auto toDevice = [&](const QPointF& p) { return QPointF((p.x() - origin.x()) * scale, (origin.y() - p.y()) * scale); };
    for (const Shape& shape : s.shapes) {
        if (!overlaps(shape.bounds, f.visible) || !isShown(shape.tag, f.layers))
            continue;
        if (shape.bounds.width() * scale < 1 && shape.bounds.height() * scale < 1) {
            const QRgb colour = shape.fill == Fill::Solid || shape.stroke < 0 ? shape.fillColour
                                                                             : s.strokes[size_t(shape.stroke)].colour;
            dot(f, toDevice(shape.bounds.center()), colour);
            continue;
        }
        if (shape.fill != Fill::None) {
            flushLines(f);
            paintArea(f, shape);
            continue;
        }
        const bool plain = shape.stroke >= 0 && f.plain[size_t(shape.stroke)];
        if (!plain) {
            flushLines(f);
            setStroke(f, shape.stroke);
        } else if (shape.stroke != f.batchStyle) {
            flushLines(f);
            f.batchStyle = shape.stroke;
        }
        for (int32_t r = shape.firstRing; r < shape.firstRing + shape.ringCount; ++r) {
            const Ring& ring = s.rings[size_t(r)];
            const QPointF* from = s.points.data() + ring.first;
            if (plain) {
                QPointF last = toDevice(from[0]);
                const QPointF first = last;
                for (int32_t k = 1; k < ring.count; ++k) {
                    const QPointF next = toDevice(from[k]);
                    f.batch.append(QLineF(last, next));
                    last = next;
                }
                if (shape.closed)
                    f.batch.append(QLineF(last, first));
                continue;
            }
            f.device.resize(size_t(ring.count));
            for (int32_t k = 0; k < ring.count; ++k)
                f.device[size_t(k)] = toDevice(from[k]);
            if (shape.closed)
                f.p.drawPolygon(f.device.data(), int(f.device.size()));
            else
                f.p.drawPolyline(f.device.data(), int(f.device.size()));
        }
    }
    flushLines(f);
    f.p.setBrush(Qt::NoBrush);
}

void ScenePainter::paintArea(Frame& f, const Shape& shape)
{
    const Scene& s = f.scene;
    const QColor colour = QColor::fromRgb(shape.fillColour);
    const QBrush brush = shape.fill == Fill::Solid ? QBrush(colour) : QBrush(colour, Qt::BDiagPattern);
    f.p.setBrush(brush);
    if (shape.stroke >= 0)
        setStroke(f, shape.stroke);
    else {
        f.currentStroke = kNone;
        f.p.setPen(Qt::NoPen);
    }
    if (shape.ringCount == 1) {
        const Ring& ring = s.rings[size_t(shape.firstRing)];
        f.device.clear();
        for (int32_t k = ring.first; k < ring.first + ring.count; ++k)
            f.device.push_back(f.view.toDevice(s.points[size_t(k)]));
        f.p.drawPolygon(f.device.data(), int(f.device.size()), Qt::OddEvenFill);
        f.p.setBrush(Qt::NoBrush);
        return;
    }
    // Holes: every ring in one path, filled even-odd, so that a hole inside
    // the outline stays open.
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (int32_t r = shape.firstRing; r < shape.firstRing + shape.ringCount; ++r) {
        const Ring& ring = s.rings[size_t(r)];
        QPolygonF polygon;
        polygon.reserve(ring.count);
        for (int32_t k = ring.first; k < ring.first + ring.count; ++k)
            polygon.append(f.view.toDevice(s.points[size_t(k)]));
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    f.p.drawPath(path);
    f.p.setBrush(Qt::NoBrush);
}

const QRawFont& ScenePainter::rawFont(const Scene& scene, int32_t font, double pixels)
{
    const quint64 eighths = quint64(std::llround(pixels * 8));
    const quint64 key = (quint64(uint32_t(font)) << 40) | eighths;
    auto sized = m_sizedFonts.find(key);
    if (sized != m_sizedFonts.end())
        return *sized;
    const QString family = size_t(font) < scene.fontFamilies.size() ? scene.fontFamilies[size_t(font)] : QString();
    auto base = m_baseFonts.find(family);
    if (base == m_baseFonts.end()) {
        QFont f(family);
        f.setPixelSize(64);
        f.setHintingPreference(QFont::PreferNoHinting);
        base = m_baseFonts.insert(family, QRawFont::fromFont(f));
    }
    QRawFont raw = *base;
    raw.setPixelSize(double(eighths) / 8);
    // Views at many zoom levels leave many sizes behind; start afresh rather
    // than keep them all.
    if (m_sizedFonts.size() > 256)
        m_sizedFonts.clear();
    return *m_sizedFonts.insert(key, raw);
}

void ScenePainter::paintTexts(Frame& f)
{
    const QTransform device = f.view.transform();
    std::vector<GlyphBatch> batches;
    const auto batchFor = [&batches](int32_t font, double pixels, QRgb colour) -> GlyphBatch& {
        for (GlyphBatch& b : batches) {
            if (b.font == font && b.pixels == pixels && b.colour == colour)
                return b;
        }
        batches.push_back({font, pixels, colour, {}, {}});
        return batches.back();
    };
    for (const TextItem& t : f.scene.texts) {
        if (!overlaps(t.bounds, f.visible) || !isShown(t.tag, f.layers))
            continue;
        const double sheetScale = std::sqrt(std::abs(t.toSheet.determinant()));
        const double pixels = t.em * sheetScale * f.view.scale;
        if (!(pixels >= 1.0)) {
            // Too small to read: a line through the box, in its colour.
            const QPointF a = device.map(t.toSheet.map(QPointF(0, t.em / 2)));
            const QPointF b = device.map(t.toSheet.map(QPointF(t.positions.back().x() + t.em * t.stretch, t.em / 2)));
            dotLine(f, a, b, t.colour);
            continue;
        }
        const double quantised = double(std::llround(pixels * 8)) / 8;
        const double fontMm = t.em / quantised;  // box millimetres per font pixel
        const QTransform glyphFrame = QTransform(t.stretch * fontMm, 0, 0, -fontMm, 0, 0) * t.toSheet * device;
        const auto local = [&](const QPointF& p) { return QPointF(p.x() / (t.stretch * fontMm), -p.y() / fontMm); };
        if (nearIdentity(glyphFrame, 0.02)) {
            GlyphBatch& b = batchFor(t.font, quantised, t.colour);
            for (size_t k = 0; k < t.glyphs.size(); ++k) {
                b.glyphs.append(t.glyphs[k]);
                b.positions.append(glyphFrame.map(local(t.positions[k])));
            }
            continue;
        }
        QGlyphRun run;
        run.setRawFont(rawFont(f.scene, t.font, quantised));
        QList<quint32> glyphs(t.glyphs.begin(), t.glyphs.end());
        QList<QPointF> positions;
        positions.reserve(qsizetype(t.positions.size()));
        for (const QPointF& p : t.positions)
            positions.append(local(p));
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        f.p.setTransform(glyphFrame);
        f.p.setPen(QColor::fromRgb(t.colour));
        f.p.drawGlyphRun(QPointF(0, 0), run);
        f.p.resetTransform();
    }
    for (GlyphBatch& b : batches) {
        QGlyphRun run;
        run.setRawFont(rawFont(f.scene, b.font, b.pixels));
        run.setGlyphIndexes(b.glyphs);
        run.setPositions(b.positions);
        f.p.setPen(QColor::fromRgb(b.colour));
        f.p.drawGlyphRun(QPointF(0, 0), run);
    }
    f.currentStroke = kNone;
}

void ScenePainter::paintHighlight(Frame& f)
{
    const int32_t feature = f.options.highlight;
    const auto picked = [feature](const ItemTag& tag) { return tag.feature == feature || tag.placement == feature; };
    QPen pen(kHighlight, std::max(3.0, f.options.minPenPx * 3));
    pen.setCapStyle(Qt::RoundCap);
    f.p.setPen(pen);
    f.p.setBrush(Qt::NoBrush);
    for (const Shape& shape : f.scene.shapes) {
        if (!picked(shape.tag))
            continue;
        for (int32_t r = shape.firstRing; r < shape.firstRing + shape.ringCount; ++r) {
            const Ring& ring = f.scene.rings[size_t(r)];
            f.device.clear();
            for (int32_t k = ring.first; k < ring.first + ring.count; ++k)
                f.device.push_back(f.view.toDevice(f.scene.points[size_t(k)]));
            if (shape.closed)
                f.p.drawPolygon(f.device.data(), int(f.device.size()));
            else
                f.p.drawPolyline(f.device.data(), int(f.device.size()));
        }
    }
    for (const TextItem& t : f.scene.texts) {
        if (picked(t.tag))
            f.p.drawRect(QRectF(f.view.toDevice(t.bounds.topLeft()), f.view.toDevice(t.bounds.bottomRight())));
    }
}

}  // namespace render
