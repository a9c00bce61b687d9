// The --render command.
#include "frontend/render_command.h"

#include "frontend/command_options.h"
#include "frontend/preview/drawing_file.h"
#include "render/picture_files.h"

#include <QFileInfo>

namespace frontend {

namespace {

const char kUsage[] =
    "usage: Kestrune --render FILE.sfc|FILE.p21 OUT.png [--width PIXELS]\n"
    "       Kestrune --render FILE.sfc|FILE.p21 OUT.pdf\n";

int usage(std::FILE* err)
{
    std::fputs(kUsage, err);
    return kRenderUsage;
}

}  // namespace

int runRender(const QStringList& args, std::FILE* err)
{
    QStringList names;
    int width = render::kDefaultPngWidth;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--width") {
            bool ok = false;
            width = i + 1 < args.size() ? args[i + 1].toInt(&ok) : 0;
            if (!ok || width < 1 || width > render::kMaxPngWidth)
                return usage(err);
            ++i;
        } else {
            names.append(args[i]);
        }
    }
    const bool png = names.size() == 2 && names[1].endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    if (names.size() != 2 || !(png || render::isPdfName(names[1])))
        return usage(err);
    const QString& source = names[0];
    const QString& out = names[1];
    if (QFileInfo::exists(out)) {
        writeLine(err, QStringLiteral("%1: 同じ名前のファイルがあります").arg(out));
        return kRenderFailed;
    }
    const LoadedDrawing loaded = loadDrawingFile(source);
    if (!loaded.document) {
        writeLine(err, QStringLiteral("%1: %2").arg(source, loaded.error));
        return kRenderFailed;
    }
    const PreviewDocument& doc = *loaded.document;
    const QString error = render::writePicture(*doc.scene, render::initialVisibility(*doc.drawing), out, width,
                                               render::Existing::Keep);
    if (!error.isEmpty()) {
        writeLine(err, error);
        return kRenderFailed;
    }
    return kRenderWritten;
}

}  // namespace frontend
