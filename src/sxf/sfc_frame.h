// The fixed frame of an SFC file: the exchange-file header and the footer.
#pragma once

#include "sxf/drawing.h"
#include "sxf/sfc_writer.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace sxf {

// `s` in the "\X2\" form of the FILE_NAME line: half-width characters as
// they are, every run of other code units as "\X2\", four upper-case hex
// digits per unit (after a round trip through code page 932, so that an
// unrepresentable unit becomes 003F), and "\X0\".
QString GetX2String(QStringView s);

// The name written on the FILE_NAME line for destination `fn`: its part after
// the last separator, or empty for a blank or invalid path; not yet encoded.
QString SfcFileName(QStringView fn);

// `t` as the header writes a time stamp: "2026-12-10T09:30:00".
QString sfcTimeStamp(const QDateTime& t);

// The header this system writes for destination `fn` with `now` as the
// local date-time of the file.
Header sfcHeader(const QString& fn, const QDateTime& now);

// Writes the 15 header lines of `h`: the file name in its "\X2\" form,
// every other value as it stands.
void writeSfcHeader(SfcWriter& f, const Header& h);

// Writes the 15 header lines for destination `fn` with `now` as the local
// date-time of the file.
void procSfcHeader(const QString& fn, SfcWriter& f, const QDateTime& now = QDateTime::currentDateTime());

// Writes "ENDSEC;" and "END-ISO-10303-21;".
void procSfcFooter(SfcWriter& f);

}  // namespace sxf
