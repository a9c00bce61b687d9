// Windows ends a program (TerminateProcess, the end of a session) without a
// signal it could catch, and the worker has no console for Ctrl-C: there is
// nothing to install, and nothing registered would ever be used. Files that
// a stopped run leaves are named as temporaries and its image folder is
// cleared by the next run (common::removeAbandonedRunFolders).
#include "common/interrupt_cleanup.h"

namespace common {

void installInterruptCleanup() {}
void removeFileOnInterrupt(const QString&) {}
void keepFileOnInterrupt(const QString&) {}
void removeFolderOnInterrupt(const QString&) {}
void keepFolderOnInterrupt(const QString&) {}
void stopProcessOnInterrupt(qint64) {}
void forgetProcessOnInterrupt(qint64) {}

}  // namespace common
