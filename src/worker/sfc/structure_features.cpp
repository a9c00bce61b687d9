// Structure and fill feature records: composite curves, symbols, the sheet
// and the area fills that refer to composite curves by their running number.
#include "worker/sfc/structure_features.h"

#include "common/number_text.h"

#include <utility>

namespace sfc {
namespace {

constexpr int kLength = 6;
// The angle and scale factors of a placement carry 14 decimals, unlike the
// 12 of drawn features.
constexpr int kPlacement = 14;

void writeFill(SfcWriter& f, std::string_view name, FeatureArgs args, int32_t outer, std::span<const int32_t> holes)
{
    args.integer(outer).integer(static_cast<int64_t>(holes.size())).integerList(holes);
    f.writeFeature(name, args);
}

}  // namespace

void procSfcCcurveDef(SfcWriter& f, int32_t colour, int32_t lineType, int32_t width, int32_t flag)
{
    f.writeFeature(
        "composite_curve_org_feature", FeatureArgs().integer(colour).integer(lineType).integer(width).integer(flag));
}

void procSfcBlockDef(SfcWriter& f, QStringView name, int32_t kind)
{
    f.writeFeature("sfig_org_feature", FeatureArgs().string(name).integer(kind));
}

void procSfcBlock(
    SfcWriter& f, int32_t layer, QStringView name, double x, double y, double angleDeg, double scaleX, double scaleY)
{
    FeatureArgs args;
    args.integer(layer).string(name).real(x, kLength).real(y, kLength);
    args.real(angleDeg, kPlacement).real(scaleX, kPlacement).real(scaleY, kPlacement);
    f.writeFeature("sfig_locate_feature", args);
}

void procSfcPaper(SfcWriter& f, QStringView name, int32_t kind, int32_t orientation, int32_t width, double height)
{
    // The height goes through the general number form, which writes whole
    // millimetres as plain digits while the width is an integer argument.
    FeatureArgs args;
    args.string(name).integer(kind).integer(orientation).integer(width).quoted(common::FloatText(height));
    f.writeFeature("drawing_sheet_feature", args);
}

void procSfcHatchExt(SfcWriter& f, int32_t layer, QStringView name, int32_t outer, std::span<const int32_t> holes)
{
    FeatureArgs args;
    args.integer(layer).string(name);
    writeFill(f, "externally_defined_hatch_feature", std::move(args), outer, holes);
}

void procSfcHatchColor(SfcWriter& f, int32_t layer, int32_t colour, int32_t outer, std::span<const int32_t> holes)
{
    FeatureArgs args;
    args.integer(layer).integer(colour);
    writeFill(f, "fill_area_style_colour_feature", std::move(args), outer, holes);
}

}  // namespace sfc
