#include "ui/target_marks.h"

#include "rules/generate.h"
#include "rules/move_list.h"

namespace torvik::ui {
namespace {

void MarkAttacked(GameState& gs) {
  const Position& pos = gs.position;
  const bool white = WhiteToMove(pos);
  const uint32_t mine = white ? kWhiteSlots : kBlackSlots;
  for (Square s = 0; s < kSquareCount; ++s) {
    const auto i = static_cast<std::size_t>(s);
    if ((pos.attackedBy[i] & mine) == 0) continue;
    const int code = pos.board[i];
    if (code == 0) gs.targetMarks[i] = kMarkAttacked;
    else if ((code > 0) != white) gs.targetMarks[i] = kMarkCapture;
  }
}

// The generated moves of the selected piece; not yet tested for legality.
void MarkMoves(GameState& gs) {
  const Square from = gs.selection;
  Position scratch = gs.position;  // generation may drop castling rights: not on the game's
  MoveList list;
  const int n = GenerateAll(scratch, list);
  const int piece = gs.position.board[static_cast<std::size_t>(from)];
  for (int i = 0; i < n; ++i) {
    const Move& m = list[static_cast<std::size_t>(i)];
    if (m.from != from || m.piece != piece || !IsSquare(m.to)) continue;
    const auto to = static_cast<std::size_t>(m.to);
    gs.targetMarks[to] = gs.position.board[to] != 0 ? kMarkCapture : kMarkMove;
  }
}

}  // namespace

void ClearTargetMarks(GameState& gs) { gs.targetMarks.fill(kNoMark); }

void ComputeTargetMarks(GameState& gs) {
  ClearTargetMarks(gs);
  if (!IsSquare(gs.selection) || gs.spreadMode == kSpreadOff) return;
  if (gs.spreadMode == kSpreadTeam) MarkAttacked(gs);
  MarkMoves(gs);
}

}  // namespace torvik::ui
