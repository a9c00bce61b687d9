// Conversion of a JWW dimension entity into one linear_dim_feature, and the
// text values that every dimension, label and balloon feature carries.
#pragma once

#include "sxf/feature_types.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/conversion_context.h"
#include "worker/jww/jwwtype.h"

#include <QString>

#include <cstdint>

namespace annotation {

// The text of an annotation as it is written: placed, measured and with the
// values of a missing text cleared.
struct SunpoMojiValues {
    QString st;  // the text; a backslash-apostrophe pair becomes "￥’"
    int32_t mf = 0;  // 1 when there is a visible text
    int32_t fo = 0;  // SFC font number (0 without a text)
    int32_t dr = 1;  // 1 horizontal, 2 vertical
    int32_t kt = 1;  // base point code 1..9
    double mx = 0, my = 0;  // placed lower-left corner of the text box
    double mh = 0;  // placed character height (kept, never written)
    double md = 0;  // placed spacing; kept even without a text
    double sx = 0, sy = 0;  // placed box width and height
    double ma = 0;  // angle in degrees, [0, 360)
    double ms = 0;  // slant in degrees, 15 or 0
    double kx = 0, ky = 0;  // placed base point

    // The twelve text arguments in the order the annotation writers take
    // them (mf, fo, st, kx, ky, sy, sx, md, ma, ms, kt, dr).
    sxf::SfcTextBlock textBlock() const;
};

// The text values of `e` under placement `p`, with the font looked up in
// `tables`. A text whose baseline has no length or whose content is blank
// gets mf 0, an empty text and zero geometry (md stays). A font missing from
// the table gives font 1; a base point code outside 1..9 gives 1. The text
// is neither cut nor expanded; only a backslash-apostrophe pair, which would
// end the SFC string, becomes "￥’" (after the box is measured).
SunpoMojiValues procSfcDataSunpoMoji(const convert::AttributeTables& tables, const jww::TEntJwwMoji& e,
                                     const convert::Placement& p);

// Writes `e` as one linear_dim_feature through ctx.f under placement `p`:
// the attributes of its dimension line (auxiliary ones on HojoLay), and for
// a dimension made in SXF mode also its extension lines and end markers. An
// extension line shorter than 1e-6 after placement is written absent (flag
// 0, zeros); a marker with a scale of 1e-10 or less gets codes 0 and scale 0.
// Writes nothing when the dimension line's layer or group is above 15 (only
// damaged drawings have those).
void procSfcDataSunpo(convert::ConversionContext& ctx, const jww::TEntJwwSunpo& e, const convert::Placement& p);

}  // namespace annotation
