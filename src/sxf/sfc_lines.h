// The lines of an SFC file and the feature records they hold: a record
// opens with "/*SXF" and closes with "SXF*/", and the lines between are
// joined without their line ends, however the writer wrapped them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sxf {

// Blanks and tabs at either end of `text` removed.
std::string_view trimBlanks(std::string_view text);

// Walks the lines of a byte sequence. A line ends at LF; a CR before the LF
// is not part of it, nor is a CR ending the last line.
class LineCursor {
public:
    explicit LineCursor(std::string_view bytes) : m_rest(bytes) {}

    bool atEnd() const { return m_rest.empty(); }
    // The next line (empty at the end); advances past it.
    std::string_view next();
    // The next line without advancing.
    std::string_view peek() const;
    // The 1-based number of the line next() returned last.
    int32_t lineNumber() const { return m_line; }

private:
    std::string_view m_rest;
    int32_t m_line = 0;
};

// Whether `line` opens a feature record ("/*SXF" after any blanks).
bool opensRecord(std::string_view line);

// One feature record as read from the lines.
struct RecordLines {
    std::string_view text;   // the joined text between "/*SXF" and "SXF*/"
    int32_t line = 0;        // the line where that text begins
    bool closed = false;     // false when no "SXF*/" came before the next
                             // record, "ENDSEC;" or the end of the file
};

// Reads the record that `opening` (the line just read from `lines`, for
// which opensRecord holds) begins. Stops before a line that opens another
// record or is "ENDSEC;". The text is a view into the bytes when the record
// sits on one line, else into `scratch`, which it reuses; it stays valid
// until the next call with the same scratch.
RecordLines readRecordLines(LineCursor& lines, std::string_view opening, std::string& scratch);

}  // namespace sxf
