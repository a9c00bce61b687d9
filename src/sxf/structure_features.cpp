// Structure and fill feature records: composite curves, symbols, the sheet
// and the area fills that refer to composite curves by their running number.
#include "sxf/structure_features.h"

#include "common/number_text.h"

namespace sxf {
namespace {

constexpr int kLength = 6;
// The angle and scale factors of a placement carry 14 decimals, unlike the
// 12 of drawn features.
constexpr int kPlacement = 14;

// Ends a fill record with its outer curve and its holes.
void writeFill(FeatureRecord& args, int32_t outer, std::span<const int32_t> holes)
{
    args.integer(outer).integer(static_cast<int64_t>(holes.size())).integerList(holes).write();
}

}  // namespace

void procSfcCcurveDef(SfcWriter& f, int32_t colour, int32_t lineType, int32_t width, int32_t flag)
{
    f.feature("composite_curve_org_feature").integer(colour).integer(lineType).integer(width).integer(flag).write();
}

void procSfcBlockDef(SfcWriter& f, QStringView name, int32_t kind)
{
    f.feature("sfig_org_feature").string(name).integer(kind).write();
}

void procSfcBlock(
    SfcWriter& f, int32_t layer, QStringView name, double x, double y, double angleDeg, double scaleX, double scaleY)
{
    FeatureRecord args = f.feature("sfig_locate_feature");
    args.integer(layer).string(name).real(x, kLength).real(y, kLength);
    args.real(angleDeg, kPlacement).real(scaleX, kPlacement).real(scaleY, kPlacement);
    args.write();
}

void procSfcPaper(SfcWriter& f, QStringView name, int32_t kind, int32_t orientation, int32_t width, double height)
{
    // The height goes through the general number form, which writes whole
    // millimetres as plain digits while the width is an integer argument.
    FeatureRecord args = f.feature("drawing_sheet_feature");
    args.string(name).integer(kind).integer(orientation).integer(width).quoted(common::FloatText(height));
    args.write();
}

void procSfcHatchExt(SfcWriter& f, int32_t layer, QStringView name, int32_t outer, std::span<const int32_t> holes)
{
    FeatureRecord args = f.feature("externally_defined_hatch_feature");
    args.integer(layer).string(name);
    writeFill(args, outer, holes);
}

void procSfcHatchColor(SfcWriter& f, int32_t layer, int32_t colour, int32_t outer, std::span<const int32_t> holes)
{
    FeatureRecord args = f.feature("fill_area_style_colour_feature");
    args.integer(layer).integer(colour);
    writeFill(args, outer, holes);
}

}  // namespace sxf
