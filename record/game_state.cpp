#include "record/game_state.h"

namespace torvik {

void ClearGameState(GameState& gs) { gs = GameState{}; }

}  // namespace torvik
