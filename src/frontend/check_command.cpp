// The check command: arguments, the text report and the JSON report.
#include "frontend/check_command.h"

#include "frontend/output_check.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace frontend {

namespace {

const char kUsage[] = "usage: Kestrune --check [--json] [--] FILE.sfc|FILE.p21...\n";

struct CommandOptions {
    bool json = false;
    QStringList files;
};

std::optional<QString> parseOptions(const QStringList& args, CommandOptions& options)
{
    bool filesOnly = false;
    for (const QString& arg : args) {
        if (filesOnly || !arg.startsWith(QStringLiteral("--")))
            options.files.append(arg);
        else if (arg == u"--")
            filesOnly = true;
        else if (arg == u"--json")
            options.json = true;
        else
            return QStringLiteral("unknown option ") + arg;
    }
    if (options.files.isEmpty())
        return QStringLiteral("no files given");
    return std::nullopt;
}

void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

QString severityWord(sxf::Severity severity)
{
    return severity == sxf::Severity::Error ? QStringLiteral("エラー") : QStringLiteral("警告");
}

// "FILE: エラーN件・警告M件" and a line per finding; "-" stands for a feature
// number or line that does not apply.
QString textReport(const QString& file, const sxf::Findings& findings, const OutputCheck& counts)
{
    QString text = QStringLiteral("%1: エラー%2件・警告%3件\n").arg(file).arg(counts.errors).arg(counts.warnings);
    for (const sxf::Finding& f : findings) {
        const QString feature = f.feature > 0 ? QStringLiteral("#%1").arg(f.feature) : QStringLiteral("-");
        const QString line = f.line > 0 ? QStringLiteral("%1行目").arg(f.line) : QStringLiteral("-");
        text += QStringLiteral("  %1 %2 %3 %4 %5\n").arg(f.code, severityWord(f.severity), feature, line, f.message);
    }
    return text;
}

QJsonObject jsonReport(const QString& file, const sxf::Findings& findings, const OutputCheck& counts)
{
    QJsonArray items;
    for (const sxf::Finding& f : findings) {
        items.append(QJsonObject{
            {QStringLiteral("code"), f.code},
            {QStringLiteral("severity"), f.severity == sxf::Severity::Error ? "error" : "warning"},
            {QStringLiteral("feature"), f.feature},
            {QStringLiteral("line"), f.line},
            {QStringLiteral("message"), f.message},
        });
    }
    return {
        {QStringLiteral("file"), file},
        {QStringLiteral("errors"), counts.errors},
        {QStringLiteral("warnings"), counts.warnings},
        {QStringLiteral("findings"), items},
    };
}

}  // namespace

int runCheckCommand(const QStringList& args, const FileChecker& checkFile, std::FILE* out, std::FILE* err)
{
    CommandOptions options;
    if (const auto error = parseOptions(args, options)) {
        write(err, QStringLiteral("Kestrune: ") + *error + u'\n');
        std::fputs(kUsage, err);
        return kCheckUsage;
    }
    bool anyError = false;
    QJsonArray files;
    for (const QString& file : options.files) {
        const sxf::Findings findings = checkFile(file);
        const OutputCheck counts = summarise(findings);
        anyError = anyError || counts.errors > 0;
        // The text report of each file is out before the next is read.
        if (options.json)
            files.append(jsonReport(file, findings, counts));
        else
            write(out, textReport(file, findings, counts));
    }
    if (options.json)
        write(out, QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("files"), files}}).toJson()));
    return anyError ? kCheckFoundErrors : kCheckNoErrors;
}

}  // namespace frontend
