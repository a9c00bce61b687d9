// Painting a view of a scene with a QPainter: on a screen, an image or a PDF
// page. What does not change between frames (the scene, the fonts at each
// size) is kept; each frame only culls what lies outside the view or is
// smaller than a pixel and strokes the rest.
#pragma once

#include "render/scene.h"
#include "render/view.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRawFont>

#include <vector>

class QPainter;

namespace render {

struct PaintOptions {
    // The thinnest line, in device pixels.
    double minPenPx = 1.0;
    bool antialias = true;
    // Items smaller than a pixel are set as pixels of their colour; off for
    // devices without pixels of their own (PDF), where they are left out.
    bool tinyAsPixels = true;
    // The feature (index in Drawing::features) drawn highlighted, with
    // everything it placed; kNone for none.
    int32_t highlight = kNone;
};

class ScenePainter {
public:
    // Paints the part of `scene` that `view` shows on a device of `size`
    // (white page, sheet frame, areas in scene order, lines, terminators,
    // texts on top) with
    // the layers `visible` shows. Items smaller than a pixel are drawn as a
    // dot of their colour, thin lines a few pixels across as pixels, texts
    // too small to read (under 4 pixels high) as a line through their box (both only with PaintOptions::tinyAsPixels).
    void paint(QPainter& painter, const Scene& scene, const View& view, QSizeF size,
               const LayerVisibility& visible, const PaintOptions& options = {});

private:
    struct Frame;
    static void preparePens(Frame& f);
    static void paintShapes(Frame& f);
    static void paintArea(Frame& f, const Shape& shape);
    static void paintLine(Frame& f, const Shape& shape);
    static void batchLines(Frame& f, int32_t style, int kind, bool closed);
    static void dashLines(Frame& f, int32_t style, const std::vector<double>& dashes, bool closed);
    static void pixelBlock(Frame& f, QPointF a, QPointF b, QRgb colour);
    void paintTexts(Frame& f);
    static void paintHighlight(Frame& f);
    static void setStroke(Frame& f, int32_t style);
    static void flushLines(Frame& f);
    static void dot(Frame& f, QPointF at, QRgb colour);
    static void dotLine(Frame& f, QPointF a, QPointF b, QRgb colour);
    const QRawFont& rawFont(const Scene& scene, int32_t font, double pixels);
    void paintGlyphImages(Frame& f, int32_t font, double pixels, QRgb colour, const QList<quint32>& glyphs,
                          const QList<QPointF>& positions);

    struct GlyphKey {
        int32_t font;
        quint64 eighths;
        quint32 glyph;
        QRgb colour;
        friend bool operator==(const GlyphKey&, const GlyphKey&) = default;
        friend size_t qHash(const GlyphKey& k, size_t seed = 0)
        {
            return qHashMulti(seed, k.font, k.eighths, k.glyph, k.colour);
        }
    };
    struct GlyphImage {
        QImage image;
        QPointF offset;  // of its top-left corner from the glyph's origin
    };
    QHash<GlyphKey, GlyphImage> m_glyphImages;
    size_t m_glyphImageBytes = 0;

    // Storage kept from frame to frame, so that a frame allocates nothing.
    struct Buffers {
        std::vector<QPointF> device;
        std::vector<QList<QLineF>> batches;
        QImage dots;
    };
    Buffers m_buffers;
    QHash<QString, QRawFont> m_baseFonts;
    QHash<quint64, QRawFont> m_sizedFonts;  // font index and size in 1/8 px
};

}  // namespace render
