// Summarises an SFC file as the reader sees it: sfcinfo [--json] FILE.sfc
// Prints the header, the number of records of each feature name (the
// definitions and assemblies included), the table sizes, the sheet, the
// symbol definitions with their member counts, the number of composite
// curves and every finding. Exits 0 when the file was read without an
// error finding, 1 otherwise, 2 for a wrong command line or a file that
// cannot be opened.
#include "sxf/sfc_reader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace sxf;

// Records by feature name, in name order.
QJsonObject featureCounts(const Drawing& d)
{
    std::map<std::string, qint64> n;
    auto count = [&](const char* name, size_t k) {
        if (k > 0)
            n[name] += static_cast<qint64>(k);
    };
    count("layer_feature", d.layers.size());
    size_t predefined = 0;
    for (const Colour& c : d.colours)
        predefined += c.predefined ? 1 : 0;
    count("pre_defined_colour_feature", predefined);
    count("user_defined_colour_feature", d.colours.size() - predefined);
    predefined = 0;
    for (const LineType& t : d.lineTypes)
        predefined += t.predefined ? 1 : 0;
    count("pre_defined_font_feature", predefined);
    count("user_defined_font_feature", d.lineTypes.size() - predefined);
    count("width_feature", d.widths.size());
    count("text_font_feature", d.fonts.size());
    count("drawing_sheet_feature", d.sheets.size());
    count("sfig_org_feature", d.symbols.size());
    count("composite_curve_org_feature", d.curves.size());
    std::map<FeatureKind, size_t> kinds;
    for (const FeatureRef& f : d.features)
        ++kinds[f.kind];
    for (const auto& [kind, k] : kinds)
        count(featureName(kind), k);
    QJsonObject out;
    for (const auto& [name, k] : n)
        out.insert(QString::fromLatin1(name.c_str()), k);
    return out;
}

QJsonValue sheet(const Drawing& d)
{
    const Sheet* s = d.sheet();
    if (!s)
        return QJsonValue::Null;
    return QJsonObject{{"name", s->name}, {"kind", s->kind}, {"orientation", s->orientation}, {"x", s->x}, {"y", s->y}};
}

QJsonArray symbols(const Drawing& d)
{
    QJsonArray out;
    for (const Symbol& s : d.symbols)
        out.append(QJsonObject{{"name", s.name}, {"flag", s.flag}, {"members", s.members.count}});
    return out;
}

QJsonArray findings(const Findings& list)
{
    QJsonArray out;
    for (const Finding& f : list) {
        out.append(QJsonObject{{"line", f.line},
                               {"feature", f.feature},
                               {"severity", f.severity == Severity::Error ? "error" : "warning"},
                               {"code", f.code},
                               {"message", f.message}});
    }
    return out;
}

QJsonObject summary(const ReadResult& r)
{
    const Drawing& d = r.drawing;
    const Header& h = d.header;
    return {
        {"header", QJsonObject{{"description", h.description},
                               {"fileName", h.fileName},
                               {"timeStamp", h.timeStamp},
                               {"originatingSystem", h.originatingSystem},
                               {"preprocessorVersion", h.preprocessorVersion}}},
        {"tables", QJsonObject{{"layers", qint64(d.layers.size())},
                               {"colours", qint64(d.colours.size())},
                               {"lineTypes", qint64(d.lineTypes.size())},
                               {"widths", qint64(d.widths.size())},
                               {"fonts", qint64(d.fonts.size())}}},
        {"features", featureCounts(d)},
        {"sheet", sheet(d)},
        {"symbols", symbols(d)},
        {"curves", qint64(d.curves.size())},
        {"findings", findings(r.findings)},
    };
}

// One "path: value" line per leaf, then one line per finding.
void printText(const QJsonValue& v, const QString& path)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (path.isEmpty() && it.key() == u"findings")
                continue;
            printText(it.value(), path.isEmpty() ? it.key() : path + u'.' + it.key());
        }
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (qsizetype i = 0; i < a.size(); ++i)
            printText(a[i], path + u'[' + QString::number(i) + u']');
    } else {
        std::printf("%s: %s\n", qPrintable(path), qPrintable(v.toVariant().toString()));
    }
}

void printFindings(const Findings& list)
{
    for (const Finding& f : list) {
        std::printf("%s L%d #%d %s: %s\n", f.severity == Severity::Error ? "error" : "warning", f.line, f.feature,
                    qPrintable(f.code), qPrintable(f.message));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool json = argc == 3 && QByteArrayView(argv[1]) == "--json";
    if (argc != 2 + (json ? 1 : 0) || QByteArrayView(argv[argc - 1]).startsWith("--")) {
        std::fputs("usage: sfcinfo [--json] FILE.sfc\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[argc - 1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", argv[argc - 1]);
        return 2;
    }
    // Mapped rather than copied: the reader takes a view of the bytes.
    QByteArray copy;
    QByteArrayView bytes;
    if (const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        bytes = QByteArrayView(reinterpret_cast<const char*>(mapped), file.size());
    } else {
        copy = file.readAll();
        bytes = copy;
    }
    const ReadResult r = readSfc(bytes);
    const QJsonObject s = summary(r);
    if (json) {
        std::fputs(QJsonDocument(s).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        printText(s, {});
        printFindings(r.findings);
    }
    return hasError(r.findings) ? 1 : 0;
}
