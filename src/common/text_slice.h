// Text slicing on UTF-16 code units with 0-based indices (-1 = not found),
// case mapping, and the removal of blanks and control characters.
#pragma once

#include <QString>
#include <QStringView>

namespace common {

// The code unit at `index`, or the empty text outside the text.
QString CharAt(QStringView text, qsizetype index);
// Simple (one-to-one) Unicode case mapping of every character, so that the
// length never changes ("ß" stays "ß").
QString UpperText(QStringView text);
QString LowerText(QStringView text);
// Index of the first occurrence of `part` in `text`, -1 when there is none
// (also for an empty part).
qsizetype PosOf(QStringView part, QStringView text);
// From `start` to the end; empty when `start` is outside the text.
QString CopyFrom(QStringView text, qsizetype start);
// `count` code units from `start`, fewer at the end; empty for bad arguments.
QString CopyRange(QStringView text, qsizetype start, qsizetype count);
// The last `count` code units; the whole text when it is shorter.
QString RightText(QStringView text, qsizetype count);
// `text` repeated `n` times; empty for n <= 0.
QString RepeatText(QStringView text, qsizetype n);
// Number of characters, a valid surrogate pair counting once.
qsizetype CharCount(QStringView text);
// -1 outside the text; 1 for the high half of a valid surrogate pair, 2 for
// its low half, 0 otherwise.
int SurrogateKind(QStringView text, qsizetype index);
// Removes every U+0020, U+3000 and every code unit below U+0020.
QString StripBlanks(QStringView text);
// Removes every code unit below U+0020.
QString StripControls(QStringView text);
// True when StripBlanks leaves nothing.
bool IsBlank(QStringView text);

}  // namespace common
