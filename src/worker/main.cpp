// The worker program: Ondrelle SOURCE.jww DESTINATION.sfc (or --help, --version)
#include "common/command_line.h"
#include "common/interrupt_cleanup.h"
#include "common/path_names.h"
#include "worker/worker_driver.h"
#include "worker/worker_help.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    // First, before anything is made that a signal should take away.
    common::installInterruptCleanup();
    QCoreApplication app(argc, argv);
    const QStringList args = common::commandLineArguments(argc, argv);
    const QString exeDir = common::IncludeDelim(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    if (const auto status = worker::answerInfoRequest(args, exeDir, stdout))
        return *status;
    return worker::runWorker(args, exeDir);
}
