// The setting of a text entity.
#include "worker/convert/moji_form.h"

#include "common/geometry.h"
#include "common/text_width.h"

#include <cmath>

namespace convert {

MojiForm mojiFormOf(const jww::TEntJwwMoji& e)
{
    MojiForm f;
    f.vertical = (e.att.sFlg & 0x20) != 0;
    f.basePoint = e.att.nPenStyle >= 1 && e.att.nPenStyle <= 9 ? static_cast<int32_t>(e.att.nPenStyle) : 1;
    f.spacing = e.dKankaku >= 0 ? e.dKankaku : 0.0;
    f.angleDeg = common::RadToDeg(common::AngleOf(e.end_x - e.start_x, e.end_y - e.start_y));
    const uint32_t kind = e.nMojiShu / 10000;
    f.slant = kind == 1 || kind == 3 ? 15.0 : 0.0;
    return f;
}

MojiBoxSize mojiRowSize(const jww::TEntJwwMoji& e, QStringView t, double s, const MojiForm& form)
{
    return {s * common::TextLength(t, std::abs(e.dSizeX), form.spacing), s * std::abs(e.dSizeY)};
}

MojiBoxSize mojiBoxSize(const jww::TEntJwwMoji& e, QStringView t, double s, const MojiForm& form)
{
    if (!form.vertical)
        return mojiRowSize(e, t, s, form);
    return {s * std::abs(e.dSizeX), s * common::TextLengthFull(t, std::abs(e.dSizeY), form.spacing)};
}

}  // namespace convert
