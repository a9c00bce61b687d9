// Painting a view of a scene with a QPainter: on a screen, an image or a PDF
// page. What does not change between frames (the scene, the fonts at each
// size) is kept; each frame only culls what lies outside the view or is
// smaller than a pixel and strokes the rest.
#pragma once

#include "render/scene.h"
#include "render/view.h"

#include <QColor>
#include <QHash>
#include <QRawFont>

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
    // (white page, sheet frame, shapes in scene order, texts on top) with
    // the layers `visible` shows. Items smaller than a pixel are drawn as a
    // dot of their colour, texts less than a pixel high as a line through
    // their box (both only with PaintOptions::tinyAsPixels).
    void paint(QPainter& painter, const Scene& scene, const View& view, QSizeF size,
               const LayerVisibility& visible, const PaintOptions& options = {});

private:
    struct Frame;
    static void preparePens(Frame& f);
    static void paintShapes(Frame& f);
    static void paintArea(Frame& f, const Shape& shape);
    void paintTexts(Frame& f);
    static void paintHighlight(Frame& f);
    static void setStroke(Frame& f, int32_t style);
    static void flushLines(Frame& f);
    static void dot(Frame& f, QPointF at, QRgb colour);
    static void dotLine(Frame& f, QPointF a, QPointF b, QRgb colour);
    const QRawFont& rawFont(const Scene& scene, int32_t font, double pixels);

    QHash<QString, QRawFont> m_baseFonts;
    QHash<quint64, QRawFont> m_sizedFonts;  // font index and size in 1/8 px
};

}  // namespace render
