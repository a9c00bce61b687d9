// One file in several spellings that SXF readers accept reads into the same
// drawing: CR LF or LF line ends, feature lines wrapped at 80 columns, reals
// with fewer or more decimals than this system writes.
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/bench_drawings.h"
#include "tests/worker/conversion_harness.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// `bytes` with `change` applied to every feature line ("#n = ...").
QByteArray changeFeatureLines(const QByteArray& bytes, const std::function<QByteArray(const QByteArray&)>& change)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines) {
        if (line.startsWith('#'))
            line = change(line.chopped(1)) + '\r';
    }
    return lines.join('\n');
}

// Every feature line cut into pieces of 80 bytes, one per line.
QByteArray wrapped(const QByteArray& bytes)
{
    return changeFeatureLines(bytes, [](const QByteArray& line) {
        QList<QByteArray> pieces;
        for (qsizetype i = 0; i < line.size(); i += 80)
            pieces << line.mid(i, 80);
        return pieces.join("\r\n");
    });
}

// Every real outside the strings of a feature line rewritten with
// `decimals` decimals.
QByteArray withDecimals(const QByteArray& bytes, int decimals)
{
    return changeFeatureLines(bytes, [decimals](const QByteArray& line) {
        QList<QByteArray> parts = line.split('\\');  // strings lie between "\'" pairs
        QByteArray out;
        bool inString = false;
        for (qsizetype k = 0; k < parts.size(); ++k) {
            QByteArray part = parts[k];
            if (k > 0)
                out += '\\';
            if (k > 0 && part.startsWith('\''))
                inString = !inString;
            if (inString) {
                out += part;
                continue;
            }
            for (qsizetype i = 0; i < part.size();) {
                qsizetype end = i;
                if (part[i] == '-' || isDigit(part[i])) {
                    ++end;
                    while (end < part.size() && (isDigit(part[end]) || part[end] == '.'))
                        ++end;
                }
                const QByteArray token = part.mid(i, end - i);
                if (end > i + 1 && token.contains('.')) {
                    char buffer[400];
                    const auto r = std::to_chars(buffer, buffer + sizeof buffer, token.toDouble(),
                                                 std::chars_format::fixed, decimals);
                    out += QByteArray(buffer, r.ptr - buffer);
                    i = end;
                } else {
                    out += part[i];
                    ++i;
                }
            }
        }
        return out;
    });
}

QByteArray writtenBack(const QByteArray& bytes)
{
    const sxf::ReadResult r = sxf::readSfc(bytes);
    for (const sxf::Finding& f : r.findings)
        ADD_FAILURE() << "line " << f.line << ": " << f.code.toStdString() << " " << f.message.toStdString();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    sxf::writeSfc(f, r.drawing);
    f.flush();
    return buffer.data();
}

// The numbers of `line` and the text between them.
void splitNumbers(const QByteArray& line, QList<QByteArray>& text, std::vector<double>& numbers)
{
    QByteArray piece;
    for (qsizetype i = 0; i < line.size();) {
        const bool starts = isDigit(line[i]) || (line[i] == '-' && i + 1 < line.size() && isDigit(line[i + 1]));
        if (!starts) {
            piece += line[i++];
            continue;
        }
        qsizetype end = i + 1;
        while (end < line.size() && (isDigit(line[end]) || line[end] == '.'))
            ++end;
        numbers.push_back(line.mid(i, end - i).toDouble());
        text << piece;
        piece.clear();
        i = end;
    }
    text << piece;
}

// The two files hold the same records, every number within `tolerance`.
void expectSameWithin(const QByteArray& expected, const QByteArray& actual, double tolerance)
{
    const QList<QByteArray> a = expected.split('\n');
    const QList<QByteArray> b = actual.split('\n');
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        QList<QByteArray> ta, tb;
        std::vector<double> na, nb;
        splitNumbers(a[i], ta, na);
        splitNumbers(b[i], tb, nb);
        ASSERT_EQ(ta, tb) << "line " << i + 1 << "\n" << a[i].toStdString() << "\n" << b[i].toStdString();
        for (size_t k = 0; k < na.size(); ++k)
            ASSERT_NEAR(na[k], nb[k], tolerance) << "line " << i + 1 << ", number " << k + 1;
    }
}

// The outputs of the richest fixture drawing and of the mixed benchmark
// shape: between them every kind this system writes.
std::vector<QByteArray> outputs()
{
    std::vector<QByteArray> out;
    for (const fuzzing::Seed& seed : fuzzing::seedOutputs()) {
        if (seed.name == u"rich-700.sfc")
            out.push_back(seed.bytes);
    }
    jww::TJwwData d;
    testsupport::buildMixedDrawing(d, 200);
    out.push_back(testsupport::convertInMemory(d).bytes);
    return out;
}

}  // namespace

TEST(SfcSpellings, EverySpellingReadsIntoTheSameDrawing)
{
    const std::vector<QByteArray> files = outputs();
    ASSERT_EQ(files.size(), 2u);
    for (const QByteArray& file : files) {
        const QByteArray model = writtenBack(file);
        ASSERT_EQ(model, file);
        struct Spelling {
            const char* name;
            QByteArray bytes;
            double tolerance;
        };
        const Spelling spellings[] = {
            {"LF", QByteArray(file).replace("\r\n", "\n"), 0},
            {"wrapped at 80 columns", wrapped(file), 0},
            {"3 decimals", withDecimals(file, 3), 0.5e-3 + 1e-9},
            {"15 decimals", withDecimals(file, 15), 1e-9},
        };
        for (const Spelling& s : spellings) {
            SCOPED_TRACE(s.name);
            ASSERT_NE(s.bytes, file);
            expectSameWithin(model, writtenBack(s.bytes), s.tolerance);
        }
    }
}
