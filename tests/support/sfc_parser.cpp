// Reading SFC files back for tests: frame and line ends, the four-line
// records, the value tokeniser and the per-feature argument table.
#include "tests/support/sfc_parser.h"

#include "common/codepage.h"
#include "common/text_width.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <string>

namespace testsupport {
namespace {

constexpr int kHeaderLines = 15;
constexpr qsizetype kMaxProblems = 100;

// The drawn and annotation features share these argument blocks.
constexpr struct {
    const char* token;
    const char* expansion;
} kBlocks[] = {
    {"A", "layer colour ltype width"},
    {"E", "i r6 r6 r6 r6 r6 r6"},
    {"R", "i i r6 r6 r12"},
    {"T", "i tfont s r6 r6 r6 r6 r6 r12 r12 i i"},
};

// Every feature the converter writes. A new feature kind is one more line
// here (or a registerSfcFeature call from a test).
constexpr struct {
    const char* name;
    const char* signature;
} kFeatures[] = {
    {"layer_feature", "s i"},
    {"pre_defined_colour_feature", "s"},
    {"user_defined_colour_feature", "i i i"},
    {"pre_defined_font_feature", "s"},
    {"user_defined_font_feature", "s count l6"},
    {"width_feature", "r6"},
    {"text_font_feature", "s"},
    {"point_marker_feature", "layer colour r6 r6 i r12 r12"},
    {"line_feature", "A r6 r6 r6 r6"},
    {"polyline_feature", "A count l6 l6"},
    {"circle_feature", "A r6 r6 r6"},
    {"arc_feature", "A r6 r6 r6 i r12 r12"},
    {"ellipse_feature", "A r6 r6 r6 r6 r12"},
    {"ellipse_arc_feature", "A r6 r6 r6 r6 i r12 r12 r12"},
    {"text_string_feature", "layer colour font s r6 r6 r6 r6 r6 r12 r12 i i"},
    {"composite_curve_org_feature", "colour ltype width i"},
    {"sfig_org_feature", "s i"},
    {"sfig_locate_feature", "layer0 symbol r6 r6 r14 r14 r14"},
    {"drawing_sheet_feature", "s i i i n"},
    {"externally_defined_hatch_feature", "layer s curve count curves"},
    {"fill_area_style_colour_feature", "layer colour curve count curves"},
    {"linear_dim_feature", "A r6 r6 r6 r6 E E R R T"},
    {"curve_dim_feature", "A r6 r6 r6 r12 r12 E E R R T"},
    {"angular_dim_feature", "A r6 r6 r6 r12 r12 E E R R T"},
    {"radius_dim_feature", "A r6 r6 r6 r6 R T"},
    {"diameter_dim_feature", "A r6 r6 r6 r6 R R T"},
    {"label_feature", "A count l6 l6 i r12 T"},
    {"balloon_feature", "A count l6 l6 r6 r6 r6 i r12 T"},
};

enum class Accept { Any, Integer, String, Number, Real, IntegerList, RealList };

struct ArgRule {
    Accept accept = Accept::Any;
    int decimals = 0;  // Real and RealList
    SfcArgRole role = SfcArgRole::None;
    QString token;  // for messages
};

using FeatureRule = std::vector<ArgRule>;

bool tokenRule(const QString& token, ArgRule& rule)
{
    static const std::map<QString, ArgRule> kTokens = {
        {QStringLiteral("i"), {Accept::Integer, 0, SfcArgRole::None, {}}},
        {QStringLiteral("s"), {Accept::String, 0, SfcArgRole::None, {}}},
        {QStringLiteral("n"), {Accept::Number, 0, SfcArgRole::None, {}}},
        {QStringLiteral("?"), {Accept::Any, 0, SfcArgRole::None, {}}},
        {QStringLiteral("r6"), {Accept::Real, 6, SfcArgRole::None, {}}},
        {QStringLiteral("r12"), {Accept::Real, 12, SfcArgRole::None, {}}},
        {QStringLiteral("r14"), {Accept::Real, 14, SfcArgRole::None, {}}},
        {QStringLiteral("li"), {Accept::IntegerList, 0, SfcArgRole::None, {}}},
        {QStringLiteral("l6"), {Accept::RealList, 6, SfcArgRole::None, {}}},
        {QStringLiteral("layer"), {Accept::Integer, 0, SfcArgRole::Layer, {}}},
        {QStringLiteral("layer0"), {Accept::Integer, 0, SfcArgRole::LayerOrNone, {}}},
        {QStringLiteral("colour"), {Accept::Integer, 0, SfcArgRole::Colour, {}}},
        {QStringLiteral("ltype"), {Accept::Integer, 0, SfcArgRole::LineType, {}}},
        {QStringLiteral("width"), {Accept::Integer, 0, SfcArgRole::Width, {}}},
        {QStringLiteral("font"), {Accept::Integer, 0, SfcArgRole::Font, {}}},
        {QStringLiteral("tfont"), {Accept::Integer, 0, SfcArgRole::TextFont, {}}},
        {QStringLiteral("curve"), {Accept::Integer, 0, SfcArgRole::Curve, {}}},
        {QStringLiteral("curves"), {Accept::IntegerList, 0, SfcArgRole::Curves, {}}},
        {QStringLiteral("symbol"), {Accept::String, 0, SfcArgRole::Symbol, {}}},
        {QStringLiteral("count"), {Accept::Integer, 0, SfcArgRole::Count, {}}},
    };
    const auto it = kTokens.find(token);
    if (it == kTokens.end())
        return false;
    rule = it->second;
    rule.token = token;
    return true;
}

bool parseSignature(QStringView signature, FeatureRule& out)
{
    QStringList tokens;
    for (QStringView token : signature.split(u' ', Qt::SkipEmptyParts)) {
        const auto block = std::find_if(
            std::begin(kBlocks), std::end(kBlocks), [&](const auto& b) { return token == QLatin1String(b.token); });
        if (block != std::end(kBlocks))
            tokens += QString::fromLatin1(block->expansion).split(u' ');
        else
            tokens += token.toString();
    }
    out.clear();
    for (const QString& token : tokens) {
        ArgRule rule;
        if (!tokenRule(token, rule))
            return false;
        out.push_back(rule);
    }
    return true;
}

std::map<QString, FeatureRule>& registry()
{
    static std::map<QString, FeatureRule> rules = [] {
        std::map<QString, FeatureRule> built;
        for (const auto& f : kFeatures) {
            FeatureRule rule;
            parseSignature(QString::fromLatin1(f.signature), rule);
            built[QString::fromLatin1(f.name)] = rule;
        }
        return built;
    }();
    return rules;
}

// ---- values ----

// A number as the records write it: optional "-", digits without leading
// zeros, optionally "." and at least one digit. Returns an empty text when
// `s` is such a number, otherwise what is wrong with it.
QString readNumber(QStringView s, double& value, int64_t& integer, int& decimals, bool& isReal)
{
    if (s == u"nan" || s == u"inf" || s == u"-inf")
        return QStringLiteral("non-finite number '%1'").arg(s);
    const QStringView digits = s.startsWith(u'-') ? s.mid(1) : s;
    const qsizetype dot = digits.indexOf(u'.');
    const QStringView whole = dot < 0 ? digits : digits.left(dot);
    const QStringView fraction = dot < 0 ? QStringView() : digits.mid(dot + 1);
    auto allDigits = [](QStringView t) {
        return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (!allDigits(whole) || (dot >= 0 && !allDigits(fraction)))
        return QStringLiteral("'%1' is not a number").arg(s);
    if (whole.size() > 1 && whole.front() == u'0')
        return QStringLiteral("'%1' has a leading zero").arg(s);
    isReal = dot >= 0;
    decimals = isReal ? static_cast<int>(fraction.size()) : 0;
    const std::string latin = s.toLatin1().toStdString();
    std::from_chars(latin.data(), latin.data() + latin.size(), value);
    if (!isReal) {
        auto [end, ec] = std::from_chars(latin.data(), latin.data() + latin.size(), integer);
        if (ec != std::errc())
            return QStringLiteral("'%1' is out of range").arg(s);
    }
    if (s.startsWith(u'-') && value == 0)
        return QStringLiteral("'%1' is a negative zero").arg(s);
    return {};
}

QString readList(QStringView raw, SfcValue& v)
{
    if (!raw.endsWith(u')'))
        return QStringLiteral("list '%1' is not closed").arg(raw);
    const QStringView inner = raw.mid(1, raw.size() - 2);
    if (inner.isEmpty()) {
        v.kind = SfcValueKind::EmptyList;
        return {};
    }
    bool anyReal = false;
    for (QStringView element : inner.split(u',')) {
        double value = 0;
        int64_t integer = 0;
        int decimals = 0;
        bool isReal = false;
        const QString wrong = readNumber(element, value, integer, decimals, isReal);
        if (!wrong.isEmpty())
            return QStringLiteral("in list '%1': %2").arg(raw, wrong);
        anyReal = anyReal || isReal;
        v.elements.push_back(value);
        v.elementDecimals.push_back(decimals);
        v.integers.push_back(integer);
    }
    v.kind = anyReal ? SfcValueKind::RealList : SfcValueKind::IntegerList;
    if (anyReal)
        v.integers.clear();
    return {};
}

// A value between single apostrophes: a number or a list.
QString readQuoted(QStringView raw, SfcValue& v)
{
    v.text = raw.toString();
    if (raw.startsWith(u'('))
        return readList(raw, v);
    bool isReal = false;
    const QString wrong = readNumber(raw, v.real, v.integer, v.decimals, isReal);
    v.kind = isReal ? SfcValueKind::Real : SfcValueKind::Integer;
    return wrong;
}

QString kindName(const SfcValue& v)
{
    switch (v.kind) {
    case SfcValueKind::Integer: return QStringLiteral("an integer");
    case SfcValueKind::Real: return QStringLiteral("a real with %1 decimals").arg(v.decimals);
    case SfcValueKind::String: return QStringLiteral("a string");
    case SfcValueKind::IntegerList: return QStringLiteral("an integer list");
    case SfcValueKind::RealList: return QStringLiteral("a real list");
    case SfcValueKind::EmptyList: return QStringLiteral("an empty list");
    }
    return {};
}

bool accepts(const ArgRule& rule, const SfcValue& v)
{
    switch (rule.accept) {
    case Accept::Any: return true;
    case Accept::Integer: return v.kind == SfcValueKind::Integer;
    case Accept::String: return v.kind == SfcValueKind::String;
    case Accept::Number: return v.kind == SfcValueKind::Integer || v.kind == SfcValueKind::Real;
    case Accept::Real: return v.kind == SfcValueKind::Real && v.decimals == rule.decimals;
    case Accept::IntegerList: return v.kind == SfcValueKind::IntegerList || v.kind == SfcValueKind::EmptyList;
    case Accept::RealList:
        if (v.kind == SfcValueKind::EmptyList)
            return true;
        return v.kind == SfcValueKind::RealList &&
            std::all_of(v.elementDecimals.begin(), v.elementDecimals.end(), [&](int d) { return d == rule.decimals; });
    }
    return false;
}

// Checks the arguments of `r` against its feature's signature.
void checkArguments(const SfcRecord& r, const QString& where, QStringList& problems)
{
    const auto& rules = registry();
    const auto it = rules.find(r.name);
    if (it == rules.end()) {
        problems.append(where + QStringLiteral("unknown feature"));
        return;
    }
    const FeatureRule& rule = it->second;
    if (r.args.size() != rule.size()) {
        problems.append(where + QStringLiteral("%1 arguments, expected %2").arg(r.args.size()).arg(rule.size()));
        return;
    }
    for (size_t i = 0; i < rule.size(); ++i) {
        if (!accepts(rule[i], r.args[i]))
            problems.append(where +
                QStringLiteral("argument %1 is %2 '%3', expected %4")
                    .arg(i + 1)
                    .arg(kindName(r.args[i]), r.args[i].text, rule[i].token));
    }
    for (size_t i = 0; i < rule.size(); ++i) {
        if (rule[i].role != SfcArgRole::Count || r.args[i].kind != SfcValueKind::Integer)
            continue;
        for (size_t j = 0; j < r.args.size(); ++j) {
            const SfcValue& v = r.args[j];
            const bool isList = v.kind == SfcValueKind::IntegerList || v.kind == SfcValueKind::RealList ||
                v.kind == SfcValueKind::EmptyList;
            if (isList && static_cast<int64_t>(v.elements.size()) != r.args[i].integer)
                problems.append(where +
                    QStringLiteral("argument %1 holds %2 elements, the count says %3")
                        .arg(j + 1)
                        .arg(v.elements.size())
                        .arg(r.args[i].integer));
        }
    }
}

// ---- lines and frame ----

struct Line {
    int number = 0;  // 1-based
    QString text;
};

// Splits at LF; every line must end with CR LF, the last one included.
std::vector<Line> splitLines(const QString& text, QStringList& problems)
{
    std::vector<Line> lines;
    const QStringList parts = text.split(u'\n');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString line = parts[i];
        const int number = static_cast<int>(i + 1);
        const bool last = i + 1 == parts.size();
        if (last) {
            if (!line.isEmpty())
                problems.append(QStringLiteral("line %1: the file does not end with CR LF").arg(number));
            else
                break;
        } else if (line.endsWith(u'\r')) {
            line.chop(1);
        } else {
            problems.append(QStringLiteral("line %1: ends with LF only").arg(number));
        }
        if (line.contains(u'\r'))
            problems.append(QStringLiteral("line %1: stray CR").arg(number));
        lines.push_back({number, line});
    }
    return lines;
}

void checkHeader(const std::vector<Line>& lines, SfcFile& out)
{
    static const QString kIndent(8, u' ');
    const QString fixed[kHeaderLines] = {
        QStringLiteral("ISO-10303-21;"),
        QStringLiteral("HEADER;"),
        QStringLiteral("FILE_DESCRIPTION(('SCADEC level2 feature_mode'),"),
        kIndent + QStringLiteral("'2;1');"),
        {},
        {},
        kIndent + QStringLiteral("(''),"),
        kIndent + QStringLiteral("(''),"),
        kIndent + QStringLiteral("'SCADEC_API_Ver3.30',"),
        kIndent + QStringLiteral("'Kestrune',"),
        kIndent + QStringLiteral("'');"),
        QStringLiteral("FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));"),
        QStringLiteral("ENDSEC;"),
        QStringLiteral("DATA;"),
        QString(),
    };
    if (lines.size() < static_cast<size_t>(kHeaderLines)) {
        out.problems.append(QStringLiteral("the header has %1 of its 15 lines").arg(lines.size()));
        return;
    }
    for (int i = 0; i < kHeaderLines; ++i) {
        const QString& text = lines[i].text;
        if (i == 4) {
            const bool form = text.startsWith(u"FILE_NAME('") && text.endsWith(u"',") && text.size() >= 13;
            out.fileName = form ? text.mid(11, text.size() - 13) : QString();
            const bool halfWidth =
                std::all_of(out.fileName.begin(), out.fileName.end(), [](QChar c) { return common::IsHalfWidth(c); });
            if (!form || !halfWidth)
                out.problems.append(QStringLiteral("line 5: not a FILE_NAME line: %1").arg(text));
        } else if (i == 5) {
            static const QRegularExpression kDate(
                QStringLiteral("^        '(\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2})',$"));
            const auto m = kDate.match(text);
            out.dateTime = m.captured(1);
            if (!m.hasMatch() || !QDateTime::fromString(out.dateTime, u"yyyy-MM-dd'T'HH:mm:ss").isValid())
                out.problems.append(QStringLiteral("line 6: not a date-time line: %1").arg(text));
        } else if (text != fixed[i]) {
            out.problems.append(QStringLiteral("line %1: \"%2\", expected \"%3\"").arg(i + 1).arg(text, fixed[i]));
        }
    }
}

// Reads the record that starts with "/*SXF" at `i`. Returns the index after
// it, or 0 when the record is broken (the caller then resynchronises).
size_t readRecord(const std::vector<Line>& lines, size_t i, SfcFile& out)
{
    if (i + 3 >= lines.size()) {
        out.problems.append(QStringLiteral("line %1: the file ends inside a record").arg(lines[i].number));
        return 0;
    }
    static const QRegularExpression kFeatureLine(QStringLiteral("^#(\\d+) = ([a-z0-9_]+)\\((.*)\\)$"));
    const Line& featureLine = lines[i + 1];
    const auto m = kFeatureLine.match(featureLine.text);
    if (!m.hasMatch()) {
        out.problems.append(
            QStringLiteral("line %1: not a feature line: %2").arg(featureLine.number).arg(featureLine.text));
        return 0;
    }
    SfcRecord r;
    r.line = featureLine.number;
    r.number = m.captured(1).toInt();
    r.name = m.captured(2);
    const QString where = QStringLiteral("line %1 #%2 %3: ").arg(r.line).arg(r.number).arg(r.name);
    QStringList argProblems;
    r.args = parseSfcArguments(m.capturedView(3), argProblems);
    for (const QString& p : argProblems)
        out.problems.append(where + p);
    if (argProblems.isEmpty())
        checkArguments(r, where, out.problems);
    out.records.push_back(std::move(r));
    if (lines[i + 2].text != u"SXF*/" || !lines[i + 3].text.isEmpty()) {
        out.problems.append(where + QStringLiteral("the record does not close with \"SXF*/\" and an empty line"));
        return 0;
    }
    return i + 4;
}

void checkNumbering(SfcFile& out)
{
    int expected = 10;
    for (const SfcRecord& r : out.records) {
        if (r.number != expected)
            out.problems.append(QStringLiteral("line %1: #%2, expected #%3").arg(r.line).arg(r.number).arg(expected));
        expected = r.number + 10;
    }
}

void readBody(const std::vector<Line>& lines, SfcFile& out)
{
    size_t i = kHeaderLines;
    while (i < lines.size() && lines[i].text != u"ENDSEC;") {
        if (lines[i].text == u"/*SXF") {
            const size_t next = readRecord(lines, i, out);
            if (next != 0) {
                i = next;
                continue;
            }
        } else {
            out.problems.append(QStringLiteral("line %1: \"%2\" where a record or the footer belongs")
                                    .arg(lines[i].number)
                                    .arg(lines[i].text));
        }
        // Skip to the next record or the footer.
        ++i;
        while (i < lines.size() && lines[i].text != u"/*SXF" && lines[i].text != u"ENDSEC;")
            ++i;
    }
    if (i >= lines.size()) {
        out.problems.append(QStringLiteral("missing footer: no \"ENDSEC;\" after the records"));
        return;
    }
    if (i + 1 >= lines.size() || lines[i + 1].text != u"END-ISO-10303-21;")
        out.problems.append(
            QStringLiteral("line %1: \"END-ISO-10303-21;\" missing after \"ENDSEC;\"").arg(lines[i].number + 1));
    else if (i + 2 < lines.size())
        out.problems.append(QStringLiteral("line %1: lines after \"END-ISO-10303-21;\"").arg(lines[i + 2].number));
}

}  // namespace

int64_t SfcRecord::integerAt(size_t i) const
{
    return i < args.size() && args[i].kind == SfcValueKind::Integer ? args[i].integer : 0;
}

double SfcRecord::realAt(size_t i) const
{
    const bool number =
        i < args.size() && (args[i].kind == SfcValueKind::Integer || args[i].kind == SfcValueKind::Real);
    return number ? args[i].real : 0;
}

QString SfcRecord::stringAt(size_t i) const
{
    return i < args.size() && args[i].kind == SfcValueKind::String ? args[i].text : QString();
}

std::vector<const SfcRecord*> SfcFile::named(QStringView name) const
{
    std::vector<const SfcRecord*> found;
    for (const SfcRecord& r : records) {
        if (r.name == name)
            found.push_back(&r);
    }
    return found;
}

std::vector<SfcValue> parseSfcArguments(QStringView args, QStringList& problems)
{
    std::vector<SfcValue> values;
    qsizetype pos = 0;
    while (pos < args.size()) {
        SfcValue v;
        if (args.mid(pos).startsWith(u"\\'")) {
            // A string runs to the first backslash-apostrophe after its start.
            const qsizetype end = args.indexOf(u"\\'", pos + 2);
            if (end < 0) {
                problems.append(QStringLiteral("string from column %1 is not closed").arg(pos + 1));
                return values;
            }
            v.kind = SfcValueKind::String;
            v.text = args.mid(pos + 2, end - pos - 2).toString();
            pos = end + 2;
        } else if (args[pos] == u'\'') {
            const qsizetype end = args.indexOf(u'\'', pos + 1);
            if (end < 0) {
                problems.append(QStringLiteral("value from column %1 is not closed").arg(pos + 1));
                return values;
            }
            const QString wrong = readQuoted(args.mid(pos + 1, end - pos - 1), v);
            if (!wrong.isEmpty())
                problems.append(QStringLiteral("argument %1: %2").arg(values.size() + 1).arg(wrong));
            pos = end + 1;
        } else {
            problems.append(QStringLiteral("unexpected '%1' at column %2").arg(args[pos]).arg(pos + 1));
            return values;
        }
        values.push_back(std::move(v));
        if (pos == args.size())
            break;
        if (args[pos] != u',' || pos + 1 == args.size()) {
            problems.append(QStringLiteral("no value after argument %1 at column %2").arg(values.size()).arg(pos + 1));
            return values;
        }
        ++pos;
    }
    return values;
}

SfcFile parseSfc(QByteArrayView bytes)
{
    SfcFile out;
    const QString text = common::decodeCp932(bytes);
    if (common::encodeCp932(text) != bytes)
        out.problems.append(QStringLiteral("bytes that code page 932 does not encode that way"));
    const std::vector<Line> lines = splitLines(text, out.problems);
    checkHeader(lines, out);
    if (lines.size() >= static_cast<size_t>(kHeaderLines))
        readBody(lines, out);
    checkNumbering(out);
    if (out.problems.size() > kMaxProblems) {
        const qsizetype more = out.problems.size() - kMaxProblems;
        out.problems.resize(kMaxProblems);
        out.problems.append(QStringLiteral("... and %1 more problems").arg(more));
    }
    return out;
}

SfcFile parseSfcFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SfcFile out;
        out.problems.append(QStringLiteral("cannot read %1").arg(path));
        return out;
    }
    return parseSfc(file.readAll());
}

bool registerSfcFeature(const QString& name, QStringView signature)
{
    FeatureRule rule;
    if (!parseSignature(signature, rule))
        return false;
    registry()[name] = rule;
    return true;
}

std::vector<SfcArgRole> sfcArgRoles(QStringView name)
{
    const auto& rules = registry();
    const auto it = rules.find(name.toString());
    std::vector<SfcArgRole> roles;
    if (it != rules.end()) {
        for (const ArgRule& a : it->second)
            roles.push_back(a.role);
    }
    return roles;
}

}  // namespace testsupport
