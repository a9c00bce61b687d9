// Preview documents.
#include "frontend/preview/preview_document.h"

#include "render/scene_builder.h"

namespace frontend {

PreviewDocument makeDocument(const QString& path, sxf::Drawing drawing, sxf::Findings findings)
{
    PreviewDocument doc;
    doc.path = path;
    auto shared = std::make_shared<const sxf::Drawing>(std::move(drawing));
    doc.scene = std::make_shared<const render::Scene>(render::buildScene(*shared));
    doc.drawing = std::move(shared);
    doc.findings = std::move(findings);
    return doc;
}

QString sheetDescription(const sxf::Drawing& drawing)
{
    const sxf::Sheet* sheet = drawing.sheet();
    if (!sheet)
        return {};
    const QString kind = sheet->kind >= 0 && sheet->kind <= 4 ? QStringLiteral("A%1").arg(sheet->kind)
                                                              : QStringLiteral("自由");
    const QString orientation = sheet->orientation == 0 ? QStringLiteral("縦") : QStringLiteral("横");
    return QStringLiteral("%1 %2 %3 × %4 mm").arg(kind, orientation).arg(sheet->x).arg(sheet->y);
}

}  // namespace frontend
