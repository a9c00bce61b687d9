// The synthetic benchmark drawings.
#include "tests/support/bench_drawings.h"

#include "tests/support/jww_builder.h"

#include <QString>

#include <algorithm>

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

void buildBlocksDrawing(TJwwData& d, int n)
{
    initEmptyDrawing(d);
    const int defs = std::max(1, n / 10);
    for (int b = 0; b < defs; ++b) {
        TEntJwwBlockDef def;
        def.att = attr(b);
        def.nNumber = static_cast<uint32_t>(b + 1);
        def.strName = b % 4 == 3 ? QStringLiteral("P%1@@SfigorgFlag@@1").arg(b % 100) : QStringLiteral("B%1").arg(b);
        TEntJwwAttr grouped = attr(b);
        grouped.lGroup = static_cast<uint32_t>(b + 1);
        addLine(def, {grouped, 0, 0, 1, 0});
        addLine(def, {attr(b + 1), 0, 0, 0, 1});
        d.EntBlockDef.push_back(def);
    }
    for (int i = 0; i < n; ++i) {
        const double x = i % 1000, y = (i / 1000) % 1000;
        addBlock(d, {attr(i), x, y, 1, 1, 0, static_cast<uint32_t>(1 + i % defs)});
    }
    d.MakeBlockTree();
}

void buildColoursDrawing(TJwwData& d, int n)
{
    initEmptyDrawing(d);
    constexpr int kSolids = 100'000;
    const int colours = std::max(1, n);
    for (int i = 0; i < kSolids; ++i) {
        TEntJwwAttr a = attr(i);
        a.nPenColor = 10;
        const double x = i % 1000, y = (i / 1000) % 1000;
        // Odd blue values: the SFC colours of an empty drawing have none.
        const uint32_t colour = 0x010000u | static_cast<uint32_t>(i % colours) << 1;
        addSolid(d, {a, x, y, x + 1, y, x + 1, y + 1, x, y + 1, colour});
    }
    d.MakeBlockTree();
}

void buildNestedDrawing(TJwwData& d, int n)
{
    initEmptyDrawing(d);
    TEntJwwBlockDef b;
    b.nNumber = 2;
    b.strName = QStringLiteral("B");
    for (int i = 0; i < n; ++i) {
        TEntJwwAttr a = attr(i);
        a.lGroup = 1;
        addTen(b, {a, static_cast<double>(i % 100), static_cast<double>(i / 100), 0, 0, 0, 1});
    }
    TEntJwwBlockDef a;
    a.att = attr(5);
    a.att.nPenStyle = 0x40;
    a.nNumber = 1;
    a.strName = QStringLiteral("A");
    for (int i = 0; i < n / 100; ++i)
        addBlock(a, {attr(i), static_cast<double>(i * 10), 0, 1, 1, 0, 2});
    d.EntBlockDef = {a, b};
    for (int i = 0; i < n / 75; ++i) {
        TEntJwwAttr at = attr(i);
        if (i % 3 == 2)
            at.nPenStyle = 0x40;
        addBlock(d, {at, static_cast<double>(i % 50) * 1000, static_cast<double>(i / 50) * 1000, 1, 1, 0, 1});
    }
    d.MakeBlockTree();
}

}  // namespace testsupport
