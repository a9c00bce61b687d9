// The front-end program Kestrune:
//   Kestrune [FILE...]                          the batch window
//   Kestrune --batch [--out DIR | --beside] FILE...   the same batch without a window
//   Kestrune --screenshot PNG [--during N PNG] [--out DIR | --beside] FILE...
//                                               renders the window after its batch (and during file N)
#include "frontend/headless_batch.h"
#include "frontend/platform.h"
#include "frontend/window_program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // The headless batch needs no display, so it runs without the widget
    // application.
    if (argc > 1 && std::strcmp(argv[1], "--batch") == 0) {
        QCoreApplication app(argc, argv);
        frontend::attachParentConsole();
        const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        return frontend::runHeadlessBatch(QCoreApplication::arguments().mid(2), program, stdout, stderr);
    }
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && args.first() == u"--screenshot")
        return frontend::runScreenshot(args.mid(1));
    return frontend::runWindow(args);
}
