// TJwwData: one drawing in memory, as its file describes it.
#pragma once

#include "worker/jww/jwwtype.h"

#include <QString>

#include <vector>

namespace jww {

class TgraAttribute;

// Why FileCheck or FileIn returned false.
enum class JwwReadFailure {
    None,                // the last check or read succeeded
    Unreadable,          // the file could not be opened or read
    Empty,               // the file holds no byte
    NotJww,              // it does not start with "JwwData."
    UnsupportedVersion,  // its version is outside 220 to 700 (FailedVersion says which)
    Damaged,             // it ends early or its contents do not hold together
};

// Holds the header, the tables, the seven entity arrays (each exactly as long
// as its count after a read), block definitions, the flattened insert tree
// and the list of embedded images. The reader fills it; the conversion reads
// it and marks entities consumed by groups in EntNo / mNo.
class TJwwData {
public:
    TJwwData();
    ~TJwwData();
    TJwwData(const TJwwData&) = delete;
    TJwwData& operator=(const TJwwData&) = delete;

    // Empties every array and count and resets the header to its defaults;
    // leaves BindImageFolder, BindImageExp and BindImageExr alone.
    void DataInit();
    // Releases everything the drawing holds, then DataInit.
    void DataFree();
    // Releases the entity arrays, the block definitions and the insert tree
    // (left empty); the header, the tables and the image list stay.
    void FreeEntities();

    // True when `path` starts with "JwwData." and a version of 220 to 700.
    // Never throws; a missing or unreadable file gives false. Sets
    // ReadFailure to why it gave false, or to None.
    bool FileCheck(const QString& path);
    // Reads the whole drawing. Returns false when the file is not a drawing
    // of a supported version or ends or breaks inside a list; the object then
    // keeps what was read. Never throws. Sets ReadFailure as FileCheck does
    // (Damaged when the beginning was sound).
    bool FileIn(const QString& path);
    // Rebuilds EntBlockTree, ref_flag, ref_no and EntBlockNum from the inserts.
    void MakeBlockTree();
    // Sets the pen widths of colours 1-8 in `graAtt` from this drawing.
    void FileColorSet(TgraAttribute& graAtt) const;

    // Embedded images. The files live in BindImageFolder and belong to this
    // drawing's run; only plain file names (no separator, "..", device name)
    // are ever written or deleted, and an empty folder path touches nothing.

    // Empties the image list; deletes no file.
    void BindImageInit();
    // Inflates every stored ".gz" image of the list beside itself (the name
    // without ".gz"). A damaged stream keeps what inflated before the damage;
    // one that would inflate beyond a bound relative to its size leaves no
    // file. Missing stored files are skipped. Never throws.
    void BindImageExplode();
    // Deletes the stored ".gz" files of the list from the image folder.
    void BindImageDeleteGzFile();
    // Deletes the images of the list as extracted: stored names, and ".gz"
    // names without their ".gz". Missing files are ignored.
    void BindImageDeleteNonGzFile();

    TEntJwwHeader Enthd;
    std::vector<TEntJwwLayerGroup> EntLgrp;    // 16
    std::vector<TEntJwwLayer> EntLay;          // 256, index group * 16 + layer
    std::vector<TEntJwwColorNo> EntCol;        // 10; [0] background
    std::vector<TEntJwwLineTypeNo> EntLtp1;    // 8
    std::vector<TEntJwwRandomLineNo> EntLtp2;  // 5
    std::vector<TEntJwwLineTypeNo> EntLtp3;    // 4
    std::vector<TEntJwwColorExNo> EntColS;     // 257
    std::vector<TEntJwwLineTypeExNo> EntLtpS;  // 33
    std::vector<TEntJwwMojiType> EntMoj;       // 10
    std::vector<TEntJwwNo> EntNo;              // Enthd.n1 entries

    std::vector<TEntJwwLine> EntLine;
    std::vector<TEntJwwEnko> EntEnko;
    std::vector<TEntJwwTen> EntTen;
    std::vector<TEntJwwMoji> EntMoji;
    std::vector<TEntJwwSunpo> EntSunpo;
    std::vector<TEntJwwSolid> EntSolid;
    std::vector<TEntJwwBlock> EntBlock;
    // The counts are the sizes of their arrays.
    int32_t EntLineN() const { return countOf(EntLine); }
    int32_t EntEnkoN() const { return countOf(EntEnko); }
    int32_t EntTenN() const { return countOf(EntTen); }
    int32_t EntMojiN() const { return countOf(EntMoji); }
    int32_t EntSunpoN() const { return countOf(EntSunpo); }
    int32_t EntSolidN() const { return countOf(EntSolid); }
    int32_t EntBlockN() const { return countOf(EntBlock); }

    std::vector<TEntJwwBlockDef> EntBlockDef;
    int32_t EntBlockDefN() const { return countOf(EntBlockDef); }
    std::vector<TEntJwwBlockTree> EntBlockTree;
    int32_t EntBlockTreeN() const { return countOf(EntBlockTree); }
    int32_t EntBlockNum = 0;  // definitions with ref_flag

    QString BindImageFolder;  // ends with the path separator
    std::vector<TBindImageType> BindImage;
    int32_t BindImageN() const { return countOf(BindImage); }
    bool BindImageExp = false;  // extract embedded images while reading
    bool BindImageExr = false;  // read the embedded-image list at all

    // Why the last FileCheck or FileIn gave false, and for an unsupported
    // version the version the file states. DataInit leaves both alone.
    JwwReadFailure ReadFailure = JwwReadFailure::None;
    int32_t FailedVersion = 0;
};

}  // namespace jww
