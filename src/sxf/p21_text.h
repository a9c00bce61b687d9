// Texts in P21: the text string feature, and the texts of dimensions,
// labels and balloons.
#pragma once

#include "sxf/p21_context.h"

#include <QStringView>

namespace sxf::p21 {

// The values of a text, whichever record carries them.
struct TextValues {
    int32_t colour = 0;
    int32_t font = 0;
    QStringView text;
    double x = 0, y = 0;
    double height = 0, width = 0, spacing = 0;
    double angleDeg = 0, slantDeg = 0;
    int32_t basePoint = 1;  // 1..9
    int32_t direction = 1;  // 1 horizontal, 2 vertical
};

// The text's nine instances, its styled item named `name` last; sets
// `item` to that styled item. The literal is placed on its base line as
// the base point and the font's ascent and descent give it.
Refusal writeTextBlock(Context& ctx, const TextValues& t, QStringView name, int32_t& item);

Refusal writeText(Context& ctx, const TextFeature& f, Placed& placed);

}  // namespace sxf::p21
