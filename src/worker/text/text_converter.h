// Conversion of JWW text entities into SFC text features: which texts are
// written, how their characters are made safe, and where their box lies.
#pragma once

#include "worker/convert/conversion_context.h"
#include "worker/jww/jwwtype.h"
#include "worker/text/moji_exp_info.h"

#include <QString>

#include <cstdint>

namespace text {

// Writes text entity `e` under placement `p` through ctx.f: as one
// text_string_feature, or, when it carries decoration codes (CheckMojiExp2),
// as the text and line pieces that GetMojiExp2a or GetMojiExp2b lay out. Writes nothing for a text whose baseline has no length, for
// the stray text from (0, 0) to (0.01, 0.01), for an image reference ("^@BM"
// at the start), for a blank text, and for one on a layer or group above 15
// (only damaged drawings have those). A whole-text code is replaced by its
// value (GetMojiExp1), which loses its control characters; a text that is
// blank after that writes nothing. Auxiliary texts (colour 9) go to HojoLay
// with colour cb3 + 1. `mexp` supplies the values of the whole-text codes;
// its piece lists are empty before and after the call.
void procSfcDataMoji(convert::ConversionContext& ctx, TSFC_Moji_Exp_Info& mexp, const jww::TEntJwwMoji& e,
                     const convert::Placement& p);

// `s` made safe for an SFC string: every backslash-apostrophe pair (which
// would end the string) becomes "￥’", and the text is cut after 256 columns
// (a full-width code unit counts two), never inside a surrogate pair.
QString CheckMojiSfc(const QString& s);

// True when `s` carries decoration codes that call for laying the text out
// in pieces: trailing middle dots, or one of the caret codes ("^_", "^$1",
// "^u", "^3", ...). Texts shorter than three code units never do.
bool CheckMojiExp2(const QString& s);

// Writes the pieces of a laid-out decorated text: every non-blank text piece
// of mexp.eMoji, then every line piece of mexp.eLine that has a length, all
// on SFC layer `layer`; a piece of colour 9 gets colour cb3 + 1, lines get
// line type 1 and width 1. Empties both lists afterwards. Entries beyond the
// counts eMojiN and eLineN are ignored.
void writeMojiPieces(convert::ConversionContext& ctx, TSFC_Moji_Exp_Info& mexp, int32_t layer);

}  // namespace text
