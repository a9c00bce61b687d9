// The demo drawing that the README converts: written by the fixture writer,
// so the repository carries no drawing file.
#pragma once

#include "worker/jww/jww_data.h"

#include <QByteArray>

namespace testsupport {

// Fills `d` with the demo drawing.
void buildDemoDrawing(jww::TJwwData& d);
// The demo drawing's file bytes.
QByteArray demoDrawingBytes();

}  // namespace testsupport
