// Paper sizes, memo lines and the text-code context.
#include "worker/drawing_setup.h"

#include "common/file_ops.h"

namespace worker {

PaperSize PaperSizeOf(int32_t nZumen)
{
    switch (nZumen) {
    case 1: return {841, 594};
    case 2: return {594, 420};
    case 3: return {420, 297};
    case 4: return {297, 210};
    case 8: return {1682, 1189};
    case 9: return {2378, 1682};
    case 10: return {3364, 2378};
    case 11: return {4756, 3364};
    case 12: return {10000, 7073};
    case 13: return {50000, 35366};
    case 14: return {100000, 70732};
    default: return {1189, 841};
    }
}

std::pair<QString, QString> SplitMemo(const QString& memo)
{
    qsizetype at = memo.indexOf(QStringLiteral("\r\n"));
    qsizetype breakLength = 2;
    if (at < 0) {
        at = memo.indexOf(u'\r');
        breakLength = 1;
    }
    if (at < 0)
        at = memo.indexOf(u'\n');
    if (at < 0)
        return {memo, QString()};
    return {memo.left(at), memo.mid(at + breakLength)};
}

void FillMojiExpInfo(text::TSFC_Moji_Exp_Info& mexp, const jww::TJwwData& d, const QString& fileName,
                     const QDateTime& now)
{
    mexp.filename = fileName;
    mexp.filedate = common::FileWriteTime(fileName);
    const auto [first, rest] = SplitMemo(d.Enthd.strMemo);
    mexp.memo1 = first;
    mexp.memo2 = rest;
    for (int i = 0; i < 16; ++i)
        mexp.scale[i] = i < static_cast<int>(d.EntLgrp.size()) ? d.EntLgrp[i].adScale : 0;
    mexp.prtscale = d.Enthd.dPrtBairitsu;
    mexp.nowdate = now;
    mexp.drawtime = d.Enthd.lnDrawTime;
    mexp.eLine.clear();
    mexp.eMoji.clear();
    mexp.eLineN = 0;
    mexp.eMojiN = 0;
}

}  // namespace worker
