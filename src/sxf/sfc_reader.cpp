// The reader's walk over an SFC file: header, the records of the data
// section, footer, then the references resolved.
#include "sxf/sfc_reader.h"

#include "common/codepage.h"
#include "sxf/finding_sink.h"
#include "sxf/reference_resolver.h"
#include "sxf/sfc_header_reader.h"
#include "sxf/sfc_lines.h"
#include "sxf/sfc_record_kinds.h"
#include "sxf/sfc_record_text.h"

#include <string>
#include <string_view>

namespace sxf {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A header longer than this is not joined for reading.
constexpr size_t kMaxHeaderBytes = size_t{1} << 20;
// The most bytes of a line a finding quotes.
constexpr size_t kQuotedBytes = 40;

QString quoted(std::string_view bytes)
{
    const std::string_view shown = bytes.substr(0, kQuotedBytes);
    QString text = common::decodeCp932(QByteArrayView(shown.data(), static_cast<qsizetype>(shown.size())));
    return shown.size() < bytes.size() ? text + u'…' : text;
}

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const char* faultMessage(RecordFault fault)
{
    switch (fault) {
    case RecordFault::None: break;
    case RecordFault::NoNumber: return "レコードが「#番号」で始まっていません";
    case RecordFault::NoName: return "「#番号」の後に「= フィーチャ名(」がありません";
    case RecordFault::OpenString: return "文字列が「\\'」で閉じられていません";
    case RecordFault::OpenValue: return "値が「'」で閉じられていません";
    case RecordFault::NoSeparator: return "引数の後に「,」も「)」もありません";
    case RecordFault::NoClose: return "引数の並びが「)」で閉じられていません";
    case RecordFault::TrailingText: return "「)」の後に余計な文字があります";
    }
    return "";
}

class SfcFileReader {
public:
    SfcFileReader(std::string_view bytes, ReadResult& out)
        : m_lines(bytes), m_findings(out.findings), m_state(out.drawing, m_findings), m_out(out)
    {
    }

    void run()
    {
        readHeaderSection();
        readDataSection();
        resolveReferences(m_out.drawing, m_state.codes, m_findings);
        m_findings.finish();
    }

private:
    void readHeaderSection();
    void readDataSection();
    void readFooter();
    void readRecord(std::string_view opening);
    // Reads the arguments of a record of `kind`; `reported` when a fault of
    // its form was reported already (only an assembly is read then).
    void readArguments(const RecordKind& kind, const Origin& at, bool reported);
    // Reports a fault of a record of `kind`, saying when it was left out.
    void reportRecord(const char* code, const RecordKind& kind, const Origin& at, const QString& message);

    LineCursor m_lines;
    FindingSink m_findings;
    ReaderState m_state;
    ReadResult& m_out;
    RecordText m_text;
    std::string m_scratch;
    const RecordKind* m_lastKind = nullptr;
};

void SfcFileReader::readHeaderSection()
{
    std::string text;
    HeaderLines header;
    bool tooLong = false;
    while (!m_lines.atEnd()) {
        const std::string_view line = m_lines.peek();
        if (opensRecord(line)) {
            m_findings.add(Severity::Error, "SFC_HEADER", m_lines.lineNumber() + 1,
                           QStringLiteral("レコードの前に「DATA;」がありません"));
            break;
        }
        m_lines.next();
        if (trimBlanks(line) == "DATA;")
            break;
        if (text.size() + line.size() > kMaxHeaderBytes) {
            tooLong = true;
            continue;
        }
        header.lineStarts.push_back(static_cast<int32_t>(text.size()));
        text.append(line);
    }
    header.text = text;
    readSfcHeader(header, m_out.drawing.header, m_findings);
    if (tooLong)
        m_findings.add(Severity::Error, "SFC_HEADER", 1, QStringLiteral("ヘッダが長すぎるため、途中までしか読んでいません"));
}

void SfcFileReader::readDataSection()
{
    bool strayLines = false;
    while (!m_lines.atEnd()) {
        const std::string_view line = m_lines.next();
        const std::string_view trimmed = trimBlanks(line);
        if (trimmed.empty())
            continue;
        if (opensRecord(line)) {
            strayLines = false;
            readRecord(line);
        } else if (trimmed == "ENDSEC;") {
            readFooter();
            return;
        } else if (!strayLines) {
            // One finding for a run of lines: a file of stray lines gives
            // one per record at most.
            strayLines = true;
            m_findings.add(Severity::Error, "SFC_RECORD", m_lines.lineNumber(),
                           QStringLiteral("「/*SXF」で始まるレコードのはずの行が「%1」です").arg(quoted(trimmed)));
        }
    }
    m_findings.add(Severity::Error, "SFC_FOOTER", m_lines.lineNumber(),
                   QStringLiteral("ファイルが「ENDSEC;」と「END-ISO-10303-21;」で終わっていません"));
}

void SfcFileReader::readFooter()
{
    const int32_t endsec = m_lines.lineNumber();
    bool ended = false;
    while (!m_lines.atEnd()) {
        const std::string_view trimmed = trimBlanks(m_lines.next());
        if (trimmed.empty())
            continue;
        if (!ended && trimmed == "END-ISO-10303-21;") {
            ended = true;
            continue;
        }
        m_findings.add(Severity::Error, "SFC_FOOTER", m_lines.lineNumber(),
                       ended ? QStringLiteral("「END-ISO-10303-21;」の後に「%1」があります").arg(quoted(trimmed))
                             : QStringLiteral("「ENDSEC;」の後は「END-ISO-10303-21;」のはずですが、「%1」です")
                                   .arg(quoted(trimmed)));
        return;
    }
    if (!ended)
        m_findings.add(Severity::Error, "SFC_FOOTER", endsec,
                       QStringLiteral("「ENDSEC;」の後に「END-ISO-10303-21;」がありません"));
}

void SfcFileReader::readRecord(std::string_view opening)
{
    const RecordLines record = readRecordLines(m_lines, opening, m_scratch);
    const int32_t line = record.line;
    if (trimBlanks(record.text).empty()) {
        m_findings.add(Severity::Error, "SFC_RECORD", line, QStringLiteral("レコードが空です"));
        return;
    }
    const RecordFault fault = splitRecordText(record.text, m_text);
    const Origin at{static_cast<int32_t>(m_text.number), line};
    if (!record.closed)
        m_findings.add(Severity::Error, "SFC_RECORD", at, QStringLiteral("レコードが「SXF*/」で閉じられていません"));
    if (fault == RecordFault::NoNumber || fault == RecordFault::NoName) {
        m_findings.add(Severity::Error, "SFC_RECORD", at,
                       QString::fromUtf8(faultMessage(fault)) + QStringLiteral("：「%1」").arg(quoted(record.text)));
        return;
    }
    if (!m_lastKind || m_lastKind->name != m_text.name)
        m_lastKind = findRecordKind(m_text.name);
    if (!m_lastKind) {
        m_findings.add(Severity::Error, "SFC_UNKNOWN_FEATURE", at,
                       QStringLiteral("「%1」という名前のフィーチャはありません。このレコードは読み飛ばしました")
                           .arg(quoted(m_text.name)));
        return;
    }
    const RecordKind& kind = *m_lastKind;
    bool reported = true;
    if (fault != RecordFault::None) {
        reportRecord(fault == RecordFault::OpenString ? "SFC_STRING" : "SFC_RECORD", kind, at,
                     QString::fromUtf8(faultMessage(fault)));
    } else if (kind.arguments != kVariableArguments && m_text.args.size() != static_cast<size_t>(kind.arguments)) {
        reportRecord("SFC_ARGUMENTS", kind, at,
                     QStringLiteral("引数は%1個のはずですが、%2個あります").arg(kind.arguments).arg(m_text.args.size()));
    } else {
        reported = false;
    }
    if (reported && !kind.assembly)
        return;
    readArguments(kind, at, reported);
}

void SfcFileReader::reportRecord(const char* code, const RecordKind& kind, const Origin& at, const QString& message)
{
    m_findings.add(Severity::Error, code, at,
                   latin1(kind.name) + u'：' + message
                       + (kind.assembly ? QString() : QStringLiteral("。このレコードは読み飛ばしました")));
}

void SfcFileReader::readArguments(const RecordKind& kind, const Origin& at, bool reported)
{
    ArgCursor args(m_text.args);
    m_state.recordName = kind.name;
    kind.read(args, m_state, at);
    if (!args.ok() && !reported) {
        const auto n = args.failedArgument();
        const QString expected = QString::fromUtf8(args.expected());
        reportRecord("SFC_ARGUMENTS", kind, at,
                     static_cast<size_t>(n) > args.size()
                         ? QStringLiteral("引数%1（%2）がありません").arg(n).arg(expected)
                         : QStringLiteral("引数%1は%2のはずですが、「%3」です").arg(n).arg(expected, args.found()));
    }
    if (args.badEncoding())
        m_findings.add(Severity::Warning, "SFC_ENCODING", at,
                       latin1(kind.name) + QStringLiteral("：文字列にコードページ932（シフトJIS）の文字にならないバイトがあります"));
}

}  // namespace

ReadResult readSfc(QByteArrayView bytes)
{
    ReadResult out;
    std::string_view view(bytes.data(), static_cast<size_t>(bytes.size()));
    if (view.starts_with(kByteOrderMark)) {
        view.remove_prefix(kByteOrderMark.size());
        out.findings.push_back({Severity::Warning, QStringLiteral("SFC_ENCODING"), 1, 0,
                                QStringLiteral("ファイルがUTF-8のバイト順マークで始まっています。コードページ932として読みます")});
    }
    SfcFileReader(view, out).run();
    return out;
}

}  // namespace sxf
