// The worker program: Ondrelle SOURCE.jww DESTINATION.sfc
#include "common/path_names.h"
#include "worker/worker_driver.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const QString exeDir = common::IncludeDelim(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    return worker::runWorker(args, exeDir);
}
