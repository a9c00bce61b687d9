// How the P21 reader hands on findings: with the line and number of the
// instance they concern, and at most a fixed count per code, so that a file
// broken a million times gives a readable list and not a million entries.
#pragma once

#include "sxf/findings.h"
#include "sxf/p21_data.h"

#include <QString>

#include <map>

namespace sxf {

class P21Report {
public:
    // Appends to `out`; keeps at most `limit` findings of each code.
    explicit P21Report(Findings& out, int limit = 100) : m_out(out), m_limit(limit) {}
    P21Report(const P21Report&) = delete;
    P21Report& operator=(const P21Report&) = delete;

    // A finding about instance `at` (or about the file when null).
    void add(Severity severity, const char* code, const P21Instance* at, const QString& message);
    void error(const char* code, const P21Instance* at, const QString& message)
    {
        add(Severity::Error, code, at, message);
    }
    void warning(const char* code, const P21Instance* at, const QString& message)
    {
        add(Severity::Warning, code, at, message);
    }
    // Appends one finding per code that went over the limit, saying how many
    // were left out. Call once, at the end.
    void finish();

    bool hasError() const { return m_errors > 0; }

private:
    Findings& m_out;
    int m_limit;
    int m_errors = 0;
    struct Count {
        int n = 0;
        Severity severity = Severity::Warning;  // the gravest of its findings
    };
    std::map<QString, Count> m_count;
};

// "#n" of an instance, for messages.
QString p21Name(const P21Instance& at);

}  // namespace sxf
