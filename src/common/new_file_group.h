// New files that get their names together: an output and the pictures it
// names, or the two forms of one drawing, appear as one or not at all.
#pragma once

#include "common/file_move.h"
#include "common/new_file.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace common {

class NewFileGroup {
public:
    NewFileGroup() = default;
    // Removes the files commit() named, unless keep() was called.
    ~NewFileGroup();
    NewFileGroup(const NewFileGroup&) = delete;
    NewFileGroup& operator=(const NewFileGroup&) = delete;

    // Adds `file`, finished (NewFile::finish), to be named `target` (in its
    // own folder) by commit(). Files are named in the order they are added.
    void add(const QString& target, std::unique_ptr<NewFile> file);

    // Gives each file added its name. Returns Moved when all have it;
    // DestinationExists when one of the names was taken meanwhile (by
    // another program) and Failed when naming failed otherwise, both naming
    // that file in failedName() and leaving none of the group named. Until
    // keep(), a named file is removed when the program is stopped by a
    // signal (interrupt_cleanup.h).
    MoveResult commit();
    // The files are final: whatever happens to the program now, they stay.
    void keep();
    // Throws every file of the group away, named or not (not after keep()).
    void discard();

    // The file name (without folder) of the file that could not be named.
    const QString& failedName() const { return m_failedName; }
    // The files commit() named, full paths.
    const QStringList& named() const { return m_named; }

private:
    void removeNamed();

    struct Pending {
        QString target;
        std::unique_ptr<NewFile> file;
    };
    std::vector<Pending> m_files;
    QStringList m_named;
    QString m_failedName;
    bool m_kept = false;
};

}  // namespace common
