// A drawing file as the preview shows it: the drawing read from it, its
// scene, and what the reader found wrong.
#pragma once

#include "render/scene.h"
#include "sxf/drawing.h"
#include "sxf/findings.h"

#include <QString>

#include <memory>

namespace frontend {

struct PreviewDocument {
    QString path;
    std::shared_ptr<const sxf::Drawing> drawing;
    std::shared_ptr<const render::Scene> scene;
    sxf::Findings findings;
};

// A document for `drawing` read from `path` (or made in memory): its scene
// built.
PreviewDocument makeDocument(const QString& path, sxf::Drawing drawing, sxf::Findings findings);

// "A3 横 420 × 297 mm" for the drawing's first sheet (the kind A0 to A4, or
// 自由 for a free size); empty when it has none.
QString sheetDescription(const sxf::Drawing& drawing);

}  // namespace frontend
