// Pen widths: defaults, and the widths a drawing sets for its colours 1-8.
#include "worker/jww/gra_attribute.h"

#include "worker/jww/jww_data.h"

namespace jww {

TgraAttribute::TgraAttribute()
{
    SetDefaultWidth();
}

void TgraAttribute::SetDefaultWidth()
{
    static constexpr double kPen[9] = {0.1, 0.15, 0.2, 0.25, 0.3, 0.35, 0.4, 0.5, 0.01};
    for (int i = 0; i < 9; ++i)
        m_width[i] = kPen[i];
    for (size_t i = 9; i < m_width.size(); ++i)
        m_width[i] = 0.18;
}

int TgraAttribute::entryOf(int color)
{
    if (color >= 1 && color <= 9)
        return color - 1;
    if (color >= 101 && color <= 356)
        return color - 101 + 9;
    return -1;
}

void TgraAttribute::SetAttrCol(int color, double width)
{
    const int e = entryOf(color);
    if (e >= 0)
        m_width[e] = width;
}

double TgraAttribute::GetAttrColwid(int color) const
{
    const int e = entryOf(color);
    return e >= 0 ? m_width[e] : 0.0;
}

void TJwwData::FileColorSet(TgraAttribute& graAtt) const
{
    // The size of one stored width unit (a printer dot) in millimetres.
    const int w = Enthd.nMaxDrawWid;
    double unit = 0.042;
    if (w >= -100 && w <= -1)
        unit = -1.0 / w;
    else if (w < -100)
        unit = 0.01;
    else if (Enthd.jwVer > 420 && Enthd.nPrtDpi > 0)
        unit = Enthd.nPrtDpi == 1 ? 0.085 : 0.042;

    // Printer widths, whatever colour source the output uses.
    for (int n = 1; n <= 8 && n < static_cast<int>(EntCol.size()); ++n)
        graAtt.SetAttrCol(n, unit * EntCol[n].anPrtPenWidth);
}

}  // namespace jww
