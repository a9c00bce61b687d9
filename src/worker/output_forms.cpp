// Destinations by form, and the P21 file.
#include "worker/output_forms.h"

#include "common/path_names.h"
#include "sxf/p21_writer.h"

namespace worker {

std::optional<Destinations> parseDestinations(const QStringList& paths)
{
    if (paths.isEmpty() || paths.size() > 2)
        return std::nullopt;
    Destinations d;
    for (const QString& path : paths) {
        QString& slot = common::ExtractExtLower(path) == u".p21" ? d.p21 : d.sfc;
        if (!slot.isEmpty())
            return std::nullopt;
        slot = path;
    }
    return d;
}

sxf::SfcFileResult writeP21File(const QString& fn, const sxf::Drawing& drawing, int& leftOut)
{
    sxf::P21Options options;
    options.fileName = common::ExtractName(fn);
    return sxf::writeSfcFile(fn, [&](sxf::SfcWriter& f) {
        sxf::Findings findings;
        sxf::writeP21(drawing, [&f](std::string_view bytes) { f.writeBytes(bytes); }, options, &findings);
        leftOut = int(findings.size());
    });
}

}  // namespace worker
