#include "cli/uci_game.h"

#include "record/move_text.h"
#include "record/position_text.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/move_list.h"
#include "rules/perft.h"

namespace torvik::cli {
namespace {

const char* StartText(int mode) { return mode == kGame3D ? kStartText3D : kStartText2D; }

// A fresh game of `game`'s mode and rules read from `text`; false with the
// reason when it is no position.
bool ReadGame(const std::string& text, UciGame& game, std::string& error) {
  game.pos = std::make_unique<Position>();
  game.keys = std::make_unique<KeyHistory>();
  game.pos->gameMode = game.mode;
  game.pos->rules = game.rules;
  game.pos->history = game.keys.get();
  if (!ParsePosition(text, game.mode, *game.pos, error)) return false;
  game.pos->history = game.keys.get();
  game.keys->Store(game.pos->ply, game.pos->hashKey);
  return true;
}

}  // namespace

UciGame StartGame(int mode, int rules) {
  UciGame game;
  game.mode = mode;
  game.rules = rules;
  std::string error;
  ReadGame(StartText(mode), game, error);
  return game;
}

bool FindUciMove(Position& pos, const std::string& text, Move& found) {
  Move typed;
  if (!ParseMoveText(pos, text, typed)) return false;
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  return MatchTypedMove(typed, moves.data(), n, found);
}

bool ApplyUciPosition(const UciCommand& command, UciGame& game, std::string& error) {
  UciGame next;
  next.mode = game.mode;
  next.rules = game.rules;
  if (!ReadGame(command.startPos ? std::string(StartText(game.mode)) : command.fen, next, error)) {
    error = "bad position: " + error;
    return false;
  }
  Position& pos = *next.pos;
  for (const std::string& text : command.moves) {
    Move m;
    if (!FindUciMove(pos, text, m) || !LegalMove(pos, m) || !MakeMove(pos, pos, m)) {
      error = "illegal move " + text + " (the moves before it are played)";
      game = std::move(next);
      return false;
    }
    pos.previous = nullptr;
    pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  }
  game = std::move(next);
  return true;
}

}  // namespace torvik::cli
