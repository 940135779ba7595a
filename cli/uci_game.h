// The game a UCI session stands in: the position the interface last set, of
// the session's variant (the 2D game, or the 3D game under a rule set), and
// the keys of the plies that led to it, for the repetition test.
#pragma once

#include <memory>
#include <string>

#include "board/key_history.h"
#include "board/position.h"
#include "cli/uci_command.h"

namespace torvik::cli {

struct UciGame {
  int mode = kGame2D;
  int rules = kTournament;
  std::unique_ptr<Position> pos;  // its history points at `keys`
  std::unique_ptr<KeyHistory> keys;
};

// The start position of `mode` under `rules`.
UciGame StartGame(int mode = kGame2D, int rules = kTournament);

// Sets `game` from a position command, in the game's mode and rules: the
// start or the position text (FEN in the 2D game), then the moves in move
// text (2D: long algebraic, castling as the king's move, e1g1; 3D: 33-34,
// 100:QL1-QL3; a promotion names its piece, a bare one makes a queen). On a
// bad position returns false with the reason, `game` unchanged. On an
// illegal move returns false naming it, with `game` set up to the move
// before it (the previous position would answer for whichever side was to
// move there).
bool ApplyUciPosition(const UciCommand& command, UciGame& game, std::string& error);

// The legal move `text` names in `pos`, completed; false when there is none.
bool FindUciMove(Position& pos, const std::string& text, Move& found);

}  // namespace torvik::cli
