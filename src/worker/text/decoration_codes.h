// Laying out texts that carry Jw_cad's decoration codes: caret codes that
// switch colour, font and slant, draw lines under or through characters, set
// small or overlaid characters, and the end markers that spread or squeeze a
// text. SXF text features know none of this, so such a text is cut into text
// pieces and line pieces that together draw it.
#pragma once

#include "worker/text/moji_exp_info.h"

#include <QString>

#include <cstdint>

namespace text {

// A decorated text as the text converter measured it, in output coordinates.
struct MojiExp2Input {
    int32_t co = 0;       // JWW pen colour number of the text
    int32_t fo = 1;       // SFC font number of the text
    int32_t it = 0;       // 1 when the text is slanted
    double x = 0, y = 0;  // start point of the baseline
    double mw = 0, mh = 0;  // character width and height
    double md = 0;          // spacing
    double sx = 0, sy = 0;  // width and height of the whole text as written
    double an = 0;          // degrees; for vertical text already turned by 90
    QString st;
};

// Empties mexp.eMoji and mexp.eLine, then fills them with the pieces of
// horizontal text `in`, in the order they are made; the counts eMojiN and
// eLineN follow the lists. `gothicFont` is the SFC font number that "^\"
// switches to. A blank text gives no pieces, and a text whose codes all fall
// away gives one piece. Never fails: a code without the character it applies
// to is dropped, and a caret before anything else is kept as a character.
void GetMojiExp2a(TSFC_Moji_Exp_Info& mexp, const MojiExp2Input& in, int32_t gothicFont);

// The same for vertical text: pieces stand in a column along `in.an` - 90.
void GetMojiExp2b(TSFC_Moji_Exp_Info& mexp, const MojiExp2Input& in, int32_t gothicFont);

}  // namespace text
