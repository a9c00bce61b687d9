// Reading a drawing file for the preview.
#include "frontend/preview/drawing_file.h"

#include "common/file_read.h"
#include "sxf/sxf_file.h"

#include <algorithm>

namespace frontend {

bool isPreviewFile(const QString& path)
{
    return path.endsWith(QStringLiteral(".sfc"), Qt::CaseInsensitive)
           || path.endsWith(QStringLiteral(".p21"), Qt::CaseInsensitive);
}

LoadedDrawing loadDrawingFile(const QString& path)
{
    QByteArray bytes;
    QString why;
    switch (common::ReadRegularFile(path, bytes, &why)) {
    case common::ReadFailure::None: break;
    case common::ReadFailure::CannotOpen: return {std::nullopt, QStringLiteral("ファイルを開けません（%1）").arg(why)};
    case common::ReadFailure::CannotRead: return {std::nullopt, QStringLiteral("ファイルを読めません（%1）").arg(why)};
    }
    sxf::ReadResult read = sxf::readSxf(bytes, path);
    const bool nothing = read.drawing.features.empty() && read.drawing.sheets.empty();
    if (nothing && sxf::hasError(read.findings)) {
        const auto first = std::find_if(read.findings.begin(), read.findings.end(),
                                        [](const sxf::Finding& f) { return f.severity == sxf::Severity::Error; });
        const QString where = first->line > 0 ? QStringLiteral("%1行目：").arg(first->line) : QString();
        return {std::nullopt, where + first->message};
    }
    return {makeDocument(path, std::move(read.drawing), std::move(read.findings)), {}};
}

}  // namespace frontend
