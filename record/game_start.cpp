#include "record/game_start.h"

#include <memory>

#include "engine/rebuild.h"
#include "record/position_text.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {

void StartKeyHistory(GameState& gs) {
  // Every entry gets a key whose side bit is that of the other side to the
  // ply's (the table's length is even, so an entry's index has its ply's
  // parity), which no position of the ply has; then the start's own key.
  static_assert(KeyHistory::kPlies % 2 == 0);
  for (int i = 0; i < KeyHistory::kPlies; ++i) gs.keyHistory.keys[i] = uint32_t(~i & 1);
  gs.keyHistory.Store(gs.position.ply, gs.position.hashKey);
}

bool SetUpGameStart(GameState& gs) {
  if (!gs.startEdited) return SetUpStartPosition(gs);
  gs.position = gs.startPosition;
  gs.position.history = &gs.keyHistory;
  return RebuildPosition(gs.position);
}

void BeginGameAt(GameState& gs, const Position& start) {
  gs.gameMode = start.gameMode;
  gs.rules = start.rules;
  gs.moves.fill(Move{});
  gs.startEdited = 0;
  SetUpStartPosition(gs);
  if (FormatPosition(gs.position) == FormatPosition(start)) return;
  gs.position = start;
  gs.position.history = &gs.keyHistory;
  StartKeyHistory(gs);
  gs.startPosition = gs.position;
  gs.startEdited = 1;
}

bool RecordMove(GameState& gs, Move move, std::string& error) {
  Position& pos = gs.position;
  const int entry = pos.ply - RecordStartPly(gs);
  if (entry < 0 || entry >= kMaxRecordedMoves) {
    error = "the game is longer than the " + std::to_string(kMaxRecordedMoves) + " plies a record holds";
    return false;
  }
  Move made = move;
  if (!LegalMove(pos, made)) {
    error = "illegal move";
    return false;
  }
  if (!IsMoveKind(move.kind) || IsPromotionKind(made.kind)) move.kind = made.kind;
  gs.moves[entry] = move;
  MakeMove(pos, pos, made);
  pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  return true;
}

void AdoptGame(Game& game, const GameState& built, const std::string& title) {
  StartEngine(game, 0);
  {
    std::lock_guard lock(game.mutex);
    GameState& gs = game.state;
    const int notation = gs.notation;
    gs = built;
    gs.notation = notation;
    gs.position.history = gs.startPosition.history = &gs.keyHistory;
    ForgetPlayedMoves(game.record);
    Engine& engine = *game.engine.engine;  // the new game plays as from a fresh start
    ClearTT(engine.tt);
    ClearSearchTables(engine);
    if (!title.empty()) game.record.windowTitle = title;
  }
  Undo(game, 0);
}

std::string GamePositionText(Game& game) {
  std::lock_guard lock(game.mutex);
  return FormatPosition(game.state.position);
}

bool SetUpPositionText(Game& game, std::string_view text, std::string& error) {
  auto built = std::make_unique<GameState>();
  auto start = std::make_unique<Position>();
  {
    std::lock_guard lock(game.mutex);
    *built = game.state;
  }
  built->position.history = built->startPosition.history = &built->keyHistory;
  start->rules = built->rules;
  if (!ParsePosition(text, built->gameMode, *start, error)) return false;
  BeginGameAt(*built, *start);
  AdoptGame(game, *built, "");
  return true;
}

}  // namespace torvik
