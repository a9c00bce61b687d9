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
    return common::ExtractName(fn).replace(u'\\', QStringLiteral("\\\\"));
}

void procSfcHeader(const QString& fn, SfcWriter& f, const QDateTime& now)
{
    const QString indent(8, u' ');
    f.writeLine(u"ISO-10303-21;");
    f.writeLine(u"HEADER;");
    f.writeLine(u"FILE_DESCRIPTION(('SCADEC level2 feature_mode'),");
    f.writeLine(QString(indent + "'2;1');"));
    f.writeLine(QString("FILE_NAME('" + GetX2String(SfcFileName(fn)) + "',"));
    f.writeLine(QString(indent + "'" + now.toString(u"yyyy-MM-dd'T'HH:mm:ss") + "',"));
    f.writeLine(QString(indent + "(''),"));
    f.writeLine(QString(indent + "(''),"));
    f.writeLine(QString(indent + "'SCADEC_API_Ver3.30',"));
    f.writeLine(QString(indent + "'Kestrune',"));
    f.writeLine(QString(indent + "'');"));
    f.writeLine(u"FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));");
    f.writeLine(u"ENDSEC;");
    f.writeLine(u"DATA;");
    f.writeLine(u"");
}

void procSfcFooter(SfcWriter& f)
{
    f.writeLine(u"ENDSEC;");
    f.writeLine(u"END-ISO-10303-21;");
}

}  // namespace sxf
