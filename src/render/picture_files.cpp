// Writing PNG and PDF pictures of a scene.
#include "render/picture_files.h"

#include "common/file_move.h"
#include "render/scene_painter.h"
#include "render/view.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace render {

namespace {

// PDF device units: fine enough that the thinnest line (one unit) prints as
// a hairline.
constexpr int kPdfDotsPerInch = 1200;
constexpr double kPdfThinnestMm = 0.05;

bool paintPdf(const Scene& scene, const LayerVisibility& visible, QIODevice& out)
{
    const QRectF area = scene.area();
    QPdfWriter pdf(&out);
    pdf.setResolution(kPdfDotsPerInch);
    pdf.setPageSize(QPageSize(area.size(), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setCreator(QStringLiteral("Kestrune"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    View view;
    view.scale = kPdfDotsPerInch / 25.4;
    view.topLeft = QPointF(area.left(), area.bottom());
    PaintOptions options;
    options.minPenPx = kPdfThinnestMm * view.scale;
    options.tinyAsPixels = false;
    ScenePainter().paint(painter, scene, view, QSizeF(area.width(), area.height()) * view.scale, visible, options);
    return painter.end();
}

}  // namespace

QImage renderImage(const Scene& scene, const LayerVisibility& visible, int width)
{
    if (width < 1 || width > kMaxPngWidth)
        return {};
    const QRectF area = scene.area();
    const double margin = std::max(2.0, width * 0.02);
    const double drawn = width - 2 * margin;
    const double height = std::clamp(std::ceil(drawn * area.height() / area.width() + 2 * margin), 1.0, double(kMaxPngWidth));
    QImage image(width, int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QPainter painter(&image);
    ScenePainter().paint(painter, scene, fitView(area, image.size(), margin), image.size(), visible);
    painter.end();
    return image;
}

bool isPdfName(const QString& path)
{
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

QString writePicture(const Scene& scene, const LayerVisibility& visible, const QString& path, int width,
                     Existing existing)
{
    const QFileInfo target(path);
    if (existing == Existing::Keep && (target.exists() || target.isSymLink()))
        return QStringLiteral("同じ名前のファイルがあります（%1）").arg(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.kestrune-picture-XXXXXX"));
    if (!temp.open())
        return QStringLiteral("書き込めません（%1）").arg(target.absolutePath());
    bool written = false;
    if (isPdfName(path)) {
        written = paintPdf(scene, visible, temp);
    } else {
        const QImage image = renderImage(scene, visible, width);
        if (image.isNull())
            return QStringLiteral("画像を作れません（幅 %1 ピクセル）").arg(width);
        written = image.save(&temp, "PNG");
    }
    if (!written || !temp.flush())
        return QStringLiteral("書き込めません（%1）").arg(path);
    temp.close();
    if (existing == Existing::Replace && target.exists() && !QFile::remove(path))
        return QStringLiteral("置き換えられません（%1）").arg(path);
    switch (common::MoveFileNoReplace(temp.fileName(), path)) {
    case common::MoveResult::Moved:
        temp.setAutoRemove(false);
        // Temporary files are private to their owner; a picture is not.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        return {};
    case common::MoveResult::DestinationExists: return QStringLiteral("同じ名前のファイルがあります（%1）").arg(path);
    case common::MoveResult::Failed: break;
    }
    return QStringLiteral("書き込めません（%1）").arg(path);
}

}  // namespace render
