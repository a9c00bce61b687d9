// Jw_cad's whole-text codes: a text such as "%f" or "=j" that stands for a
// value of the drawing (its file name, a date, the memo, the scale, the
// drawing time, a named reference value) or for a run of dots.
#pragma once

#include "worker/text/moji_exp_info.h"

#include <QString>

namespace text {

// The value that the whole text `s` of a text on layer index `ly` (group *
// 16 + layer) stands for, or `s` unchanged when it is no such code; a code
// inside a longer text is never replaced. Reads the file name, dates, memo,
// scales, drawing time and reference list of `mexp` and changes nothing.
// The result may be empty (for example «%j1x») or hold the memo's line
// breaks: callers decide what to write. A code that needs the scale of a
// layer group (or the print scale) that is not positive and finite, or a
// layer index outside 0..255, is left as written.
QString GetMojiExp1(const TSFC_Moji_Exp_Info& mexp, int ly, const QString& s);

// The n-th word of `f`, words being separated by U+0020 only: the word
// before the n-th blank, or the last word when `f` has fewer than n blanks.
// When the word before the n-th blank is empty (two blanks in a row, or a
// leading blank), the rest of `f` from that blank on.
QString GetStrNSpace(const QString& f, int n);

}  // namespace text
