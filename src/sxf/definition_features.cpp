// Definition feature records: one record per layer, colour, line type, width
// or font, formatted exactly as the tables hand them over.
#include "sxf/definition_features.h"

#include "common/colors.h"

#include <algorithm>

namespace sxf {

void procSfcSetLayer(SfcWriter& f, QStringView nam, int32_t dsp)
{
    f.feature("layer_feature").string(nam).integer(dsp).write();
}

void procSfcSetColor(SfcWriter& f, QStringView nam)
{
    f.feature("pre_defined_colour_feature").string(nam).write();
}

void procSfcSetColorUser(SfcWriter& f, uint32_t co)
{
    // A stored colour keeps red in the low byte; the top byte carries flags
    // that are not part of the colour.
    const common::ColorParts c = common::SplitColor(common::ColorRefToColor(co));
    procSfcSetColorUser(f, c.red, c.green, c.blue);
}

void procSfcSetColorUser(SfcWriter& f, int32_t r, int32_t g, int32_t b)
{
    f.feature("user_defined_colour_feature").integer(r).integer(g).integer(b).write();
}

void procSfcSetLtype(SfcWriter& f, QStringView nam)
{
    f.feature("pre_defined_font_feature").string(nam).write();
}

void procSfcSetLtypeUser(SfcWriter& f, QStringView nam, int32_t n, std::span<const double> pitches)
{
    // The count always matches the list, so a short pitch array can never
    // make the record claim pitches it does not carry.
    const auto count = static_cast<size_t>(std::clamp<int64_t>(n, 0, static_cast<int64_t>(pitches.size())));
    f.feature("user_defined_font_feature")
        .string(nam)
        .integer(static_cast<int64_t>(count))
        .realList(pitches.first(count), 6)
        .write();
}

void procSfcSetWidth(SfcWriter& f, double w)
{
    f.feature("width_feature").real(w, 6).write();
}

void procSfcSetFont(SfcWriter& f, QStringView nam)
{
    f.feature("text_font_feature").string(nam).write();
}

}  // namespace sxf
