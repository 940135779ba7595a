#include "record/game_over.h"

#include <mutex>

#include "rules/legality.h"

namespace torvik {

bool GameOver(Game& game) {
  std::lock_guard lock(game.mutex);
  GameState& gs = game.state;
  if (gs.position.winner != kNoWinner) return true;
  if (!FindWinner(gs.position, nullptr, gs.autoPlay != 0)) return false;
  gs.engineSide = kEnginePlaysNone;
  gs.autoPlay = 0;
  game.redrawRequested = true;
  return true;
}

void GameOverBeforePlayer(Game& game) {
  std::lock_guard lock(game.mutex);
  const GameState& gs = game.state;
  const int side = WhiteToMove(gs.position) ? kEnginePlaysWhite : kEnginePlaysBlack;
  if (gs.autoPlay == 0 && gs.engineSide != side) GameOver(game);
}

}  // namespace torvik
