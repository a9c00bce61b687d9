// The demo drawing that the README converts: written by the fixture writer,
// so the repository carries no drawing file.
#pragma once

#include "worker/jww/jww_data.h"

#include <QByteArray>
#include <QString>

namespace testsupport {

// Fills `d` with the demo drawing.
void buildDemoDrawing(jww::TJwwData& d);
// The demo drawing's file bytes; with `imagePath`, the drawing also places
// the picture at that path.
QByteArray demoDrawingBytes(const QString& imagePath = QString());

}  // namespace testsupport
