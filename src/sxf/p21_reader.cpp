// The P21 reader: syntax, header, schema check, tables, assemblies.
#include "sxf/p21_reader.h"

#include "sxf/p21_parser.h"
#include "sxf/p21_read_assemblies.h"
#include "sxf/p21_read_header.h"
#include "sxf/p21_read_tables.h"
#include "sxf/p21_schema.h"

namespace sxf {
namespace {

Finding fatal(const char* code, const QString& message)
{
    return Finding {Severity::Error, QString::fromLatin1(code), 0, 0, message};
}

}  // namespace

ReadResult readP21(QByteArrayView bytes)
{
    ReadResult result;
    FindingSink sink(result.findings);
    P21Data data = parseP21(bytes, sink);
    if (!data.started) {
        sink.finish();
        if (!hasError(result.findings))
            result.findings.push_back(fatal("P21_NOT_P21", QStringLiteral("P21 ファイルではありません（ISO-10303-21; で始まっていません）")));
        return result;
    }
    if (!readP21Header(data, result.drawing.header, sink)) {
        sink.finish();
        return result;
    }
    P21Report report(sink);
    for (const P21Instance& repeated : data.indexNumbers()) {
        report.warning("P21_DUPLICATE_NUMBER", &repeated,
            QStringLiteral("番号 %1 のインスタンスが二度目に出てきたので読みません").arg(p21Name(repeated)));
    }
    if (data.instances.empty()) {
        sink.finish();
        result.findings.insert(result.findings.begin(),
            fatal("P21_NO_INSTANCE", QStringLiteral("インスタンスが一つもありません")));
        return result;
    }
    checkP21Schema(data, report);
    P21Context ctx(data, result.drawing, report);
    readP21Tables(ctx);
    readP21Assemblies(ctx);
    if (ctx.spent())
        report.error("P21_SIZE", nullptr,
            QStringLiteral("ファイルの大きさに見合わない量の点や文字を表しているので、途中から先は読みません"));
    sink.finish();
    if (!ctx.fatal.isEmpty()) {
        const Header header = result.drawing.header;
        result.drawing = Drawing {};
        result.drawing.header = header;
        // First, so that whoever shows one finding shows why nothing was read.
        result.findings.insert(result.findings.begin(), fatal("P21_FATAL", ctx.fatal));
    }
    return result;
}

}  // namespace sxf
