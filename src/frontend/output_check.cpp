// Summaries and texts of checks.
#include "frontend/output_check.h"

#include "common/file_read.h"
#include "sxf/sfc_check.h"
#include "sxf/sxf_file.h"


namespace frontend {

sxf::Findings checkSxfFile(const QString& path)
{
    QByteArray bytes;
    if (common::ReadRegularFile(path, bytes) != common::ReadFailure::None)
        return {{sxf::Severity::Error, QStringLiteral("SFC_CANNOT_READ"), 0, 0, QStringLiteral("ファイルを読み込めません")}};
    return sxf::checkRead(sxf::readSxf(bytes, path));
}

OutputCheck checkWrittenFile(const QString& path)
{
    return summarise(checkSxfFile(path));
}

OutputCheck summarise(const sxf::Findings& findings)
{
    OutputCheck summary;
    const sxf::Finding* firstError = nullptr;
    const sxf::Finding* firstWarning = nullptr;
    for (const sxf::Finding& f : findings) {
        if (f.severity == sxf::Severity::Error) {
            ++summary.errors;
            if (!firstError)
                firstError = &f;
        } else {
            ++summary.warnings;
            if (!firstWarning)
                firstWarning = &f;
        }
    }
    if (const sxf::Finding* first = firstError ? firstError : firstWarning)
        summary.first = findingText(*first);
    return summary;
}

QString findingText(const sxf::Finding& finding)
{
    QString text = finding.code;
    if (finding.feature > 0)
        text += QStringLiteral(" #%1").arg(finding.feature);
    if (finding.line > 0)
        text += QStringLiteral(" %1行目").arg(finding.line);
    return text + u' ' + finding.message;
}

QString checkLogLine(const OutputCheck& check)
{
    if (check.errors == 0 && check.warnings == 0)
        return kCheckPrefix + QStringLiteral("問題なし");
    return kCheckPrefix
           + QStringLiteral("エラー%1件・警告%2件（最初：%3）").arg(check.errors).arg(check.warnings).arg(check.first);
}

}  // namespace frontend
