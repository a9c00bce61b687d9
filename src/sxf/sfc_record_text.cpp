// Splitting a record's text and reading its arguments. Works on the bytes;
// only strings are decoded.
#include "sxf/sfc_record_text.h"

#include "common/codepage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sxf {
namespace {

// The most bytes of a faulty argument a finding quotes.
constexpr size_t kFoundBytes = 40;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The value of a plain decimal "-12.250000" whose digits, taken as one
// integer, stay below 2^53: that integer and the power of ten it is divided
// by are both exact doubles, so the quotient is the correctly rounded value.
// This is how nearly every real of a file is written; false for anything
// else (an exponent, more digits), which from_chars then reads.
bool fastDecimal(std::string_view text, double& value)
{
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr uint64_t kExact = uint64_t{1} << 53;
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    uint64_t digits = 0;
    int count = 0;
    int decimals = -1;
    for (; p != end; ++p) {
        const char c = *p;
        if (isDigit(c)) {
            if (++count > 18)
                return false;
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            decimals += decimals >= 0 ? 1 : 0;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (count == 0 || digits >= kExact)
        return false;
    const double magnitude = static_cast<double>(digits) / kPowers[decimals < 0 ? 0 : decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

// The first `c` in [from, end), or end. Tokens are short: a plain loop
// beats a library search there.
const char* findChar(const char* from, const char* end, char c)
{
    while (from != end && *from != c)
        ++from;
    return from;
}

// Reads one argument at `pos` (blanks skipped) into `token`; false with the
// fault when it does not end.
RecordFault readToken(std::string_view text, size_t& pos, ArgToken& token)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin + pos;
    if (*p == '\\' && p + 1 != end && p[1] == '\'') {
        // A string ends at the next backslash-apostrophe, byte for byte, as
        // the SXF library reads it: even a code page 932 character whose
        // second byte is a backslash ends it when an apostrophe follows.
        const char* q = p + 2;
        for (;;) {
            q = findChar(q, end, '\\');
            if (q == end)
                return RecordFault::OpenString;
            if (q + 1 != end && q[1] == '\'')
                break;
            ++q;
        }
        token = {ArgToken::Form::String, std::string_view(p + 2, static_cast<size_t>(q - p - 2))};
        pos = static_cast<size_t>(q + 2 - begin);
        return RecordFault::None;
    }
    if (*p == '\'') {
        const char* q = findChar(p + 1, end, '\'');
        if (q == end)
            return RecordFault::OpenValue;
        token = {ArgToken::Form::Quoted, std::string_view(p + 1, static_cast<size_t>(q - p - 1))};
        pos = static_cast<size_t>(q + 1 - begin);
        return RecordFault::None;
    }
    const char* q = p;
    while (q != end && *q != ',' && *q != ')')
        ++q;
    token = {ArgToken::Form::Bare, trim(std::string_view(p, static_cast<size_t>(q - p)))};
    pos = static_cast<size_t>(q - begin);
    return RecordFault::None;
}

RecordFault readArguments(std::string_view text, size_t& pos, std::vector<ArgToken>& args)
{
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos < text.size() && text[pos] == ')') {
        ++pos;
        return RecordFault::None;
    }
    for (;;) {
        skipBlanks();
        if (pos >= text.size())
            return RecordFault::NoClose;
        ArgToken token;
        const RecordFault fault = readToken(text, pos, token);
        if (fault != RecordFault::None)
            return fault;
        args.push_back(token);
        skipBlanks();
        if (pos >= text.size())
            return RecordFault::NoClose;
        const char c = text[pos++];
        if (c == ')')
            return RecordFault::None;
        if (c != ',')
            return RecordFault::NoSeparator;
    }
}

// Reads "#n = name(" up to the first argument.
RecordFault readHead(std::string_view text, size_t& pos, RecordText& out)
{
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos >= text.size() || text[pos] != '#')
        return RecordFault::NoNumber;
    ++pos;
    skipBlanks();
    const auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), out.number);
    if (ec != std::errc() || out.number < 0 || out.number > std::numeric_limits<int32_t>::max())
        return RecordFault::NoNumber;
    pos = static_cast<size_t>(end - text.data());
    skipBlanks();
    if (pos >= text.size() || text[pos] != '=')
        return RecordFault::NoName;
    ++pos;
    skipBlanks();
    const size_t nameStart = pos;
    while (pos < text.size() && isNameChar(text[pos]))
        ++pos;
    const std::string_view name = text.substr(nameStart, pos - nameStart);
    skipBlanks();
    if (name.empty() || pos >= text.size() || text[pos] != '(')
        return RecordFault::NoName;
    out.name = name;
    ++pos;
    return RecordFault::None;
}

// Calls `element` with each element of a list "(a,b,...)"; false when the
// text is no list or an element is refused.
template <typename Element>
bool forEachElement(std::string_view text, Element element)
{
    text = trim(text);
    if (text.size() < 2 || text.front() != '(' || text.back() != ')')
        return false;
    std::string_view rest = text.substr(1, text.size() - 2);
    if (trim(rest).empty())
        return true;
    for (;;) {
        const size_t comma = rest.find(',');
        if (!element(rest.substr(0, comma)))
            return false;
        if (comma == std::string_view::npos)
            return true;
        rest.remove_prefix(comma + 1);
    }
}

// The number of elements of a list, counted from its bytes: room for them
// is made before they are read, never from a count the record states.
size_t elementCount(std::string_view text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), ',')) + 1;
}

QString decodeBytes(std::string_view bytes, bool* defined = nullptr)
{
    return common::decodeCp932(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), defined);
}

}  // namespace

const QString& StringCache::decode(std::string_view bytes, bool& defined)
{
    auto it = m_entries.find(bytes);
    if (it == m_entries.end()) {
        Entry entry;
        entry.text = decodeBytes(bytes, &entry.defined);
        it = m_entries.emplace(std::string(bytes), std::move(entry)).first;
    }
    defined = it->second.defined;
    return it->second.text;
}

RecordFault splitRecordText(std::string_view text, RecordText& out)
{
    out.number = 0;
    out.name = {};
    out.args.clear();
    size_t pos = 0;
    RecordFault fault = readHead(text, pos, out);
    if (fault == RecordFault::None)
        fault = readArguments(text, pos, out.args);
    if (fault != RecordFault::None)
        return fault;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == ';')
        ++pos;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos < text.size() ? RecordFault::TrailingText : RecordFault::None;
}

bool parseReal(std::string_view text, double& value)
{
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (fastDecimal(text, value))
        return true;
    // from_chars would take "inf" and "nan" too: a number starts with a
    // digit or a point after its sign.
    const size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= first || !(isDigit(text[first]) || text[first] == '.'))
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool parseInteger(std::string_view text, int32_t& value)
{
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size() && !text.empty())
        return true;
    // Other writers may give an integer as a whole real ("1.0").
    double real = 0;
    if (!parseReal(text, real) || real != std::trunc(real) || real < std::numeric_limits<int32_t>::min()
        || real > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(real);
    return true;
}

const ArgToken* ArgCursor::take(ArgToken::Form form, const char* expected)
{
    if (m_failed)
        return nullptr;
    if (m_next >= m_args.size()) {
        ++m_next;
        m_foundText = {};
        fail(expected);
        return nullptr;
    }
    const ArgToken& token = m_args[m_next++];
    if (token.form != form) {
        m_foundText = token.text;
        fail(expected);
        return nullptr;
    }
    return &token;
}

void ArgCursor::fail(const char* expected)
{
    m_failed = true;
    m_failedAt = static_cast<int32_t>(m_next);
    m_expected = expected;
}

int32_t ArgCursor::integer()
{
    int32_t value = 0;
    const ArgToken* t = take(ArgToken::Form::Quoted, "整数");
    if (t && !parseInteger(t->text, value)) {
        m_foundText = t->text;
        fail("整数");
    }
    return m_failed ? 0 : value;
}

double ArgCursor::real()
{
    double value = 0;
    const ArgToken* t = take(ArgToken::Form::Quoted, "実数");
    if (t && !parseReal(t->text, value)) {
        m_foundText = t->text;
        fail("実数");
    }
    return m_failed ? 0 : value;
}

QString ArgCursor::string(StringCache* cache)
{
    const ArgToken* t = take(ArgToken::Form::String, "文字列");
    if (!t)
        return {};
    bool defined = true;
    QString text = cache ? cache->decode(t->text, defined) : decodeBytes(t->text, &defined);
    m_badEncoding = m_badEncoding || !defined;
    return text;
}

void ArgCursor::reals(std::vector<double>& out)
{
    out.clear();
    const ArgToken* t = take(ArgToken::Form::Quoted, "実数のリスト");
    if (!t)
        return;
    out.reserve(elementCount(t->text));
    const bool read = forEachElement(t->text, [&](std::string_view e) {
        double v = 0;
        out.push_back(v);
        return parseReal(e, out.back());
    });
    if (!read) {
        m_foundText = t->text;
        fail("実数のリスト");
        out.clear();
    }
}

void ArgCursor::integers(std::vector<int32_t>& out)
{
    out.clear();
    const ArgToken* t = take(ArgToken::Form::Quoted, "整数のリスト");
    if (!t)
        return;
    out.reserve(elementCount(t->text));
    const bool read = forEachElement(t->text, [&](std::string_view e) {
        out.push_back(0);
        return parseInteger(e, out.back());
    });
    if (!read) {
        m_foundText = t->text;
        fail("整数のリスト");
        out.clear();
    }
}

void ArgCursor::points(std::vector<T2DPoint>& out, std::vector<double>& xs, std::vector<double>& ys)
{
    out.clear();
    reals(xs);
    reals(ys);
    const size_t n = std::min(xs.size(), ys.size());
    out.reserve(n);
    for (size_t i = 0; i < n; ++i)
        out.push_back({xs[i], ys[i]});
}

QString ArgCursor::found() const
{
    const std::string_view shown = m_foundText.substr(0, kFoundBytes);
    QString text = decodeBytes(shown);
    if (shown.size() < m_foundText.size())
        text += u'…';
    return text;
}

}  // namespace sxf
