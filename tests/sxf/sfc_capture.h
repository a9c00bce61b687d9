// In-memory SFC output for the writer tests: whole records as bytes, and
// whole framed files for the parser tests.
#pragma once

#include "sxf/sfc_frame.h"
#include "sxf/sfc_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>

#include <gtest/gtest.h>

#include <functional>
#include <span>

namespace sfctest {

// A writer whose bytes stay in memory.
class RecordCapture {
public:
    RecordCapture() { m_buffer.open(QIODevice::WriteOnly); }

    sxf::SfcWriter& f() { return m_writer; }

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
    sxf::SfcWriter m_writer {m_buffer};
};

// The four lines of a record around `featureLine`.
inline QByteArray record(const QByteArray& featureLine)
{
    return "/*SXF\r\n" + featureLine + "\r\nSXF*/\r\n\r\n";
}

// One writer call and the feature line it must write as feature `number`.
struct WriterCase {
    int32_t number;
    std::function<void(sxf::SfcWriter&)> write;
    QByteArray line;
};

// Runs every case on a fresh writer numbered from its `number`: the whole
// four-line record must match, and the number must advance by 10.
inline void expectWrites(std::span<const WriterCase> cases)
{
    for (const WriterCase& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        RecordCapture capture;
        capture.f().SXFnum = c.number;
        c.write(capture.f());
        EXPECT_EQ(capture.take(), record(c.line));
        EXPECT_EQ(capture.f().SXFnum, c.number + 10);
    }
}

// A whole file: header for plan.sfc, the records `body` writes, footer.
inline QByteArray framedSfc(const std::function<void(sxf::SfcWriter&)>& body)
{
    RecordCapture capture;
    sxf::procSfcHeader(QStringLiteral("/out/plan.sfc"), capture.f(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    body(capture.f());
    sxf::procSfcFooter(capture.f());
    return capture.take();
}

}  // namespace sfctest
