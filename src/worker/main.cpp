// The worker program: Ondrelle SOURCE.jww DESTINATION.sfc (or --help, --version)
#include "common/path_names.h"
#include "worker/worker_driver.h"
#include "worker/worker_help.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const QString exeDir = common::IncludeDelim(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    if (const auto status = worker::answerInfoRequest(args, exeDir, stdout))
        return *status;
    return worker::runWorker(args, exeDir);
}
