// Every kind of SFC feature record the reader knows, with the number of its
// arguments and the function that adds what one record defines to the
// drawing: the definition tables, the assemblies and every feature of SXF
// level 2.
#pragma once

#include "sxf/drawing.h"
#include "sxf/finding_sink.h"
#include "sxf/sfc_record_text.h"
#include "sxf/table_codes.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

namespace sxf {

// What the record readers share while a file is read.
struct ReaderState {
    ReaderState(Drawing& drawing, FindingSink& sink) : d(drawing), findings(sink) {}

    Drawing& d;
    FindingSink& findings;
    TableCodes codes;
    // The first entry of d.features that no assembly record has closed yet.
    int32_t firstOpenMember = 0;
    // Scratch for the coordinate lists of one record.
    std::vector<double> xs, ys;
    // Names already decoded: placements name a few symbols many times.
    StringCache names;
    // The record being read, for the findings of a reader.
    std::string_view recordName;
    int32_t argumentCount = 0;
};

using RecordReader = void (*)(ArgCursor& args, ReaderState& s, const Origin& at);

struct RecordKind {
    std::string_view name;
    // The number of arguments, or kVariableArguments when the record's own
    // values decide it (the reader then checks it).
    int32_t arguments = 0;
    // Assembly records are kept even when their arguments cannot be read,
    // so that they still close the features before them.
    bool assembly = false;
    RecordReader read = nullptr;
};

constexpr int32_t kVariableArguments = -1;

// The kind named `name`, or null for a name no SXF record has.
const RecordKind* findRecordKind(std::string_view name);

// The readers, one per record kind (sfc_table_readers.cpp for the tables
// and assemblies, sfc_feature_readers.cpp for the features). Each reads its
// arguments in order and, when all could be read, appends the entry to the
// drawing (an assembly always).
void readLayer(ArgCursor& c, ReaderState& s, const Origin& at);
void readPreDefinedColour(ArgCursor& c, ReaderState& s, const Origin& at);
void readUserColour(ArgCursor& c, ReaderState& s, const Origin& at);
void readPreDefinedLineType(ArgCursor& c, ReaderState& s, const Origin& at);
void readUserLineType(ArgCursor& c, ReaderState& s, const Origin& at);
void readWidth(ArgCursor& c, ReaderState& s, const Origin& at);
void readFont(ArgCursor& c, ReaderState& s, const Origin& at);
void readCompositeCurve(ArgCursor& c, ReaderState& s, const Origin& at);
void readSymbol(ArgCursor& c, ReaderState& s, const Origin& at);
void readSheet(ArgCursor& c, ReaderState& s, const Origin& at);

void readPointMarker(ArgCursor& c, ReaderState& s, const Origin& at);
void readLine(ArgCursor& c, ReaderState& s, const Origin& at);
void readPolyline(ArgCursor& c, ReaderState& s, const Origin& at);
void readCircle(ArgCursor& c, ReaderState& s, const Origin& at);
void readArc(ArgCursor& c, ReaderState& s, const Origin& at);
void readEllipse(ArgCursor& c, ReaderState& s, const Origin& at);
void readEllipseArc(ArgCursor& c, ReaderState& s, const Origin& at);
void readText(ArgCursor& c, ReaderState& s, const Origin& at);
void readSpline(ArgCursor& c, ReaderState& s, const Origin& at);
void readClothoid(ArgCursor& c, ReaderState& s, const Origin& at);
void readPlacement(ArgCursor& c, ReaderState& s, const Origin& at);
void readExternalSymbol(ArgCursor& c, ReaderState& s, const Origin& at);
void readFillColour(ArgCursor& c, ReaderState& s, const Origin& at);
void readExternalHatch(ArgCursor& c, ReaderState& s, const Origin& at);
void readHatching(ArgCursor& c, ReaderState& s, const Origin& at);
void readTiles(ArgCursor& c, ReaderState& s, const Origin& at);
void readLinearDim(ArgCursor& c, ReaderState& s, const Origin& at);
void readCurveDim(ArgCursor& c, ReaderState& s, const Origin& at);
void readAngularDim(ArgCursor& c, ReaderState& s, const Origin& at);
void readRadiusDim(ArgCursor& c, ReaderState& s, const Origin& at);
void readDiameterDim(ArgCursor& c, ReaderState& s, const Origin& at);
void readLabel(ArgCursor& c, ReaderState& s, const Origin& at);
void readBalloon(ArgCursor& c, ReaderState& s, const Origin& at);
void readAttribute(ArgCursor& c, ReaderState& s, const Origin& at);

// Reports SFC_LIST_COUNT for the record at `at`: a list that holds another
// number of elements than the record's count says, as `message` tells.
void reportListCount(ReaderState& s, const Origin& at, const QString& message);

}  // namespace sxf
