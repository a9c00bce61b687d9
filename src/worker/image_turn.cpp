// The request on standard output, the grant on standard input.
#include "worker/image_turn.h"

#include "common/worker_protocol.h"

#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace worker {

bool waitForImageTurn()
{
    if (!qEnvironmentVariableIsSet(common::kTurnsVariable))
        return true;
    std::fprintf(stdout, "%s\n", common::kTurnRequest);
    std::fflush(stdout);
    char line[64] = {};
    if (!std::fgets(line, sizeof line, stdin))
        return false;
    line[std::strcspn(line, "\r\n")] = '\0';
    return std::strcmp(line, common::kTurnGrant) == 0;
}

}  // namespace worker
