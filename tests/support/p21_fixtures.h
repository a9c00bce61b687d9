// Hand-written P21 files for the reader's tests and the fuzzer's seeds: a
// header around DATA instances, one small drawing per table and feature
// kind (numbered and formatted by hand as the official library writes
// them), and the SFC records each must read back as.
#pragma once

#include "sxf/findings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <initializer_list>
#include <vector>

namespace p21test {

// A whole P21 file: the header this system writes (description
// `description`, then the seven FILE_NAME texts), "DATA;", `data` with its
// lines ended by CR LF, and the trailer.
QByteArray p21File(QByteArrayView data, QByteArrayView description = "SCADEC level2 AP202_mode");

// The tables at #10 to #60 that the fixtures' features use: the length
// unit, black (colour 1), continuous (line type 1), 0.13 mm (width 1), and
// the font "ＭＳ ゴシック" (font 1).
QByteArray standardTables();

// The instances of a sheet "S1" (A3 horizontal) listing `items` (a text
// such as "#130,#140") and of layer "L1" listing `layerItems`, numbered from
// #9000 up.
QByteArray sheetAround(QByteArrayView items, QByteArrayView layerItems);

// "#n=(" with one record per line, ");".
QByteArray complexInstance(int n, std::initializer_list<QByteArrayView> records);

// The styled item of a curve (its six parts, with `extra` records
// such as "DIMENSION_CURVE()" in their place): "#n" styling `item` with
// style assignment `psa`, named `name` (a P21 string).
QByteArray curveItem(int n, int psa, int item, QByteArrayView name = "' '", QByteArrayView extra = {});

struct P21Fixture {
    const char* name;
    QByteArray instances;   // between the tables and the sheet
    QByteArray items;       // the sheet's items
    QByteArray layerItems;  // what layer "L1" lists
    // The SFC records the drawing reads back as, after the tables (and
    // before the sheet's record).
    QStringList records;
};

// One fixture per feature kind (and per variant that reads differently).
std::vector<P21Fixture> featureFixtures();

// The whole file of a fixture.
QByteArray fixtureFile(const P21Fixture& f);

// The codes of `findings`, in order.
QStringList codes(const sxf::Findings& findings);

}  // namespace p21test
