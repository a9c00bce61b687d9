// The front-end program Kestrune:
//   Kestrune [FILE...]                          the batch window
//   Kestrune --batch [--out DIR | --beside] [--format F] [--jobs N] [--no-check] FILE...
//                                               the same batch without a window
//   Kestrune --to-p21 [--out DIR] FILE.sfc...   existing SFC files written as P21
//   Kestrune --check [--json] FILE...           checks SXF files (.sfc or .p21)
//   Kestrune --screenshot PNG [--during N PNG] [--out DIR | --beside] FILE... | PNG FILE.sfc
//                                               renders the window after its batch (and during file N)
//   Kestrune --render FILE.sfc|FILE.p21 OUT.png [--width N] | OUT.pdf
//                                               a picture of a drawing file, no display
//   Kestrune --help | --version | --batch --help   prints and exits
#include "common/command_line.h"
#include "common/interrupt_cleanup.h"
#include "frontend/check_command.h"
#include "frontend/headless_batch.h"
#include "frontend/output_check.h"
#include "frontend/platform.h"
#include "frontend/program_help.h"
#include "frontend/render_command.h"
#include "frontend/to_p21.h"
#include "frontend/window_program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // First, before any thread: a signal that stops the front-end stops its
    // workers too.
    common::installInterruptCleanup();
    // The headless batch, the conversion to P21, the check, help and version
    // need no display, so they run without the widget application.
    if (argc > 1 && (std::strcmp(argv[1], "--batch") == 0 || std::strcmp(argv[1], "--to-p21") == 0
                     || std::strcmp(argv[1], "--check") == 0 || frontend::isInfoOption(argv[1]))) {
        QCoreApplication app(argc, argv);
        frontend::attachParentConsole();
        const QStringList args = common::commandLineArguments(argc, argv);
        const QString programDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
        if (const auto status = frontend::answerInfoRequest(args, programDir, stdout))
            return *status;
        if (args.first() == u"--to-p21")
            return frontend::runToP21(args.mid(1), stdout, stderr);
        if (args.first() == u"--check")
            return frontend::runCheckCommand(args.mid(1), &frontend::checkSxfFile, stdout, stderr);
        const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        return frontend::runHeadlessBatch(args.mid(1), program, stdout, stderr);
    }
    if (argc > 1 && std::strcmp(argv[1], "--render") == 0) {
        frontend::useWindowlessPlatform();
        QGuiApplication app(argc, argv);
        frontend::attachParentConsole();
        return frontend::runRender(QCoreApplication::arguments().mid(2), stderr);
    }
    QApplication app(argc, argv);
    QStringList args = common::commandLineArguments(argc, argv);
    if (!args.isEmpty() && args.first() == u"--screenshot")
        return frontend::runScreenshot(args.mid(1));
    return frontend::runWindow(args);
}
