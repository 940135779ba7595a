// The game a UCI session stands in: the 2D position the interface last set,
// and the keys of the plies that led to it, for the repetition test.
#pragma once

#include <memory>
#include <string>

#include "board/key_history.h"
#include "board/position.h"
#include "cli/uci_command.h"

namespace torvik::cli {

struct UciGame {
  std::unique_ptr<Position> pos;  // its history points at `keys`
  std::unique_ptr<KeyHistory> keys;
};

// The 2D start position.
UciGame StartGame();

// Sets `game` from a position command: the start or the FEN, then the moves
// (long algebraic; castling as the king's move, e1g1; a promotion names its
// piece, a bare one makes a queen). On a bad FEN returns false with the
// reason, `game` unchanged. On an illegal move returns false naming it, with
// `game` set up to the move before it (the previous position would answer
// for whichever side was to move there).
bool ApplyUciPosition(const UciCommand& command, UciGame& game, std::string& error);

// The legal move `text` names in `pos`, completed; false when there is none.
bool FindUciMove(Position& pos, const std::string& text, Move& found);

}  // namespace torvik::cli
