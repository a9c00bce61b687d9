// Jw_cad's whole-text codes: a text such as a file-name or date code that
// stands for a value of the drawing.
#pragma once

#include "worker/text/moji_exp_info.h"

#include <QString>

namespace text {

// The value that the whole text `s` of a text on layer index `ly` (group *
// 16 + layer) stands for, or `s` unchanged when it is no such code.
// The codes are not expanded yet: every text is returned as it is, so that
// a drawing converts with its codes written literally.
QString GetMojiExp1(const TSFC_Moji_Exp_Info& mexp, int ly, const QString& s);

}  // namespace text
