// Complete SFC output: a new file beside the destination that gets its name
// only when complete, without replacing anything.
#include "sxf/sfc_file.h"

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

std::unique_ptr<common::NewFile> writeUnnamedFile(const QString& fn, const std::function<void(SfcWriter&)>& body)
{
    if (fn.isEmpty())
        return nullptr;
    auto file = std::make_unique<common::NewFile>(common::IncludeDelim(QFileInfo(fn).absolutePath()),
                                                  QStringLiteral("Ondrelle"));
    if (!file->isOpen())
        return nullptr;
    // Both the writer and the final flush must have put every byte down.
    const bool written = writeBody(file->file(), body);
    if (!file->finish() || !written)
        return nullptr;
    return file;
}

SfcFileResult writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body)
{
    const std::unique_ptr<common::NewFile> file = writeUnnamedFile(fn, body);
    if (!file)
        return SfcFileResult::CannotWrite;
    switch (file->commit(fn)) {
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
