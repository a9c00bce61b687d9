// Picking up files and queueing batches.
#include "frontend/batch_queue.h"

#include "common/file_ops.h"
#include "common/path_names.h"

#include <QDir>
#include <QFileInfo>

namespace frontend {

bool BatchQueue::PickupFile(const QString& fn)
{
    return !fn.isEmpty() && common::ExtractExtLower(fn) == u".jww" && common::FileExistsSafe(fn);
}

int BatchQueue::addArrival(const QStringList& candidates)
{
    QStringList FList;
    for (const QString& fn : candidates) {
        if (PickupFile(fn))
            FList.append(QDir::toNativeSeparators(QFileInfo(fn).absoluteFilePath()));
    }
    if (!FList.isEmpty())
        m_batches.push_back(FList);
    return int(FList.size());
}

QStringList BatchQueue::takeNext()
{
    if (m_batches.empty())
        return {};
    QStringList next = std::move(m_batches.front());
    m_batches.pop_front();
    return next;
}

}  // namespace frontend
