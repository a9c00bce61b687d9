// Opening a drawing file for the preview and for pictures: the file read,
// its drawing and scene made, or the reason it cannot be shown.
#pragma once

#include "frontend/preview/preview_document.h"

#include <QString>

#include <optional>

namespace frontend {

// Whether the front-end shows `path` rather than converting it: a name
// ending in ".sfc" or ".p21", in any case.
bool isPreviewFile(const QString& path);

struct LoadedDrawing {
    std::optional<PreviewDocument> document;
    QString error;  // why there is no document, in Japanese
};

// Reads the SXF file at `path`, of either form (told apart by its content). A file that cannot be opened, or from
// which the reader gets nothing to draw (no feature and no sheet) while it
// reports an error, gives no document; the error is then the reader's
// first error finding (with its line). A file with faults in some records
// still opens: its findings go with the document.
LoadedDrawing loadDrawingFile(const QString& path);

}  // namespace frontend
