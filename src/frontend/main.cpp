// The front-end program Kestrune:
//   Kestrune [FILE...]                          the batch window
//   Kestrune --batch [--out DIR | --beside] [--jobs N] [--no-check] FILE...
//                                               the same batch without a window
//   Kestrune --check [--json] FILE.sfc...       checks SXF files
//   Kestrune --screenshot PNG [--during N PNG] [--out DIR | --beside] FILE...
//                                               renders the window after its batch (and during file N)
//   Kestrune --help | --version | --batch --help   prints and exits
#include "frontend/check_command.h"
#include "frontend/headless_batch.h"
#include "frontend/output_check.h"
#include "frontend/platform.h"
#include "frontend/program_help.h"
#include "frontend/window_program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // The headless batch, help and version need no display, so they run
    // without the widget application.
    if (argc > 1 && (std::strcmp(argv[1], "--batch") == 0 || std::strcmp(argv[1], "--check") == 0
                     || frontend::isInfoOption(argv[1]))) {
        QCoreApplication app(argc, argv);
        frontend::attachParentConsole();
        const QStringList args = QCoreApplication::arguments().mid(1);
        const QString programDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
        if (const auto status = frontend::answerInfoRequest(args, programDir, stdout))
            return *status;
        if (args.first() == u"--check")
            return frontend::runCheckCommand(args.mid(1), &frontend::checkSfcFile, stdout, stderr);
        const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        return frontend::runHeadlessBatch(args.mid(1), program, stdout, stderr);
    }
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && args.first() == u"--screenshot")
        return frontend::runScreenshot(args.mid(1));
    return frontend::runWindow(args);
}
