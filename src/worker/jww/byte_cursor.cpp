// The slow side of the cursor: moving its window through a file.
#include "worker/jww/byte_cursor.h"

#include <QIODevice>

#include <algorithm>

namespace jww {
namespace {

// Large enough that refills are rare next to the records read from each,
// small enough to stay in the cache while it is parsed.
constexpr qsizetype kWindowBytes = qsizetype{1} << 16;

const uint8_t* bytesOf(QByteArrayView view)
{
    return reinterpret_cast<const uint8_t*>(view.data());
}

}  // namespace

ByteCursor::ByteCursor(QByteArrayView bytes)
    : m_window(bytesOf(bytes)), m_at(m_window), m_end(m_window + bytes.size()), m_size(bytes.size())
{
}

ByteCursor::ByteCursor(QIODevice& file, qint64 size)
    : m_file(&file), m_fileStart(file.pos()), m_size(std::max<qint64>(size, 0))
{
    restartAt(0);
}

void ByteCursor::restartAt(qsizetype pos)
{
    m_windowPos = pos;
    m_window = m_at = m_end = bytesOf(m_buffer);
}

const uint8_t* ByteCursor::takeSlow(qsizetype n)
{
    if (!has(n) || !fill(n)) {
        m_failed = true;
        return nullptr;
    }
    const uint8_t* p = m_at;
    m_at += n;
    return p;
}

bool ByteCursor::fill(qsizetype n)
{
    if (!m_file)
        return false;
    // Keep the bytes not read yet, at the start of a window large enough for
    // `n` of them.
    const qsizetype kept = m_end - m_at;
    const qsizetype start = pos();
    const qsizetype width = std::max(n, kWindowBytes);  // a long record widens the window
    if (m_buffer.size() < width) {
        QByteArray wider(width, Qt::Uninitialized);
        if (kept > 0)
            std::memcpy(wider.data(), m_at, static_cast<size_t>(kept));
        m_buffer.swap(wider);
    } else if (kept > 0) {
        std::memmove(m_buffer.data(), m_at, static_cast<size_t>(kept));
    }
    char* data = m_buffer.data();
    const qsizetype wanted = std::min(m_buffer.size(), m_size - start) - kept;
    qsizetype got = 0;
    while (got < wanted) {
        const qint64 r = m_file->read(data + kept + got, wanted - got);
        if (r <= 0)
            break;
        got += r;
    }
    m_windowPos = start;
    m_window = m_at = bytesOf(m_buffer);
    m_end = m_window + kept + got;
    if (got < wanted)
        m_size = start + kept + got;  // the file ended early: so does the input
    return n <= m_end - m_at;
}

void ByteCursor::rewind(const Mark& mark)
{
    m_failed = mark.failed;
    if (mark.pos >= m_windowPos && mark.pos <= m_windowPos + (m_end - m_window)) {
        m_at = m_window + (mark.pos - m_windowPos);
        return;
    }
    // Only a file cursor moves its window away from a mark.
    if (!m_file->seek(m_fileStart + mark.pos))
        m_failed = true;
    restartAt(mark.pos);
}

}  // namespace jww
