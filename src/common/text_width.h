// Display width of Japanese text: a half-width character takes one column,
// every other character two.
#pragma once

#include <QString>
#include <QStringView>

namespace common {

// True for one code unit in U+0020..U+007E or U+FF61..U+FF9F.
bool IsHalfWidth(QChar c);
// True when `text` is exactly one half-width code unit; false for the empty
// text, longer texts and surrogate pairs.
bool IsHalfWidth(QStringView text);
// Sum of the column widths of the code units of `text`.
qsizetype TextColumns(QStringView text);
// Walks `text` with a column counter starting at 1 and appends the code units
// whose column is at or beyond `startColumn` while the width taken so far is
// below `width`; the last one taken may exceed `width` by one column.
QString CopyColumns(QStringView text, qsizetype startColumn, qsizetype width);
// From `startIndex`, takes code units while the running column sum stays
// within `width`. `nextIndex` receives the index of the first one not taken.
QString CopyWidth(QStringView text, qsizetype startIndex, qsizetype width, qsizetype* nextIndex = nullptr);
// Length of `text` drawn with character width `charWidth` and spacing
// `spacing`: half a width (and half a spacing after) for half-width
// characters, nothing for characters below U+0020; a surrogate pair is one
// full-width character. 0 for the empty text.
double TextLength(QStringView text, double charWidth, double spacing);
// q * charWidth + (q - 1) * spacing with q = CharCount(text) (so -spacing
// for the empty text, which callers never measure).
double TextLengthFull(QStringView text, double charWidth, double spacing);

}  // namespace common
