// Writers of the definition features: layers, colours, line types, widths
// and text fonts. Each writes exactly one record and advances SXFnum.
#pragma once

#include "sxf/sfc_writer.h"

#include <QStringView>

#include <cstdint>
#include <span>

namespace sxf {

// layer_feature(\'nam\','dsp')
void procSfcSetLayer(SfcWriter& f, QStringView nam, int32_t dsp);
// pre_defined_colour_feature(\'nam\')
void procSfcSetColor(SfcWriter& f, QStringView nam);
// user_defined_colour_feature('R','G','B') from a stored colour: red in the
// low byte, green next, blue in the third; the top byte is ignored.
void procSfcSetColorUser(SfcWriter& f, uint32_t co);
void procSfcSetColorUser(SfcWriter& f, int32_t r, int32_t g, int32_t b);
// pre_defined_font_feature(\'nam\')
void procSfcSetLtype(SfcWriter& f, QStringView nam);
// user_defined_font_feature(\'nam\','n','(p1,...,pn)') with the first n
// pitches (6 decimals). When `pitches` holds fewer than n (or n is
// negative), the pitches there are (or none) and their count are written.
void procSfcSetLtypeUser(SfcWriter& f, QStringView nam, int32_t n, std::span<const double> pitches);
// width_feature('w') with 6 decimals.
void procSfcSetWidth(SfcWriter& f, double w);
// text_font_feature(\'nam\')
void procSfcSetFont(SfcWriter& f, QStringView nam);

}  // namespace sxf
