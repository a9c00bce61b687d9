// Copying the worker and its image codec module.
#include "tests/support/worker_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

QString copyWorker(const QString& root, bool withCodec)
{
    const QString program = QDir::toNativeSeparators(root + QStringLiteral("/bin/"));
    const QString codecFolder = program + QStringLiteral(KESTRUNE_IMAGE_CODEC_DIR);
    const QString codec = QStringLiteral(ONDRELLE_IMAGE_CODEC_FILE);
    if (!QDir().mkpath(program) || !QFile::copy(QStringLiteral(ONDRELLE_EXE), program + QStringLiteral("Ondrelle")))
        return {};
    if (withCodec
        && (!QDir().mkpath(codecFolder)
            || !QFile::copy(codec, codecFolder + QDir::separator() + QFileInfo(codec).fileName())))
        return {};
    return program;
}

}  // namespace testsupport
