// A new file written in full before anyone sees it under its name: the
// program's outputs (SFC files, images beside them, the settings file) never
// appear half written, and a failed or stopped run leaves nothing behind.
#pragma once

#include "common/file_move.h"

#include <QFile>
#include <QString>

namespace common {

class NewFile {
public:
    // Creates the file in the folder `folder`. Where the system allows it
    // (Linux), the file has no name at all until it is committed, so that no
    // way of stopping the program, SIGKILL included, leaves it behind.
    // Elsewhere it has a hidden temporary name, "." + `tag` + "-" + random +
    // ".tmp", which the destructor removes and so does a SIGTERM, SIGINT or
    // SIGHUP (interrupt_cleanup.h). isOpen() tells whether the file could be
    // created.
    NewFile(const QString& folder, const QString& tag);
    // Discards the file unless it was committed.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    // The file, open for writing through Qt's buffer.
    QFile& file() { return m_file; }

    // Writes out the buffer and closes the file for writing. True only when
    // every byte written through file() has reached the file system: a full
    // disk or a failed write shows here at the latest, however the writer
    // noticed it.
    bool finish();
    // Gives the finished file the name `target` (in the same folder) in one
    // step that fails when anything has that name, a link to nowhere
    // included. On any result but Moved the file stays as it was, and may be
    // committed under another name.
    MoveResult commit(const QString& target);
    // The same, replacing a file that has the name `target`. False, with the
    // file at `target` untouched, on any error.
    bool commitReplacing(const QString& target);

private:
    bool openTemporary();
    void discard();

    QString m_folder;
    QString m_tag;
    QFile m_file;
    int m_unnamed = -1;    // the handle of a file without a name, or -1
    QString m_temporary;   // the temporary name otherwise
    bool m_finished = false;
    bool m_committed = false;
};

}  // namespace common
