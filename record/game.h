// The one game of the program: its state, its record, the engine that plays
// in it, and the lock that keeps the window's thread and the engine's thread
// from meeting inside it.
#pragma once

#include <atomic>
#include <mutex>

#include "record/engine_thread.h"
#include "record/game_record.h"
#include "record/game_state.h"
#include "record/notice.h"

namespace torvik {

struct Game {
  GameState state;
  GameRecord record;
  EngineThread engine;
  // Held while the game position changes and while it is drawn or copied.
  std::recursive_mutex mutex;
  // Set whenever the game changed; the window redraws and clears it.
  std::atomic<bool> redrawRequested{false};
  Notice notice;  // under the mutex
  Move hint{};    // the engine's suggestion for the person to move (piece 0: none), under the mutex

  Game() = default;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;
  ~Game() { StartEngine(*this, 0); }  // the engine's thread goes before the game it plays in
};

// Gives the player a notice (see Notice), under the game's lock.
void TellPlayer(Game& game, const std::string& text);

// True when the record has no entry left for the next move (it holds
// kMaxRecordedMoves moves counted from the start's ply): PlayerMoved then
// refuses every move, with a message.
bool RecordIsFull(const Game& game);

// Plays a move on the game position: checks it, records it, makes it, names it
// and prints it. Returns 1 when it was made, 0 when refused (nothing changes).
int PlayerMoved(Game& game, Move& move);

// The game's last ply, also while a replay shows an earlier position.
int LastPly(const Game& game);

// Takes back `plies` plies from the game's last ply (0 rebuilds the game
// there); a replay shown ends.
void Undo(Game& game, int plies);

// Shows the game `step` plies further back (negative) or on, from the last
// ply when no replay is shown yet. The position shown is the one at that ply,
// with its side to move.
void ReplayStep(Game& game, int step);

// Back to the end of the game when a replay is shown.
void LeaveReplay(Game& game);

// A new game of `mode` (kGame2D or kGame3D): the engine stopped, the whole state
// cleared but the difficulty, the set-up, the engine started again. The window
// prints its banner afterwards.
int NewGameOfMode(Game& game, int mode);

}  // namespace torvik
