// New files: without a name where the system allows, else under a hidden
// temporary name that is removed again on every way out but SIGKILL.
#include "common/new_file.h"

#include "common/interrupt_cleanup.h"
#include "common/path_names.h"

#include <QRandomGenerator>

namespace common {

namespace {

constexpr int kNameAttempts = 100;

// A short hidden name, so that a destination near the length limit of its
// file system still leaves room for it.
QString temporaryName(const QString& folder, const QString& tag)
{
    return folder + u'.' + tag + u'-' + QString::number(QRandomGenerator::global()->generate(), 36)
           + QStringLiteral(".tmp");
}

}  // namespace

NewFile::NewFile(const QString& folder, const QString& tag) : m_tag(tag)
{
    if (folder.isEmpty())
        return;
    m_folder = IncludeDelim(folder);
    m_unnamed = OpenUnnamedFile(m_folder);
    if (m_unnamed >= 0) {
        if (m_file.open(m_unnamed, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return;
        CloseUnnamedFile(m_unnamed);
        m_unnamed = -1;
    }
    openTemporary();
}

NewFile::~NewFile()
{
    if (!m_committed)
        discard();
    CloseUnnamedFile(m_unnamed);
}

bool NewFile::openTemporary()
{
    for (int i = 0; i < kNameAttempts; ++i) {
        const QString name = temporaryName(m_folder, m_tag);
        m_file.setFileName(name);
        // NewOnly: never open a file that another program is writing. Only
        // a file this run made is removed at a signal.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            removeFileOnInterrupt(name);
            m_temporary = name;
            return true;
        }
        if (!QFile::exists(name))
            return false;  // refused for another reason than a taken name
    }
    return false;
}

bool NewFile::finish()
{
    if (!m_file.isOpen())
        return m_finished;
    const bool flushed = m_file.flush();
    const bool clean = m_file.error() == QFileDevice::NoError;
    // Closing a named file may report what the flush could not.
    m_file.close();
    m_finished = flushed && clean && m_file.error() == QFileDevice::NoError;
    return m_finished;
}

MoveResult NewFile::commit(const QString& target)
{
    if (!m_finished || m_committed || target.isEmpty())
        return MoveResult::Failed;
    const MoveResult result =
        m_unnamed >= 0 ? NameUnnamedFile(m_unnamed, target) : MoveFileNoReplace(m_temporary, target);
    if (result == MoveResult::Moved) {
        m_committed = true;
        if (!m_temporary.isEmpty())
            keepFileOnInterrupt(m_temporary);
    }
    return result;
}

bool NewFile::commitReplacing(const QString& target)
{
    if (!m_finished || m_committed || target.isEmpty())
        return false;
    if (m_unnamed >= 0) {
        // Only a named file can replace another: name it first, hidden.
        for (int i = 0; i < kNameAttempts && m_temporary.isEmpty(); ++i) {
            const QString name = temporaryName(m_folder, m_tag);
            const MoveResult named = NameUnnamedFile(m_unnamed, name);
            if (named == MoveResult::Failed)
                return false;
            if (named == MoveResult::Moved) {
                removeFileOnInterrupt(name);
                m_temporary = name;
            }
        }
        if (m_temporary.isEmpty())
            return false;
    }
    if (!MoveFileReplacing(m_temporary, target))
        return false;
    keepFileOnInterrupt(m_temporary);
    m_committed = true;
    return true;
}

void NewFile::discard()
{
    if (m_file.isOpen())
        m_file.close();
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        keepFileOnInterrupt(m_temporary);
    }
}

}  // namespace common
