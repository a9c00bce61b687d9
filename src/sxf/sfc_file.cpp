// Complete SFC output: a new file beside the destination that gets its name
// only when complete, without replacing anything.
#include "sxf/sfc_file.h"

#include "common/new_file.h"
#include "common/path_names.h"

#include <QFileInfo>

namespace sxf {
namespace {

bool writeBody(QFile& file, const std::function<void(SfcWriter&)>& body)
{
    try {
        SfcWriter writer(file);
        body(writer);
        writer.flush();
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

SfcFileResult writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body,
                           const std::function<bool()>& beforeNaming)
{
    if (fn.isEmpty())
        return SfcFileResult::CannotWrite;
    common::NewFile file(common::IncludeDelim(QFileInfo(fn).absolutePath()), QStringLiteral("Ondrelle"));
    if (!file.isOpen())
        return SfcFileResult::CannotWrite;
    // Both the writer and the final flush must have put every byte down.
    const bool written = writeBody(file.file(), body);
    if (!file.finish() || !written)
        return SfcFileResult::CannotWrite;
    if (beforeNaming && !beforeNaming())
        return SfcFileResult::Abandoned;
    switch (file.commit(fn)) {
    case common::MoveResult::Moved:
        return SfcFileResult::Written;
    case common::MoveResult::DestinationExists:
        return SfcFileResult::DestinationExists;
    case common::MoveResult::Failed:
        break;
    }
    return SfcFileResult::CannotWrite;
}

}  // namespace sxf
