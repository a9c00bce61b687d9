// Atomic SFC output through QSaveFile: a temporary file in the destination
// folder, renamed into place by commit().
#include "worker/sfc/sfc_file.h"

#include <QSaveFile>

#include <exception>

namespace sfc {

bool writeSfcFile(const QString& fn, const std::function<void(SfcWriter&)>& body)
{
    if (fn.isEmpty())
        return false;
    QSaveFile file(fn);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    try {
        SfcWriter writer(file);
        body(writer);
        writer.flush();
    } catch (const std::exception&) {
        file.cancelWriting();
        return false;
    } catch (...) {
        file.cancelWriting();
        return false;
    }
    // commit() removes the temporary file itself when the rename fails.
    return file.commit();
}

}  // namespace sfc
