// The game state: the game being played and every setting that belongs to it.
// A saved game is its image (see game_image.h).
#pragma once

#include <array>
#include <cstdint>

#include "board/key_history.h"
#include "board/move_counters.h"
#include "board/move.h"
#include "board/position.h"
#include "engine/shared_int.h"

namespace torvik {

enum EngineSide : int32_t { kEnginePlaysNone = 0, kEnginePlaysWhite = 1, kEnginePlaysBlack = -1 };
enum SpreadMode : int32_t { kSpreadOff = 0, kSpreadPiece = 1, kSpreadTeam = 2 };
// The engine's level (record/levels.h): Easy, Medium and Hard cap its depth at
// 4, 8 and 50 plies; Expert and Master think ten and a hundred times Hard's
// tick budget; kTimed + N thinks N seconds a move by the wall clock.
enum Difficulty : int32_t { kEasy = 4, kMedium = 8, kHard = 50, kExpert = 51, kMaster = 52, kTimed = 1000 };

constexpr int kMaxRecordedMoves = kMaxGamePlies;
constexpr uint8_t kNoMark = 'A';  // target mark of a square with nothing to show

struct GameState {
  Position position;
  Position startPosition;     // the start after a board edit
  int32_t startEdited = 0;
  int32_t reserved1 = 0;
  int32_t gameMode = 0;       // kGame2D or kGame3D
  int32_t selection = 0;      // 65 none, a square, or a board code
  std::array<uint8_t, kSquareCount> targetMarks{};
  int32_t reserved2 = 0;
  int32_t spreadMode = 0;
  int32_t transparent = 0;
  int32_t rules = 0;          // kTournament or kStandard
  SharedInt engineSide = 0;   // read by the engine's thread
  int32_t notation = 0;
  int32_t difficulty = 0;
  float scale = 0;
  int32_t orthographic = 0;
  float xang = 0;
  float yang = 0;
  SharedInt abortSearch = 0;  // read by the engine's search
  int32_t ttMegabytes = 0;
  std::array<Move, kMaxRecordedMoves> moves{};
  KeyHistory keyHistory;
  SharedInt autoPlay = 0;     // read by the engine's thread
};

// The ply the game record counts from: the edited start's ply after a board
// edit, else 0. Entry i of `moves` is the move played from ply start + i.
int RecordStartPly(const GameState& gs);

// All to zero, as at start-up and before a new game of a mode.
void ClearGameState(GameState& gs);

// A new game of gs.gameMode: the settings a new game resets, then the start
// position. Returns 0 when the rebuild fails.
int NewGameSetup(GameState& gs);

// The start position of gs.gameMode in gs.position, rebuilt and evaluated; no
// setting changes (undo and replay start from here). Returns 0 when the
// rebuild fails.
int SetUpStartPosition(GameState& gs);

}  // namespace torvik
