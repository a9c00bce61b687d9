// Naming a group of new files, all or none.
#include "common/new_file_group.h"

#include "common/interrupt_cleanup.h"
#include "common/path_names.h"

#include <QFile>

namespace common {

NewFileGroup::~NewFileGroup()
{
    if (!m_kept)
        removeNamed();
}

void NewFileGroup::add(const QString& target, std::unique_ptr<NewFile> file)
{
    m_files.push_back({target, std::move(file)});
}

MoveResult NewFileGroup::commit()
{
    for (Pending& pending : m_files) {
        const MoveResult result = pending.file->commit(pending.target);
        if (result != MoveResult::Moved) {
            m_failedName = ExtractName(pending.target);
            removeNamed();
            return result;
        }
        // Until the whole group is in place, the file goes with a run that
        // is stopped.
        removeFileOnInterrupt(pending.target);
        m_named.append(pending.target);
    }
    m_files.clear();
    return MoveResult::Moved;
}

void NewFileGroup::keep()
{
    m_kept = true;
    for (const QString& path : m_named)
        keepFileOnInterrupt(path);
}

void NewFileGroup::discard()
{
    if (m_kept)
        return;
    removeNamed();
    // A file without a name is gone with its handle.
    m_files.clear();
}

void NewFileGroup::removeNamed()
{
    for (const QString& path : m_named) {
        QFile::remove(path);
        keepFileOnInterrupt(path);
    }
    m_named.clear();
}

}  // namespace common
