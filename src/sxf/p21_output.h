// The DATA section being written: instance numbers, and instances built in
// place in a buffer that goes to the sink between features.
#pragma once

#include "sxf/p21_writer.h"

#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace sxf::p21 {

// Builds instances: "#n=NAME(args);" on one line, or a complex instance
// "#n=(" with one partial record per line and ");". Arguments are separated
// by "," as they are added; open() and close() bracket a list or a typed
// value inside an argument list. Every line ends with CR LF.
class P21Output {
public:
    explicit P21Output(const P21Sink& sink);
    P21Output(const P21Output&) = delete;
    P21Output& operator=(const P21Output&) = delete;

    // The next instance number, which is then taken: 10, 20, 30, ...
    int32_t take()
    {
        const int32_t n = m_next;
        m_next += 10;
        return n;
    }
    // The number take() gives next, without taking it.
    int32_t peek() const { return m_next; }

    // Simple instance: "#n=ENTITY(", arguments, end() writes ");".
    P21Output& simple(int32_t n, std::string_view entity);
    void end();
    // Complex instance: "#n=(", then record()s each closed by endRecord(),
    // then endComplex() writes ");".
    void complex(int32_t n);
    P21Output& record(std::string_view entity);
    void endRecord();
    void endComplex();
    // A complex instance of records without arguments: "NAME()" each.
    void emptyRecords(std::initializer_list<std::string_view> entities);

    // Arguments.
    P21Output& ref(int32_t n);                      // #n
    P21Output& refs(std::span<const int32_t> ns);   // (#a,#b,...)
    P21Output& raw(std::string_view text);          // as given: $, .T., ' '
    P21Output& string(QStringView text);            // quoted and encoded
    P21Output& real(double value);                  // writeReal
    P21Output& angle(double value);                 // writeAngle
    P21Output& integer(int64_t value);
    P21Output& point(double x, double y);           // (x,y), reals
    P21Output& direction(double x, double y);       // (x,y), angle form
    // Opens a list, or a typed value when `head` is given: "HEAD(".
    P21Output& open(std::string_view head = {});
    P21Output& close();

    // Where a feature began: rollback() takes back everything written and
    // every number taken since. Only valid until the next flushIfFull().
    struct Mark {
        size_t size = 0;
        int32_t next = 0;
    };
    Mark mark();
    void rollback(const Mark& m);
    // False when a real written since the last mark() was NaN or infinite.
    bool finite() const { return m_finite; }

    // Appends text as it is (the header, the trailer).
    void text(std::string_view bytes) { m_buffer.append(bytes); }
    // Hands the buffer to the sink once enough has gathered; call only
    // between features.
    void flushIfFull();
    void flush();

private:
    void separate();

    const P21Sink& m_sink;
    std::string m_buffer;
    int32_t m_next = 20;
    bool m_first = true;
    bool m_finite = true;
};

}  // namespace sxf::p21
