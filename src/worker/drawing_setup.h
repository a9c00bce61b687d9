// Values the worker derives from a drawing once it has been read: the paper
// size and the context that text codes are expanded in.
#pragma once

#include "worker/jww/jww_data.h"
#include "worker/text/moji_exp_info.h"

#include <QDateTime>
#include <QString>

#include <utility>

namespace worker {

struct PaperSize {
    double x = 0;  // width, millimetres
    double y = 0;  // height, millimetres
};

// The paper of `nZumen`: A0..A4, 2A..5A and the large sheets 10 to 14; any
// other code (5-7 and every value outside 0..14) gives A0.
PaperSize PaperSizeOf(int32_t nZumen);

// Splits a memo at its first line break: CR LF, else a lone CR, else a lone
// LF. Returns (first line, everything after the break).
std::pair<QString, QString> SplitMemo(const QString& memo);

// Fills the text-code context from drawing `d` read from `fileName`; `now`
// is the date-time of the conversion. The work lists are emptied.
void FillMojiExpInfo(text::TSFC_Moji_Exp_Info& mexp, const jww::TJwwData& d, const QString& fileName,
                     const QDateTime& now);

}  // namespace worker
