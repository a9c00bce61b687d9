// A worker's turn to name its image files, when its batch converts several
// drawings at once (common/worker_protocol.h).
#pragma once

namespace worker {

// Waits for this worker's turn to choose the names of its image files. True
// at once when no batch asked for turns (the worker runs on its own or one
// file after another); otherwise true once the batch grants the turn, and
// false when the batch went away meanwhile (its pipe ended).
bool waitForImageTurn();

}  // namespace worker
