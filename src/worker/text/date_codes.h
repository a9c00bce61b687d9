// The date codes of Jw_cad's whole-text codes: a date written as numbers,
// names of months and weekdays, or in the Japanese eras.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

namespace text {

// The text that date code `code` (the part after the prefix: "y", "ma",
// "GＧＥ", ...) stands for on `date`, written with prefix character `prefix`.
// The prefix decides how a one-digit number is filled to two places: "=" and
// "%" put a "0" in front, "_" and "&" a blank, "$" a blank behind. "F" and
// "f" (the whole date, with or without the time) belong to "=" and "_" only.
// Returns nullopt when `code` is no date code of `prefix`. An invalid `date`
// counts as day 0 (1899-12-30); before 1868-10-23 the era texts are empty.
std::optional<QString> DateCodeText(QChar prefix, QStringView code, const QDateTime& date);

}  // namespace text
