// Every drawing this system converts, written as P21 from its SFC read
// back: nothing is left out, and the file holds together (one instance per
// number, every reference to an instance of the file, CR LF lines, complex
// instances one record per line).
#include "sxf/p21_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/fuzz/converted_outputs.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"

#include <random>
#include <set>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The instance number at the start of `line` ("#n="), or -1.
int64_t instanceNumber(std::string_view line)
{
    if (line.size() < 3 || line[0] != '#')
        return -1;
    size_t i = 1;
    int64_t n = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9')
        n = n * 10 + (line[i++] - '0');
    return i > 1 && i < line.size() && line[i] == '=' ? n : -1;
}

// Whether `text` is one record, NAME(...) with its brackets closing only at
// the end; the numbers it refers to (outside strings) are added to `refs`.
bool oneRecord(std::string_view text, std::vector<int64_t>& refs)
{
    size_t i = 0;
    while (i < text.size() && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= '0' && text[i] <= '9') || text[i] == '_'))
        ++i;
    if (i == 0 || i >= text.size() || text[i] != '(')
        return false;
    int depth = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'') {
            for (++i; i < text.size() && !(text[i] == '\'' && (i + 1 >= text.size() || text[i + 1] != '\'')); ++i)
                i += text[i] == '\'' ? 1 : 0;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i + 1 == text.size();
        } else if (c == '#') {
            int64_t n = 0;
            while (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9')
                n = n * 10 + (text[++i] - '0');
            refs.push_back(n);
        }
    }
    return false;
}

// What is wrong with the DATA section of `p21`, one line per fault.
QStringList structureFaults(const QByteArray& p21)
{
    QStringList faults;
    if (p21.count('\n') != p21.count("\r\n"))
        faults.append(QStringLiteral("a line end without CR"));
    const QByteArray data = p21.mid(p21.indexOf("\r\nDATA;\r\n") + 9);
    std::set<int64_t> defined;
    std::vector<int64_t> refs;
    bool inComplex = false;
    for (const QByteArray& raw : data.split('\n')) {
        std::string_view line(raw.constData(), size_t(raw.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line == "ENDSEC;" || line == "END-ISO-10303-21;")
            continue;
        if (inComplex) {
            if (line == ");")
                inComplex = false;
            else if (!oneRecord(line, refs))
                faults.append(QStringLiteral("not a record: ") + QString::fromLatin1(line));
            continue;
        }
        const int64_t n = instanceNumber(line);
        const std::string_view body = line.substr(line.find('=') + 1);
        inComplex = body == "(";
        if (n < 0 || (!inComplex && !(body.ends_with(';') && oneRecord(body.substr(0, body.size() - 1), refs))))
            faults.append(QStringLiteral("not an instance: ") + QString::fromLatin1(line));
        else if (!defined.insert(n).second)
            faults.append(QStringLiteral("#%1 twice").arg(n));
    }
    for (int64_t n : refs) {
        if (!defined.contains(n))
            faults.append(QStringLiteral("#%1 referred to, not written").arg(n));
    }
    if (!data.contains("=DRAWING_SHEET_REVISION_USAGE("))
        faults.append(QStringLiteral("no sheet"));
    return faults;
}

void expectWholeP21(const testsupport::ConvertedOutput& output)
{
    SCOPED_TRACE(output.name.toStdString());
    const sxf::ReadResult r = sxf::readSfc(output.bytes);
    sxf::Findings leftOut;
    sxf::P21Options options;
    options.fileName = QStringLiteral("test.p21");
    const QByteArray p21 = sxf::writeP21(r.drawing, options, &leftOut);
    for (const sxf::Finding& f : leftOut)
        ADD_FAILURE() << "#" << f.feature << " line " << f.line << ": " << f.message.toStdString();
    const QStringList faults = structureFaults(p21);
    EXPECT_TRUE(faults.isEmpty()) << faults.mid(0, 10).join(u'\n').toStdString();
    // The time stamp is the SFC's own.
    EXPECT_TRUE(p21.contains("\t\t   '2026-12-10T09:30:00',\r\n"));
}

TEST(P21Output, EveryFixtureDrawingIsWrittenWhole)
{
    const std::vector<testsupport::ConvertedOutput> outputs = testsupport::fixtureOutputs();
    ASSERT_GE(outputs.size(), 20u);
    for (const testsupport::ConvertedOutput& output : outputs)
        expectWholeP21(output);
}

TEST(P21Output, EverySampleDrawingIsWrittenWhole)
{
    REQUIRE_SAMPLES();
    const std::vector<testsupport::ConvertedOutput> outputs = testsupport::sampleOutputs();
    ASSERT_FALSE(outputs.empty());
    for (const testsupport::ConvertedOutput& output : outputs)
        expectWholeP21(output);
}

// The check itself finds what it is for.
TEST(P21Output, StructureCheckFindsDanglingAndRepeatedNumbers)
{
    const QByteArray head = "HEADER;\r\nDATA;\r\n";
    EXPECT_TRUE(structureFaults(head + "#10=A(#20);\r\n#20=B('#30');\r\n#30=DRAWING_SHEET_REVISION_USAGE(#10);\r\n")
                    .isEmpty());
    EXPECT_EQ(structureFaults(head + "#10=A(#40);\r\n#10=DRAWING_SHEET_REVISION_USAGE();\r\n").join(u'|'),
              QStringLiteral("#10 twice|#40 referred to, not written"));
    EXPECT_EQ(structureFaults(head + "#10=(\r\nA() B()\r\n);\r\n#20=DRAWING_SHEET_REVISION_USAGE();\n").join(u'|'),
              QStringLiteral("a line end without CR|not a record: A() B()"));
    EXPECT_EQ(structureFaults(head + "#10=A('a''#9',#20);\r\n#20=DRAWING_SHEET_REVISION_USAGE((#10);\r\n").join(u'|'),
              QStringLiteral("not an instance: #20=DRAWING_SHEET_REVISION_USAGE((#10);|#20 referred to, not written"));
}

}  // namespace

// Drawings read from damaged files (bytes changed, records cut) are
// written without a crash, and what is written still holds together: every
// reference leads to an instance of the file.
TEST(P21Output, DamagedDrawingsAreWrittenSoundly)
{
    jww::TJwwData d;
    testsupport::buildMixedDrawing(d, 300);
    const QByteArray original = testsupport::convertInMemory(d).bytes;
    std::mt19937 random(30);
    const QByteArray alphabet = "0123456789-.,'()#\\ eE";
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        QByteArray bytes = original;
        std::uniform_int_distribution<qsizetype> at(0, bytes.size() - 1);
        for (int k = 0; k < 20; ++k)
            bytes[at(random)] = alphabet[qsizetype(random() % unsigned(alphabet.size()))];
        if (round % 3 == 0)
            bytes.remove(at(random), 200);
        const sxf::ReadResult r = sxf::readSfc(bytes);
        const QByteArray p21 = sxf::writeP21(r.drawing);
        QStringList faults = structureFaults(p21);
        faults.removeAll(QStringLiteral("no sheet"));
        ASSERT_TRUE(faults.isEmpty()) << faults.mid(0, 5).join(u'\n').toStdString();
    }
}
