// A one-pass parser of P21 text. Lists nest through an explicit stack, so a
// hostile file cannot drive recursion; a broken statement is dropped whole
// (the values it left are taken back) and reading goes on after its ";".
#include "sxf/p21_parser.h"

#include "sxf/p21_read_strings.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace sxf {
namespace {

constexpr qsizetype kMaxBytes = std::numeric_limits<int32_t>::max();

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool startsKeyword(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '!';
}

bool inKeyword(char c)
{
    return startsKeyword(c) || isDigit(c) || c == '-';
}

class Parser {
public:
    Parser(QByteArrayView bytes, FindingSink& findings) : m_b(bytes), m_findings(findings) { m_d.bytes = bytes; }

    P21Data run();

private:
    bool atEnd() const { return m_pos >= m_b.size(); }
    char peek() const { return atEnd() ? '\0' : m_b[m_pos]; }
    void skipBlanks();
    bool skipComment();
    bool take(char c);
    std::string_view keyword();
    bool skipQuoted();
    void skipStatement();

    void statement();
    bool keywordStatement();
    bool hashNumber(int64_t& number);
    bool instance();
    bool record(std::string_view name);
    bool attributes();
    bool value(std::vector<uint32_t>& open);
    bool number();
    void push(P21Kind kind, uint64_t payload = 0) { m_d.values.push_back(P21Value {kind, 0, payload}); }
    uint64_t textAt(qsizetype begin, qsizetype end) const
    {
        return P21Value::textPayload(static_cast<uint32_t>(begin), static_cast<uint32_t>(end - begin));
    }
    bool fail(const QString& what);
    void report(Severity severity, const QString& message);

    QByteArrayView m_b;
    FindingSink& m_findings;
    P21Data m_d;
    qsizetype m_pos = 0;
    int32_t m_line = 1;
    bool m_inHeader = false;
    bool m_ended = false;
    // The statement being read, for its finding.
    int32_t m_statementLine = 0;
    int64_t m_statementNumber = 0;
    QString m_error;
};

void Parser::skipBlanks()
{
    while (!atEnd()) {
        const char c = m_b[m_pos];
        if (c == '\n')
            ++m_line;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++m_pos;
        } else if (c == '/' && m_pos + 1 < m_b.size() && m_b[m_pos + 1] == '*') {
            if (!skipComment())
                return;
        } else {
            return;
        }
    }
}

bool Parser::skipComment()
{
    for (m_pos += 2; m_pos + 1 < m_b.size(); ++m_pos) {
        if (m_b[m_pos] == '\n')
            ++m_line;
        if (m_b[m_pos] == '*' && m_b[m_pos + 1] == '/') {
            m_pos += 2;
            return true;
        }
    }
    m_pos = m_b.size();
    return fail(QStringLiteral("コメント（/*）が閉じられないままファイルが終わっています"));
}

bool Parser::take(char c)
{
    skipBlanks();
    if (peek() != c)
        return false;
    ++m_pos;
    return true;
}

std::string_view Parser::keyword()
{
    skipBlanks();
    const qsizetype begin = m_pos;
    if (!startsKeyword(peek()))
        return {};
    while (!atEnd() && inKeyword(m_b[m_pos]))
        ++m_pos;
    return m_d.text(static_cast<uint32_t>(begin), static_cast<uint32_t>(m_pos - begin));
}

// At an apostrophe or a quote: moves past the closing one ('' inside a
// string stands for one apostrophe). False when the file ends first.
bool Parser::skipQuoted()
{
    const char quote = m_b[m_pos++];
    while (!atEnd()) {
        const auto c = static_cast<unsigned char>(m_b[m_pos]);
        if (c == static_cast<unsigned char>(quote)) {
            if (quote == '\'' && m_pos + 1 < m_b.size() && m_b[m_pos + 1] == '\'') {
                m_pos += 2;
                continue;
            }
            ++m_pos;
            return true;
        }
        if (c == '\n')
            ++m_line;
        // Strings from older SXF writers may carry code page 932 bytes
        // raw; a trail byte can be an apostrophe's neighbour 0x5C.
        const bool pair = isCp932LeadByte(c) && m_pos + 1 < m_b.size()
            && isCp932TrailByte(static_cast<unsigned char>(m_b[m_pos + 1]));
        m_pos += pair ? 2 : 1;
    }
    return false;
}

void Parser::skipStatement()
{
    while (!atEnd()) {
        skipBlanks();
        const char c = peek();
        if (c == '\'' || c == '"') {
            skipQuoted();
            continue;
        }
        if (!atEnd())
            ++m_pos;
        if (c == ';')
            return;
    }
}

bool Parser::fail(const QString& what)
{
    if (m_error.isEmpty())
        m_error = what;
    return false;
}

void Parser::report(Severity severity, const QString& message)
{
    const int32_t feature = m_statementNumber > 0 && m_statementNumber <= std::numeric_limits<int32_t>::max()
        ? static_cast<int32_t>(m_statementNumber)
        : 0;
    m_findings.add(severity, "P21_SYNTAX", Origin {feature, m_statementLine}, message);
}

P21Data Parser::run()
{
    if (m_b.size() >= kMaxBytes) {
        m_findings.add(Severity::Error, "P21_SYNTAX", Origin {},
            QStringLiteral("ファイルが大きすぎます（2 GB 以上のファイルは読みません）"));
        return std::move(m_d);
    }
    if (m_b.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    if (keyword() != "ISO-10303-21" || !take(';'))
        return std::move(m_d);
    m_d.started = true;
    // Room for what files of this system's writer hold per byte (a value in
    // about 14 bytes, a record in 48, an instance in 83), so that the arrays
    // do not pass through copies twice their size on the way.
    m_d.values.reserve(static_cast<size_t>(m_b.size() / 12));
    m_d.records.reserve(static_cast<size_t>(m_b.size() / 40));
    m_d.instances.reserve(static_cast<size_t>(m_b.size() / 70));
    while (!m_ended) {
        skipBlanks();
        if (atEnd())
            break;
        statement();
    }
    if (!m_ended) {
        m_statementLine = m_line;
        m_statementNumber = 0;
        report(Severity::Warning,
            QStringLiteral("ファイルが END-ISO-10303-21; で終わっていません（途中で切れている可能性があります）"));
    }
    return std::move(m_d);
}

void Parser::statement()
{
    m_statementLine = m_line;
    m_statementNumber = 0;
    m_error.clear();
    const size_t values = m_d.values.size();
    const size_t records = m_d.records.size();
    const size_t header = m_d.header.size();
    const bool ok = peek() == '#' ? instance() : keywordStatement();
    if (ok)
        return;
    m_d.values.resize(values);
    m_d.records.resize(records);
    m_d.header.resize(header);
    if (m_error.isEmpty())
        m_error = QStringLiteral("記述の形が正しくありません");
    report(Severity::Error, m_statementNumber > 0
        ? QStringLiteral("#%1 が読めません：%2").arg(m_statementNumber).arg(m_error)
        : QStringLiteral("%1 行目の記述が読めません：%2").arg(m_statementLine).arg(m_error));
    skipStatement();
}

// HEADER; ENDSEC; DATA; END-ISO-10303-21; and the header entities.
bool Parser::keywordStatement()
{
    const std::string_view name = keyword();
    if (name.empty())
        return fail(QStringLiteral("#番号か見出し語があるはずの所に「%1」があります").arg(QChar::fromLatin1(peek())));
    skipBlanks();
    if (peek() == '(') {
        const size_t values = m_d.values.size();
        if (!record(name))
            return false;
        if (!m_inHeader) {
            m_d.records.pop_back();
            m_d.values.resize(values);
        } else {
            m_d.header.push_back(m_d.records.back());
            m_d.records.pop_back();
        }
    }
    if (!take(';'))
        return fail(QStringLiteral("「;」がありません"));
    if (name == "HEADER")
        m_inHeader = true;
    else if (name == "ENDSEC" || name == "DATA")
        m_inHeader = false;
    else if (name == "END-ISO-10303-21")
        m_ended = true;
    return true;
}

// At "#": the number after it, up to 18 digits. False when there is none
// or it is longer.
bool Parser::hashNumber(int64_t& number)
{
    ++m_pos;
    const qsizetype digits = m_pos;
    number = 0;
    while (!atEnd() && isDigit(m_b[m_pos]) && m_pos - digits < 18)
        number = number * 10 + (m_b[m_pos++] - '0');
    return m_pos != digits && !isDigit(peek());
}

bool Parser::instance()
{
    int64_t number = 0;
    if (!hashNumber(number))
        return fail(QStringLiteral("# の後に 18 桁までのインスタンス番号がありません"));
    m_statementNumber = number;
    if (!take('='))
        return fail(QStringLiteral("番号の後に「=」がありません"));
    P21Instance inst {number, m_statementLine, static_cast<uint32_t>(m_d.records.size()), 0, false};
    if (take('(')) {
        inst.complex = true;
        while (!take(')')) {
            const std::string_view name = keyword();
            if (name.empty() || !record(name))
                return fail(QStringLiteral("複合インスタンスの部分が読めません"));
        }
    } else {
        const std::string_view name = keyword();
        if (name.empty())
            return fail(QStringLiteral("「=」の後にエンティティ名がありません"));
        if (!record(name))
            return false;
    }
    inst.recordCount = static_cast<uint32_t>(m_d.records.size()) - inst.firstRecord;
    if (inst.recordCount == 0)
        return fail(QStringLiteral("複合インスタンスに部分がありません"));
    if (!take(';'))
        return fail(QStringLiteral("インスタンスの終わりの「;」がありません"));
    // Numbers from 1 up name instances; the official reader passes over the
    // others without a word, and so does this one.
    if (number <= 0) {
        m_d.records.resize(inst.firstRecord);
        return true;
    }
    m_d.instances.push_back(inst);
    return true;
}

bool Parser::record(std::string_view name)
{
    if (!take('('))
        return fail(QStringLiteral("%1 の後に「(」がありません").arg(QString::fromLatin1(name)));
    --m_pos;
    const auto nameBegin = static_cast<uint32_t>(name.data() - m_b.data());
    P21Record r {nameBegin, static_cast<uint32_t>(name.size()), static_cast<uint32_t>(m_d.values.size())};
    if (!attributes())
        return false;
    m_d.records.push_back(r);
    return true;
}

// At "(": the attribute list, with every list and typed value in it. A
// list keeps the number of its elements; a typed value holds exactly one.
bool Parser::attributes()
{
    std::vector<uint32_t> open;
    std::vector<uint32_t> elements;  // of each open list so far
    push(P21Kind::List);
    open.push_back(static_cast<uint32_t>(m_d.values.size() - 1));
    elements.push_back(0);
    ++m_pos;
    bool afterValue = false;
    bool afterComma = false;
    while (!open.empty()) {
        skipBlanks();
        if (atEnd())
            return fail(QStringLiteral("記述の途中でファイルが終わっています"));
        const char c = peek();
        if (c == ')' && !afterComma) {
            ++m_pos;
            P21Value& list = m_d.values[open.back()];
            list.span = static_cast<uint32_t>(m_d.values.size() - open.back() - 1);
            if (list.kind == P21Kind::List)
                list.payload = elements.back();
            else if (elements.back() != 1)
                return fail(QStringLiteral("型付きの値の括弧には値が一つだけ入ります"));
            open.pop_back();
            elements.pop_back();
            afterValue = true;
            continue;
        }
        if (afterValue) {
            if (c != ',')
                return fail(QStringLiteral("値の後に「,」か「)」がありません"));
            ++m_pos;
            afterValue = false;
            afterComma = true;
            continue;
        }
        const size_t depth = open.size();
        ++elements.back();
        if (!value(open))
            return false;
        afterComma = false;
        // A list or typed value just opened expects its first value.
        afterValue = open.size() == depth;
        if (!afterValue)
            elements.push_back(0);
    }
    return true;
}

// One value at the cursor; a list or typed value is opened on `open`.
bool Parser::value(std::vector<uint32_t>& open)
{
    const char c = peek();
    const qsizetype begin = m_pos;
    if (c == '\'' || c == '"') {
        if (!skipQuoted())
            return fail(QStringLiteral("文字列が閉じられないままファイルが終わっています"));
        push(c == '\'' ? P21Kind::String : P21Kind::Binary, textAt(begin + 1, m_pos - 1));
        return true;
    }
    if (c == '$' || c == '*') {
        ++m_pos;
        push(c == '$' ? P21Kind::Unset : P21Kind::Derived);
        return true;
    }
    if (c == '#') {
        int64_t number = 0;
        if (!hashNumber(number))
            return fail(QStringLiteral("参照（#）の後に 18 桁までの番号がありません"));
        push(P21Kind::Reference, static_cast<uint64_t>(number));
        return true;
    }
    if (c == '.') {
        ++m_pos;
        const qsizetype name = m_pos;
        while (!atEnd() && inKeyword(m_b[m_pos]))
            ++m_pos;
        if (m_pos == name || peek() != '.')
            return fail(QStringLiteral("列挙値（.名前.）が閉じられていません"));
        push(P21Kind::Enum, textAt(name, m_pos));
        ++m_pos;
        return true;
    }
    if (isDigit(c) || c == '-' || c == '+')
        return number();
    if (c == '(' || startsKeyword(c)) {
        if (open.size() >= static_cast<size_t>(kP21MaxNesting))
            return fail(QStringLiteral("括弧の入れ子が深すぎます"));
        if (c == '(') {
            ++m_pos;
            push(P21Kind::List);
        } else {
            const std::string_view name = keyword();
            if (!take('('))
                return fail(QStringLiteral("型名 %1 の後に「(」がありません").arg(QString::fromLatin1(name)));
            push(P21Kind::Typed, textAt(begin, begin + static_cast<qsizetype>(name.size())));
        }
        open.push_back(static_cast<uint32_t>(m_d.values.size() - 1));
        return true;
    }
    return fail(QStringLiteral("値があるはずの所に「%1」があります").arg(QChar::fromLatin1(c)));
}

bool Parser::number()
{
    const qsizetype begin = m_pos;
    bool real = false;
    while (!atEnd()) {
        const char c = m_b[m_pos];
        const bool exponentSign = (c == '-' || c == '+') && m_pos > begin
            && (m_b[m_pos - 1] == 'E' || m_b[m_pos - 1] == 'e');
        if (!isDigit(c) && c != '.' && c != 'E' && c != 'e' && !exponentSign && m_pos != begin)
            break;
        real = real || c == '.' || c == 'E' || c == 'e';
        ++m_pos;
    }
    const char* first = m_b.data() + begin;
    const char* last = m_b.data() + m_pos;
    if (*first == '+')
        ++first;
    const QString bad = QStringLiteral("数値「%1」が読めません").arg(QString::fromLatin1(m_b.sliced(begin, m_pos - begin)));
    if (real) {
        double v = 0;
        const auto [end, ec] = std::from_chars(first, last, v);
        if (ec != std::errc() || end != last || !std::isfinite(v))
            return fail(bad);
        push(P21Kind::Real, std::bit_cast<uint64_t>(v));
        return true;
    }
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last)
        return fail(bad);
    push(P21Kind::Integer, static_cast<uint64_t>(v));
    return true;
}

}  // namespace

P21Data parseP21(QByteArrayView bytes, FindingSink& findings)
{
    return Parser(bytes, findings).run();
}

}  // namespace sxf
