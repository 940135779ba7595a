// The last step of reading a position from outside (text or a saved game):
// its maps and evaluation rebuilt, and the rules that need them checked.
#pragma once

#include <string>

#include "board/position.h"

namespace torvik {

// Rebuilds the attack maps and the evaluation from the piece list and refuses,
// with a reason in `error`, a position whose side not to move stands in check
// (its king could be taken). Sets the check flag for the side to move.
bool AdmitPosition(Position& pos, std::string& error);

}  // namespace torvik
