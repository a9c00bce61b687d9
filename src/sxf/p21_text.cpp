// Text literals with their placement, extent and style.
#include "sxf/p21_text.h"

#include "sxf/p21_blocks.h"

#include <array>
#include <cmath>

namespace sxf::p21 {
namespace {

// Base points 1..9: the literal's name, and the alignment AP202 knows
// (always on the base line: the placement point carries the rest).
constexpr std::array<std::string_view, 9> kLiteralNames = {
    "'$$SXF_baseline left'", "'$$SXF_baseline centre'", "'$$SXF_baseline right'",
    "'$$SXF_middleline left'", "'$$SXF_middleline centre'", "'$$SXF_middleline right'",
    "'$$SXF_topline left'", "'$$SXF_topline centre'", "'$$SXF_topline right'"};
constexpr std::array<std::string_view, 3> kAlignments = {"'baseline left'", "'baseline centre'", "'baseline right'"};

FontMetrics metricsOf(const Context& ctx, int32_t font)
{
    const std::vector<FontMetrics>& m = ctx.tables.metrics;
    return font >= 0 && size_t(font) < m.size() ? m[size_t(font)] : FontMetrics{};
}

// Where the literal is placed: the base point moved onto the base line.
// Base points 1-3 and 4-6 move by the same amount in opposite directions;
// readers undo exactly this.
std::pair<double, double> placementOf(const TextValues& t, const FontMetrics& m, double theta)
{
    const double sum = m.ascent + m.descent;
    const double c = t.height * (m.ascent - sum / 2) / sum;
    const double top = t.height * m.ascent / sum;
    const double s = std::sin(theta), k = std::cos(theta);
    if (t.basePoint <= 3)
        return {t.x - c * s, t.y + c * k};
    if (t.basePoint <= 6)
        return {t.x + c * s, t.y - c * k};
    return {t.x + top * s, t.y - top * k};
}

}  // namespace

Refusal writeTextBlock(Context& ctx, const TextValues& t, QStringView name, int32_t& item)
{
    if (t.basePoint < 1 || t.basePoint > 9 || (t.direction != 1 && t.direction != 2))
        return Refusal::OutOfRange;
    const int32_t font = ctx.tables.fonts[t.font];
    const int32_t colour = ctx.tables.colours[t.colour];
    if (font == 0 || colour == 0)
        return Refusal::UnknownCode;
    P21Output& o = ctx.out;
    const double theta = radians(t.angleDeg);
    const auto [px, py] = placementOf(t, metricsOf(ctx, t.font), theta);

    const int32_t extent = o.take();
    o.simple(extent, "PLANAR_EXTENT").raw("' '").real(t.width).real(t.height).end();
    const int32_t direction = writeAngleDirection(o, std::cos(theta), std::sin(theta));
    const int32_t point = writePoint(o, px, py);
    const int32_t axis = writeAxis(o, point, direction);
    const int32_t literal = o.take();
    o.simple(literal, "TEXT_LITERAL_WITH_EXTENT").raw(kLiteralNames[size_t(t.basePoint - 1)]).string(t.text);
    o.ref(axis).raw(kAlignments[size_t((t.basePoint - 1) % 3)]).raw(t.direction == 1 ? ".RIGHT." : ".DOWN.");
    o.ref(font).ref(extent).end();
    const int32_t fontStyle = o.take();
    o.simple(fontStyle, "TEXT_STYLE_FOR_DEFINED_FONT").ref(colour).end();
    const int32_t style = o.take();
    o.complex(style);
    o.record("TEXT_STYLE").raw("' '").ref(fontStyle).endRecord();
    o.record("TEXT_STYLE_WITH_BOX_CHARACTERISTICS").open();
    o.open("BOX_HEIGHT").real(t.height).close().open("BOX_WIDTH").real(t.height * 0.8).close();
    o.open("BOX_SLANT_ANGLE").angle(radians(t.slantDeg)).close().open("BOX_ROTATE_ANGLE").angle(theta).close();
    o.close().endRecord();
    o.record("TEXT_STYLE_WITH_SPACING").open("LENGTH_MEASURE").real(t.spacing).close().endRecord();
    o.endComplex();
    const int32_t assignment = writeStyleAssignment(o, style);
    item = writeStyledItem(o, Styled::Text, name, assignment, literal);
    return Refusal::None;
}

Refusal writeText(Context& ctx, const TextFeature& f, Placed& placed)
{
    const SfcText& s = f.t;
    const TextValues t{s.colour, s.font, s.text, s.x, s.y, s.height, s.width, s.spacing, s.angleDeg, s.slantDeg,
                       s.basePoint, s.direction};
    int32_t item = 0;
    const Refusal r = writeTextBlock(ctx, t, u" ", item);
    if (r != Refusal::None)
        return r;
    placed.layer = s.layer;
    placed.member(item);
    placed.item(item);
    return Refusal::None;
}

}  // namespace sxf::p21
