// Text entities: skip rules, safe characters, the text box and its base
// point, and the writing of decorated texts piece by piece.
#include "worker/text/text_converter.h"

#include "common/geometry.h"
#include "common/image_text.h"
#include "common/number_parse.h"
#include "common/text_slice.h"
#include "common/text_width.h"
#include "sxf/geometric_features.h"
#include "sxf/sfc_writer.h"
#include "worker/convert/moji_form.h"
#include "worker/text/decoration_codes.h"
#include "worker/text/text_codes.h"

#include <algorithm>
#include <cmath>

namespace text {
namespace {

// A text entity as it is written: the values of one text_string_feature,
// and the start point and character size from which decorated texts are
// laid out in pieces.
struct MojiLayout {
    int32_t layer = 0;
    int32_t colour = 0;
    int32_t font = 1;
    int32_t basePoint = 1;
    int32_t direction = 1;
    double x = 0, y = 0;  // base point
    double height = 0, width = 0;
    double spacing = 0;
    double angle = 0;  // degrees; turned by 90 for vertical text
    double slant = 0;
    QString str;
    double startX = 0, startY = 0;  // placed start point, never shifted
    double charWidth = 0, charHeight = 0;
};

// The box that locates the base point: lower-left corner, size and angle.
struct Box {
    double x = 0, y = 0, w = 0, h = 0, angle = 0;
};

bool skipped(const jww::TEntJwwMoji& e)
{
    if (e.att.nLayer > 15 || e.att.nGLayer > 15)
        return true;
    if (common::SamePoint(e.start_x, e.start_y, e.end_x, e.end_y))
        return true;
    // Jw_cad leaves this tiny text behind in some drawings; it shows nothing.
    if (common::SamePoint(e.start_x, e.start_y, 0, 0) && common::SamePoint(e.end_x, e.end_y, 0.01, 0.01))
        return true;
    // Texts starting "^@BM" are image references, placed as images.
    return common::HasImageMark(e.str) || common::IsBlank(e.str);
}

// Layer, colour and font; an auxiliary text (colour 9) goes to HojoLay.
void setAttributes(MojiLayout& m, const convert::AttributeTables& tables, const jww::TEntJwwMoji& e)
{
    m.layer = tables.layerNo(e.att.nGLayer * 16 + e.att.nLayer);
    m.colour = tables.colourNo(e.att.nPenColor);
    if (e.att.nPenColor == 9) {
        m.colour = tables.cb3 + 1;
        m.layer = tables.HojoLay;
    }
    m.font = tables.proc4subFont(e.strFontName) + 1;
}

// The box of text `t1` measured before any code is expanded, its lower-left
// corner at (x, y). A vertical column hangs from the lower-right corner of
// the row box, turned by 90 degrees.
Box baseBox(const jww::TEntJwwMoji& e, const convert::MojiForm& form, QStringView t1, double s, double x, double y)
{
    const convert::MojiBoxSize size = convert::mojiBoxSize(e, t1, s, form);
    if (!form.vertical)
        return {x, y, size.w, size.h, form.angleDeg};
    const convert::MojiBoxSize row = convert::mojiRowSize(e, t1, s, form);
    const common::GeoPoint corner = common::AnchorConvert(0, 2, x, y, row.w, row.h, form.angleDeg);
    return {corner.x, corner.y, size.w, size.h, common::NormDeg(form.angleDeg + 90)};
}

// The text as written: its whole-text codes expanded, then made safe again,
// since a value may bring a delimiter pair or more columns. A memo code
// brings the memo's line breaks along, and no string of an SFC record may
// hold a control character.
QString expandMoji(const TSFC_Moji_Exp_Info& mexp, const jww::TEntJwwMoji& e, const QString& t1)
{
    return CheckMojiSfc(common::StripControls(GetMojiExp1(mexp, e.att.nGLayer * 16 + e.att.nLayer, t1)));
}

// The written size counts full spacing between all code units of the
// expanded text, unlike the base-point box.
void measureWritten(MojiLayout& m, const jww::TEntJwwMoji& e, double s)
{
    const double n = static_cast<double>(m.str.size());
    m.charWidth = s * std::abs(e.dSizeX);
    m.charHeight = s * std::abs(e.dSizeY);
    if (m.direction == 1) {
        m.width = s * (common::TextColumns(m.str) * 0.5 * std::abs(e.dSizeX)) + m.spacing * (n - 1);
        m.height = m.charHeight;
    } else {
        m.width = m.charWidth;
        m.height = s * (std::abs(e.dSizeY) * n) + m.spacing * (n - 1);
    }
}

MojiLayout layOut(const convert::AttributeTables& tables, const TSFC_Moji_Exp_Info& mexp, const jww::TEntJwwMoji& e,
                  const convert::Placement& p)
{
    MojiLayout m;
    setAttributes(m, tables, e);
    const convert::MojiForm form = convert::mojiFormOf(e);
    m.basePoint = form.basePoint;
    m.direction = form.direction();
    m.slant = form.slant;
    m.spacing = p.sc * form.spacing;
    m.startX = p.x(e.start_x);
    m.startY = p.y(e.start_y);

    const QString t1 = CheckMojiSfc(e.str);
    const Box box = baseBox(e, form, t1, p.sc, m.startX, m.startY);
    m.angle = box.angle;
    const common::GeoPoint base = common::AnchorConvert(0, m.basePoint - 1, box.x, box.y, box.w, box.h, box.angle);
    m.x = base.x;
    m.y = base.y;

    m.str = expandMoji(mexp, e, t1);
    measureWritten(m, e, p.sc);
    return m;
}

int32_t pieceColour(const convert::AttributeTables& tables, int32_t col)
{
    return col == 9 ? tables.cb3 + 1 : tables.colourNo(col);
}

}  // namespace

QString CheckMojiSfc(const QString& s)
{
    const QString t = sxf::safeSfcString(s);
    QString out = common::CopyWidth(t, 0, 256);
    // A cut between the halves of a surrogate pair would leave half a
    // character: the whole character goes.
    if (!out.isEmpty() && out.back().isHighSurrogate() && out.size() < t.size() && t[out.size()].isLowSurrogate())
        out.chop(1);
    return out;
}

bool CheckMojiExp2(const QString& s)
{
    if (s.size() < 3)
        return false;
    const QChar last = s.back();
    if (last == QChar(0x30FB) || last == QChar(0xFF65))
        return true;
    if (!s.contains(u'^'))
        return false;
    // A caret followed by one of these, or by "$" and a colour digit 1-9.
    static const QString kCodeChars = QStringLiteral("!/_-#\\&%*^udcowbBn123456789");
    for (qsizetype i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != u'^')
            continue;
        const QChar next = s[i + 1];
        if (kCodeChars.contains(next))
            return true;
        if (next == u'$' && i + 2 < s.size() && s[i + 2] >= u'1' && s[i + 2] <= u'9')
            return true;
    }
    return false;
}

void writeMojiPieces(convert::ConversionContext& ctx, TSFC_Moji_Exp_Info& mexp, int32_t layer)
{
    const auto moji = std::min<qsizetype>(mexp.eMojiN, static_cast<qsizetype>(mexp.eMoji.size()));
    for (qsizetype i = 0; i < moji; ++i) {
        const TSFC_Moji_Exp_MojiField& t = mexp.eMoji[i];
        if (common::IsBlank(t.str))
            continue;
        // Dropping a code (such as "^_") from between two characters may put
        // an apostrophe next to a character that it did not follow before.
        sxf::procSfcText(ctx.f, {layer, pieceColour(ctx.tables, t.col), t.fon, sxf::safeSfcString(t.str), t.mjx, t.mjy, t.msy, t.msx, t.mjd,
                                 t.mja, t.ita == 1 ? 15.0 : 0.0, t.ktn, t.dir});
    }
    const auto lines = std::min<qsizetype>(mexp.eLineN, static_cast<qsizetype>(mexp.eLine.size()));
    for (qsizetype i = 0; i < lines; ++i) {
        const TSFC_Moji_Exp_LineField& l = mexp.eLine[i];
        if (common::SamePoint(l.x1, l.y1, l.x2, l.y2))
            continue;
        sxf::procSfcLine(ctx.f, {layer, pieceColour(ctx.tables, l.col), 1, 1}, l.x1, l.y1, l.x2, l.y2);
    }
    mexp.eMoji.clear();
    mexp.eMojiN = 0;
    mexp.eLine.clear();
    mexp.eLineN = 0;
}

void procSfcDataMoji(convert::ConversionContext& ctx, TSFC_Moji_Exp_Info& mexp, const jww::TEntJwwMoji& e,
                     const convert::Placement& p)
{
    if (skipped(e))
        return;
    const MojiLayout m = layOut(ctx.tables, mexp, e, p);
    // A code with an empty value leaves nothing to show, and a text of no
    // width is one that SXF readers reject.
    if (common::IsBlank(m.str))
        return;
    if (!CheckMojiExp2(m.str)) {
        sxf::procSfcText(ctx.f, {m.layer, m.colour, m.font, m.str, m.x, m.y, m.height, m.width, m.spacing, m.angle,
                                 m.slant, m.basePoint, m.direction});
        return;
    }
    // A decorated text is laid out in pieces from its start point, in the
    // pen colour of the drawing; the pieces find their SFC colours when
    // they are written.
    const MojiExp2Input in{static_cast<int32_t>(e.att.nPenColor), m.font, m.slant == 15.0 ? 1 : 0, m.startX, m.startY,
                           m.charWidth, m.charHeight, m.spacing, m.width, m.height, m.angle, m.str};
    const int32_t gothic = ctx.tables.proc4subFont(QStringLiteral("ＭＳ ゴシック")) + 1;
    if (m.direction == 1)
        GetMojiExp2a(mexp, in, gothic);
    else
        GetMojiExp2b(mexp, in, gothic);
    writeMojiPieces(ctx, mexp, m.layer);
}

}  // namespace text
