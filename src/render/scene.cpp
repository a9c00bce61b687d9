// Scene helpers.
#include "render/scene.h"

#include <algorithm>

namespace render {

namespace {

bool layerShown(int32_t layer, const LayerVisibility& visible)
{
    return layer < 0 || size_t(layer) >= visible.size() || visible[size_t(layer)];
}

}  // namespace

QRectF Scene::area() const
{
    QRectF all = sheet.united(extents);
    if (all.isNull())
        return QRectF(0, 0, 100, 100);
    // A drawing of one straight line still needs room across it.
    const double pad = std::max(all.width(), all.height()) * 0.05 + 1;
    if (all.width() <= 0)
        all.adjust(-pad, 0, pad, 0);
    if (all.height() <= 0)
        all.adjust(0, -pad, 0, pad);
    return all;
}

LayerVisibility initialVisibility(const sxf::Drawing& drawing)
{
    LayerVisibility visible;
    visible.reserve(drawing.layers.size());
    for (const sxf::Layer& layer : drawing.layers)
        visible.push_back(layer.flag != 0);
    return visible;
}

bool isShown(const ItemTag& tag, const LayerVisibility& visible)
{
    return layerShown(tag.layer, visible) && layerShown(tag.placementLayer, visible);
}

}  // namespace render
