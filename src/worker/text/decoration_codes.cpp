// Decorated texts cut into pieces: the end markers first (trailing dots
// spread a text, "^N" squeezes it), then one walk over the code units in
// which a pen moves along the text while runs of plain characters wait to be
// written where they began.
#include "worker/text/decoration_codes.h"

#include "common/geometry.h"
#include "common/number_parse.h"
#include "common/text_slice.h"
#include "common/text_width.h"
#include "worker/text/text_converter.h"

#include <cmath>
#include <utility>

namespace text {
namespace {

struct Vec {
    double x = 0, y = 0;
};

Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}

Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}

Vec operator*(double k, Vec v)
{
    return {k * v.x, k * v.y};
}

Vec dirOf(double deg)
{
    const double r = common::DegToRad(deg);
    return {std::cos(r), std::sin(r)};
}

bool same(Vec a, Vec b)
{
    return common::SamePoint(a.x, a.y, b.x, b.y);
}

double columns(QStringView s)
{
    return static_cast<double>(common::TextColumns(s));
}

double units(QStringView s)
{
    return static_cast<double>(s.size());
}

void appendMoji(TSFC_Moji_Exp_Info& mexp, TSFC_Moji_Exp_MojiField f)
{
    mexp.eMoji.push_back(std::move(f));
    mexp.eMojiN = static_cast<int32_t>(mexp.eMoji.size());
}

// The end markers. Returns false when nothing is left to lay out.
bool preamble(MojiExp2Input& in, bool vertical)
{
    QString& st = in.st;
    if (st.size() > 1 && st.back() == QChar(0xFF65))
        st.chop(1);
    while (st.size() > 1 && st.back() == QChar(0x30FB))
        st.chop(1);
    if (common::IsBlank(st))
        return false;

    // The box was measured with the dots; the text without them is spread
    // over the same box.
    const qsizetype n = st.size();
    if (n == 1) {
        in.md = 0;
    } else {
        const double used = vertical ? units(st) * in.mh : columns(st) * 0.5 * in.mw;
        in.md = ((vertical ? in.sy : in.sx) - used) / static_cast<double>(n - 1);
        if (in.md < 1e-10)
            in.md = 0;
    }

    int squeeze = 0;
    if (st.size() > 2 && st[st.size() - 2] == u'^' && st.back() >= u'1' && st.back() <= u'9') {
        squeeze = st.back().unicode() - u'0';
        st.chop(2);
    }
    if (common::IsBlank(st))
        return false;
    // "^N" draws the text N half-width columns narrower. A text of N columns
    // or fewer would come out with no or a negative size; it keeps its size.
    const double cols = columns(st);
    if (squeeze > 0) {
        const double f = squeeze < cols ? (cols - squeeze) / cols : 1.0;
        in.md *= f;
        if (vertical) {
            in.mh *= f;
            in.sy = units(st) * in.mh + (units(st) - 1) * in.md;
        } else {
            in.mw *= f;
        }
    }
    return true;
}

// The character at `i` (a surrogate pair kept whole), or nothing at the end.
QString charAt(const QString& st, qsizetype i)
{
    if (i >= st.size())
        return {};
    if (st[i].isHighSurrogate() && i + 1 < st.size() && st[i + 1].isLowSurrogate())
        return st.mid(i, 2);
    return st.mid(i, 1);
}

// One walk over a decorated text. Horizontal and vertical text share the
// rules; the geometry of a column differs where `m_vertical` is tested.
class MojiWalk {
public:
    MojiWalk(TSFC_Moji_Exp_Info& mexp, const MojiExp2Input& in, bool vertical, int32_t gothic)
        : m_mexp(mexp), m_in(in), m_vertical(vertical), m_gothic(gothic), m_pen{in.x, in.y}, m_run{in.x, in.y},
          m_colour(in.co), m_font(in.fo), m_slant(in.it), m_underStart{in.x, in.y}, m_strikeStart{in.x, in.y}
    {
        const double an = in.an;
        m_ahead = dirOf(vertical ? an - 90 : an);
        m_back = dirOf(vertical ? an + 90 : an + 180);
        m_up = dirOf(an + 90);
        m_across = dirOf(an);
    }

    void run();

private:
    bool switchCode(QChar code, qsizetype& i);
    void changeColour(qsizetype& i);
    void smallChar(QChar code, qsizetype& i);
    void overlay(QChar code, qsizetype& i);
    void smallPair(qsizetype& i);
    void plain(qsizetype i);

    void addMoji(Vec at, const QString& str, double mjw, double mjh, double msx, double msy, int32_t dir);
    void addMoji(Vec at, const QString& str, double mjw, double mjh, double msx, double msy)
    {
        addMoji(at, str, mjw, mjh, msx, msy, m_vertical ? 2 : 1);
    }
    void addLine(Vec from, Vec to);
    void flush();
    void endUnderline();
    void endStrike();
    void endLines();

    TSFC_Moji_Exp_Info& m_mexp;
    const MojiExp2Input& m_in;
    const bool m_vertical;
    const int32_t m_gothic;
    Vec m_ahead, m_back, m_up, m_across;

    Vec m_pen;         // where the next character goes
    Vec m_run;         // where the pending run will be placed
    QString m_pending;  // the pending run of plain characters
    int32_t m_colour, m_font, m_slant;
    bool m_under = false, m_strike = false;
    Vec m_underStart, m_strikeStart;
    bool m_raw = false;
    QString m_last;  // the character most recently taken into the run
};

void MojiWalk::addMoji(Vec at, const QString& str, double mjw, double mjh, double msx, double msy, int32_t dir)
{
    appendMoji(m_mexp, {.col = m_colour, .fon = m_font, .ktn = m_vertical ? 7 : 1, .dir = dir, .ita = m_slant,
                        .mjx = at.x, .mjy = at.y, .msx = msx, .msy = msy, .mjw = mjw, .mjh = mjh, .mjd = 0,
                        .mja = m_in.an, .str = str});
}

void MojiWalk::addLine(Vec from, Vec to)
{
    m_mexp.eLine.push_back({m_colour, from.x, from.y, to.x, to.y});
    m_mexp.eLineN = static_cast<int32_t>(m_mexp.eLine.size());
}

void MojiWalk::flush()
{
    if (m_pending.isEmpty() || same(m_run, m_pen))
        return;
    const double mw = m_in.mw, mh = m_in.mh;
    if (m_vertical)
        addMoji(m_run, m_pending, mw, mh, mw, units(m_pending) * mh);
    else
        addMoji(m_run, m_pending, mw, mh, columns(m_pending) * 0.5 * mw, mh);
    m_pending.clear();
    // The next run starts a little beyond the pen, so that a change of
    // colour or font does not butt against the previous run.
    m_run = m_pen + (0.1 * (m_vertical ? mh : mw)) * m_ahead;
}

// Just under the baseline, or beside the column.
void MojiWalk::endUnderline()
{
    if (!m_under || same(m_underStart, m_pen))
        return;
    const Vec o = m_vertical ? (1.1 * m_in.mw) * m_across : (0.1 * m_in.mh) * (-1.0 * m_up);
    addLine(m_underStart + o, m_pen + o);
}

// Through the middle of the characters.
void MojiWalk::endStrike()
{
    if (!m_strike || same(m_strikeStart, m_pen))
        return;
    const Vec o = m_vertical ? (m_in.mw / 2) * m_across : (m_in.mh / 2) * m_up;
    addLine(m_strikeStart + o, m_pen + o);
}

void MojiWalk::endLines()
{
    endUnderline();
    endStrike();
    m_under = m_strike = false;
}

// "^$" and the code unit after it, consumed from `i`: a digit 1-9 is the new
// pen colour, anything else is dropped.
void MojiWalk::changeColour(qsizetype& i)
{
    if (i >= m_in.st.size())
        return;
    const QChar digit = m_in.st[i++];
    if (digit < u'1' || digit > u'9')
        return;
    // Lines drawn so far keep the old colour; they go on in the new one.
    if (m_under && !same(m_underStart, m_pen)) {
        endUnderline();
        m_underStart = m_pen;
    }
    if (m_strike && !same(m_strikeStart, m_pen)) {
        endStrike();
        m_strikeStart = m_pen;
    }
    flush();
    m_colour = digit.unicode() - u'0';
}

// The codes that change the state of the walk. `i` is past the code;
// returns false when `code` is none of them.
bool MojiWalk::switchCode(QChar code, qsizetype& i)
{
    switch (code.unicode()) {
    case u'\\':
    case u'&':
    case u'%':
        flush();
        if (code == u'\\') {
            m_font = m_gothic;
        } else if (code == u'&') {
            m_font = m_in.fo;
        } else {
            endLines();
            m_colour = m_in.co;
            m_font = m_in.fo;
            m_slant = m_in.it;
        }
        return true;
    case u'/':
        if (m_slant == 0) {
            flush();
            m_slant = 1;
        }
        return true;
    case u'_':
        if (!m_under) {
            m_underStart = m_pen;
            m_under = true;
        }
        return true;
    case u'-':
        if (!m_strike) {
            m_strikeStart = m_pen;
            m_strike = true;
        }
        return true;
    case u'#':
        endLines();
        flush();
        m_slant = m_in.it;
        m_font = m_in.fo;
        return true;
    case u'$':
        changeColour(i);
        return true;
    case u'*':
        m_raw = true;
        return true;
    case u'!':
        return true;
    default:
        return false;
    }
}

// "^u", "^d", "^c": a small character above, below or between. In a row it
// takes its own place after the pen; in a column it stands beside the
// character before it.
void MojiWalk::smallChar(QChar code, qsizetype& i)
{
    const QString ch = charAt(m_in.st, i);
    if (ch.isEmpty())
        return;
    i += ch.size();
    const double mw = m_in.mw, mh = m_in.mh;
    if (m_vertical) {
        const double h = code == u'u' ? 0 : code == u'c' ? 0.25 * mh : 0.5 * mh;
        addMoji(m_pen + mh * m_back + (0.6 * mw) * m_across + h * m_ahead, ch, 0.8 * mw, 0.5 * mh, 0.8 * mw,
                units(ch) * 0.5 * mh);
        m_last.clear();
        return;
    }
    const double h = code == u'u' ? 0.5 * mh : code == u'c' ? 0.25 * mh : 0;
    const double msx = columns(ch) * 0.5 * 0.8 * mw;
    addMoji(m_pen + (0.1 * mw) * m_ahead + h * m_up, ch, 0.8 * mw, 0.5 * mh, msx, 0.5 * mh);
    // The run keeps a blank where the small character stands.
    const QString placeholder = columns(ch) == 1 ? QStringLiteral(" ") : QStringLiteral("\u3000");
    m_pending += placeholder;
    m_last = placeholder;
    m_pen = m_pen + msx * m_ahead;
}

// "^o", "^b", "^B", "^n": a character set over the one before it.
void MojiWalk::overlay(QChar code, qsizetype& i)
{
    const double mw = m_in.mw, mh = m_in.mh;
    double w = columns(QStringView(m_last).right(1)) * 0.5 * mw;
    if (!m_vertical && (m_last == u" " || m_last == u"\u3000"))
        w = columns(m_last) * 0.25 * mw;
    const QString ch = charAt(m_in.st, i);
    if (ch.isEmpty())
        return;
    i += ch.size();
    const bool small = code == u'o';
    const double mjw = small ? 0.5 * mw : mw;
    const double mjh = small ? 0.5 * mh : mh;
    const double shift = code == u'b' ? 0.6 * w : code == u'B' ? 0.7 * w : code == u'n' ? w : 0.75 * w;
    if (m_vertical) {
        const Vec q = m_pen + mh * m_back + w * m_across;
        // Before a blank, "^n" stands where the character before it stood.
        const bool keep = code == u'n' && i < m_in.st.size() && m_in.st[i] == u' ';
        Vec at = q - (keep ? 0.0 : shift) * m_across;
        if (small)
            at = at + (0.25 * mh) * m_ahead;
        addMoji(at, ch, mjw, mjh, mjw, units(ch) * mjh);
        m_pen = m_pen + mh * m_ahead;
    } else {
        Vec at = m_pen - shift * m_ahead;
        if (small)
            at = at + (0.25 * mh) * m_up;
        addMoji(at, ch, mjw, mjh, columns(ch) * 0.5 * mjw, mjh);
    }
    m_last.clear();
}

// "^w": one small character, or two half-width ones, over the character
// before it.
void MojiWalk::smallPair(qsizetype& i)
{
    const QString& st = m_in.st;
    const double mw = m_in.mw, mh = m_in.mh;
    const double w = columns(QStringView(m_last).right(1)) * 0.5 * mw;
    QString ch = charAt(st, i);
    if (ch.isEmpty())
        return;
    if (ch.size() == 1 && i + 1 < st.size() && common::IsHalfWidth(st[i]) && common::IsHalfWidth(st[i + 1]))
        ch = st.mid(i, 2);
    i += ch.size();
    const double k = columns(ch) == 1 ? 0.6 : 0.7;
    const double msx = columns(ch) * 0.5 * 0.4 * mw;
    if (m_vertical) {
        // Set across the column, as a row.
        addMoji(m_pen + mh * m_back + ((1 - k) * w) * m_across + (0.3 * mh) * m_ahead, ch, 0.4 * mw, 0.4 * mh, msx,
                0.4 * mh, 1);
    } else {
        addMoji(m_pen - (k * w) * m_ahead + (0.3 * mh) * m_up, ch, 0.4 * mw, 0.4 * mh, msx, 0.4 * mh);
    }
    m_last.clear();
}

void MojiWalk::plain(qsizetype i)
{
    const QString& st = m_in.st;
    const QChar ch = st[i];
    m_last = ch;
    if (!m_vertical) {
        m_pending += ch;
        m_pen = m_pen + (columns(QStringView(&ch, 1)) * 0.5 * m_in.mw) * m_ahead;
        return;
    }
    // In a column, the blank that follows a caret, a letter and one
    // half-width character closes that code and takes no place.
    if (ch == u' ' && i > 3 && st[i - 3] == u'^' && common::IsHalfWidth(st[i - 2]) && common::IsHalfWidth(st[i - 1]))
        return;
    m_pending += ch;
    m_pen = m_pen + m_in.mh * m_ahead;
}

void MojiWalk::run()
{
    const QString& st = m_in.st;
    qsizetype i = 0;
    while (i < st.size()) {
        const bool caret = st[i] == u'^' && i + 1 < st.size();
        const QChar code = caret ? st[i + 1] : QChar();
        if (caret && !m_raw) {
            qsizetype next = i + 2;
            if (switchCode(code, next)) {
                i = next;
                continue;
            }
            if (code == u'u' || code == u'd' || code == u'c') {
                smallChar(code, next);
                i = next;
                continue;
            }
            if (i > 0 && (code == u'o' || code == u'b' || code == u'B' || code == u'n')) {
                overlay(code, next);
                i = next;
                continue;
            }
            if (i > 0 && code == u'w') {
                smallPair(next);
                i = next;
                continue;
            }
        } else if (caret && code == u'^') {
            m_raw = false;
            i += 2;
            continue;
        }
        plain(i);
        ++i;
    }
    if (m_under)
        endUnderline();
    if (m_strike)
        endStrike();
    flush();
}

void layOutDecorated(TSFC_Moji_Exp_Info& mexp, const MojiExp2Input& input, bool vertical, int32_t gothicFont)
{
    mexp.eLine.clear();
    mexp.eLineN = 0;
    mexp.eMoji.clear();
    mexp.eMojiN = 0;
    MojiExp2Input in = input;
    if (!preamble(in, vertical))
        return;
    if (CheckMojiExp2(in.st)) {
        MojiWalk(mexp, in, vertical, gothicFont).run();
        return;
    }
    // Only the end markers were codes: the text stays whole.
    const double msx = vertical ? in.sx : columns(in.st) * 0.5 * in.mw + (units(in.st) - 1) * in.md;
    appendMoji(mexp, {.col = in.co, .fon = in.fo, .ktn = vertical ? 7 : 1, .dir = vertical ? 2 : 1, .ita = in.it,
                      .mjx = in.x, .mjy = in.y, .msx = msx, .msy = vertical ? in.sy : in.mh, .mjw = in.mw,
                      .mjh = in.mh, .mjd = in.md, .mja = in.an, .str = in.st});
}

}  // namespace

void GetMojiExp2a(TSFC_Moji_Exp_Info& mexp, const MojiExp2Input& in, int32_t gothicFont)
{
    layOutDecorated(mexp, in, false, gothicFont);
}

void GetMojiExp2b(TSFC_Moji_Exp_Info& mexp, const MojiExp2Input& in, int32_t gothicFont)
{
    layOutDecorated(mexp, in, true, gothicFont);
}

}  // namespace text
