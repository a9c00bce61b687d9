// Lines and the records they hold.
#include "sxf/sfc_lines.h"

#include <cstring>
#include <limits>

namespace sxf {
namespace {

constexpr std::string_view kOpen = "/*SXF";
constexpr std::string_view kClose = "SXF*/";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The line at the start of `rest` and where the following one begins.
std::string_view firstLine(std::string_view rest, size_t& after)
{
    const void* lf = std::memchr(rest.data(), '\n', rest.size());
    size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - rest.data()) : rest.size();
    after = lf ? end + 1 : end;
    if (end > 0 && rest[end - 1] == '\r')
        --end;
    return rest.substr(0, end);
}

bool endsRecords(std::string_view line)
{
    return opensRecord(line) || trimBlanks(line) == "ENDSEC;";
}

}  // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view LineCursor::next()
{
    size_t after = 0;
    const std::string_view line = firstLine(m_rest, after);
    m_rest.remove_prefix(after);
    // A file of more lines than the count holds keeps its last number.
    if (m_line < std::numeric_limits<int32_t>::max())
        ++m_line;
    return line;
}

std::string_view LineCursor::peek() const
{
    size_t after = 0;
    return firstLine(m_rest, after);
}

bool opensRecord(std::string_view line)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    return line.starts_with(kOpen);
}

RecordLines readRecordLines(LineCursor& lines, std::string_view opening, std::string& scratch)
{
    RecordLines out;
    bool joined = false;
    // Appends one line's part of the record. Most records sit on one line
    // and stay a view of it; the first piece is copied only when a second
    // one follows.
    auto add = [&](std::string_view piece, int32_t line) {
        if (piece.empty())
            return;
        if (out.text.empty() && !joined) {
            out.text = piece;
            out.line = line;
            return;
        }
        if (!joined) {
            scratch.assign(out.text);
            joined = true;
        }
        scratch.append(piece);
        out.text = scratch;
    };
    std::string_view piece = trimBlanks(opening).substr(kOpen.size());
    int32_t line = lines.lineNumber();
    for (;;) {
        const std::string_view trimmed = trimBlanks(piece);
        if (trimmed.ends_with(kClose)) {
            add(trimmed.substr(0, trimmed.size() - kClose.size()), line);
            out.closed = true;
            break;
        }
        add(piece, line);
        if (lines.atEnd() || endsRecords(lines.peek()))
            break;
        piece = lines.next();
        line = lines.lineNumber();
    }
    if (out.line == 0)
        out.line = lines.lineNumber();
    return out;
}

}  // namespace sxf
