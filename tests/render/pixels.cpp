// Pixel helpers for the render tests.
#include "tests/render/pixels.h"

#include "render/scene_builder.h"
#include "render/scene_painter.h"

#include <QPainter>

namespace rendertest {

QImage picture(const render::Scene& scene, double width, double height, double pxPerMm,
               const render::LayerVisibility& visible)
{
    QImage image(int(width * pxPerMm), int(height * pxPerMm), QImage::Format_RGB32);
    QPainter painter(&image);
    render::View view;
    view.scale = pxPerMm;
    view.topLeft = QPointF(0, height);
    render::PaintOptions options;
    options.antialias = false;
    render::ScenePainter().paint(painter, scene, view, image.size(), visible, options);
    return image;
}

QImage picture(const sxf::Drawing& drawing, double width, double height, double pxPerMm,
               const render::LayerVisibility* visible)
{
    const render::Scene scene = render::buildScene(drawing);
    return picture(scene, width, height, pxPerMm, visible ? *visible : render::initialVisibility(drawing));
}

Found find(const QImage& image, const std::function<bool(QColor)>& match)
{
    Found found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!match(image.pixelColor(x, y)))
                continue;
            ++found.count;
            found.box = found.box.united(QRect(x, y, 1, 1));
        }
    }
    return found;
}

std::function<bool(QColor)> exactly(QColor colour)
{
    return [colour](QColor c) { return c.rgb() == colour.rgb(); };
}

bool isInk(QColor c)
{
    return c != QColor(Qt::white) && c != QColor(176, 176, 176);
}

}  // namespace rendertest
