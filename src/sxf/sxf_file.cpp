// Telling the two forms apart, and reading a file of either.
#include "sxf/sxf_file.h"

#include "common/file_open.h"
#include "common/file_read.h"
#include "sxf/p21_reader.h"

#include <QFile>
#include <QFileInfo>

namespace sxf {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// What the data section begins with: '#' (an instance), 'S' (a feature
// comment) or 0 when it says nothing. Other comments are passed over.
char dataStart(QByteArrayView bytes)
{
    qsizetype at = bytes.indexOf("DATA;");
    if (at < 0)
        return 0;
    at += 5;
    while (at < bytes.size()) {
        if (isBlank(bytes[at])) {
            ++at;
        } else if (bytes.sliced(at).startsWith("/*SXF")) {
            return 'S';
        } else if (bytes.sliced(at).startsWith("/*")) {
            const qsizetype end = bytes.indexOf("*/", at + 2);
            if (end < 0)
                return 0;
            at = end + 2;
        } else {
            return bytes[at] == '#' ? '#' : 0;
        }
    }
    return 0;
}

ReadResult unreadable(const QString& message, const QString& path, const QString& why)
{
    ReadResult r;
    r.findings.push_back({Severity::Error, QStringLiteral("SXF_FILE"), 0, 0,
        QStringLiteral("%1：%2（%3）").arg(message, path, why)});
    return r;
}

}  // namespace

SxfForm sxfFormOf(QByteArrayView bytes, QStringView fileName)
{
    switch (dataStart(bytes)) {
    case '#': return SxfForm::P21;
    case 'S': return SxfForm::Sfc;
    default: return fileName.endsWith(u".p21", Qt::CaseInsensitive) ? SxfForm::P21 : SxfForm::Sfc;
    }
}

ReadResult readSxf(QByteArrayView bytes, QStringView fileName, SxfForm* form)
{
    const SxfForm f = sxfFormOf(bytes, fileName);
    if (form)
        *form = f;
    return f == SxfForm::P21 ? readP21(bytes) : readSfc(bytes);
}

ReadResult readSxfFile(const QString& path, SxfForm* form)
{
    // A FIFO named like a drawing is refused rather than waited on.
    QFile file;
    if (!common::OpenRegularFile(file, path))
        return unreadable(QStringLiteral("ファイルを開けません"), path, common::OpenFailureReason(path));
    const QString name = QFileInfo(path).fileName();
    if (const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr)
        return readSxf(QByteArrayView(reinterpret_cast<const char*>(mapped), file.size()), name, form);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable(QStringLiteral("ファイルを読めません"), path, file.errorString());
    return readSxf(bytes, name, form);
}

}  // namespace sxf
