// Date codes on a date-time, in Western and era reckoning.
#include "worker/text/date_codes.h"

#include "common/era_date.h"
#include "common/file_ops.h"

#include <array>

namespace text {
namespace {

constexpr std::array<const char16_t*, 12> kMonths = {u"JAN", u"FEB", u"MAR", u"APR", u"MAY", u"JUN",
                                                     u"JUL", u"AUG", u"SEP", u"OCT", u"NOV", u"DEC"};
// Sunday first.
constexpr std::array<const char16_t*, 7> kWeekdays = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
constexpr std::array<const char16_t*, 7> kWeekdaysLatin = {u"SUN", u"MON", u"TUE", u"WED", u"THU", u"FRI", u"SAT"};

// A one-character number filled to two places as the prefix asks.
QString twoPlaces(QChar prefix, const QString& value)
{
    if (value.size() != 1)
        return value;
    if (prefix == u'=' || prefix == u'%')
        return u'0' + value;
    if (prefix == u'_' || prefix == u'&')
        return u' ' + value;
    return value + u' ';
}

QString zeroFilled(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
}

QString blankFilled(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QChar(u' '));
}

QString year4(int year)
{
    return QStringLiteral("%1").arg(year, 4, 10, QChar(u'0'));
}

// "年/月/日" with the month and day filled by `fill`, then the time when asked.
QString wholeDate(const QDate& d, const QTime& t, bool blanks, bool withTime)
{
    const auto fill = blanks ? blankFilled : zeroFilled;
    QString out = year4(d.year()) + u'/' + fill(d.month()) + u'/' + fill(d.day());
    if (withTime)
        out += u' ' + zeroFilled(t.hour()) + u':' + zeroFilled(t.minute()) + u':' + zeroFilled(t.second());
    return out;
}

// The era year as the codes write it: "元" for the first year.
QString eraYearText(QChar prefix, const QString& year)
{
    return year == u"1" ? QStringLiteral("元") : twoPlaces(prefix, year);
}

std::optional<QString> numberCode(QChar prefix, QStringView code, const QDate& d, const QTime& t,
                                  const common::EraDate& era)
{
    const auto p = [prefix](int n) { return twoPlaces(prefix, QString::number(n)); };
    if (code == u"y")
        return p(d.year() % 100);
    if (code == u"Y")
        return twoPlaces(prefix, era.oldEraYear);
    if (code == u"m")
        return p(d.month());
    if (code == u"d")
        return p(d.day());
    if (code == u"h")
        return p(t.hour() % 12 == 0 ? 12 : t.hour() % 12);
    if (code == u"H")
        return p(t.hour());
    if (code == u"M")
        return p(t.minute());
    if (code == u"S")
        return p(t.second());
    return std::nullopt;
}

std::optional<QString> nameCode(QChar prefix, QStringView code, const QDate& d, const QTime& t,
                                const common::EraDate& era)
{
    const int weekday = d.dayOfWeek() % 7;  // Qt counts Monday 1 to Sunday 7
    const bool morning = t.hour() < 12;
    if (code == u"ma")
        return QString::fromUtf16(kMonths[d.month() - 1]);
    if (code == u"w" || code == u"W")
        return QString::fromUtf16(kWeekdays[weekday]);
    if (code == u"wa")
        return QString::fromUtf16(kWeekdaysLatin[weekday]);
    if (code == u"n")
        return morning ? QStringLiteral("AM") : QStringLiteral("PM");
    if (code == u"N")
        return morning ? QStringLiteral("前") : QStringLiteral("後");
    if (code == u"j")
        return wholeDate(d, t, true, false);
    if (code == u"J") {
        const QString year = era.eraYear == u"1" ? QStringLiteral("元") : era.eraYear;
        return era.eraName + year + QStringLiteral("年") + blankFilled(d.month()) + QStringLiteral("月") +
               blankFilled(d.day()) + QStringLiteral("日");
    }
    if (code == u"E" || code == u"G")
        return eraYearText(prefix, era.eraYear);
    if (code == u"GＧ")
        return era.eraName;
    if (code == u"GＧＥ")
        return era.eraName + eraYearText(prefix, era.eraYear);
    if (code == u"GＧＥＥ")
        return era.eraName + eraYearText(prefix, era.eraYear) + QStringLiteral("年");
    return std::nullopt;
}

}  // namespace

std::optional<QString> DateCodeText(QChar prefix, QStringView code, const QDateTime& date)
{
    const QDateTime at = date.isValid() ? date : common::ZeroDateTime();
    const QDate d = at.date();
    const QTime t = at.time();
    const bool fileDate = prefix == u'=' || prefix == u'_';
    if (!fileDate && prefix != u'&' && prefix != u'%' && prefix != u'$')
        return std::nullopt;
    if (fileDate && (code == u"F" || code == u"f"))
        return wholeDate(d, t, prefix == u'_', code == u"F");
    const common::EraDate era = common::EraOfDate(d);
    if (std::optional<QString> v = numberCode(prefix, code, d, t, era))
        return v;
    return nameCode(prefix, code, d, t, era);
}

}  // namespace text
