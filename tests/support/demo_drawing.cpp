// A small floor plan on an A3 sheet that shows every entity kind: the sheet
// frame and title, a room with columns, a door swing, an elliptic table,
// survey points, a dimension, filled marks, and a window block inserted
// three times. Drawing coordinates are millimetres from the sheet centre
// (every layer group at 1:1).
#include "tests/support/demo_drawing.h"

#include "tests/support/jww_builder.h"

#include <cmath>

namespace testsupport {

using namespace jww;

namespace {

enum Layer : uint16_t { kOutline = 0, kDimension = 1, kText = 2, kSymbol = 3 };

TEntJwwAttr pen(uint16_t color, uint16_t layer, uint8_t style = 1)
{
    TEntJwwAttr a;
    a.nPenStyle = style;
    a.nPenColor = color;
    a.nLayer = layer;
    return a;
}

template <typename Target>
void rectangle(Target& t, const TEntJwwAttr& a, double x0, double y0, double x1, double y1)
{
    addLine(t, {a, x0, y0, x1, y0});
    addLine(t, {a, x1, y0, x1, y1});
    addLine(t, {a, x1, y1, x0, y1});
    addLine(t, {a, x0, y1, x0, y0});
}

TEntJwwMoji text(const TEntJwwAttr& a, double x, double y, double size, const QString& s)
{
    // The end point lies one text length to the right (full-width characters
    // are as wide as they are high).
    return {a, x, y, x + size * s.size(), y, 1, size, size, 0, 0, QStringLiteral("ＭＳ ゴシック"), s};
}

// A window: frame, glass line and the sash's pivot, 20 x 4 from its corner.
TEntJwwBlockDef windowBlock()
{
    TEntJwwBlockDef def;
    def.att = pen(1, kSymbol);
    def.nNumber = 1;
    def.dtime = 1;
    def.strName = QStringLiteral("窓");
    rectangle(def, pen(1, kSymbol), 0, 0, 20, 4);
    addLine(def, {pen(3, kSymbol), 0, 2, 20, 2});
    addEnko(def, {pen(3, kSymbol), 10, 2, 1, 0, 2 * M_PI, 0, 1, 1});
    return def;
}

TEntJwwSunpo roomWidth()
{
    TEntJwwSunpo s;
    s.att = pen(1, kDimension);
    s.Sen = {pen(1, kDimension), -150, -60, -30, -60};
    s.Moji = text(pen(1, kDimension), -95, -58, 3, QStringLiteral("120"));
    s.Moji.strFontName = QStringLiteral("ＭＳ ゴシック");
    s.Ho1 = {pen(1, kDimension), -150, -42, -150, -62};
    s.Ho2 = {pen(1, kDimension), -30, -42, -30, -62};
    s.Te1 = {pen(1, kDimension, 100), -150, -60, 0, 3, 0, 1};  // arrow markers
    s.Te2 = {pen(1, kDimension, 100), -30, -60, 0, 4, 0, 1};
    s.Kt1 = {pen(1, kDimension), -150, -42, 0, 0, 0, 0};
    s.Kt2 = {pen(1, kDimension), -30, -42, 0, 0, 0, 0};
    return s;
}

}  // namespace

void buildDemoDrawing(TJwwData& d)
{
    initEmptyDrawing(d, 700);
    d.Enthd.strMemo = QStringLiteral("Kestrune demo\r\n図面の例");
    d.Enthd.nZumen = 3;  // A3, 420 x 297
    d.EntLay[kOutline].aStrLayName = QStringLiteral("外形");
    d.EntLay[kDimension].aStrLayName = QStringLiteral("寸法");
    d.EntLay[kText].aStrLayName = QStringLiteral("文字");
    d.EntLay[kSymbol].aStrLayName = QStringLiteral("記号");
    d.EntLgrp[0].aStrGLayName = QStringLiteral("平面図");

    // Sheet frame and title block.
    rectangle(d, pen(2, kOutline), -200, -138.5, 200, 138.5);
    rectangle(d, pen(2, kOutline), 100, -138.5, 200, -108.5);
    addMoji(d, text(pen(2, kText), 105, -126, 5, QStringLiteral("Kestrune デモ図面")));
    addMoji(d, text(pen(1, kText), -150, 70, 5, QStringLiteral("平面図 1:1")));

    // The room with a column at each upper corner and a door swing.
    rectangle(d, pen(1, kOutline), -150, -40, -30, 60);
    addEnko(d, {pen(1, kOutline), -150, 60, 5, 0, 2 * M_PI, 0, 1, 1});
    addEnko(d, {pen(1, kOutline), -30, 60, 5, 0, 2 * M_PI, 0, 1, 1});
    addEnko(d, {pen(3, kOutline), -110, -40, 20, 0, M_PI / 2, 0, 1, 0});
    addLine(d, {pen(3, kOutline, 2), -110, -40, -90, -40});

    // An elliptic table turned 30 degrees, and two survey points, one with a
    // marker code.
    addEnko(d, {pen(5, kOutline), 60, 60, 30, 0, 2 * M_PI, M_PI / 6, 0.5, 1});
    addTen(d, {pen(1, kSymbol), 60, -20, 0, 0, 0, 1});
    addTen(d, {pen(6, kSymbol, 100), 80, -20, 0, 2, 0, 1.5});

    addSunpo(d, roomWidth());

    // Filled marks: a north arrow in its own colour, a grey pad.
    addSolid(d, {pen(10, kSymbol), 150, 60, 170, 60, 160, 85, 160, 85, 0x000000FF});
    addSolid(d, {pen(8, kSymbol), 120, -60, 160, -60, 160, -30, 120, -30, 0});

    // Windows: two in the upper wall, one turned into the right wall.
    d.EntBlockDef.push_back(windowBlock());
    d.Enthd.n2 = 1;
    addBlock(d, {pen(1, kSymbol), -130, 58, 1, 1, 0, 1});
    addBlock(d, {pen(1, kSymbol), -80, 58, 1, 1, 0, 1});
    addBlock(d, {pen(1, kSymbol), -28, 0, 1, 1, M_PI / 2, 1});
}

QByteArray demoDrawingBytes(const QString& imagePath)
{
    TJwwData d;
    buildDemoDrawing(d);
    if (!imagePath.isEmpty()) {
        // The picture 40 wide, in the free corner above the title block.
        TEntJwwMoji image = text(pen(1, kText), 120, -100, 5, QStringLiteral("^@BM") + imagePath + QStringLiteral(",40"));
        image.end_x = image.start_x + 1;
        addMoji(d, image);
    }
    return writeJww(d);
}

}  // namespace testsupport
