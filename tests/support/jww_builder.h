// Test-only writer of drawing files: serialises a TJwwData into the bytes of
// a drawing file of its Enthd.jwVer, so that tests (and the demo drawing)
// can make any drawing in code.
#pragma once

#include "worker/jww/jww_data.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace testsupport {

struct JwwWriteOptions {
    // Write every string except the memo in the UTF-16 form (the memo follows
    // `utf16Memo`).
    bool utf16Strings = false;
    bool utf16Memo = false;
    // Data of the embedded images, parallel to TJwwData::BindImage. A missing
    // entry writes Fsize zero bytes; a negative Fsize writes none.
    std::vector<QByteArray> imageData;
    // Refer to known classes in the long form (7FFF and a 32-bit index with
    // its class bit) even for small indices.
    bool bigClassTags = false;
    // Write every object count in the long form (FFFF and 32 bits).
    bool longCounts = false;
    // The class name written for block definitions.
    QByteArray blockDefClassName = "CDataList";
};

// Where the structures of a written file begin, for tests that cut or edit
// the bytes at those places.
struct JwwLayout {
    qsizetype entityCount = 0;               // the entity list's count
    std::vector<qsizetype> entities;         // each top-level object (its class tag)
    qsizetype blockDefCount = 0;             // the definition list's count
    std::vector<qsizetype> blockDefs;        // each definition (its class tag)
    std::vector<qsizetype> memberCounts;     // each definition's member count
    std::vector<qsizetype> blockDefMembers;  // each member object of any definition
    qsizetype imageCount = -1;               // the image list's count; -1 before version 700
    std::vector<qsizetype> images;           // each image entry (its name)
    std::vector<qsizetype> imageSizes;       // each image's size field
    std::vector<qsizetype> imageData;        // the data of each image written with data
};

// Little-endian writer of the primitive encodings of a drawing file.
class JwwBytes {
public:
    void i8(uint8_t v);
    void i16(uint16_t v);
    void i32(int32_t v);
    void f64(double v);
    void raw(const QByteArray& bytes);
    void zeros(int n);
    // A length-prefixed string in code page 932 or in the UTF-16 form.
    void cstring(const QString& text, bool utf16 = false);
    // A raw code page 932 string of exactly `bytes` (fewer than 65534).
    void cstringBytes(const QByteArray& bytes);
    // An object count: i16, or FFFF and an i32 for large counts (or always,
    // with `longForm`).
    void count(int32_t n, bool longForm = false);

    const QByteArray& data() const { return m_data; }
    QByteArray& data() { return m_data; }

private:
    QByteArray m_data;
};

// Writes class tags the way the archive format does: a new class once (FFFF,
// schema, name), later references by map index; every object advances the
// map index.
class ClassTagWriter {
public:
    explicit ClassTagWriter(bool bigTags = false) : m_bigTags(bigTags) {}
    void tag(JwwBytes& out, const QByteArray& className);
    // Counts one object (entity or block definition).
    void object() { ++m_mapIndex; }

private:
    bool m_bigTags = false;
    int32_t m_mapIndex = 1;
    std::vector<std::pair<QByteArray, int32_t>> m_classes;
};

// The whole file for `d` (magic, version Enthd.jwVer, header, entity list,
// block definitions and, from version 700, embedded images).
// `layout`, when given, receives where the structures begin.
QByteArray writeJww(const jww::TJwwData& d, const JwwWriteOptions& options = {}, JwwLayout* layout = nullptr);

// `data` as a gzip stream (the form of embedded ".gz" images).
QByteArray gzipBytes(const QByteArray& data);
// `megabytes` mebibytes of zeros as one gzip stream, made without holding
// them: a few kilobytes that inflate to far more (a gzip bomb).
QByteArray gzipZeros(int megabytes);

// The header part only (magic up to the last text setting).
void writeJwwHeader(JwwBytes& out, const jww::TJwwData& d, const JwwWriteOptions& options);
// One entity with its class tag; `kind` and `index` select it from the
// arrays of `d` (or of `def` when given).
void writeJwwEntity(JwwBytes& out, ClassTagWriter& tags, const jww::TJwwData& d, const jww::TEntJwwNo& no,
                    const jww::TEntJwwBlockDef* def, bool utf16);

// A drawing with the defaults of an empty Jw_cad drawing of `version`: the
// tables sized, every group at scale 1, default colours and widths.
void initEmptyDrawing(jww::TJwwData& d, int32_t version = 700);

// Appends entities to the top level of `d` (EntNo and the kind's array).
void addLine(jww::TJwwData& d, const jww::TEntJwwLine& e);
void addEnko(jww::TJwwData& d, const jww::TEntJwwEnko& e);
void addTen(jww::TJwwData& d, const jww::TEntJwwTen& e);
void addMoji(jww::TJwwData& d, const jww::TEntJwwMoji& e);
void addSunpo(jww::TJwwData& d, const jww::TEntJwwSunpo& e);
void addSolid(jww::TJwwData& d, const jww::TEntJwwSolid& e);
void addBlock(jww::TJwwData& d, const jww::TEntJwwBlock& e);

}  // namespace testsupport

namespace testsupport {

// Appends entities to a block definition (mNo, N and the kind's array).
void addLine(jww::TEntJwwBlockDef& def, const jww::TEntJwwLine& e);
void addEnko(jww::TEntJwwBlockDef& def, const jww::TEntJwwEnko& e);
void addTen(jww::TEntJwwBlockDef& def, const jww::TEntJwwTen& e);
void addMoji(jww::TEntJwwBlockDef& def, const jww::TEntJwwMoji& e);
void addSunpo(jww::TEntJwwBlockDef& def, const jww::TEntJwwSunpo& e);
void addSolid(jww::TEntJwwBlockDef& def, const jww::TEntJwwSolid& e);
void addBlock(jww::TEntJwwBlockDef& def, const jww::TEntJwwBlock& e);

}  // namespace testsupport
