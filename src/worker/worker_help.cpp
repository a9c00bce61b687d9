// The worker's help and version texts.
#include "worker/worker_help.h"

#include "common/file_locations.h"
#include "common/program_version.h"

namespace worker {

namespace {

QString usageText(const QString& exeDir)
{
    return QStringLiteral(
               "Ondrelle %1: converts one Jw_cad drawing into SXF: the feature-comment\n"
               "file (.sfc), the formal delivery file (.p21), or both.\n"
               "\n"
               "usage: Ondrelle SOURCE.jww DESTINATION.sfc\n"
               "       Ondrelle SOURCE.jww DESTINATION.p21\n"
               "       Ondrelle SOURCE.jww DESTINATION.sfc DESTINATION.p21\n"
               "       Ondrelle --help | --version\n"
               "\n"
               "A destination ending in .p21 (in any case) gets P21, any other SFC; the\n"
               "P21 file is the SFC of the same run read back. No destination may exist;\n"
               "each appears only when complete, and with two, both or neither. The\n"
               "options come from the settings file that Kestrune writes, which must\n"
               "exist. Exit status 0 when every destination was written, 1 otherwise\n"
               "(with one line on standard error saying why).\n"
               "\n"
               "Settings file: %2\n")
        .arg(common::programVersion(), common::fileLocations(exeDir).settingsFile);
}

}  // namespace

std::optional<int> answerInfoRequest(const QStringList& args, const QString& exeDir, std::FILE* out)
{
    if (args.size() != 1)
        return std::nullopt;
    QString text;
    if (args.first() == u"--version")
        text = QStringLiteral("Ondrelle ") + common::programVersion() + u'\n';
    else if (args.first() == u"--help" || args.first() == u"-h")
        text = usageText(exeDir);
    else
        return std::nullopt;
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fflush(out);
    return 0;
}

}  // namespace worker
