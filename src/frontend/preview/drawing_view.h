// The widget that shows a drawing: the whole sheet fitted at first (and
// kept fitted as the widget's size changes, until the user zooms or pans),
// the wheel zooms at the cursor, dragging pans, Home fits again. The frame is
// painted into an image that is kept until the view, the layers shown or
// the size change, so that repainting the window costs nothing.
#pragma once

#include "render/scene.h"
#include "render/scene_painter.h"
#include "render/view.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace frontend {

class DrawingView : public QWidget {
    Q_OBJECT

public:
    explicit DrawingView(QWidget* parent = nullptr);

    // Shows `scene` with the layers `visible` shows, fitted to the widget.
    void setScene(std::shared_ptr<const render::Scene> scene, render::LayerVisibility visible);

    // The whole drawing fitted to the widget (what Home does).
    void fitAll();
    // Zooms by `factor` keeping the sheet point under `at` (widget pixels) in place.
    void zoomAt(QPointF at, double factor);
    void panBy(QPointF delta);
    // Shows `sheetArea` (millimetres) as large as it fits.
    void showArea(QRectF sheetArea);

    void setLayerVisible(int layer, bool shown);
    const render::LayerVisibility& visibility() const { return m_visible; }
    // The feature (index in Drawing::features) drawn highlighted; kNone for none.
    void setHighlight(int32_t feature);
    int32_t highlight() const { return m_options.highlight; }

    const render::View& view() const { return m_view; }
    // How much larger than the fitted view the drawing is shown (1 = fitted).
    double zoomFactor() const;
    // The frame as last painted (null before the first paint).
    const QImage& frame() const { return m_frame; }

signals:
    // The view moved, zoomed or was fitted again.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setView(const render::View& view);
    void renderFrame();
    render::View fittedView() const;

    std::shared_ptr<const render::Scene> m_scene;
    render::LayerVisibility m_visible;
    render::View m_view;
    render::ScenePainter m_painter;
    render::PaintOptions m_options;
    QImage m_frame;
    bool m_dirty = true;
    bool m_fitted = true;  // showing the whole drawing: a new size fits again
    bool m_dragging = false;
    QPointF m_dragFrom;
};

}  // namespace frontend
