// The whole drawing as a picture file: PNG at a width in pixels, or PDF with
// the sheet at 1:1 in millimetres.
#pragma once

#include "render/scene.h"

#include <QImage>
#include <QString>

namespace render {

// The default width of a PNG, in pixels.
constexpr int kDefaultPngWidth = 2400;
// The widest PNG written: larger ones would need gigabytes.
constexpr int kMaxPngWidth = 30000;

// The picture of `scene.area()` with the layers `visible` shows, `width`
// pixels wide (1 .. kMaxPngWidth) and as high as the area's shape asks
// (at least 1 pixel, at most kMaxPngWidth), with a small white margin. A null
// image when the width is out of range or memory runs out.
QImage renderImage(const Scene& scene, const LayerVisibility& visible, int width);

enum class Existing { Keep, Replace };

// Writes the picture of `scene` to `path`, as PNG (`width` pixels wide) or,
// for a name ending in ".pdf", as PDF: one page the size of the scene's
// area in millimetres, drawn at 1:1 in vectors. The file appears complete
// or not at all (written beside it under a temporary name, then moved into
// place). With Existing::Keep a file that exists at `path` stays untouched
// and the write fails. Returns an empty text when the file was written,
// otherwise why not, in Japanese.
QString writePicture(const Scene& scene, const LayerVisibility& visible, const QString& path, int width,
                     Existing existing);

// Whether `path` names a PDF (ends in ".pdf", in any case).
bool isPdfName(const QString& path);

}  // namespace render
