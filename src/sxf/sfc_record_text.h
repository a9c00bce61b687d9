// The text of one feature record, "#n = name(arguments)", split into its
// number, its name and its arguments, and the arguments read as the values
// the record's kind expects.
#pragma once

#include "sxf/feature_types.h"

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sxf {

// One argument as written: between apostrophes ('12', '(1,2)') or between
// backslash-apostrophes (a string), or neither (a fault).
struct ArgToken {
    enum class Form : uint8_t { Quoted, String, Bare };
    Form form = Form::Bare;
    std::string_view text;  // between the delimiters
};

// A record's parts. `args` is reused from record to record.
struct RecordText {
    int64_t number = 0;
    std::string_view name;
    std::vector<ArgToken> args;
};

// What splitRecordText found wrong, if anything.
enum class RecordFault : uint8_t {
    None,
    NoNumber,      // no "#n" at the start
    NoName,        // no "= name(" after it
    OpenString,    // a string without its closing backslash-apostrophe
    OpenValue,     // an apostrophe without its closing one
    NoSeparator,   // something else than "," or ")" after an argument
    NoClose,       // the text ends inside the arguments
    TrailingText,  // text after the closing parenthesis
};

// Splits `text`. Blanks between the parts are allowed, and one ";" after the
// closing parenthesis. On a fault the result says which; `out` keeps the
// number, the name (empty for NoNumber and NoName) and the arguments read
// before it.
RecordFault splitRecordText(std::string_view text, RecordText& out);

// Decoded strings by their bytes, for names that many records repeat: each
// is decoded once and its copies share the text.
class StringCache {
public:
    // The text of `bytes` decoded from code page 932; `defined` tells
    // whether every byte began a defined character.
    const QString& decode(std::string_view bytes, bool& defined);

private:
    struct Entry {
        QString text;
        bool defined = true;
    };
    std::map<std::string, Entry, std::less<>> m_entries;
};

// Reads the arguments of one record in order as the values its kind
// expects. Every read checks the argument's form; the first that does not
// fit (or reads past the last argument) makes the cursor fail, after which
// every read gives 0 or empty. Callers read all fields in a straight line
// and test ok() once.
class ArgCursor {
public:
    explicit ArgCursor(const std::vector<ArgToken>& args) : m_args(args) {}

    // An integer in 32 bits; a real with a whole value is taken as well.
    int32_t integer();
    // A real: an optional sign, digits with at most one ".", an optional
    // exponent; an integer is taken as well.
    double real();
    // A string, decoded from code page 932 (through `cache` when given).
    QString string(StringCache* cache = nullptr);
    // A list of reals, appended to `out` (cleared first).
    void reals(std::vector<double>& out);
    // A list of 32-bit integers, appended to `out` (cleared first).
    void integers(std::vector<int32_t>& out);
    // Two lists of reals, the x and then the y of points, read into `xs`
    // and `ys` (scratch the caller reuses) and paired into `out` (cleared
    // first). When the lists differ in length, the shorter one decides;
    // `xs` and `ys` still tell both lengths.
    void points(std::vector<T2DPoint>& out, std::vector<double>& xs, std::vector<double>& ys);

    bool ok() const { return !m_failed; }
    // The number of arguments the record has.
    size_t size() const { return m_args.size(); }
    // Arguments read so far (the failing one included).
    size_t used() const { return m_next; }
    // After a failure: the 1-based number of the argument, a description
    // of what it should have been ("整数" and the like) and the text found
    // (empty when the record has no such argument).
    int32_t failedArgument() const { return m_failedAt; }
    const char* expected() const { return m_expected; }
    QString found() const;
    // Whether a string read had bytes that begin no code page 932 character.
    bool badEncoding() const { return m_badEncoding; }

private:
    // The next argument when it has `form`, else null after failing.
    const ArgToken* take(ArgToken::Form form, const char* expected);
    void fail(const char* expected);

    const std::vector<ArgToken>& m_args;
    size_t m_next = 0;
    bool m_failed = false;
    bool m_badEncoding = false;
    int32_t m_failedAt = 0;
    const char* m_expected = "";
    std::string_view m_foundText;
};

// The value a number between apostrophes denotes (blanks around it
// allowed). false when the text is no number.
bool parseReal(std::string_view text, double& value);
bool parseInteger(std::string_view text, int32_t& value);

}  // namespace sxf
