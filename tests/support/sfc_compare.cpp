// Record comparison within a tolerance.
#include "tests/support/sfc_compare.h"

#include "sxf/sfc_drawing_writer.h"

#include "common/codepage.h"

#include <QBuffer>
#include <QRegularExpression>

#include <cmath>

namespace testsupport {
namespace {

bool isLayer(const std::vector<SfcArgRole>& roles, size_t i)
{
    return i < roles.size() && (roles[i] == SfcArgRole::Layer || roles[i] == SfcArgRole::LayerOrNone);
}

QString layerName(const SfcValue& v, const QStringList& names)
{
    return v.integer >= 1 && v.integer <= names.size() ? names[static_cast<qsizetype>(v.integer - 1)]
                                                       : QStringLiteral("<layer %1>").arg(v.integer);
}

bool closeEnough(const SfcValue& a, const SfcValue& b, double tolerance)
{
    if (a.kind == SfcValueKind::String || b.kind == SfcValueKind::String)
        return a.kind == b.kind && a.text == b.text;
    if (a.elements.size() != b.elements.size())
        return false;
    for (size_t i = 0; i < a.elements.size(); ++i) {
        if (!(std::abs(a.elements[i] - b.elements[i]) <= tolerance))
            return false;
    }
    const bool lists = a.text.startsWith(u'(') || b.text.startsWith(u'(');
    return lists || std::abs(a.real - b.real) <= tolerance;
}

}  // namespace

SfcLine sfcLine(QStringView text, QStringList& problems)
{
    SfcLine line;
    const qsizetype open = text.indexOf(u'(');
    if (open < 0 || !text.endsWith(u')')) {
        problems.append(QStringLiteral("not a record: %1").arg(text));
        return line;
    }
    line.name = text.left(open).toString();
    line.args = parseSfcArguments(text.sliced(open + 1, text.size() - open - 2), problems);
    return line;
}

std::vector<SfcLine> sfcLines(QByteArrayView sfc, QStringList& problems)
{
    static const QRegularExpression record(QStringLiteral("^#\\d+ = (.*)$"), QRegularExpression::MultilineOption);
    std::vector<SfcLine> out;
    const QString text = common::decodeCp932(sfc).remove(u'\r');
    for (auto it = record.globalMatch(text); it.hasNext();)
        out.push_back(sfcLine(it.next().capturedView(1), problems));
    return out;
}

QStringList layerNames(const std::vector<SfcLine>& lines)
{
    QStringList names;
    for (const SfcLine& l : lines) {
        if (l.name == u"layer_feature" && !l.args.empty())
            names += l.args[0].text;
    }
    return names;
}

QStringList lineDifferences(const SfcLine& expected, const SfcLine& actual, double tolerance,
    const QStringList* expectedLayers, const QStringList* actualLayers)
{
    if (expected.name != actual.name || expected.args.size() != actual.args.size())
        return {QStringLiteral("expected %1\n  found   %2").arg(lineText(expected), lineText(actual))};
    QStringList out;
    const std::vector<SfcArgRole> roles = sfcArgRoles(expected.name);
    for (size_t i = 0; i < expected.args.size(); ++i) {
        const SfcValue& a = expected.args[i];
        const SfcValue& b = actual.args[i];
        const bool same = expectedLayers && actualLayers && isLayer(roles, i)
            ? layerName(a, *expectedLayers) == layerName(b, *actualLayers)
            : closeEnough(a, b, tolerance);
        if (!same)
            out += QStringLiteral("%1 argument %2: expected %3, found %4").arg(expected.name).arg(i + 1).arg(a.text, b.text);
    }
    return out;
}

QString lineText(const SfcLine& line)
{
    QStringList args;
    for (const SfcValue& v : line.args)
        args += v.kind == SfcValueKind::String ? QStringLiteral("\\'%1\\'").arg(v.text) : QStringLiteral("'%1'").arg(v.text);
    return line.name + u'(' + args.join(u',') + u')';
}

QByteArray sfcText(const sxf::Drawing& d)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    sxf::writeSfc(f, d);
    f.flush();
    return buffer.data();
}

}  // namespace testsupport
