// Hand-made attribute tables for converter tests: JWW layer i is SFC layer
// i + 1, pen colour c (up to 16) is SFC colour c, line type t is SFC line
// type t, widths are their own entries; the auxiliary layer is 99 with
// colour cb3 + 1 = 3 and line type cb4 + 1 = 4.
#pragma once

#include "tests/support/jww_builder.h"
#include "tests/worker/output_capture.h"

namespace testsupport {

class ConverterHarness : public OutputCapture {
public:
    ConverterHarness()
    {
        initEmptyDrawing(drawing);
        tables.GraAtt = &graAtt;
        tables.DatLay.assign(256, {});
        for (int i = 0; i < 256; ++i)
            tables.DatLay[i].no = i + 1;
        tables.DatCol.assign(357, {});
        for (int c = 0; c <= 356; ++c)
            tables.DatCol[c].no = c <= 16 ? c : -1;
        tables.DatLtp.assign(63, {});
        for (int t = 1; t <= 19; ++t)
            tables.DatLtp[t].no = t;
        tables.DatWid.assign(17, {});
        tables.DatFon = {{QStringLiteral("ＭＳ ゴシック"), 1}};
        tables.HojoLay = 99;
        tables.cb3 = 2;
        tables.cb4 = 3;
    }

    jww::TgraAttribute graAtt;
};

}  // namespace testsupport
