// The header entities FILE_DESCRIPTION, FILE_NAME and FILE_SCHEMA.
#include "sxf/p21_read_header.h"

#include "sxf/p21_read_strings.h"

#include "common/codepage.h"

#include <QStringList>

namespace sxf {
namespace {

// The official reader decodes header texts into 257 bytes.
constexpr qsizetype kMaxHeaderBytes = 256;

const P21Record* headerEntity(const P21Data& data, std::string_view name)
{
    for (const P21Record& r : data.header) {
        if (data.name(r) == name)
            return &r;
    }
    return nullptr;
}

// The texts (strings and bare words) anywhere inside `r`, in order.
QStringList texts(const P21Data& data, const P21Record& r)
{
    QStringList out;
    const P21Value& list = data.values[r.attributes];
    for (uint32_t i = r.attributes + 1; i <= r.attributes + list.span; ++i) {
        const P21Value& v = data.values[i];
        if (v.kind == P21Kind::String)
            out += decodeP21String(data.text(v));
        else if (v.kind == P21Kind::Enum)
            out += QString::fromLatin1(data.text(v));
    }
    return out;
}

void add(FindingSink& findings, Severity severity, const char* code, const QString& message)
{
    findings.add(severity, code, Origin {}, message);
}

bool readDescription(const P21Data& data, Header& header, FindingSink& findings)
{
    const P21Record* r = headerEntity(data, "FILE_DESCRIPTION");
    const QStringList t = r ? texts(data, *r) : QStringList();
    const QStringList words = t.isEmpty() ? QStringList() : t[0].split(u' ', Qt::SkipEmptyParts);
    if (t.size() != 2 || words.size() < 3) {
        add(findings, Severity::Error, "SXFSCADECFILEERR",
            QStringLiteral("ヘッダの FILE_DESCRIPTION が読めません（説明と水準の 2 つの文字列、説明は 3 語以上が必要です）"));
        return false;
    }
    header.description = t[0];
    header.implementationLevel = t[1];
    if (words[0] != u"SCADEC") {
        add(findings, Severity::Warning, "SXFSCADECFILEERR",
            QStringLiteral("SCADEC のファイルではありません（レベル 2、AP202 モードとして読みます）"));
        return true;
    }
    const auto has = [&words](QStringList names) {
        for (const QString& w : words) {
            if (names.contains(w, Qt::CaseInsensitive))
                return true;
        }
        return false;
    };
    if (!has({QStringLiteral("level1"), QStringLiteral("level2")})) {
        add(findings, Severity::Error, "SXFNOLEVEL", QStringLiteral("ヘッダにレベル（level1 か level2）がありません"));
        return false;
    }
    if (!has({QStringLiteral("ambi_mode"), QStringLiteral("feature_mode"), QStringLiteral("AP202_mode")})) {
        add(findings, Severity::Error, "SXFNOMODE",
            QStringLiteral("ヘッダにモード（ambi_mode、feature_mode、AP202_mode）がありません"));
        return false;
    }
    if (has({QStringLiteral("feature_mode")}))
        add(findings, Severity::Warning, "P21_MODE",
            QStringLiteral("ヘッダが feature_mode ですが、P21 ファイルとして AP202 モードで読みます"));
    return true;
}

bool readName(const P21Data& data, Header& header, FindingSink& findings)
{
    const P21Record* r = headerEntity(data, "FILE_NAME");
    const QStringList t = r ? texts(data, *r) : QStringList();
    if (t.size() != 7) {
        add(findings, Severity::Error, "SXFNOTHEADER",
            QStringLiteral("ヘッダの FILE_NAME に文字列が %1 個あります（7 個が必要です：作成者と組織は 1 つずつ）")
                .arg(t.size()));
        return false;
    }
    header.fileName = t[0];
    header.timeStamp = t[1];
    header.author = t[2];
    header.organisation = t[3];
    header.preprocessorVersion = t[4];
    header.originatingSystem = t[5];
    header.authorisation = t[6];
    for (const QString& s : t) {
        if (common::encodeCp932(s).size() > kMaxHeaderBytes) {
            add(findings, Severity::Warning, "SXFNAMELENGTH",
                QStringLiteral("ヘッダの文字列が 256 バイトを超えています：%1…").arg(s.left(20)));
        }
    }
    return true;
}

}  // namespace

bool readP21Header(const P21Data& data, Header& header, FindingSink& findings)
{
    if (!readDescription(data, header, findings) || !readName(data, header, findings))
        return false;
    if (const P21Record* schema = headerEntity(data, "FILE_SCHEMA")) {
        const QStringList t = texts(data, *schema);
        if (!t.isEmpty())
            header.schema = t[0];
    }
    return true;
}

}  // namespace sxf
