#include "record/game_over.h"

#include <mutex>
#include <string>

#include "board/console.h"
#include "rules/legality.h"

namespace torvik {

const char* ResultCode(int winner) {
  switch (winner) {
    case kWhiteWon: return "1-0";
    case kBlackWon: return "0-1";
    case kDrawn: return "1/2-1/2";
    default: return "*";
  }
}

void PrintResult(const std::string& words, int winner) { ConsolePrintf("%s\n%s", words.c_str(), ResultCode(winner)); }

bool GameOver(Game& game) {
  std::lock_guard lock(game.mutex);
  GameState& gs = game.state;
  if (gs.position.winner != kNoWinner) return true;
  std::string result;
  if (!FindWinner(gs.position, nullptr, gs.autoPlay != 0, &result)) return false;
  PrintResult(result, gs.position.winner);
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
