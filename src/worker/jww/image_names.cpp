// Image names that are safe to use as file names in the image folder.
#include "worker/jww/image_names.h"

#include "common/path_names.h"

#include <QRegularExpression>

namespace jww {

bool isGzImageName(const QString& name)
{
    return common::ExtractExtLower(name) == QStringLiteral(".gz");
}

bool isPlainImageName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u".." || common::IsInvalidPath(name))
        return false;
    for (QChar c : name) {
        // Control characters are refused on every platform: the same drawing
        // must extract the same files wherever it is converted.
        if (c.unicode() < 0x20)
            return false;
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'<' || c == u'>' || c == u'"'
            || c == u'|')
            return false;
    }
    // Windows drops a trailing dot or blank, so such a name would reach
    // another file than the one checked here.
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return !device.match(name).hasMatch();
}

}  // namespace jww
