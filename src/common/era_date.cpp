// Japanese eras by their first days.
#include "common/era_date.h"

namespace common {
namespace {

struct EraStart {
    int key;  // first day as yyyymmdd
    const char16_t* name;
};

// Newest first, so that the first era that has begun is the one in force.
constexpr EraStart kOldEras[] = {
    {19890108, u"平成"},
    {19261225, u"昭和"},
    {19120730, u"大正"},
    {18681023, u"明治"},
};
constexpr EraStart kReiwa = {20190501, u"令和"};

int eraYear(int year, int eraKey)
{
    return year - eraKey / 10000 + 1;
}

}  // namespace

EraDate EraOfDate(const QDate& date)
{
    EraDate era;
    if (!date.isValid())
        return era;
    const int year = date.year();
    // 64 bits: QDate accepts years far beyond what an int times 10000 holds.
    const qint64 key = qint64(year) * 10000 + date.month() * 100 + date.day();
    era.yearText = QString::number(year);
    for (const EraStart& e : kOldEras) {
        if (key >= e.key) {
            era.oldEraName = QString::fromUtf16(e.name);
            era.oldEraYear = QString::number(eraYear(year, e.key));
            break;
        }
    }
    era.eraName = era.oldEraName;
    era.eraYear = era.oldEraYear;
    if (key >= kReiwa.key) {
        era.eraName = QString::fromUtf16(kReiwa.name);
        era.eraYear = QString::number(eraYear(year, kReiwa.key));
    }
    return era;
}

}  // namespace common
