// The whole-text codes as pure functions of the text, the context and the
// reference list.
#include "worker/text/text_codes.h"

#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

using text::GetMojiExp1;
using text::TSFC_Moji_Exp_Info;

namespace {

// A path of this system from one written with Windows' separators: only
// Windows takes "\\" between names.
QString nativePath(const QString& windowsPath)
{
#ifdef Q_OS_WIN
    return windowsPath;
#else
    return QString(windowsPath).replace(u'\\', u'/');
#endif
}

// Both dates on Tuesday 2024-05-07 09:05:03, so that a code reads the same
// whichever date it takes; the tests of the two dates apart change one.
TSFC_Moji_Exp_Info context()
{
    TSFC_Moji_Exp_Info m;
    m.filename = nativePath(u"C:\\a\\b\\plan.jww"_qs);
    m.filedate = QDateTime(QDate(2024, 5, 7), QTime(9, 5, 3));
    m.nowdate = m.filedate;
    m.scale.fill(1);
    return m;
}

struct Case {
    QString code;
    QString expected;
};

void expectAll(const TSFC_Moji_Exp_Info& m, std::initializer_list<Case> cases, int ly = 0)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        EXPECT_EQ(GetMojiExp1(m, ly, c.code), c.expected);
    }
}

}  // namespace

TEST(TextCodes, NoCodeIsReturnedUnchanged)
{
    const TSFC_Moji_Exp_Info m = context();
    for (const QString& s : {u""_qs, u"%"_qs, u"a%f"_qs, u"#f"_qs, u"%Fx"_qs, u"&fx"_qs, u"$f"_qs,
                             u"=x"_qs, u"%fg"_qs, u"%f0"_qs, u"%mx"_qs, u"%j0x"_qs, u"=F1"_qs,
                             u"%fs1"_qs, u"&fs0"_qs, u"plan %f"_qs, u"%j9x"_qs}) {
        SCOPED_TRACE(s.toStdString());
        EXPECT_EQ(GetMojiExp1(m, 0, s), s);
    }
}

TEST(TextCodes, DatesOnOneDay)
{
    expectAll(context(), {
        {u"=m"_qs, u"05"_qs}, {u"_m"_qs, u" 5"_qs}, {u"&m"_qs, u" 5"_qs}, {u"%m"_qs, u"05"_qs}, {u"$m"_qs, u"5 "_qs},
        {u"=d"_qs, u"07"_qs}, {u"_d"_qs, u" 7"_qs}, {u"$d"_qs, u"7 "_qs},
        {u"=h"_qs, u"09"_qs}, {u"=H"_qs, u"09"_qs}, {u"%M"_qs, u"05"_qs}, {u"&S"_qs, u" 3"_qs},
        {u"%y"_qs, u"24"_qs}, {u"=Y"_qs, u"36"_qs}, {u"&Y"_qs, u"36"_qs},
        {u"=E"_qs, u"06"_qs}, {u"_E"_qs, u" 6"_qs}, {u"$E"_qs, u"6 "_qs}, {u"%G"_qs, u"06"_qs},
        {u"=GＧ"_qs, u"令和"_qs}, {u"&GＧＥ"_qs, u"令和 6"_qs}, {u"=GＧＥＥ"_qs, u"令和06年"_qs},
        {u"&J"_qs, u"令和6年 5月 7日"_qs}, {u"=J"_qs, u"令和6年 5月 7日"_qs},
        {u"&j"_qs, u"2024/ 5/ 7"_qs}, {u"=j"_qs, u"2024/ 5/ 7"_qs}, {u"%j"_qs, u"2024/ 5/ 7"_qs},
        {u"=f"_qs, u"2024/05/07"_qs}, {u"_f"_qs, u"2024/ 5/ 7"_qs},
        {u"=F"_qs, u"2024/05/07 09:05:03"_qs}, {u"_F"_qs, u"2024/ 5/ 7 09:05:03"_qs},
        {u"%ma"_qs, u"MAY"_qs}, {u"=w"_qs, u"火"_qs}, {u"%W"_qs, u"火"_qs}, {u"&wa"_qs, u"TUE"_qs},
        {u"%n"_qs, u"AM"_qs}, {u"%N"_qs, u"前"_qs}, {u"_n"_qs, u"AM"_qs},
    });
}

TEST(TextCodes, FileDateAndCurrentDateApart)
{
    TSFC_Moji_Exp_Info m = context();
    m.filedate = QDateTime(QDate(2005, 12, 25), QTime(0, 30, 0));  // a Sunday, just after midnight
    m.nowdate = QDateTime(QDate(2024, 5, 7), QTime(23, 59, 59));
    expectAll(m, {
        {u"=y"_qs, u"05"_qs}, {u"_y"_qs, u" 5"_qs}, {u"&y"_qs, u"24"_qs},
        {u"=h"_qs, u"12"_qs}, {u"_H"_qs, u" 0"_qs}, {u"%h"_qs, u"11"_qs}, {u"%H"_qs, u"23"_qs},
        {u"=w"_qs, u"日"_qs}, {u"_wa"_qs, u"SUN"_qs}, {u"=ma"_qs, u"DEC"_qs},
        {u"%n"_qs, u"PM"_qs}, {u"%N"_qs, u"後"_qs}, {u"=n"_qs, u"AM"_qs},
        {u"=GＧＥＥ"_qs, u"平成17年"_qs}, {u"=Y"_qs, u"17"_qs},
    });
}

TEST(TextCodes, EraBoundaries)
{
    struct Era {
        QDate date;
        QString era;   // "GＧＥ" with the "=" prefix
        QString old;   // "Y" with the "=" prefix
    } cases[] = {
        {QDate(1868, 10, 22), u""_qs, u""_qs},
        {QDate(1868, 10, 23), u"明治元"_qs, u"01"_qs},
        {QDate(1912, 7, 29), u"明治45"_qs, u"45"_qs},
        {QDate(1912, 7, 30), u"大正元"_qs, u"01"_qs},
        {QDate(1926, 12, 24), u"大正15"_qs, u"15"_qs},
        {QDate(1926, 12, 25), u"昭和元"_qs, u"01"_qs},
        {QDate(1989, 1, 7), u"昭和64"_qs, u"64"_qs},
        {QDate(1989, 1, 8), u"平成元"_qs, u"01"_qs},
        {QDate(2019, 4, 30), u"平成31"_qs, u"31"_qs},
        {QDate(2019, 5, 1), u"令和元"_qs, u"31"_qs},
        {QDate(2020, 1, 1), u"令和02"_qs, u"32"_qs},
    };
    for (const Era& c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        TSFC_Moji_Exp_Info m = context();
        m.filedate = QDateTime(c.date, QTime(12, 0));
        EXPECT_EQ(GetMojiExp1(m, 0, u"=GＧＥ"_qs), c.era);
        EXPECT_EQ(GetMojiExp1(m, 0, u"=Y"_qs), c.old);
    }
    // The first year is "元" and never filled, whatever the prefix.
    TSFC_Moji_Exp_Info m = context();
    m.filedate = m.nowdate = QDateTime(QDate(2019, 6, 1), QTime(8, 0));
    expectAll(m, {{u"%E"_qs, u"元"_qs}, {u"=E"_qs, u"元"_qs}, {u"_E"_qs, u"元"_qs}, {u"$E"_qs, u"元"_qs},
                  {u"&J"_qs, u"令和元年 6月 1日"_qs}});
    // Before the first era the era texts are empty.
    m.filedate = QDateTime(QDate(1850, 1, 2), QTime(8, 0));
    expectAll(m, {{u"=E"_qs, u""_qs}, {u"=J"_qs, u"年 1月 2日"_qs}, {u"=GＧ"_qs, u""_qs}});
}

TEST(TextCodes, UnknownFileDateIsDayZero)
{
    TSFC_Moji_Exp_Info m = context();
    m.filedate = QDateTime();
    expectAll(m, {{u"=F"_qs, u"1899/12/30 00:00:00"_qs}, {u"=Y"_qs, u"32"_qs}, {u"=GＧＥＥ"_qs, u"明治32年"_qs}});
}

TEST(TextCodes, PathAndFileNames)
{
    TSFC_Moji_Exp_Info m = context();
    expectAll(m, {
        {u"%F"_qs, m.filename}, {u"&F"_qs, m.filename}, {u"$F"_qs, m.filename},
        {u"%F1"_qs, u"b"_qs}, {u"%F2"_qs, u"a"_qs}, {u"%F3"_qs, u"C:"_qs}, {u"$F4"_qs, u"C:"_qs},
        {u"&F9"_qs, u"C:"_qs}, {u"%F12"_qs, u"C:"_qs},
        {u"%f"_qs, u"plan.jww"_qs}, {u"&f"_qs, u"plan"_qs}, {u"%f3"_qs, u"pla"_qs}, {u"%fa"_qs, u"plan.jww"_qs},
    });
    for (int n = 3; n <= 9; ++n)
        EXPECT_EQ(GetMojiExp1(m, 0, u"%F"_qs + QString::number(n)), u"C:"_qs) << n;
    // A number that parses as 0 lands past the last folder name: nothing.
    EXPECT_EQ(GetMojiExp1(m, 0, u"%F1x"_qs), u""_qs);
    EXPECT_EQ(GetMojiExp1(m, 0, u"%ff"_qs), u"plan.jww"_qs);
    // Folders of any depth: "%F1" is always the holding folder.
    m.filename = u"/r"_qs + u"/d"_qs.repeated(40) + u"/x/plan.jww"_qs;
    EXPECT_EQ(GetMojiExp1(m, 0, u"%F1"_qs), u"x"_qs);
    EXPECT_EQ(GetMojiExp1(m, 0, u"%F42"_qs), u"r"_qs);
    EXPECT_EQ(GetMojiExp1(m, 0, u"%F99"_qs), u"%F99"_qs);  // "99" sorts after "9"

    m.filename = nativePath(u"C:\\a\\plan A rev.jww"_qs);
    expectAll(m, {{u"&fs1"_qs, u"plan"_qs}, {u"&fs2"_qs, u"A"_qs}, {u"&fs3"_qs, u"rev"_qs}, {u"&fs9"_qs, u"rev"_qs}});

    // "%f" takes whole characters while fewer columns than asked are taken.
    m.filename = nativePath(u"C:\\a\\図面1.jww"_qs);
    expectAll(m, {{u"%f3"_qs, u"図面"_qs}, {u"%f1"_qs, u"図"_qs}, {u"%f5"_qs, u"図面1"_qs},
                  {u"%fc"_qs, u"図面1.jww"_qs}, {u"%f1x"_qs, u""_qs}});

    m.filename.clear();
    expectAll(m, {{u"%F"_qs, u""_qs}, {u"%F1"_qs, u""_qs}, {u"%f"_qs, u""_qs}, {u"&fs1"_qs, u""_qs}});
}

TEST(TextCodes, WordsOfAName)
{
    struct Words {
        QString f;
        int n;
        QString expected;
    } cases[] = {
        {u"plan A rev"_qs, 1, u"plan"_qs}, {u"plan A rev"_qs, 2, u"A"_qs}, {u"plan A rev"_qs, 3, u"rev"_qs},
        {u"plan"_qs, 1, u"plan"_qs}, {u"a  b"_qs, 2, u" b"_qs}, {u" a"_qs, 1, u" a"_qs},
        {u"a\u3000b c"_qs, 1, u"a\u3000b"_qs}, {u""_qs, 1, u""_qs},
    };
    for (const Words& c : cases) {
        SCOPED_TRACE((c.f + u'/' + QString::number(c.n)).toStdString());
        EXPECT_EQ(text::GetStrNSpace(c.f, c.n), c.expected);
    }
}

TEST(TextCodes, ScalesOfTheLayerGroup)
{
    struct Scale {
        double group;
        double print;
        QString SS, ss, SP, sp;
    } cases[] = {
        {100, 2, u"1/100"_qs, u"100"_qs, u"1/50"_qs, u"50"_qs},
        {0.5, 2, u"2/1"_qs, u"2"_qs, u"4/1"_qs, u"4"_qs},
        {30.12345, 1, u"1/30.123"_qs, u"30.123"_qs, u"1/30.123"_qs, u"30.123"_qs},
        {1, 0.5, u"1/1"_qs, u"1"_qs, u"1/2"_qs, u"2"_qs},
        // Not a scale: the codes stay as written.
        {0, 1, u"%SS"_qs, u"%ss"_qs, u"%SP"_qs, u"%sp"_qs},
        {100, 0, u"1/100"_qs, u"100"_qs, u"%SP"_qs, u"%sp"_qs},
    };
    for (const Scale& c : cases) {
        SCOPED_TRACE(c.group);
        TSFC_Moji_Exp_Info m = context();
        m.scale[3] = c.group;  // layer group 3; every other group is at 1
        m.prtscale = c.print;
        expectAll(m, {{u"%SS"_qs, c.SS}, {u"%ss"_qs, c.ss}, {u"%SP"_qs, c.SP}, {u"%sp"_qs, c.sp}}, 3 * 16 + 15);
    }
    EXPECT_EQ(GetMojiExp1(context(), 256, u"%SS"_qs), u"%SS"_qs);
}

TEST(TextCodes, DrawingTimeInMinutes)
{
    struct Time {
        int32_t seconds;
        QString expected;
    } cases[] = {
        {29, u"0 : 0"_qs}, {30, u"0 : 1"_qs}, {5399, u"1 : 30"_qs}, {3570, u"1 : 0"_qs},
        {INT32_MAX, u"596523 : 14"_qs},
    };
    for (const Time& c : cases) {
        SCOPED_TRACE(c.seconds);
        TSFC_Moji_Exp_Info m = context();
        m.drawtime = c.seconds;
        expectAll(m, {{u"&T"_qs, c.expected}, {u"%T"_qs, c.expected}, {u"=T"_qs, c.expected},
                      {u"_T"_qs, c.expected}, {u"$T"_qs, c.expected}});
    }
}

TEST(TextCodes, MemoLines)
{
    struct Memo {
        QString memo1, memo2;
        QString mm, m1, m2;
    } cases[] = {
        {u"X"_qs, u""_qs, u"X"_qs, u"X"_qs, u"%m2"_qs},
        {u"X"_qs, u"Y"_qs, u"X\u3000Y"_qs, u"X"_qs, u"Y"_qs},
        {u"X"_qs, u"Y\r\nZ"_qs, u"X\u3000Y\r\nZ"_qs, u"X"_qs, u"Y\r\nZ"_qs},
        {u""_qs, u"Y"_qs, u"Y"_qs, u"%m1"_qs, u"Y"_qs},
        {u""_qs, u""_qs, u"%mm"_qs, u"%m1"_qs, u"%m2"_qs},
    };
    for (const Memo& c : cases) {
        SCOPED_TRACE((c.memo1 + u'|' + c.memo2).toStdString());
        TSFC_Moji_Exp_Info m = context();
        m.memo1 = c.memo1;
        m.memo2 = c.memo2;
        expectAll(m, {{u"%mm"_qs, c.mm}, {u"%m1"_qs, c.m1}, {u"%m2"_qs, c.m2}});
    }
}

TEST(TextCodes, DotsAndReferenceValues)
{
    TSFC_Moji_Exp_Info m = context();
    m.refList = {{u"%%A"_qs, u"first"_qs}, {u"%%E"_qs, u""_qs}, {u"%%A"_qs, u"second"_qs}};
    expectAll(m, {
        {u"%j3"_qs, u"･･･"_qs}, {u"&J2"_qs, u"･･"_qs}, {u"$j12"_qs, u"････････････"_qs}, {u"%j1x"_qs, u""_qs},
        {u"%%A"_qs, u"first"_qs}, {u"%%E"_qs, u"＿"_qs}, {u"%%B"_qs, u"B"_qs}, {u"%%"_qs, u"＿"_qs},
        {u"%%a"_qs, u"a"_qs}, {u"%%A "_qs, u"A "_qs},
    });
}
