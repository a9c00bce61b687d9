// What the front-end and the worker agree on beyond the worker's command
// line: the one reason the front-end acts on, and the turns that keep image
// names in file order when a batch runs several workers at once.
#pragma once

#include <QString>

namespace common {

// The worker's reason when a file already has the destination's name, or
// took it while the worker wrote: the front-end then takes the next free name.
inline const QString kDestinationExistsReason = QStringLiteral("保存先に同じ名前のファイルがあります");

// Set (to "1") in the environment of a worker whose batch converts several
// files at once. Before such a worker chooses the names of the image files
// it puts beside its output, it writes kTurnRequest and a line feed to its
// standard output and waits for kTurnGrant and a line feed on its standard
// input; the batch grants the turn once every file before it has ended, so
// that the names are those that one file after another would give. A worker
// whose input ends instead (the batch is gone) converts nothing.
inline constexpr char kTurnsVariable[] = "ONDRELLE_IMAGE_TURNS";
inline constexpr char kTurnRequest[] = "turn";
inline constexpr char kTurnGrant[] = "go";

}  // namespace common
