// Finding the images a drawing places and reading their pixel sizes.
#include "worker/convert/image_source.h"

#include "common/file_ops.h"
#include "common/image_text.h"
#include "common/path_names.h"
#include "sxf/sfc_writer.h"
#include "worker/convert/image_codec_loader.h"
#include "worker/jww/entity_access.h"

#include <QHash>

namespace convert {

namespace {

using namespace jww;

// The file an image path names, once resolved and its header read.
struct ImageFile {
    QString source;
    int32_t pw = 0, ph = 0;
    bool readable = false;
};

// Collects the accepted images. A path is resolved and its header read once
// per run, however many placements show the image.
class ImageCollector {
public:
    ImageCollector(const TJwwData& d, const QString& jwwFileName) : m_d(d), m_jwwFileName(jwwFileName) {}

    // Adds the image that text `e` places when it passes every filter.
    void add(const TEntJwwMoji& e, const TEntJwwBlockTree* node);

    std::vector<AcceptedImage> take() { return std::move(m_out); }

private:
    const ImageFile& fileOf(const QString& path);

    const TJwwData& m_d;
    const QString& m_jwwFileName;
    QHash<QString, ImageFile> m_files;
    std::vector<AcceptedImage> m_out;
};

const ImageFile& ImageCollector::fileOf(const QString& path)
{
    auto it = m_files.find(path);
    if (it == m_files.end()) {
        ImageFile file;
        file.source = resolveImagePath(path, m_d.BindImageFolder, m_jwwFileName);
        file.readable = GetImageSize(file.source, file.pw, file.ph);
        it = m_files.insert(path, file);
    }
    return *it;
}

void ImageCollector::add(const TEntJwwMoji& e, const TEntJwwBlockTree* node)
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
    const ImageFile& file = fileOf(info.fileName);
    if (!file.readable)
        return;
    img.source = file.source;
    img.pw = file.pw;
    img.ph = file.ph;
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
    m_out.push_back(std::move(img));
}

// The image texts among the members of each definition, in member order:
// looked for once per definition rather than once per placement, which a
// definition placed many times inside another would multiply.
std::vector<std::vector<const TEntJwwMoji*>> imageTextsByDefinition(const TJwwData& d)
{
    std::vector<std::vector<const TEntJwwMoji*>> texts(d.EntBlockDef.size());
    for (size_t i = 0; i < d.EntBlockDef.size(); ++i) {
        for (const TEntJwwNo& no : d.EntBlockDef[i].mNo) {
            visitEntity(d, &d.EntBlockDef[i], no, [&](const auto& e) {
                if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TEntJwwMoji>) {
                    if (common::IsImageText(e.str))
                        texts[i].push_back(&e);
                }
            });
        }
    }
    return texts;
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
    const QString name = sxf::safeSfcString(common::ExtractName(path));
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
    return codecImageSize(path, pw, ph);
}

std::vector<AcceptedImage> acceptedImages(const TJwwData& d, const QString& jwwFileName)
{
    ImageCollector images(d, jwwFileName);
    const std::vector<std::vector<const TEntJwwMoji*>> blockImages = imageTextsByDefinition(d);
    for (const TEntJwwBlockTree& node : d.EntBlockTree) {
        if (node.defno < 0 || node.defno >= static_cast<int32_t>(d.EntBlockDef.size()))
            continue;
        for (const TEntJwwMoji* text : blockImages[static_cast<size_t>(node.defno)])
            images.add(*text, &node);
    }
    for (const TEntJwwNo& no : d.EntNo) {
        visitEntity(d, nullptr, no, [&](const auto& e) {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TEntJwwMoji>)
                images.add(e, nullptr);
        });
    }
    return images.take();
}

}  // namespace convert
