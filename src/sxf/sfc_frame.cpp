// Header and footer lines of the SFC file.
#include "sxf/sfc_frame.h"

#include "common/codepage.h"
#include "common/path_names.h"
#include "common/text_slice.h"
#include "common/text_width.h"

namespace sxf {

QString GetX2String(QStringView s)
{
    QString out;
    bool hexOpen = false;
    for (QChar c : s) {
        if (common::IsHalfWidth(c)) {
            if (hexOpen) {
                out += QStringLiteral("\\X0\\");
                hexOpen = false;
            }
            out += c;
            continue;
        }
        if (!hexOpen) {
            out += QStringLiteral("\\X2\\");
            hexOpen = true;
        }
        out += QStringLiteral("%1").arg(common::cp932RoundTrip(c).unicode(), 4, 16, QChar(u'0')).toUpper();
    }
    if (hexOpen)
        out += QStringLiteral("\\X0\\");
    return out;
}

QString SfcFileName(QStringView fn)
{
    return common::ExtractName(fn);
}

QString sfcTimeStamp(const QDateTime& t)
{
    return t.toString(u"yyyy-MM-dd'T'HH:mm:ss");
}

Header sfcHeader(const QString& fn, const QDateTime& now)
{
    Header h;
    h.description = QStringLiteral("SCADEC level2 feature_mode");
    h.implementationLevel = QStringLiteral("2;1");
    h.fileName = SfcFileName(fn);
    h.timeStamp = sfcTimeStamp(now);
    h.preprocessorVersion = QStringLiteral("SCADEC_API_Ver3.30");
    h.originatingSystem = QStringLiteral("Kestrune");
    h.schema = QStringLiteral("ASSOCIATIVE_DRAUGHTING");
    return h;
}

void writeSfcHeader(SfcWriter& f, const Header& h)
{
    const QString indent(8, u' ');
    f.writeLine(u"ISO-10303-21;");
    f.writeLine(u"HEADER;");
    f.writeLine(QString("FILE_DESCRIPTION(('" + h.description + "'),"));
    f.writeLine(QString(indent + "'" + h.implementationLevel + "');"));
    f.writeLine(QString("FILE_NAME('" + GetX2String(h.fileName) + "',"));
    f.writeLine(QString(indent + "'" + h.timeStamp + "',"));
    f.writeLine(QString(indent + "('" + h.author + "'),"));
    f.writeLine(QString(indent + "('" + h.organisation + "'),"));
    f.writeLine(QString(indent + "'" + h.preprocessorVersion + "',"));
    f.writeLine(QString(indent + "'" + h.originatingSystem + "',"));
    f.writeLine(QString(indent + "'" + h.authorisation + "');"));
    f.writeLine(QString("FILE_SCHEMA(('" + h.schema + "'));"));
    f.writeLine(u"ENDSEC;");
    f.writeLine(u"DATA;");
    f.writeLine(u"");
}

void procSfcHeader(const QString& fn, SfcWriter& f, const QDateTime& now)
{
    writeSfcHeader(f, sfcHeader(fn, now));
}

void procSfcFooter(SfcWriter& f)
{
    f.writeLine(u"ENDSEC;");
    f.writeLine(u"END-ISO-10303-21;");
}

}  // namespace sxf
