// The drawing view: the cached frame, zoom, pan and fit.
#include "frontend/preview/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace frontend {

namespace {

// A wheel notch zooms by a fifth; the margin keeps the sheet's frame off
// the widget's edge.
constexpr double kNotchFactor = 1.2;
constexpr double kFitMarginPx = 12;

}  // namespace

DrawingView::DrawingView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DrawingView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    setCursor(Qt::OpenHandCursor);
}

void DrawingView::setScene(std::shared_ptr<const render::Scene> scene, render::LayerVisibility visible)
{
    m_scene = std::move(scene);
    m_visible = std::move(visible);
    fitAll();
}

render::View DrawingView::fittedView() const
{
    const QRectF area = m_scene ? m_scene->area() : QRectF(0, 0, 100, 100);
    return render::fitView(area, size(), kFitMarginPx);
}

void DrawingView::fitAll()
{
    setView(fittedView());
    m_fitted = true;
}

void DrawingView::zoomAt(QPointF at, double factor)
{
    setView(render::zoomAt(m_view, at, factor));
}

void DrawingView::panBy(QPointF delta)
{
    setView(render::panBy(m_view, delta));
}

void DrawingView::showArea(QRectF sheetArea)
{
    // A point or a line still gets a view a few millimetres across.
    const QRectF area = sheetArea.adjusted(-5, -5, 5, 5);
    setView(render::fitView(area, size(), kFitMarginPx));
}

void DrawingView::setLayerVisible(int layer, bool shown)
{
    if (layer < 0 || size_t(layer) >= m_visible.size() || m_visible[size_t(layer)] == shown)
        return;
    m_visible[size_t(layer)] = shown;
    m_dirty = true;
    update();
}

void DrawingView::setHighlight(int32_t feature)
{
    if (m_options.highlight == feature)
        return;
    m_options.highlight = feature;
    m_dirty = true;
    update();
}

double DrawingView::zoomFactor() const
{
    const double fitted = fittedView().scale;
    return fitted > 0 ? m_view.scale / fitted : 1.0;
}

void DrawingView::setView(const render::View& view)
{
    m_fitted = false;
    m_view = view;
    m_dirty = true;
    update();
    emit viewChanged();
}

void DrawingView::renderFrame()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_frame.size() != pixels)
        m_frame = QImage(pixels, QImage::Format_RGB32);
    m_frame.setDevicePixelRatio(ratio);
    QPainter painter(&m_frame);
    if (m_scene)
        m_painter.paint(painter, *m_scene, m_view, size(), m_visible, m_options);
    else
        painter.fillRect(rect(), Qt::white);
    m_dirty = false;
}

void DrawingView::paintEvent(QPaintEvent*)
{
    if (m_dirty || m_frame.isNull())
        renderFrame();
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_frame);
}

void DrawingView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_fitted) {
        fitAll();
        return;
    }
    m_dirty = true;
}

void DrawingView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAt(event->position(), std::pow(kNotchFactor, notches));
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_dragFrom = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void DrawingView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    const QPointF at = event->position();
    panBy(at - m_dragFrom);
    m_dragFrom = at;
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
}

void DrawingView::keyPressEvent(QKeyEvent* event)
{
    const QPointF middle(width() / 2.0, height() / 2.0);
    switch (event->key()) {
    case Qt::Key_Home: fitAll(); return;
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomAt(middle, kNotchFactor); return;
    case Qt::Key_Minus: zoomAt(middle, 1 / kNotchFactor); return;
    default: QWidget::keyPressEvent(event);
    }
}

}  // namespace frontend
