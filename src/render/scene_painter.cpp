// Painting a scene: culling, pens, fills and glyph runs.
#include "render/scene_painter.h"

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numeric>
#include <unordered_map>

namespace render {

namespace {

const QColor kSheetFrame(176, 176, 176);
const QColor kHighlight(255, 140, 0);
// A dash pattern whose period is shorter than this on the device looks like
// a continuous line and costs far more to stroke.
constexpr double kMinDashPeriodPx = 3.0;
// Glyphs up to this size (pixels) come from Qt's own glyph cache; larger
// ones, up to the next size, from pictures kept here (within a budget in
// bytes); beyond that they are filled as outlines.
constexpr double kMaxCachedGlyphPx = 64;
constexpr double kMaxImageGlyphPx = 600;
constexpr size_t kGlyphImageBudget = 64u << 20;
constexpr double kMaxGlyphPx = 16384;
// Texts less high than this (pixels) cannot be read; they are drawn as a
// line through their box, as CAD programs show small texts.
constexpr double kMinGlyphPx = 4;
// Filled areas no larger than this (in device pixels) each way are set as
// a block of pixels.
constexpr double kSmallAreaPx = 3.0;
// Hairlines whose shape fits in this many pixels each way are set as
// pixels.
constexpr double kSmallLinePx = 4.0;
// Points of a line nearer than this (in device pixels, across plus down) to
// the last point drawn are passed over.
constexpr double kMinStepPx = 0.8;

// The pen the painter holds is none of the scene's styles (nor none).
constexpr int32_t kUnknownStroke = -2;

// Whether two boxes share any point; unlike QRectF::intersects, a box of no
// height (a horizontal line) counts.
bool overlaps(const QRectF& a, const QRectF& b)
{
    return a.left() <= b.right() && a.right() >= b.left() && a.top() <= b.bottom() && a.bottom() >= b.top();
}

// Whether `t` keeps glyphs as the font draws them, give or take `tolerance`
// (a slight stretch, a size rounded to the font sizes kept).
bool nearIdentity(const QTransform& t, double tolerance)
{
    return std::abs(t.m11() - 1) < tolerance && std::abs(t.m22() - 1) < tolerance && std::abs(t.m12()) < 1e-9
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
    Frame(QPainter& painter, const Scene& s, const View& v, QSizeF deviceSize, const LayerVisibility& shown,
          const PaintOptions& o, Buffers& kept)
        : p(painter), scene(s), view(v), size(deviceSize), visible(v.visibleSheet(deviceSize)), layers(shown), options(o)
        , device(kept.device), batches(kept.batches), dots(kept.dots)
    {
    }

    QPainter& p;
    const Scene& scene;
    const View& view;
    QSizeF size;
    QRectF visible;  // the sheet part shown
    const LayerVisibility& layers;
    const PaintOptions& options;
    int32_t currentStroke = kUnknownStroke;
    QRgb currentFill = 0;
    Fill currentFillKind = Fill::None;
    std::vector<QPen> pens;        // per stroke style, for this view
    std::vector<QPen> linePens;    // per 2 * style + kind: solid, square ends (0) or flat (1)
    std::vector<std::vector<double>> dashPx;  // per stroke style: its dashes in pixels, none when solid
    std::vector<uint8_t> hairline;            // per stroke style: a pixel wide or less
    std::vector<QPointF>& device;  // scratch
    // Lines gathered per pen so that each pen takes one call: at 2 * style
    // the style's own pen, at 2 * style + 1 its solid twin.
    std::vector<QList<QLineF>>& batches;
    // Terminator areas, drawn over the lines they end.
    std::vector<const Shape*> terminators;
    // Items smaller than a pixel, set straight into the pixels of an image
    // laid over the frame; cleared when first used in a frame.
    QImage& dots;
    bool dotsUsed = false;
};

void ScenePainter::paint(QPainter& painter, const Scene& scene, const View& view, QSizeF size,
                         const LayerVisibility& visible, const PaintOptions& options)
{
    painter.save();
    painter.resetTransform();
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, options.antialias);
    Frame f(painter, scene, view, size, visible, options, m_buffers);
    preparePens(f);
    if (!scene.sheet.isEmpty()) {
        painter.setPen(QPen(kSheetFrame, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(view.toDevice(scene.sheet.topLeft()), view.toDevice(scene.sheet.bottomRight())));
    }
    paintShapes(f);
    paintTexts(f);
    if (f.dotsUsed)
        painter.drawImage(QPointF(0, 0), f.dots);
    if (options.highlight != kNone)
        paintHighlight(f);
    painter.restore();
}

void ScenePainter::preparePens(Frame& f)
{
    const size_t n = f.scene.strokes.size();
    f.batches.resize(std::max(f.batches.size(), n * 2));
    f.pens.reserve(n);
    f.linePens.reserve(n * 2);
    f.dashPx.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const StrokeStyle& s = f.scene.strokes[i];
        const double widthPx = std::max(double(s.widthMm) * f.view.scale, f.options.minPenPx);
        // A line of a pixel or less takes Qt's cosmetic stroker, by far the
        // fastest; wider ones get square ends and mitred corners, which,
        // unlike round ones, need no curves.
        const bool hairline = widthPx <= 1.0;
        f.hairline.push_back(hairline ? 1 : 0);
        QPen pen(QColor::fromRgb(s.colour), hairline ? 0.0 : widthPx);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        f.linePens.push_back(pen);
        pen.setCapStyle(Qt::FlatCap);
        f.linePens.push_back(pen);
        const std::vector<double>& dashes = f.scene.dashes[size_t(std::max(s.dashes, 0))];
        double period = 0;
        for (double d : dashes)
            period += d;
        if (!dashes.empty() && period * f.view.scale >= kMinDashPeriodPx) {
            for (double d : dashes)
                f.dashPx[i].push_back(std::max(d * f.view.scale, 1e-3));
            // Qt measures dashes in pen widths; the drawing gives millimetres.
            const double unit = hairline ? 1.0 : widthPx;
            QList<qreal> pattern;
            for (double d : dashes)
                pattern.append(std::max(d * f.view.scale / unit, 1e-3));
            pen.setDashPattern(pattern);
        } else {
            pen.setCapStyle(Qt::SquareCap);
        }
        f.pens.push_back(pen);
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
    for (size_t i = 0; i < f.batches.size(); ++i) {
        if (f.batches[i].isEmpty())
            continue;
        f.p.setPen(f.linePens[i]);
        f.p.drawLines(f.batches[i].constData(), int(f.batches[i].size()));
        f.batches[i].clear();
    }
    f.currentStroke = kUnknownStroke;
}

void ScenePainter::batchLines(Frame& f, int32_t style, int kind, bool closed)
{
    QList<QLineF>& batch = f.batches[size_t(style) * 2 + size_t(kind)];
    for (size_t k = 1; k < f.device.size(); ++k)
        batch.append(QLineF(f.device[k - 1], f.device[k]));
    if (closed)
        batch.append(QLineF(f.device.back(), f.device.front()));
}

void ScenePainter::dashLines(Frame& f, int32_t style, const std::vector<double>& dashes, bool closed)
{
    QList<QLineF>& batch = f.batches[size_t(style) * 2 + 1];
    // Only the part of a line near the device is cut into dashes: far in,
    // a long line would otherwise make millions of them. The pattern runs
    // on across vertices and across what is skipped.
    const QRectF near = QRectF(QPointF(0, 0), f.size).adjusted(-8, -8, 8, 8);
    size_t dash = 0;
    double left = dashes[0];  // of the current dash or gap
    const auto advance = [&](double length) {
        while (length > 0) {
            const double step = std::min(length, left);
            length -= step;
            left -= step;
            if (left <= 0) {
                dash = (dash + 1) % dashes.size();
                left = dashes[dash];
            }
        }
    };
    const size_t points = f.device.size();
    const size_t segments = closed ? points : points - 1;
    for (size_t k = 0; k < segments; ++k) {
        const QPointF a = f.device[k], b = f.device[(k + 1) % points];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        if (length <= 0)
            continue;
        const QRectF box = QRectF(a, b).normalized();
        if (!overlaps(box, near)) {
            advance(std::fmod(length, std::accumulate(dashes.begin(), dashes.end(), 0.0)));
            continue;
        }
        double at = 0;
        while (at < length) {
            const double step = std::min(length - at, left);
            if (dash % 2 == 0 && step > 0)
                batch.append(QLineF(a + (b - a) * (at / length), a + (b - a) * ((at + step) / length)));
            at += step;
            advance(step);
        }
    }
}

void ScenePainter::dot(Frame& f, QPointF at, QRgb colour)
{
    if (!f.options.tinyAsPixels)
        return;
    if (!f.dotsUsed) {
        if (f.dots.size() != f.size.toSize())
            f.dots = QImage(f.size.toSize(), QImage::Format_ARGB32_Premultiplied);
        f.dots.fill(Qt::transparent);
        f.dotsUsed = true;
    }
    const int x = int(std::floor(at.x())), y = int(std::floor(at.y()));
    if (x >= 0 && y >= 0 && x < f.dots.width() && y < f.dots.height())
        reinterpret_cast<QRgb*>(f.dots.scanLine(y))[x] = colour | 0xff000000u;
}

void ScenePainter::pixelBlock(Frame& f, QPointF a, QPointF b, QRgb colour)
{
    if (!f.options.tinyAsPixels) {
        return;
    }
    const int x0 = int(std::floor(std::min(a.x(), b.x()))), x1 = int(std::floor(std::max(a.x(), b.x())));
    const int y0 = int(std::floor(std::min(a.y(), b.y()))), y1 = int(std::floor(std::max(a.y(), b.y())));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            dot(f, QPointF(x, y), colour);
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
    // Areas go under the lines, so that a fill never hides a line drawn
    // before it; then the lines, those of one pen together (lines over
    // lines need no order), and the terminators over them.
    const Scene& s = f.scene;
    const double scale = f.view.scale;
    for (const Shape& shape : s.shapes) {
        if (shape.fill == Fill::None || shape.withLines || !overlaps(shape.bounds, f.visible) || !isShown(shape.tag, f.layers))
            continue;
        const QSizeF pixels = shape.bounds.size() * scale;
        if (pixels.width() <= kSmallAreaPx && pixels.height() <= kSmallAreaPx && shape.fill == Fill::Solid
            && shape.stroke < 0) {
            pixelBlock(f, f.view.toDevice(shape.bounds.topLeft()), f.view.toDevice(shape.bounds.bottomRight()),
                       shape.fillColour);
            continue;
        }
        paintArea(f, shape);
    }
    f.p.setBrush(Qt::NoBrush);
    f.currentFillKind = Fill::None;
    if (f.dotsUsed) {
        f.p.drawImage(QPointF(0, 0), f.dots);
        f.dotsUsed = false;
    }
    for (const Shape& shape : s.shapes) {
        if ((shape.fill != Fill::None && !shape.withLines) || !overlaps(shape.bounds, f.visible) || !isShown(shape.tag, f.layers))
            continue;
        if (shape.bounds.width() * scale < 1 && shape.bounds.height() * scale < 1) {
            const QRgb colour = shape.fill == Fill::Solid || shape.stroke < 0 ? shape.fillColour
                                                                             : s.strokes[size_t(shape.stroke)].colour;
            dot(f, f.view.toDevice(shape.bounds.center()), colour);
            continue;
        }
        if (shape.fill != Fill::None)
            f.terminators.push_back(&shape);
        else
            paintLine(f, shape);
    }
    flushLines(f);
    for (const Shape* shape : f.terminators)
        paintArea(f, *shape);
    f.p.setBrush(Qt::NoBrush);
    f.currentFillKind = Fill::None;
}

void ScenePainter::paintLine(Frame& f, const Shape& shape)
{
    const Scene& s = f.scene;
    const double scale = f.view.scale;
    const QPointF origin = f.view.topLeft;
    const auto toDevice = [&](const QPointF& p) { return QPointF((p.x() - origin.x()) * scale, (origin.y() - p.y()) * scale); };
    const bool small = shape.stroke >= 0 && f.hairline[size_t(shape.stroke)] && shape.bounds.width() * scale < kSmallLinePx
        && shape.bounds.height() * scale < kSmallLinePx;
    for (int32_t r = shape.firstRing; r < shape.firstRing + shape.ringCount; ++r) {
        const Ring& ring = s.rings[size_t(r)];
        const QPointF* from = s.points.data() + ring.first;
        // Points closer than about a pixel to the last one drawn add
        // nothing to the picture: a finely sampled arc seen small is drawn
        // with a few segments.
        f.device.clear();
        QPointF last = toDevice(from[0]);
        f.device.push_back(last);
        for (int32_t k = 1; k < ring.count; ++k) {
            const QPointF next = toDevice(from[k]);
            if (k + 1 < ring.count && std::abs(next.x() - last.x()) + std::abs(next.y() - last.y()) < kMinStepPx)
                continue;
            f.device.push_back(next);
            last = next;
        }
        if (shape.stroke < 0)
            continue;
        // A thin line a few pixels across is set pixel by pixel: it looks
        // the same, and costs a fraction of a stroked line.
        if (small && f.options.tinyAsPixels) {
            const QRgb colour = s.strokes[size_t(shape.stroke)].colour;
            for (size_t k = 1; k < f.device.size(); ++k)
                dotLine(f, f.device[k - 1], f.device[k], colour);
            if (shape.closed)
                dotLine(f, f.device.back(), f.device.front(), colour);
            continue;
        }
        // Lines go into the runs of their pen; dashed ones as their dashes,
        // each dash a line of its own with flat ends.
        const std::vector<double>& dashes = f.dashPx[size_t(shape.stroke)];
        if (dashes.empty())
            batchLines(f, shape.stroke, 0, shape.closed);
        else
            dashLines(f, shape.stroke, dashes, shape.closed);
    }
}

void ScenePainter::paintArea(Frame& f, const Shape& shape)
{
    const Scene& s = f.scene;
    // Runs of fills share their brush and pen; setting them again costs
    // more than drawing a small area.
    if (f.currentFillKind != shape.fill || f.currentFill != shape.fillColour) {
        const QColor colour = QColor::fromRgb(shape.fillColour);
        f.p.setBrush(shape.fill == Fill::Solid ? QBrush(colour) : QBrush(colour, Qt::BDiagPattern));
        f.currentFillKind = shape.fill;
        f.currentFill = shape.fillColour;
    }
    setStroke(f, shape.stroke);
    if (shape.ringCount == 1) {
        const Ring& ring = s.rings[size_t(shape.firstRing)];
        f.device.clear();
        for (int32_t k = ring.first; k < ring.first + ring.count; ++k)
            f.device.push_back(f.view.toDevice(s.points[size_t(k)]));
        f.p.drawPolygon(f.device.data(), int(f.device.size()), Qt::OddEvenFill);
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

void ScenePainter::paintGlyphImages(Frame& f, int32_t font, double pixels, QRgb colour, const QList<quint32>& glyphs,
                                    const QList<QPointF>& positions)
{
    const QRawFont& raw = rawFont(f.scene, font, pixels);
    const quint64 sizeKey = quint64(std::llround(pixels * 8));
    for (qsizetype k = 0; k < glyphs.size(); ++k) {
        const GlyphKey key{font, sizeKey, glyphs[k], colour};
        auto image = m_glyphImages.find(key);
        if (image == m_glyphImages.end()) {
            // Far in, one glyph covers many pixels: filling its outline
            // every frame costs far more than blending its picture.
            if (m_glyphImageBytes > kGlyphImageBudget) {
                m_glyphImages.clear();
                m_glyphImageBytes = 0;
            }
            GlyphImage made;
            const QImage alpha = raw.alphaMapForGlyph(glyphs[k], QRawFont::PixelAntialiasing);
            made.offset = raw.boundingRect(glyphs[k]).topLeft();
            made.image = QImage(alpha.size(), QImage::Format_ARGB32_Premultiplied);
            const QColor c = QColor::fromRgb(colour);
            for (int y = 0; y < alpha.height(); ++y) {
                const uchar* in = alpha.constScanLine(y);
                QRgb* out = reinterpret_cast<QRgb*>(made.image.scanLine(y));
                for (int x = 0; x < alpha.width(); ++x) {
                    const int a = alpha.format() == QImage::Format_Indexed8 ? qGray(alpha.color(in[x])) : in[x];
                    out[x] = qRgba(c.red() * a / 255, c.green() * a / 255, c.blue() * a / 255, a);
                }
            }
            m_glyphImageBytes += size_t(made.image.sizeInBytes());
            image = m_glyphImages.insert(key, made);
        }
        f.p.drawImage(positions[k] + image->offset, image->image);
    }
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
        if (!(pixels >= kMinGlyphPx)) {
            // Too small to read: a line through the box, in its colour.
            const QPointF a = device.map(t.toSheet.map(QPointF(0, t.em / 2)));
            const QPointF b = device.map(t.toSheet.map(QPointF(t.positions.back().x() + t.em * t.stretch, t.em / 2)));
            dotLine(f, a, b, t.colour);
            continue;
        }
        // A glyph taller than any screen shows only a stroke or two of
        // itself; such sizes are left out rather than handed to the font.
        if (pixels > kMaxGlyphPx)
            continue;
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
        if (b.pixels > kMaxCachedGlyphPx && b.pixels <= kMaxImageGlyphPx) {
            paintGlyphImages(f, b.font, b.pixels, b.colour, b.glyphs, b.positions);
            continue;
        }
        QGlyphRun run;
        run.setRawFont(rawFont(f.scene, b.font, b.pixels));
        run.setGlyphIndexes(b.glyphs);
        run.setPositions(b.positions);
        f.p.setPen(QColor::fromRgb(b.colour));
        f.p.drawGlyphRun(QPointF(0, 0), run);
    }
    f.currentStroke = kUnknownStroke;
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
