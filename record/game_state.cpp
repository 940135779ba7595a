#include "record/game_state.h"

#include "board/setup.h"
#include "engine/rebuild.h"

namespace torvik {

int RecordStartPly(const GameState& gs) { return gs.startEdited ? gs.startPosition.ply : 0; }

void ClearGameState(GameState& gs) { gs = GameState{}; }

int NewGameSetup(GameState& gs) {
  gs.ttMegabytes = 8;
  gs.autoPlay = 0;
  gs.engineSide = kEnginePlaysBlack;
  gs.selection = kNoSquare;
  gs.spreadMode = kSpreadPiece;
  gs.startPosition = Position{};
  gs.startPosition.gameMode = gs.gameMode;
  gs.startPosition.rules = gs.rules;
  if (!SetUpStartPosition(gs)) return 0;
  gs.targetMarks.fill(kNoMark);
  return 1;
}

int SetUpStartPosition(GameState& gs) {
  gs.position.rules = gs.rules;
  gs.position.history = &gs.keyHistory;
  PlaceStartPosition(gs.position, gs.gameMode);
  gs.position.halfmoveCount = 1;  // no move yet: the clock reads 0, as in the start text
  return RebuildPosition(gs.position);
}

}  // namespace torvik
