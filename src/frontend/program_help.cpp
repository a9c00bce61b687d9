// The help and version texts of the front-end.
#include "frontend/program_help.h"

#include "common/file_locations.h"
#include "common/path_names.h"
#include "common/program_version.h"
#include "frontend/platform.h"

#include <algorithm>
#include <cstring>

namespace frontend {

namespace {

bool isHelp(const QString& arg)
{
    return arg == u"--help" || arg == u"-h";
}

void writeText(std::FILE* out, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fflush(out);
}

}  // namespace

bool isInfoOption(const char* firstArgument)
{
    return std::strcmp(firstArgument, "--help") == 0 || std::strcmp(firstArgument, "-h") == 0 ||
           std::strcmp(firstArgument, "--version") == 0;
}

std::optional<int> answerInfoRequest(const QStringList& args, const QString& programDir, std::FILE* out)
{
    if (args.isEmpty())
        return std::nullopt;
    if (args.first() == u"--version") {
        writeText(out, versionText() + u'\n');
        return 0;
    }
    bool help = isHelp(args.first());
    if (args.first() == u"--batch" || args.first() == u"--to-p21" || args.first() == u"--check") {
        const qsizetype end = args.indexOf(QStringLiteral("--"));
        const QStringList options = end < 0 ? args.mid(1) : args.mid(1, end - 1);
        help = std::any_of(options.begin(), options.end(), isHelp);
    }
    if (!help)
        return std::nullopt;
    writeText(out, usageText(programDir));
    return 0;
}

QString versionText()
{
    return QStringLiteral("Kestrune ") + common::programVersion();
}

QString usageText(const QString& programDir)
{
    const common::FileLocations where = common::fileLocations(programDir);
    return versionText() + QStringLiteral(
        ": converts Jw_cad drawings (.jww) into SXF files: the feature-comment\n"
        "file (.sfc), the formal delivery file (.p21), or both.\n"
        "\n"
        "usage: Kestrune [FILE.jww...] [FILE.sfc|FILE.p21...]\n"
        "       Kestrune --batch [--out DIR | --beside] [--format sfc|p21|both] [--jobs N]\n"
        "                [--no-check] [--] FILE.jww...\n"
        "       Kestrune --to-p21 [--out DIR] [--] FILE.sfc...\n"
        "       Kestrune --check [--json] [--] FILE.sfc|FILE.p21...\n"
        "       Kestrune --render FILE.sfc|FILE.p21 OUT.png [--width PIXELS] | OUT.pdf\n"
        "       Kestrune --help | --version\n"
        "\n"
        "Without --batch the window opens and converts the drawings named, into the\n"
        "output folder chosen in the window. With --batch there is no window: each\n"
        "drawing is converted into the saved output folder and the log goes to\n"
        "standard output. An .sfc or .p21 file opens in a preview window\n"
        "instead. --render writes a picture of an .sfc or .p21 file without a\n"
        "window: PNG (2400 pixels wide unless --width says) or PDF with the sheet\n"
        "at 1:1 in mm;\n"
        "it never replaces OUT and exits 0 when written, 1 when not, 2 for a\n"
        "wrong command line.\n"
        "\n"
        "  --out DIR   convert into DIR for this run (the saved choice stays)\n"
        "  --beside    convert beside each drawing for this run\n"
        "  --format F  write sfc, p21 or both (one name for the two files) for\n"
        "              this run; the saved choice (出力形式 on the settings page)\n"
        "              stays\n"
        "  --jobs N    convert up to N drawings at once (default: the number of\n"
        "              processor cores); the log, the names and the exit status\n"
        "              are the same as converting one after another (--jobs 1)\n"
        "  --no-check  do not check the written files (the saved setting checks\n"
        "              each one and logs what the check found)\n"
        "  --          what follows are drawings, even when they begin with \"-\"\n"
        "\n"
        "A file is never replaced: when plan.sfc exists, plan~1.sfc is written\n"
        "(then plan~2.sfc, ...); with both forms, plan~1.sfc and plan~1.p21.\n"
        "\n"
        "Exit status of --batch: 0 every drawing converted, 1 any drawing failed or\n"
        "was skipped (or the output folder is missing), 2 a wrong command line.\n"
        "\n"
        "--to-p21 writes existing .sfc files (of this or any other program) as\n"
        "P21 files, beside each or into DIR, under a free name (plan~1.p21 when\n"
        "plan.p21 exists). Exit status 0 every file converted, 1 any failed, 2 a\n"
        "wrong command line.\n"
        "\n"
        "--check checks SXF files (.sfc or .p21) the way clients' checking\n"
        "programs do and prints per file the number of errors and warnings, then\n"
        "one line per finding: its code, severity, feature number, line and\n"
        "description. With --json it prints one JSON object instead. Exit status:\n"
        "0 no file has an error, 1 any file has, 2 a wrong command line.\n"
        "\n") +
        QStringLiteral("Settings file: ") + where.settingsFile + u'\n' +
        QStringLiteral("Worker:        ") + common::IncludeDelim(programDir) + workerFileName() + u'\n';
}

}  // namespace frontend
