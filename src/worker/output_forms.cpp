// Destinations by form.
#include "worker/output_forms.h"

#include "common/path_names.h"

namespace worker {

QStringList Destinations::paths() const
{
    QStringList all;
    for (const QString& path : {sfc, p21}) {
        if (!path.isEmpty())
            all.append(path);
    }
    return all;
}

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

}  // namespace worker
