// Expansion of the whole-text codes.
#include "worker/text/text_codes.h"

namespace text {

QString GetMojiExp1(const TSFC_Moji_Exp_Info& mexp, int ly, const QString& s)
{
    Q_UNUSED(mexp);
    Q_UNUSED(ly);
    return s;
}

}  // namespace text
