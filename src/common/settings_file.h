// The settings file shared by both programs: 19 text lines that carry the
// window state of the front-end and the output options of the worker. The
// first 18 are those every version writes; programs that know only those
// ignore the rest.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace common {

// One settings record. Fields keep the names the worker gives them; the
// front-end binds its controls to them. Free of widgets on purpose.
class SettingsFile {
public:
    static constexpr int kLineCount = 19;
    static constexpr int kOutputChoices = 5;

    // Defaults: window 50, 50, 480 x 480, desktop output, `programDir` as the
    // folder last asked for, filter index 1, style "Windows", list indexes 0.
    explicit SettingsFile(const QString& programDir = QString());

    // The most of the file that is read: far more than its lines need, while
    // a huge file (of line feeds, say) costs neither time nor memory.
    static constexpr qint64 kMaxReadBytes = 64 * 1024;

    // Reads `path` over the current values. A file that starts with a UTF-8
    // byte-order mark is UTF-8, any other code page 932; CR, LF and CRLF end
    // lines; only the first kMaxReadBytes bytes are read, lines past the
    // 19th are ignored and missing lines keep their values (an older
    // program's file has no line 19: the check stays on). Integer lines
    // use StrToIntZero, Boolean lines StrToBoolWord. Line 15 is read only
    // when `readJwwPath` is set (the front-end finds that folder afresh).
    // Returns false, changing nothing, when the file is missing or cannot be
    // read.
    bool read(const QString& path, bool readJwwPath = true);
    // Writes the 19 lines as UTF-8 with a byte-order mark, each ended by CR
    // LF, in place of any earlier file; a missing folder is made first. The
    // new file is written in full under another name and then renamed over
    // the old one, so that the file is always whole. A file that already
    // holds these very bytes is left as it is, even when it may not be
    // written. Returns false, leaving any earlier file exactly as it was,
    // when the file cannot be written (a full disk, a read-only file or
    // folder): the worker must then not run with options that are not the
    // user's.
    bool write(const QString& path) const;

    // The output choice that a window selects: the last true of the five
    // radio lines, -1 when all are false.
    int outputChoice() const;
    // Selects one output choice (-1 selects none), clearing the others.
    void setOutputChoice(int choice);

    // `index` when it names an entry of a list of `count` entries, else -1
    // (an out-of-range line leaves its list without a selection).
    static int listIndex(int32_t index, int count);

    // The entries of the lists of lines 16, 17 and 18.
    static const QStringList& colourSourceNames();
    static const QStringList& auxColourNames();
    static const QStringList& auxLineTypeNames();

    int32_t Fm1x = 50, Fm1y = 50, Fm1w = 480, Fm1h = 480;
    std::array<bool, kOutputChoices> rb{true, false, false, false, false};  // lines 5-9
    QString ed1;  // the specified output folder
    QString lb1;  // folder of the file last picked in the open dialog
    QString lb2;  // folder last chosen when asked at every batch
    int32_t Fidx = 1;
    QString gstyle = QStringLiteral("Windows");
    QString JwwPath;   // Jw_cad program folder, ending with a separator
    int32_t cb2 = 0;   // 0 screen colours, 1 printer colours
    int32_t cb3 = 0;   // auxiliary colour index (SFC colour cb3 + 1)
    int32_t cb4 = 0;   // auxiliary line-type index (SFC line type cb4 + 1)
    bool checkOutput = true;  // line 19: the front-end checks each file it converted

private:
    void assignLine(int lineNo, const QString& text, bool readJwwPath);
};

// Splits settings-file text into lines at CR, LF or CRLF; a final line end
// does not start another line.
QStringList SplitTextLines(const QString& text);

// Decodes a text file as the settings file is read: UTF-8 after a UTF-8
// byte-order mark (which is dropped), otherwise code page 932.
QString DecodeTextFile(const QByteArray& bytes);

}  // namespace common
