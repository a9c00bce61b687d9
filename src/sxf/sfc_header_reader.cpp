// Reading the header section: a small reader of the exchange-file header
// statements, tolerant of how other writers lay them out.
#include "sxf/sfc_header_reader.h"

#include "common/codepage.h"

#include <QStringList>

#include <algorithm>

namespace sxf {
namespace {

// One value of a header statement: a string, or a list whose strings are
// gathered in order (nested lists flattened).
struct HeaderValue {
    bool list = false;
    QStringList strings;

    QString first() const { return strings.isEmpty() ? QString() : strings.front(); }
};

struct Statement {
    std::string_view keyword;
    std::vector<HeaderValue> values;
    size_t at = 0;  // offset in the text
};

// Lists nest at most this deep; deeper ones are refused rather than read
// by ever deeper calls.
constexpr int kMaxDepth = 8;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool isKeywordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

class HeaderParser {
public:
    explicit HeaderParser(std::string_view text) : m_text(text) {}

    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    size_t pos() const { return m_pos; }

    // Reads "KEYWORD;" or "KEYWORD(values);". False when the text there is
    // neither; the position then moves past the next ";".
    bool statement(Statement& out)
    {
        skipBlanks();
        out = {};
        out.at = m_pos;
        const size_t start = m_pos;
        while (m_pos < m_text.size() && isKeywordChar(m_text[m_pos]))
            ++m_pos;
        out.keyword = m_text.substr(start, m_pos - start);
        skipBlanks();
        bool ok = !out.keyword.empty();
        if (ok && peek() == '(') {
            ++m_pos;
            ok = values(out.values, 0);
        }
        skipBlanks();
        if (ok && peek() == ';') {
            ++m_pos;
            return true;
        }
        const size_t semicolon = m_text.find(';', m_pos);
        m_pos = semicolon == std::string_view::npos ? m_text.size() : semicolon + 1;
        return false;
    }

private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    // Reads values up to and including the ")" that closes the list.
    bool values(std::vector<HeaderValue>& out, int depth)
    {
        skipBlanks();
        if (peek() == ')') {
            ++m_pos;
            return true;
        }
        for (;;) {
            HeaderValue v;
            if (!value(v, depth))
                return false;
            out.push_back(std::move(v));
            skipBlanks();
            const char c = peek();
            ++m_pos;
            if (c == ')')
                return true;
            if (c != ',')
                return false;
        }
    }

    bool value(HeaderValue& out, int depth)
    {
        skipBlanks();
        const char c = peek();
        if (c == '\'')
            return string(out);
        if (c == '(') {
            if (depth >= kMaxDepth)
                return false;
            ++m_pos;
            out.list = true;
            std::vector<HeaderValue> items;
            if (!values(items, depth + 1))
                return false;
            for (const HeaderValue& item : items)
                out.strings += item.strings;
            return true;
        }
        // "$", "*", numbers and enumerations carry no string.
        const size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != ')' && m_text[m_pos] != ';')
            ++m_pos;
        return m_pos > start;
    }

    // A string ends at an apostrophe followed (after blanks) by ",", ")"
    // or ";", or by the end of the text.
    bool string(HeaderValue& out)
    {
        size_t end = m_pos;
        for (;;) {
            end = m_text.find('\'', end + 1);
            if (end == std::string_view::npos)
                return false;
            size_t after = end + 1;
            while (after < m_text.size() && isBlank(m_text[after]))
                ++after;
            if (after >= m_text.size() || m_text[after] == ',' || m_text[after] == ')' || m_text[after] == ';')
                break;
        }
        const std::string_view bytes = m_text.substr(m_pos + 1, end - m_pos - 1);
        out.strings.append(decodeX2(common::decodeCp932(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())))));
        m_pos = end + 1;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

int32_t lineAt(const HeaderLines& lines, size_t offset)
{
    const auto it = std::upper_bound(lines.lineStarts.begin(), lines.lineStarts.end(), static_cast<int32_t>(offset));
    return static_cast<int32_t>(it - lines.lineStarts.begin());
}

// Takes the values of a statement that should have `count` of them.
bool expectCount(const Statement& s, size_t count, const HeaderLines& lines, FindingSink& findings)
{
    if (s.values.size() == count)
        return true;
    findings.add(Severity::Error, "SFC_HEADER", lineAt(lines, s.at),
                 QStringLiteral("%1の値は%2個のはずですが、%3個あります")
                     .arg(QLatin1String(s.keyword.data(), static_cast<qsizetype>(s.keyword.size())))
                     .arg(count)
                     .arg(s.values.size()));
    return false;
}

QString valueAt(const Statement& s, size_t i)
{
    return i < s.values.size() ? s.values[i].first() : QString();
}

void take(const Statement& s, Header& h)
{
    if (s.keyword == "FILE_DESCRIPTION") {
        h.description = valueAt(s, 0);
        h.implementationLevel = valueAt(s, 1);
    } else if (s.keyword == "FILE_NAME") {
        h.fileName = valueAt(s, 0);
        h.timeStamp = valueAt(s, 1);
        h.author = valueAt(s, 2);
        h.organisation = valueAt(s, 3);
        h.preprocessorVersion = valueAt(s, 4);
        h.originatingSystem = valueAt(s, 5);
        h.authorisation = valueAt(s, 6);
    } else if (s.keyword == "FILE_SCHEMA") {
        h.schema = valueAt(s, 0);
    }
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// The characters of the four-digit groups in `hex`; false when it is not
// made of them.
bool decodeHexRun(QStringView hex, QString& out)
{
    if (hex.isEmpty() || hex.size() % 4 != 0)
        return false;
    for (qsizetype i = 0; i < hex.size(); i += 4) {
        int code = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            const int v = hexValue(hex[i + k]);
            if (v < 0)
                return false;
            code = code * 16 + v;
        }
        out += QChar(static_cast<char16_t>(code));
    }
    return true;
}

}  // namespace

QString decodeX2(const QString& text)
{
    static const QString kOpen = QStringLiteral("\\X2\\");
    static const QString kClose = QStringLiteral("\\X0\\");
    qsizetype open = text.indexOf(kOpen);
    if (open < 0)
        return text;
    QString out;
    qsizetype done = 0;
    while (open >= 0) {
        const qsizetype close = text.indexOf(kClose, open + kOpen.size());
        if (close < 0)
            break;
        QString run;
        if (decodeHexRun(QStringView(text).sliced(open + kOpen.size(), close - open - kOpen.size()), run)) {
            out += QStringView(text).sliced(done, open - done);
            out += run;
            done = close + kClose.size();
        }
        open = text.indexOf(kOpen, close + kClose.size());
    }
    out += QStringView(text).sliced(done);
    return out;
}

void readSfcHeader(const HeaderLines& lines, Header& header, FindingSink& findings)
{
    HeaderParser parser(lines.text);
    bool first = true, inHeader = false, ended = false;
    bool seen[3] = {false, false, false};
    constexpr std::string_view kKeywords[3] = {"FILE_DESCRIPTION", "FILE_NAME", "FILE_SCHEMA"};
    constexpr size_t kCounts[3] = {2, 7, 1};
    Statement s;
    while (!ended && !parser.atEnd()) {
        const size_t at = parser.pos();
        if (!parser.statement(s)) {
            findings.add(Severity::Error, "SFC_HEADER", lineAt(lines, at), QStringLiteral("ヘッダの文が読めません"));
            first = false;
            continue;
        }
        if (first && s.keyword != "ISO-10303-21")
            findings.add(Severity::Error, "SFC_HEADER", lineAt(lines, at),
                         QStringLiteral("ファイルが「ISO-10303-21;」で始まっていません"));
        first = false;
        if (s.keyword == "HEADER")
            inHeader = true;
        ended = s.keyword == "ENDSEC";
        for (size_t k = 0; k < 3; ++k) {
            if (s.keyword == kKeywords[k]) {
                seen[k] = true;
                take(s, header);
                expectCount(s, kCounts[k], lines, findings);
            }
        }
    }
    const int32_t end = static_cast<int32_t>(lines.lineStarts.size());
    if (first)
        findings.add(Severity::Error, "SFC_HEADER", 1, QStringLiteral("ヘッダがありません"));
    else if (!inHeader)
        findings.add(Severity::Error, "SFC_HEADER", 1, QStringLiteral("「HEADER;」がありません"));
    for (size_t k = 0; k < 3; ++k) {
        if (!first && !seen[k])
            findings.add(Severity::Error, "SFC_HEADER", end,
                         QStringLiteral("ヘッダに%1がありません")
                             .arg(QLatin1String(kKeywords[k].data(), static_cast<qsizetype>(kKeywords[k].size()))));
    }
    if (!first && !ended)
        findings.add(Severity::Error, "SFC_HEADER", end, QStringLiteral("ヘッダが「ENDSEC;」で閉じられていません"));
}

}  // namespace sxf
