// Image frames and their placements.
#include "worker/convert/image_converter.h"

#include "common/geometry.h"
#include "sxf/geometric_features.h"
#include "sxf/structure_features.h"

#include <array>
#include <cmath>

namespace convert {

namespace {

// The corners of the frame: its start, its height along A + 90 degrees and
// its width along A, closed back to the start.
std::array<sxf::T2DPoint, 5> frameOf(const AcceptedImage& img, double paperX, double paperY)
{
    const double a = common::AngleOf(img.ex - img.sx, img.ey - img.sy);
    const double height = img.w * img.ph / img.pw;
    double x0 = img.sx + paperX / 2, y0 = img.sy + paperY / 2;
    double width = img.w, high = height, angle = a;
    if (img.inBlock) {
        const auto T = [&](double px, double py) {
            return sxf::T2DPoint{img.x + paperX / 2 + img.r1 * px + img.r2 * py,
                                 img.y + paperY / 2 + img.r3 * px + img.r4 * py};
        };
        const sxf::T2DPoint p0 = T(img.sx, img.sy);
        const sxf::T2DPoint pw = T(img.sx + img.w * std::cos(a), img.sy + img.w * std::sin(a));
        const sxf::T2DPoint ph = T(img.sx - height * std::sin(a), img.sy + height * std::cos(a));
        x0 = p0.x;
        y0 = p0.y;
        width = std::hypot(pw.x - p0.x, pw.y - p0.y);
        high = std::hypot(ph.x - p0.x, ph.y - p0.y);
        angle = common::AngleOf(pw.x - p0.x, pw.y - p0.y);
    }
    const double up = angle + common::kPi / 2;
    const sxf::T2DPoint p0{x0, y0};
    const sxf::T2DPoint p1{x0 + high * std::cos(up), y0 + high * std::sin(up)};
    const sxf::T2DPoint p2{p1.x + width * std::cos(angle), p1.y + width * std::sin(angle)};
    const sxf::T2DPoint p3{x0 + width * std::cos(angle), y0 + width * std::sin(angle)};
    return {p0, p1, p2, p3, p0};
}

}  // namespace

QString imageSymbolName(int k, const QString& targetName)
{
    return QStringLiteral("$$ATRU$$") + QString::number(100 + k) + QStringLiteral("$$画像") + QString::number(k)
           + QStringLiteral("$$画像$$") + targetName;
}

void procSfcDataImageDef(ConversionContext& ctx, const std::vector<AcceptedImage>& images)
{
    int k = 0;
    for (const AcceptedImage& img : images) {
        ++k;
        const int32_t layer = ctx.tables.DatLay[img.layer.nGLayer * 16 + img.layer.nLayer].no;
        const std::array<sxf::T2DPoint, 5> frame = frameOf(img, ctx.PaperSizeX, ctx.PaperSizeY);
        sxf::procSfcPolyLine(ctx.f, {layer, 1, 1, 1}, 5, frame);
        sxf::procSfcBlockDef(ctx.f, imageSymbolName(k, img.name), 3);
    }
}

void procSfcDataImages(ConversionContext& ctx, const std::vector<AcceptedImage>& images)
{
    int k = 0;
    for (const AcceptedImage& img : images) {
        ++k;
        sxf::procSfcBlock(ctx.f, 0, imageSymbolName(k, img.name), 0, 0, 0, 1, 1);
    }
}

}  // namespace convert
