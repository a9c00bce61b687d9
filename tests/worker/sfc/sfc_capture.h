// In-memory SFC output for the writer tests: whole records as bytes, and
// whole framed files for the parser tests.
#pragma once

#include "worker/sfc/sfc_frame.h"
#include "worker/sfc/sfc_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>

#include <functional>

namespace sfctest {

// A writer whose bytes stay in memory.
class RecordCapture {
public:
    RecordCapture() { m_buffer.open(QIODevice::WriteOnly); }

    sfc::SfcWriter& f() { return m_writer; }

    // Everything written since the last call.
    QByteArray take()
    {
        m_writer.flush();
        const QByteArray bytes = m_buffer.data();
        m_buffer.buffer().clear();
        m_buffer.seek(0);
        return bytes;
    }

private:
    QBuffer m_buffer;
    sfc::SfcWriter m_writer {m_buffer};
};

// The four lines of a record around `featureLine`.
inline QByteArray record(const QByteArray& featureLine)
{
    return "/*SXF\r\n" + featureLine + "\r\nSXF*/\r\n\r\n";
}

// A whole file: header for plan.sfc, the records `body` writes, footer.
inline QByteArray framedSfc(const std::function<void(sfc::SfcWriter&)>& body)
{
    RecordCapture capture;
    sfc::procSfcHeader(QStringLiteral("/out/plan.sfc"), capture.f(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    body(capture.f());
    sfc::procSfcFooter(capture.f());
    return capture.take();
}

}  // namespace sfctest
