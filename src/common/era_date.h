// The Japanese era of a date, in the two reckonings the text codes use: the
// current one, and the older one that never switched to 令和.
#pragma once

#include <QDate>
#include <QString>

namespace common {

struct EraDate {
    QString yearText;    // the Western year in decimal
    QString oldEraName;  // 明治, 大正, 昭和 or 平成; empty before 1868-10-23
    QString oldEraYear;  // decimal, 1 for the first year; empty with the name
    QString eraName;     // as oldEraName, but 令和 from 2019-05-01
    QString eraYear;
};

// The era of `date`. Every text is empty for an invalid date.
EraDate EraOfDate(const QDate& date);

}  // namespace common
