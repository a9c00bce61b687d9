// Expansion of the whole-text codes, tested in a fixed order: the first
// test that applies decides.
#include "worker/text/text_codes.h"

#include "common/number_parse.h"
#include "common/number_text.h"
#include "common/path_names.h"
#include "common/text_slice.h"
#include "common/text_width.h"
#include "worker/text/date_codes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace text {
namespace {

// Ordinal, case-sensitive a <= r <= b: "12" lies between "1" and "9", "9x"
// does not.
bool between(QStringView r, QStringView a, QStringView b)
{
    return a.compare(r) <= 0 && r.compare(b) <= 0;
}

// The whole text as a hexadecimal number; 0 when malformed or beyond 32 bits.
int hexNumber(QStringView t)
{
    if (t.isEmpty() || t.size() > 8)
        return 0;
    qint64 n = 0;
    for (QChar c : t) {
        const int digit = c.isDigit() && c.unicode() < 0x80 ? c.unicode() - u'0'
                          : c >= u'a' && c <= u'f'          ? c.unicode() - u'a' + 10
                          : c >= u'A' && c <= u'F'          ? c.unicode() - u'A' + 10
                                                            : -1;
        if (digit < 0)
            return 0;
        n = n * 16 + digit;
    }
    return n > INT32_MAX ? 0 : static_cast<int>(n);
}

QString referenceValue(const std::vector<TStr2List>& refs, const QString& s)
{
    QString value = s.mid(2);
    for (const TStr2List& r : refs) {
        if (r.s1 == s) {
            value = r.s2;
            break;
        }
    }
    // An empty value would leave nothing to see where the value belongs.
    return value.isEmpty() ? QStringLiteral("＿") : value;
}

// "%F1" is the folder holding the drawing, "%F2" its parent; a number beyond
// the root gives the first name (the drive). Every folder name is kept, so
// the holding folder is found whatever the depth.
QString folderName(const QString& filename, QStringView r2)
{
    const QStringList names = common::SplitPath(common::ExtractDir(filename));
    const qsizetype at = std::max<qsizetype>(names.size() - common::StrToIntZero(r2), 0);
    return at < names.size() ? names[at] : QString();
}

std::optional<QString> fileCode(const QString& filename, QStringView p2, QStringView r2)
{
    if (p2 == u"&F" || p2 == u"%F" || p2 == u"$F") {
        if (r2.isEmpty())
            return filename;
        if (between(r2, u"1", u"9"))
            return folderName(filename, r2);
    }
    if (p2 == u"&f") {
        const QString v = common::ReplaceExt(common::ExtractName(filename), u"");
        if (r2.isEmpty())
            return v;
        if (r2.size() == 2 && r2[0] == u's' && r2[1] >= u'1' && r2[1] <= u'9')
            return GetStrNSpace(v, r2[1].unicode() - u'0');
    }
    if (p2 == u"%f") {
        const QString v = common::ExtractName(filename);
        if (r2.isEmpty())
            return v;
        if (between(r2, u"1", u"9") || between(r2, u"a", u"f"))
            return common::CopyColumns(v, 1, hexNumber(r2));
    }
    return std::nullopt;
}

QString memoCode(const TSFC_Moji_Exp_Info& mexp, const QString& s)
{
    if (s == u"%m1")
        return mexp.memo1.isEmpty() ? s : mexp.memo1;
    if (s == u"%m2")
        return mexp.memo2.isEmpty() ? s : mexp.memo2;
    if (mexp.memo1.isEmpty() && mexp.memo2.isEmpty())
        return s;
    if (mexp.memo1.isEmpty())
        return mexp.memo2;
    if (mexp.memo2.isEmpty())
        return mexp.memo1;
    return mexp.memo1 + u'\u3000' + mexp.memo2;
}

bool usableScale(double g)
{
    return std::isfinite(g) && g > 0;
}

// "%SS" and "%ss" write the scale of the text's layer group, "%SP" and
// "%sp" that scale as printed; capitals write it as a ratio.
std::optional<QString> scaleCode(const TSFC_Moji_Exp_Info& mexp, int ly, const QString& s)
{
    const bool print = s == u"%SP" || s == u"%sp";
    if (ly < 0 || ly > 255 || !usableScale(mexp.scale[ly / 16]) || (print && !usableScale(mexp.prtscale)))
        return s;
    double g = mexp.scale[ly / 16];
    const bool enlarged = g < 0.9999999999;
    if (enlarged)
        g = 1 / g;
    g = common::RoundDigits(g, 3, 2);
    if (print)
        g = enlarged ? g * mexp.prtscale : g / mexp.prtscale;
    const QString number = common::FloatText(g);
    if (s == u"%ss" || s == u"%sp")
        return number;
    return enlarged ? number + QStringLiteral("/1") : QStringLiteral("1/") + number;
}

QString drawTime(int32_t drawtime)
{
    // Rounded to the nearest minute; 64 bits so that no count overflows.
    const int64_t t = int64_t(drawtime) + 30;
    return common::IntText(t / 3600) + QStringLiteral(" : ") + common::IntText((t / 60) % 60);
}

std::optional<QString> wholeTextCode(const TSFC_Moji_Exp_Info& mexp, int ly, const QString& s)
{
    if (s == u"%mm" || s == u"%m1" || s == u"%m2")
        return memoCode(mexp, s);
    if (s == u"%SS" || s == u"%ss" || s == u"%SP" || s == u"%sp")
        return scaleCode(mexp, ly, s);
    if (s.size() == 2 && s[1] == u'T' && QStringView(u"&%=_$").contains(s[0]))
        return drawTime(mexp.drawtime);
    return std::nullopt;
}

}  // namespace

QString GetMojiExp1(const TSFC_Moji_Exp_Info& mexp, int ly, const QString& s)
{
    if (s.size() < 2 || !QStringView(u"&%=_$").contains(s[0]))
        return s;
    const QChar c1 = s[0];
    const QStringView p2 = QStringView(s).left(2);
    const QStringView r1 = QStringView(s).mid(1);
    const QStringView r2 = QStringView(s).mid(2);
    if (p2 == u"%%")
        return referenceValue(mexp.refList, s);
    if (std::optional<QString> v = fileCode(mexp.filename, p2, r2))
        return *v;
    if (c1 == u'=' || c1 == u'_') {
        if (std::optional<QString> v = DateCodeText(c1, r1, mexp.filedate))
            return *v;
    }
    if (std::optional<QString> v = wholeTextCode(mexp, ly, s))
        return *v;
    if (c1 == u'&' || c1 == u'%' || c1 == u'$') {
        if (std::optional<QString> v = DateCodeText(c1, r1, mexp.nowdate))
            return *v;
        if ((s[1] == u'j' || s[1] == u'J') && between(r2, u"1", u"9"))
            return common::RepeatText(u"\uFF65", common::StrToIntZero(r2));
    }
    return s;
}

QString GetStrNSpace(const QString& f, int n)
{
    QString word;
    QString result;
    int blanks = 0;
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f[i] != u' ') {
            word.append(f[i]);
            continue;
        }
        ++blanks;
        if (blanks == n) {
            if (word.isEmpty())
                word = f.mid(i);
            result = word;
        }
        word.clear();
    }
    return result.isEmpty() ? word : result;
}

}  // namespace text
