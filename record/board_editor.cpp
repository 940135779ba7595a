#include "record/board_editor.h"

#include <memory>

#include "board/board_checks.h"
#include "board/config_cache.h"
#include "board/console.h"
#include "board/rebuild.h"
#include "engine/rebuild.h"
#include "record/admit_position.h"
#include "record/game_start.h"
#include "rules/attack_maps.h"
#include "rules/legality.h"

namespace torvik {
namespace {

constexpr const char* kPieceLetters = " PNBRQK";
constexpr int kLastBlackMode = kEditAddBlackPawn + 5;
constexpr int kLastWhiteMode = kEditAddWhitePawn + 5;

// An edit is no move: the en-passant square stays only while it can still be
// taken. 2D: while EpSquareFits2D holds. 3D (where the pawn taken is found from
// the last move): while the same side is to move and the square is empty.
void DropStaleEpSquare(Position& pos, bool sideChanged) {
  if (pos.epSquare == 0) return;
  const bool fits = Is3D(pos) ? !sideChanged && IsSquare(pos.epSquare) && pos.board[pos.epSquare] == 0
                              : EpSquareFits2D(pos);
  if (!fits) pos.epSquare = 0;
}

// The check flag of the side to move, when it has its king in its slot.
void MarkCheck(Position& pos) {
  const int mover = WhiteToMove(pos) ? 1 : -1;
  const int slot = mover > 0 ? kKingSlot : kSideSlots + kKingSlot;
  if (pos.pieces[slot].code == mover * kKing && KingAttacked(pos, mover)) pos.flags |= kInCheck;
  else pos.flags &= ~kInCheck;
}

// The piece list, keys, maps and evaluation rebuilt from the edited board,
// which then becomes the game's start for undo. A board the rebuild cannot
// take keeps the piece list it made (or none) with maps to match, and is not
// evaluated.
void RebuildAndStart(GameState& gs, bool sideChanged) {
  Position& pos = gs.position;
  pos.gameMode = gs.gameMode;
  pos.rules = gs.rules;
  pos.history = &gs.keyHistory;
  pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  ClearMove(pos.lastMove);  // no move led here: nothing to outline
  pos.ply &= 1;             // the edited start is move 1, with its side to move
  DropStaleEpSquare(pos, sideChanged);
  if (BoardToPieces(pos)) {
    RegenPosition(pos);
  } else {
    ConsolePrintf("\nedited board may be unstable");
    RegenToPieces(pos);
    if (Is3D(pos)) ResolveConfig(pos);
  }
  MarkCheck(pos);
  StartKeyHistory(gs);
  gs.startPosition = pos;
  gs.startEdited = 1;
}

}  // namespace

int EditAtSquare(GameState& gs, int editMode, int name) {
  if (!IsSquare(name)) return 0;
  int& square = gs.position.board[name];
  if (editMode == kEditRemove) {
    square = 0;
  } else if (editMode >= kEditAddBlackPawn && editMode <= kLastBlackMode) {
    const int type = editMode - (kEditAddBlackPawn - 1);
    ConsolePrintf("\nset black %c at %d", kPieceLetters[type], name);
    square = -type;
  } else if (editMode >= kEditAddWhitePawn && editMode <= kLastWhiteMode) {
    const int type = editMode - (kEditAddWhitePawn - 1);
    ConsolePrintf("\nset white %c at %d", kPieceLetters[type], name);
    square = type;
  }
  RebuildAndStart(gs, false);
  return 1;
}

bool EditBoard(GameState& gs, int command) {
  Position& pos = gs.position;
  const int ply = pos.ply;
  switch (command) {
    case kEditClearBoard: pos.board.fill(0); break;
    case kEditWhiteToMove: pos.ply &= ~1; break;
    case kEditBlackToMove: pos.ply |= 1; break;
    default: return false;
  }
  RebuildAndStart(gs, pos.ply != ply);
  return true;
}

bool PlayablePosition(const Position& pos, std::string& why) {
  if (!SidesFit(pos, why)) return false;
  auto copy = std::make_unique<Position>(pos);
  if (!BoardToPieces(*copy)) {
    why = "the board cannot be rebuilt";
    return false;
  }
  return AdmitPosition(*copy, why);
}

}  // namespace torvik
