#include "record/game.h"

#include <algorithm>
#include <memory>
#include <string>

#include "board/console.h"
#include "board/geometry.h"
#include "board/setup.h"
#include "engine/rebuild.h"
#include "record/game_over.h"
#include "record/game_start.h"
#include "record/notation.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

void PrintMove(int ply, const char* text) {
  if ((ply - 1) % 2 == 0) ConsolePrintf("\n%d. %s", (ply - 1) / 2 + 1, text);
  else ConsolePrintf("\n%d. ... %s", (ply - 2) / 2 + 1, text);
}

// The position the game starts from: the set-up, or the edited start.
bool SetUpStart(Game& game) {
  GameState& gs = game.state;
  ClearCaptured(game.record);
  ClearMove(game.hint);
  return SetUpGameStart(gs);
}

// A move handed in as a capture, or as a pawn's promotion onto a piece, adds
// the piece it takes to the captured pieces (an attack board's destination is
// a pin, whatever stands on the square beneath it).
bool TakesForTheRecord(const Move& handed, int taken) {
  if (handed.kind == kCapture) return true;
  return IsPromotionKind(handed.kind) && taken != 0 && BoardIndexOfCode(handed.piece) < 0;
}

// Plays the recorded moves again, from the start's ply up to `plies`.
void ReplayRecord(Game& game, int plies, bool storeTexts, const char* illegal) {
  GameState& gs = game.state;
  Position& pos = gs.position;
  const int start = RecordStartPly(gs);
  for (int i = pos.ply - start; i >= 0 && i < plies - start && i < kMaxRecordedMoves; ++i) {
    Move m = gs.moves[i];
    Move check = m;
    if (!LegalMove(pos, check)) {
      Warn(false, illegal);
      return;
    }
    const int taken = pos.board[m.to];
    MakeMove(pos, pos, m);
    if (TakesForTheRecord(gs.moves[i], taken)) AppendCaptured(game.record, taken);
    if (storeTexts) StoreMoveText(game.record, pos.ply, MoveNotation(pos, m, gs.notation, taken));
    pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  }
}

void StopPlaying(GameState& gs) {
  gs.engineSide = kEnginePlaysNone;
  gs.autoPlay = 0;
  gs.abortSearch = 1;
}

}  // namespace

void TellPlayer(Game& game, const std::string& text) {
  std::lock_guard lock(game.mutex);
  game.notice.text = text;
  ++game.notice.serial;
  game.redrawRequested = true;
}

bool RecordIsFull(const Game& game) {
  const GameState& gs = game.state;
  const int entry = gs.position.ply - RecordStartPly(gs);
  return entry < 0 || entry >= kMaxRecordedMoves;
}

int PlayerMoved(Game& game, Move& move) {
  std::lock_guard lock(game.mutex);
  GameState& gs = game.state;
  Position& pos = gs.position;
  if (RecordIsFull(game)) {
    ConsolePrintf("\nThe game has reached %d plies: no more moves can be recorded", kMaxRecordedMoves);
    return 0;
  }
  const int entry = pos.ply - RecordStartPly(gs);
  Move handed = move;
  if (!LegalMove(pos, move)) return 0;
  ClearMove(game.hint);
  // A move from the engine's table is recorded with the kind the rules gave it;
  // the record keeps the promotion piece chosen, so undo and replay make it again.
  if (!IsMoveKind(handed.kind) || IsPromotionKind(move.kind)) handed.kind = move.kind;
  // A move that ends the game (mate, stalemate, a draw) marks the position
  // before it is made; make-move carries the result on. The result is told
  // after the move.
  std::string result;
  if (pos.winner == kNoWinner) FindWinner(pos, &move, gs.autoPlay != 0, &result);
  const int taken = pos.board[move.to];
  if (TakesForTheRecord(handed, taken)) AppendCaptured(game.record, taken);
  const int made = MakeMove(pos, pos, move);
  gs.moves[entry] = handed;
  if (made) {
    if (pos.winner != kNoWinner) {
      gs.autoPlay = 0;
      gs.engineSide = kEnginePlaysNone;
    }
    StoreMoveText(game.record, pos.ply, MoveNotation(pos, move, gs.notation, taken));
    PrintMove(pos.ply, MoveText(game.record, 0));
    if (pos.flags & kDrawish) ConsolePrintf("\nDraw");
    if (!result.empty()) PrintResult(result, pos.winner);
  } else {
    Warn(false, "PlayerMoved legal but bad do move");
  }
  pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  game.redrawRequested = true;
  return made;
}

int LastPly(const Game& game) {
  return game.record.replayCursor != -1 ? game.record.replayEnd : game.state.position.ply;
}

void Undo(Game& game, int plies) {
  StartEngine(game, 0);
  {
    std::lock_guard lock(game.mutex);
    GameState& gs = game.state;
    // During a replay the plies are taken from the game's end, and the replay is over.
    const int target = int(std::max<int64_t>(int64_t(LastPly(game)) - plies, RecordStartPly(gs)));
    game.record.replayCursor = -1;
    if (SetUpStart(game)) ReplayRecord(game, target, true, "Illegal move in game undo");
    StopPlaying(gs);
    if (plies != 0) ConsolePrintf("\nmove undone");
    game.redrawRequested = true;
  }
  StartEngine(game, 1);
}

void ReplayStep(Game& game, int step) {
  // The engine stops before the lock is taken: it may be waiting for the lock.
  if (game.record.replayCursor == -1) StartEngine(game, 0);
  std::lock_guard lock(game.mutex);
  GameState& gs = game.state;
  GameRecord& r = game.record;
  const int plies = LastPly(game);
  // An edited start may lie past the game's ply: the range then shrinks to that ply.
  const int first = std::min(RecordStartPly(gs), plies);
  const int from = r.replayCursor == -1 ? plies : r.replayCursor;
  r.replayCursor = int(std::clamp<int64_t>(int64_t(from) + step, first, plies));
  r.replayEnd = plies;
  if (SetUpStart(game)) ReplayRecord(game, r.replayCursor, false, "What? Illegal move in game replay?\n");
  StopPlaying(gs);
  game.redrawRequested = true;
}

void LeaveReplay(Game& game) {
  if (game.record.replayCursor != -1) Undo(game, 0);
}

int NewGameOfMode(Game& game, int mode) {
  StartEngine(game, 0);
  int ok;
  {
    std::lock_guard lock(game.mutex);
    const int difficulty = game.state.difficulty;
    ClearGameState(game.state);
    game.state.gameMode = mode;
    game.state.difficulty = difficulty;
    ForgetPlayedMoves(game.record);
    game.notice = Notice{"", game.notice.serial + 1};  // what was said of the old game goes with it
    ClearMove(game.hint);
    ResetBoardHashes();
    ok = NewGameSetup(game.state);
    Engine& engine = *game.engine.engine;  // a new game plays as from a fresh start
    ClearTT(engine.tt);
    ClearSearchTables(engine);
    game.redrawRequested = true;
  }
  StartEngine(game, 1);
  return ok;
}

}  // namespace torvik
