// Complete SFC output: a temporary file beside the destination, renamed
// into place without replacing anything.
#include "sxf/sfc_file.h"

#include "common/file_move.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace sxf {
namespace {

constexpr int kNameAttempts = 100;

// Opens a file that did not exist before in the folder of `fn`, named like
// ".Ondrelle-k2x9q1.tmp" (short, so that a destination name near the length
// limit still leaves room). NewOnly makes the creation fail rather than open
// a file that another run is writing.
bool openTemporary(QFile& file, const QString& fn)
{
    const QString folder = QFileInfo(fn).absolutePath() + u'/';
    for (int i = 0; i < kNameAttempts; ++i) {
        const QString tag = QString::number(QRandomGenerator::global()->generate(), 36);
        file.setFileName(folder + QStringLiteral(".Ondrelle-") + tag + QStringLiteral(".tmp"));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (!QFile::exists(file.fileName()))
            return false;  // refused for another reason than a taken name
    }
    return false;
}

bool writeBody(QFile& file, const std::function<void(SfcWriter&)>& body)
{
    try {
        SfcWriter writer(file);
        body(writer);
        writer.flush();
    } catch (...) {
        return false;
    }
    file.close();
    return file.error() == QFileDevice::NoError;
}

}  // namespace

SfcFileResult writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body)
{
    if (fn.isEmpty())
        return SfcFileResult::CannotWrite;
    QFile file;
    if (!openTemporary(file, fn))
        return SfcFileResult::CannotWrite;
    if (!writeBody(file, body)) {
        file.close();
        file.remove();
        return SfcFileResult::CannotWrite;
    }
    switch (common::MoveFileNoReplace(file.fileName(), fn)) {
    case common::MoveResult::Moved:
        return SfcFileResult::Written;
    case common::MoveResult::DestinationExists:
        file.remove();
        return SfcFileResult::DestinationExists;
    case common::MoveResult::Failed:
        break;
    }
    file.remove();
    return SfcFileResult::CannotWrite;
}

}  // namespace sxf
