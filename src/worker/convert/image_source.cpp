// Finding the images a drawing places and reading their pixel sizes.
#include "worker/convert/image_source.h"

#include "common/file_ops.h"
#include "common/image_text.h"
#include "common/path_names.h"
#include "worker/jww/entity_access.h"

#include <QFile>
#include <QImageReader>

#include <array>

namespace convert {

namespace {

using namespace jww;

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

// Adds the image that text `e` places when it passes every filter.
void addIfAccepted(std::vector<AcceptedImage>& out, const TJwwData& d, const QString& jwwFileName,
                   const TEntJwwMoji& e, const TEntJwwBlockTree* node)
{
    if (!common::IsImageText(e.str))
        return;
    const common::ImageText info = common::ParseImageText(e.str);
    if (info.fileName.isEmpty())
        return;
    AcceptedImage img;
    img.layer = node && !(node->att.nPenStyle & 0x40) ? node->att : e.att;
    if (!hasValidLayer(e.att) || !hasValidLayer(img.layer))
        return;
    img.source = resolveImagePath(info.fileName, d.BindImageFolder, jwwFileName);
    if (!GetImageSize(img.source, img.pw, img.ph))
        return;
    img.placing = imagePlacingOf(img.source);
    if (img.placing == ImagePlacing::None)
        return;
    img.w = info.reals[0];
    img.sx = e.start_x;
    img.sy = e.start_y;
    img.ex = e.end_x;
    img.ey = e.end_y;
    if (node) {
        img.inBlock = true;
        img.x = node->x;
        img.y = node->y;
        img.r1 = node->r1;
        img.r2 = node->r2;
        img.r3 = node->r3;
        img.r4 = node->r4;
    }
    out.push_back(std::move(img));
}

}  // namespace

ImagePlacing imagePlacingOf(QStringView path)
{
    const QString ext = common::ExtractExtLower(path);
    if (ext == u".tif" || ext == u".tiff" || ext == u".jpg" || ext == u".jpeg")
        return ImagePlacing::Copy;
    if (ext == u".bmp" || ext == u".gif" || ext == u".png" || ext == u".ico")
        return ImagePlacing::Convert;
    return ImagePlacing::None;
}

QString imageTargetName(const QString& path, ImagePlacing placing)
{
    const QString name = common::ExtractName(path);
    if (name.isEmpty() || placing != ImagePlacing::Convert)
        return name;
    return common::ReplaceExt(name, u".jpg");
}

QString resolveImagePath(const QString& path, const QString& bindImageFolder, const QString& jwwFileName)
{
    QString resolved = path;
    if (resolved.startsWith(QStringLiteral("%temp%")))
        resolved = bindImageFolder + resolved.mid(6);
    if (!common::FileExistsSafe(resolved)) {
        const QString retry = common::ExtractDir(jwwFileName) + resolved;
        if (common::FileExistsSafe(retry))
            return retry;
    }
    return resolved;
}

bool GetImageSize(const QString& path, int32_t& pw, int32_t& ph)
{
    pw = 0;
    ph = 0;
    if (!common::FileExistsSafe(path))
        return false;
    // The content decides: a name promises nothing about a file that came
    // with a drawing from elsewhere.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!isAcceptedFormat(format))
        return false;
    if (format == "ico")
        return icoFirstEntrySize(path, pw, ph);
    const QSize size = reader.size();
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    pw = size.width();
    ph = size.height();
    return true;
}

std::vector<AcceptedImage> acceptedImages(const TJwwData& d, const QString& jwwFileName)
{
    std::vector<AcceptedImage> out;
    const auto visitText = [&](const TEntJwwBlockDef* def, const TEntJwwNo& no, const TEntJwwBlockTree* node) {
        visitEntity(d, def, no, [&](const auto& e) {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TEntJwwMoji>)
                addIfAccepted(out, d, jwwFileName, e, node);
        });
    };
    for (const TEntJwwBlockTree& node : d.EntBlockTree) {
        if (node.defno < 0 || node.defno >= static_cast<int32_t>(d.EntBlockDef.size()))
            continue;
        const TEntJwwBlockDef& def = d.EntBlockDef[node.defno];
        for (const TEntJwwNo& no : def.mNo)
            visitText(&def, no, &node);
    }
    for (const TEntJwwNo& no : d.EntNo)
        visitText(nullptr, no, nullptr);
    return out;
}

}  // namespace convert
