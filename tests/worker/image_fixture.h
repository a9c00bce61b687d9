// Pictures and image texts for the image tests.
#pragma once

#include "tests/worker/conversion_harness.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace testsupport {

// Saves a `w` x `h` opaque picture in `format` at `path`.
inline void saveImage(const QString& path, int w, int h, const char* format)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

// A text `str` from (x, y) to (ex, ey) with attributes `a`.
inline jww::TEntJwwMoji imageText(const QString& str, double x, double y, double ex, double ey,
                                  const jww::TEntJwwAttr& a = att(1))
{
    jww::TEntJwwMoji t;
    t.att = a;
    t.start_x = x;
    t.start_y = y;
    t.end_x = ex;
    t.end_y = ey;
    t.str = str;
    return t;
}

}  // namespace testsupport
