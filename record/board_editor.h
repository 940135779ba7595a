// The board editor: pieces placed on and removed from the game position at the
// squares the user clicks, the side to move set, the board cleared. Every edit
// rebuilds the position from its board and makes it the game's start for undo,
// at move 1 with no last move (the caller forgets the moves played before it:
// ForgetPlayedMoves);
// a board the rebuild cannot take is kept as edited, with a message. The
// editor checks no rule of chess. Callers hold the game's lock.
#pragma once

#include <string>

#include "record/game_state.h"

namespace torvik {

// What a left click does while the editor waits for one.
enum EditMode : int {
  kEditNone = 0,
  kEditRemove = 1,
  kEditAddBlackPawn = 5,   // .. 10 black king (pawn, knight, bishop, rook, queen, king)
  kEditAddWhitePawn = 11,  // .. 16 white king
};

// The Edit menu's immediate entries.
enum EditCommand : int {
  kEditClearBoard = 2,
  kEditWhiteToMove = 3,
  kEditBlackToMove = 4,
};

// A click at `name` (a square, or kNoSquare for a click that hit nothing)
// while `editMode` waits: removes the piece there, or places the piece the mode
// names ("\nset black Q at 20"), replacing what stood there; then the rebuild
// ("\nedited board may be unstable" when it fails) and the start for undo.
// Returns 1 when a square was given, 0 otherwise (nothing changes then).
int EditAtSquare(GameState& gs, int editMode, int name);

// "Clear board", "White's move", "Black's move". Returns false for any other value.
bool EditBoard(GameState& gs, int command);

// True when the position can be played on: each side has its one king, the
// pieces fit their slots, and the side not to move is not in check. Otherwise
// false, with the reason in `why`.
bool PlayablePosition(const Position& pos, std::string& why);

}  // namespace torvik
