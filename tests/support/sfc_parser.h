// Test-only reader of SFC files: checks the frame, the record form, the
// numbering and the arguments of every feature, and hands back the records
// with typed arguments so that tests can walk a whole converted file.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace testsupport {

enum class SfcValueKind {
    Integer,  // '12'
    Real,  // '12.250000'
    String,  // \'text\'
    IntegerList,  // '(1,2)'
    RealList,  // '(0.000000,1.5)': at least one element has a "."
    EmptyList,  // '()'
};

// One argument of a feature record.
struct SfcValue {
    SfcValueKind kind = SfcValueKind::Integer;
    // The text between the delimiters: a string's content, a number's digits,
    // a list with its parentheses.
    QString text;
    int64_t integer = 0;  // Integer
    double real = 0;  // Integer and Real
    int decimals = 0;  // Real: digits after the "."
    // List elements in order, with the digits after the "." of each (0 for
    // an element written as an integer).
    std::vector<double> elements;
    std::vector<int> elementDecimals;
    // The elements of an IntegerList as integers.
    std::vector<int64_t> integers;
};

// One four-line record.
struct SfcRecord {
    int line = 0;  // 1-based line of "#n = ..." in the file
    int number = 0;  // n
    QString name;  // feature name
    std::vector<SfcValue> args;

    // The argument at `i` read as an integer, a real or a string; 0 or empty
    // when `i` is out of range or the argument has another kind (an integer
    // reads as a real too).
    int64_t integerAt(size_t i) const;
    double realAt(size_t i) const;
    QString stringAt(size_t i) const;
};

// A parsed file. `problems` is empty exactly when the file is well formed;
// after the first 100 problems one more line says how many were left out.
struct SfcFile {
    QString fileName;  // the name on the FILE_NAME line, as written
    QString dateTime;  // the date-time of the header, as written
    std::vector<SfcRecord> records;
    QStringList problems;

    bool ok() const { return problems.isEmpty(); }
    // The records named `name`, in file order.
    std::vector<const SfcRecord*> named(QStringView name) const;
};

// Parses the bytes of a whole SFC file. Never fails: whatever is wrong goes
// to `problems`, and every record that could be read is kept.
SfcFile parseSfc(QByteArrayView bytes);
// parseSfc of the file at `path`; a problem when it cannot be read.
SfcFile parseSfcFile(const QString& path);

// Splits the text between the parentheses of a feature line into values;
// appends a problem for every malformed value (parsing stops at the first
// one that leaves the rest unreadable) and for non-finite numbers.
std::vector<SfcValue> parseSfcArguments(QStringView args, QStringList& problems);

// Registers the arguments of a feature, so that a new feature kind is known
// to every later parse. `signature` is a list of blank-separated tokens, one
// per argument (A, E, R and T stand for the blocks of 4, 7, 5 and 12
// arguments of the drawn and annotation features):
//   i  integer              s  string            n  integer or real
//   r6, r12, r14  real with that many decimals   ?  any value
//   li  integer list        l6  real list with 6 decimals (lists may be empty)
//   layer, layer0 (0 allowed), colour, ltype, width, font: integers that
//     refer to a definition; tfont: a font number checked only when the
//     argument before it (the text flag) is 1
//   curve: integer, curves: integer list, both composite curve numbers
//   symbol: string naming a symbol defined before
//   count: integer equal to the length of every list in the record
// Replaces an earlier registration of the same name. Returns false (and
// registers nothing) when a token is unknown.
bool registerSfcFeature(const QString& name, QStringView signature);

// What one argument of a known feature is, as its signature token says.
enum class SfcArgRole {
    None,
    Layer,
    LayerOrNone,
    Colour,
    LineType,
    Width,
    Font,
    TextFont,
    Curve,
    Curves,
    Symbol,
    Count
};

// The role of each argument of feature `name`, or empty when the feature is
// unknown.
std::vector<SfcArgRole> sfcArgRoles(QStringView name);

}  // namespace testsupport
