// Layout rules of P21 files that the official reader depends on.
#include "sxf/p21_form_check.h"

#include "sxf/p21_parser.h"
#include "sxf/p21_reader.h"
#include "sxf/p21_report.h"

namespace sxf {
namespace {

void checkRecordOrder(const P21Data& d, const P21Instance& at, P21Report& report)
{
    const auto parts = d.recordsOf(at);
    for (size_t i = 1; i < parts.size(); ++i) {
        if (!(d.name(parts[i - 1]) < d.name(parts[i]))) {
            report.warning("P21_RECORD_ORDER", &at,
                QStringLiteral("%1 の部分 %2 が %3 の後にあります（名前の順に並べます）")
                    .arg(p21Name(at), QString::fromLatin1(d.name(parts[i])), QString::fromLatin1(d.name(parts[i - 1]))));
            return;
        }
    }
}

bool partIs(const P21Data& d, std::span<const P21Record> parts, size_t i, std::string_view name)
{
    return i < parts.size() && d.name(parts[i]) == name;
}

// The positions the official reader finds a placement's parts at.
void checkPlacementLayout(const P21Data& d, const P21Instance& at, P21Report& report)
{
    const auto parts = d.recordsOf(at);
    bool placement = false;
    for (const P21Record& r : parts)
        placement = placement || d.name(r) == "ANNOTATION_SUBFIGURE_OCCURRENCE";
    bool symbol = false;
    for (const P21Record& r : parts)
        symbol = symbol || (at.complex && d.name(r) == "ANNOTATION_SYMBOL");
    if (placement && !(parts.size() == 7 && partIs(d, parts, 1, "ANNOTATION_SUBFIGURE_OCCURRENCE")
            && partIs(d, parts, 6, "STYLED_ITEM"))) {
        report.warning("P21_LAYOUT", &at,
            QStringLiteral("%1 はシンボル配置の 7 つの部分の並びになっていません").arg(p21Name(at)));
    }
    if (symbol && !(parts.size() == 4 && partIs(d, parts, 2, "MAPPED_ITEM"))) {
        report.warning("P21_LAYOUT", &at,
            QStringLiteral("%1 はシンボルの 4 つの部分の並びになっていません").arg(p21Name(at)));
    }
}

void checkLines(const P21Data& d, const P21Instance& at, P21Report& report)
{
    for (const P21Record& r : d.recordsOf(at)) {
        if (at.complex && (r.nameBegin == 0 || d.bytes[r.nameBegin - 1] != '\n')) {
            report.warning("P21_LINE_BREAK", &at,
                QStringLiteral("%1 の部分 %2 が行の初めにありません").arg(p21Name(at), QString::fromLatin1(d.name(r))));
        }
        const P21Value& list = d.values[r.attributes];
        for (uint32_t i = r.attributes + 1; i <= r.attributes + list.span; ++i) {
            const P21Value& v = d.values[i];
            if (v.kind != P21Kind::String)
                continue;
            const std::string_view text = d.text(v);
            if (text.find_first_of("\r\n") != std::string_view::npos)
                report.warning("P21_LINE_BREAK", &at, QStringLiteral("%1 の文字列が行をまたいでいます").arg(p21Name(at)));
            if (text.find("/*") != std::string_view::npos)
                report.warning("P21_COMMENT_IN_STRING", &at,
                    QStringLiteral("%1 の文字列に「/*」があります（公式の読み手はコメントとして除きます）").arg(p21Name(at)));
        }
    }
}

}  // namespace

Findings checkP21Form(QByteArrayView bytes)
{
    Findings findings = readP21(bytes).findings;
    // The syntax findings are readP21's already.
    Findings syntax;
    FindingSink syntaxSink(syntax);
    const P21Data data = parseP21(bytes, syntaxSink);
    Findings layout;
    FindingSink sink(layout);
    P21Report report(sink);
    for (const P21Instance& at : data.instances) {
        checkRecordOrder(data, at, report);
        checkPlacementLayout(data, at, report);
        checkLines(data, at, report);
    }
    sink.finish();
    findings.insert(findings.end(), layout.begin(), layout.end());
    return findings;
}

}  // namespace sxf
