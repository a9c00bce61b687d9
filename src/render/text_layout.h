// Laying a text out in its box: glyphs of the text's font placed so that the
// characters fill the box's width (horizontal writing) or stand one below the
// other in it (vertical writing). Needs a QGuiApplication for the fonts.
#pragma once

#include "render/scene.h"

#include <QHash>
#include <QRawFont>
#include <QString>

namespace render {

class TextShaper {
public:
    // Fills `item`'s em, stretch, glyphs and positions for `text` in a box
    // of `width` by `height` millimetres with `spacing` between characters,
    // in the font `family`, whose index in `fontFamilies` it also sets (and
    // appends when new). Horizontal text: the characters are as high as the
    // box and as wide as fills it, less the spacing; vertical text: one cell
    // per character from the top, each glyph centred in its cell. Characters
    // below U+0020 are left out. A box of no width takes the font's own
    // widths. Leaves no glyphs for an empty text or a box of no height.
    void layOut(TextItem& item, const QString& text, double width, double height, double spacing, bool vertical,
                const QString& family, std::vector<QString>& fontFamilies);

private:
    struct Face {
        QRawFont raw;
        double ascent = 0;   // per unit of em
        double descent = 0;
    };
    const Face& face(const QString& family);

    QHash<QString, Face> m_faces;
};

}  // namespace render
