// How the P21 reader hands on findings: with the line and number of the
// instance they concern, into the bounded list every reader uses.
#pragma once

#include "sxf/finding_sink.h"
#include "sxf/p21_data.h"

#include <QString>

namespace sxf {

class P21Report {
public:
    explicit P21Report(FindingSink& sink) : m_sink(sink) {}
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

private:
    FindingSink& m_sink;
};

// "#n" of an instance, for messages.
QString p21Name(const P21Instance& at);

}  // namespace sxf
