// The definition features, in the order and with the names the tables give.
#include "worker/convert/definition_section.h"

#include "common/colors.h"
#include "common/number_text.h"
#include "common/text_slice.h"
#include "sxf/definition_features.h"

#include <array>

namespace convert {
namespace {

}  // namespace

void procSfcSet(sxf::SfcWriter& f, const AttributeTables& t, const jww::TJwwData& d)
{
    procSfcSetLay(f, t);
    procSfcSetCol(f, t);
    procSfcSetLtp(f, t, d);
    procSfcSetWid(f, t);
    procSfcSetFon(f, t);
}

void procSfcSetLay(sxf::SfcWriter& f, const AttributeTables& t)
{
    bool hojoTaken = false;
    for (const TDatLayField& lay : t.DatLay) {
        if (lay.cn == 0)
            continue;
        sxf::procSfcSetLayer(f, lay.nam, lay.dsp);
        hojoTaken = hojoTaken || common::UpperText(lay.nam) == QStringLiteral("HOJO");
    }
    if (t.HojoLay <= 0 || t.HojoShared)
        return;
    if (!hojoTaken) {
        sxf::procSfcSetLayer(f, u"HOJO", 0);
    } else {
        // The hexadecimal digits as they come: 256 would give "_10_0_HOJO".
        const QString name = QStringLiteral("_") + QString::number(t.HojoLay / 16, 16).toUpper() + u'_'
                             + common::HexDigit(t.HojoLay % 16) + QStringLiteral("_HOJO");
        sxf::procSfcSetLayer(f, name, 0);
    }
}

void procSfcSetCol(sxf::SfcWriter& f, const AttributeTables& t)
{
    for (int k = 1; k <= 16; ++k) {
        if (t.DatCol[100 + k].cn > 0)
            sxf::procSfcSetColor(f, common::PreDefinedColourNames().at(k - 1));
    }
    for (int i = 117; i <= 356; ++i) {
        if (t.DatCol[i].cn > 0)
            sxf::procSfcSetColorUser(f, t.DatCol[i].co);
    }
    for (int i = kFirstSolidColour; i < t.DatColN(); ++i) {
        if (t.DatCol[i].cn == 0)
            break;
        if (t.DatCol[i].no >= t.DatColF)
            sxf::procSfcSetColorUser(f, t.DatCol[i].co);
    }
}

void procSfcSetLtp(sxf::SfcWriter& f, const AttributeTables& t, const jww::TJwwData& d)
{
    for (int i = 31; i <= 45; ++i) {
        if (t.DatLtp[i].cn != 0)
            sxf::procSfcSetLtype(f, t.DatLtp[i].nam);
    }
    for (int i = 47; i <= 62; ++i) {
        if (t.DatLtp[i].cn == 0)
            continue;
        const int ext = i - 30;
        const jww::TEntJwwLineTypeExNo* lt = ext < static_cast<int>(d.EntLtpS.size()) ? &d.EntLtpS[ext] : nullptr;
        int32_t n = lt ? lt->anUDLTypeSegment : 0;
        // A line type holds at most 10 pitches and SFC takes 8 of them;
        // counts a drawing cannot hold are read as the most there is.
        if (n >= 10)
            n = 8;
        if (n < 0)
            n = 0;
        if (n != 0) {
            sxf::procSfcSetLtypeUser(f, t.DatLtp[i].nam, n, std::span<const double>(lt->aadUDLTypePitch).first(n));
        } else {
            const std::array<double, 2> even = {0.5, 0.5};
            sxf::procSfcSetLtypeUser(f, t.DatLtp[i].nam, 2, even);
        }
    }
}

void procSfcSetWid(sxf::SfcWriter& f, const AttributeTables& t)
{
    for (int i = 1; i <= 16; ++i) {
        if (i != 10 && t.DatWid[i].cn != 0)
            sxf::procSfcSetWidth(f, t.DatWid[i].wid);
    }
}

void procSfcSetFon(sxf::SfcWriter& f, const AttributeTables& t)
{
    for (const TDatFonField& font : t.DatFon)
        sxf::procSfcSetFont(f, font.nam);
}

}  // namespace convert
