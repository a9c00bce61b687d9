// Reading image headers and writing JPEG files with Qt's image readers and
// writers.
#include "worker/image_codec/image_codec.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <array>

namespace {

// The image formats an image reference may name, as Qt's readers call them.
bool isAcceptedFormat(const QByteArray& format)
{
    static const std::array<QByteArray, 6> kFormats = {"bmp", "gif", "png", "ico", "tiff", "jpeg"};
    for (const QByteArray& f : kFormats) {
        if (format == f)
            return true;
    }
    return false;
}

// An ICO file holds several pictures; its size is that of the first entry of
// its directory, where 0 stands for 256.
bool icoFirstEntrySize(const QString& path, int32_t& pw, int32_t& ph)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(8);
    if (head.size() < 8)
        return false;
    const auto byte = [&](int i) { return static_cast<uint8_t>(head[i]); };
    const int count = byte(4) | (byte(5) << 8);
    if (count < 1)
        return false;
    pw = byte(6) == 0 ? 256 : byte(6);
    ph = byte(7) == 0 ? 256 : byte(7);
    return true;
}

// The decoded image on an opaque white ground: JPEG has no transparency.
QImage opaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage ground(image.size(), QImage::Format_RGB32);
    ground.fill(Qt::white);
    QPainter painter(&ground);
    painter.drawImage(0, 0, image);
    painter.end();
    return ground;
}

}  // namespace

bool ondrelleImageSize(const QString* path, int32_t* pw, int32_t* ph)
{
    *pw = 0;
    *ph = 0;
    // The content decides: a name promises nothing about a file that came
    // with a drawing from elsewhere.
    QImageReader reader(*path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!isAcceptedFormat(format))
        return false;
    if (format == "ico")
        return icoFirstEntrySize(*path, *pw, *ph);
    const QSize size = reader.size();
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    *pw = size.width();
    *ph = size.height();
    return true;
}

bool ondrelleImageToJpeg(const QString* src, QIODevice* out, int quality, int64_t maxPixels)
{
    int32_t pw = 0, ph = 0;
    if (!ondrelleImageSize(src, &pw, &ph) || static_cast<int64_t>(pw) * ph > maxPixels)
        return false;
    QImageReader reader(*src);
    reader.setDecideFormatFromContent(true);
    // Our own bound was checked above; Qt's default one would refuse some
    // images below it.
    reader.setAllocationLimit(static_cast<int>(maxPixels * 4 / (1024 * 1024)) + 1);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    QImageWriter writer(out, "jpeg");
    writer.setQuality(quality);
    return writer.write(opaque(image));
}
