// The synthetic benchmark drawings.
#include "tests/support/bench_drawings.h"

#include "tests/support/jww_builder.h"

#include <QString>

namespace testsupport {

using namespace jww;

namespace {

TEntJwwAttr attr(int i)
{
    TEntJwwAttr a;
    a.nPenColor = static_cast<uint16_t>(1 + i % 8);
    a.nPenStyle = static_cast<uint8_t>(1 + i % 5);
    a.nLayer = static_cast<uint16_t>(i % 16);
    a.nGLayer = static_cast<uint16_t>((i / 16) % 3);  // groups 0-1 on the sheet, 2 scaled
    return a;
}

}  // namespace

void buildMixedDrawing(TJwwData& d, int n)
{
    initEmptyDrawing(d);
    d.EntLgrp[2].adScale = 50;
    for (int b = 0; b < 3; ++b) {
        TEntJwwBlockDef def;
        def.nNumber = static_cast<uint32_t>(b + 1);
        def.strName = QStringLiteral("B%1").arg(b);
        for (int k = 0; k < 4; ++k) {
            TEntJwwLine line;
            line.att = attr(k);
            line.end_x = k + 1;
            addLine(def, line);
        }
        d.EntBlockDef.push_back(def);
    }
    for (int i = 0; i < n; ++i) {
        const double x = i % 1000, y = (i / 1000) % 1000;
        switch (i % 8) {
        case 0:
        case 1: addLine(d, {attr(i), x, y, x + 5, y + 3}); break;
        case 2: {
            TEntJwwEnko e{attr(i), x, y, 2, 0.5, 1.5, 0, 1, 0};
            addEnko(d, e);
            break;
        }
        case 3: addTen(d, {attr(i), x, y, 0, 0, 0, 1}); break;
        case 4: {
            TEntJwwMoji t;
            t.att = attr(i);
            t.start_x = x;
            t.start_y = y;
            t.end_x = x + 10;
            t.end_y = y;
            t.dSizeX = t.dSizeY = 2.5;
            t.strFontName = QStringLiteral("ＭＳ ゴシック");
            t.str = QStringLiteral("文字 %1").arg(i);
            addMoji(d, t);
            break;
        }
        case 5: {
            TEntJwwSunpo s;
            s.att = attr(i);
            s.Sen = {attr(i), x, y, x + 10, y};
            s.Moji.start_x = x + 4;
            s.Moji.start_y = y + 1;
            s.Moji.end_x = x + 5;
            s.Moji.end_y = y + 1;
            s.Moji.dSizeX = s.Moji.dSizeY = 2;
            s.Moji.str = QStringLiteral("10");
            addSunpo(d, s);
            break;
        }
        case 6: {
            TEntJwwSolid s{attr(i), x, y, x + 1, y, x + 1, y + 1, x, y + 1, 0};
            addSolid(d, s);
            break;
        }
        default: {
            TEntJwwBlock b{attr(i), x, y, 1, 1, 0, static_cast<uint32_t>(1 + i % 3)};
            addBlock(d, b);
            break;
        }
        }
    }
    d.MakeBlockTree();
}

}  // namespace testsupport
