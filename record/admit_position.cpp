#include "record/admit_position.h"

#include "engine/rebuild.h"
#include "rules/legality.h"

namespace torvik {
bool AdmitPosition(Position& pos, std::string& error) {
  if (!RegenPosition(pos)) {
    error = "corrupt piece list";
    return false;
  }
  const int mover = WhiteToMove(pos) ? 1 : -1;
  if (KingAttacked(pos, -mover)) {
    error = std::string(mover > 0 ? "black" : "white") + " is in check with " +
            (mover > 0 ? "white" : "black") + " to move";
    return false;
  }
  if (KingAttacked(pos, mover)) pos.flags |= kInCheck;
  else pos.flags &= ~kInCheck;
  return true;
}

}  // namespace torvik
