// Japanese eras at their first days, with and without the switch to 令和.
#include "common/era_date.h"

#include <gtest/gtest.h>

using namespace common;

TEST(EraDate, EraChangesOnTheirFirstDays)
{
    struct Case {
        QDate date;
        QStringView oldName, oldYear, name, year;
    } cases[] = {
        {QDate(1868, 10, 22), u"", u"", u"", u""},
        {QDate(1868, 10, 23), u"明治", u"1", u"明治", u"1"},
        {QDate(1912, 7, 29), u"明治", u"45", u"明治", u"45"},
        {QDate(1912, 7, 30), u"大正", u"1", u"大正", u"1"},
        {QDate(1926, 12, 24), u"大正", u"15", u"大正", u"15"},
        {QDate(1926, 12, 25), u"昭和", u"1", u"昭和", u"1"},
        {QDate(1989, 1, 7), u"昭和", u"64", u"昭和", u"64"},
        {QDate(1989, 1, 8), u"平成", u"1", u"平成", u"1"},
        {QDate(2019, 4, 30), u"平成", u"31", u"平成", u"31"},
        {QDate(2019, 5, 1), u"平成", u"31", u"令和", u"1"},
        {QDate(2024, 1, 1), u"平成", u"36", u"令和", u"6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        const EraDate e = EraOfDate(c.date);
        EXPECT_EQ(e.yearText, QString::number(c.date.year()));
        EXPECT_EQ(e.oldEraName, c.oldName);
        EXPECT_EQ(e.oldEraYear, c.oldYear);
        EXPECT_EQ(e.eraName, c.name);
        EXPECT_EQ(e.eraYear, c.year);
    }
}

TEST(EraDate, InvalidAndFarDatesGiveNoEra)
{
    const EraDate invalid = EraOfDate(QDate());
    EXPECT_TRUE(invalid.yearText.isEmpty());
    EXPECT_TRUE(invalid.eraName.isEmpty());
    // A year whose yyyymmdd key does not fit in 32 bits.
    const EraDate far = EraOfDate(QDate(1000000, 1, 1));
    EXPECT_EQ(far.yearText, QStringLiteral("1000000"));
    EXPECT_EQ(far.eraYear, QStringLiteral("997982"));
    EXPECT_TRUE(EraOfDate(QDate(-5, 1, 1)).oldEraName.isEmpty());
}
