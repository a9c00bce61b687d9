// A small drawing with the settings of a fresh Jw_cad drawing.
#include "tests/support/demo_drawing.h"

#include "tests/support/jww_builder.h"

namespace testsupport {

void buildDemoDrawing(jww::TJwwData& d)
{
    initEmptyDrawing(d, 700);
    d.Enthd.strMemo = QStringLiteral("Kestrune demo\r\n図面の例");
    d.Enthd.nZumen = 3;
    d.EntLay[0].aStrLayName = QStringLiteral("外形");
    d.EntLay[1].aStrLayName = QStringLiteral("寸法");
    d.EntLgrp[0].aStrGLayName = QStringLiteral("平面図");
}

QByteArray demoDrawingBytes()
{
    jww::TJwwData d;
    buildDemoDrawing(d);
    return writeJww(d);
}

}  // namespace testsupport
