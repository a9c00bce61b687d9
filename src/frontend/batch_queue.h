// The files waiting to be converted. Every arrival (a drop, a pick in the
// file dialog, the command line) becomes one batch; arrivals during a
// running batch wait here and run after it, in the order they came.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>

namespace frontend {

class BatchQueue {
public:
    // True when `fn` is worth converting: not empty, with the extension
    // ".jww" in any case, naming an existing regular file (FileExistsSafe).
    static bool PickupFile(const QString& fn);

    // Queues the files of one arrival that PickupFile accepts, in order, as
    // absolute paths with the platform's separators (the worker needs full
    // paths). An arrival with no such file queues nothing. Returns the number
    // of files queued.
    int addArrival(const QStringList& candidates);

    bool isEmpty() const { return m_batches.empty(); }
    // The files of the oldest waiting batch, removed from the queue; empty
    // when nothing waits.
    QStringList takeNext();
    // Forgets every waiting batch.
    void clear() { m_batches.clear(); }

private:
    std::deque<QStringList> m_batches;
};

}  // namespace frontend
