// Parsing of the texts through which a drawing places a raster image:
// "^@BM", the image path, ",", then up to nine comma-separated values.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

namespace common {

struct ImageText {
    // True when nothing was parsed (the text is no image reference) or when
    // one or two values are present; false with three or more values.
    bool result = true;
    QString fileName;  // the text between "^@BM" and the first ","
    // Values 1-6 (reals): width, height, two pixel sizes, a factor, one
    // more; defaults 0, 0, 0, 0, 1, 0.
    std::array<double, 6> reals{0, 0, 0, 0, 1, 0};
    // Values 7-9 (integers): default -1; once value 7 is present an absent
    // value 8 or 9 is 0.
    std::array<int32_t, 3> ints{-1, -1, -1};
    // How many values the text carries after the path, 0-9; 0 when the text
    // is no image reference.
    int count = 0;
};

// True when `text` starts with "^@BM", the mark of an image reference. The
// text converter writes no such text, whether or not it names an image.
bool HasImageMark(QStringView text);

// True when `text` is an image reference: the mark and at least one ",".
// Only these texts are placed as images, and they count as no text.
bool IsImageText(QStringView text);

// Parses `text`. A text that does not start with "^@BM" or holds no "," is no
// image reference: the defaults with `count` 0. The values are split at ","
// (the ninth takes all the rest); values that do not parse read as 0. With a
// single value the height (value 2) equals the width (value 1).
ImageText ParseImageText(QStringView text);

}  // namespace common
