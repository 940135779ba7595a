#include "board/pieces.h"

#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/piece_values.h"
#include "board/promotion.h"
#include "board/rays.h"

namespace torvik {

void SetSlotOf(Position& pos, Square square, int slot) {
  pos.slotOf[square] = static_cast<uint8_t>(slot);
}

void AddMaterial(Position& pos, int slot) {
  int code = pos.pieces[slot].code;
  pos.eval.material[code < 0 ? kBlack : kWhite] += PieceValue(code);
}

void SubMaterial(Position& pos, int slot) {
  int code = pos.pieces[slot].code;
  pos.eval.material[code < 0 ? kBlack : kWhite] -= PieceValue(code);
}

void PlacePiece(Position& pos, int code, Square square, int slot) {
  pos.board[square] = code;
  pos.pieces[slot] = {code, square};
  SetSlotOf(pos, square, slot);
  HashPiece(pos, square, code);
  AddMaterial(pos, slot);
  uint32_t bit = SlotBit(slot);
  if (IsSlider(code)) pos.sliderMask |= bit;
  if (TypeOf(code) != kPawn) pos.pieceMask |= bit;
  pos.occupiedMask |= bit;
  MarkPawn(pos, code, square, bit);
}

void RemovePiece(Position& pos, int slot) {
  PieceEntry& entry = pos.pieces[slot];
  SubMaterial(pos, slot);
  HashPiece(pos, entry.square, entry.code);
  SetSlotOf(pos, entry.square, kNoSlot);
  pos.board[entry.square] = 0;
  entry.code = 0;
  uint32_t keep = ~SlotBit(slot);
  pos.pawnWatchMask &= keep;
  pos.pieceMask &= keep;
  pos.occupiedMask &= keep;
  pos.eval.passedMask[kWhite] &= keep;
  pos.eval.passedMask[kBlack] &= keep;
}

int MovePiece(Position& pos, int slot, Square to) {
  if (slot < 0 || slot >= kSlots || pos.pieces[slot].code == 0) {
    Warn(false, "NULL @ MovePiece");
    return 0;
  }
  PieceEntry& e = pos.pieces[slot];
  pos.pawnWatchMask &= ~SlotBit(slot);
  HashPiece(pos, e.square, e.code);
  pos.board[e.square] = 0;
  SetSlotOf(pos, e.square, kNoSlot);
  e.square = to;
  pos.board[to] = e.code;
  SetSlotOf(pos, to, slot);
  HashPiece(pos, to, e.code);
  MarkPawn(pos, e.code, to, SlotBit(slot));
  return 1;
}

// The promoted piece is no pawn any more: it leaves the pawn marks and the
// passed-pawn masks, so nothing later treats it as a pawn.
void ChangePiece(Position& pos, int slot, int newCode) {
  Square square = pos.pieces[slot].square;
  int queenSlot = SideBase(newCode) + kQueenSlot;
  if (TypeOf(newCode) == kQueen && !(pos.pieceMask & SlotBit(queenSlot))) {
    RemovePiece(pos, slot);
    PlacePiece(pos, newCode, square, queenSlot);
    return;
  }
  SubMaterial(pos, slot);
  HashPiece(pos, square, pos.pieces[slot].code);
  pos.board[square] = newCode;
  pos.pieces[slot].code = newCode;
  HashPiece(pos, square, newCode);
  AddMaterial(pos, slot);
  uint32_t bit = SlotBit(slot);
  if (IsSlider(newCode)) pos.sliderMask |= bit;
  if (TypeOf(newCode) != kPawn) {
    pos.pieceMask |= bit;
    pos.pawnWatchMask &= ~bit;
    pos.eval.passedMask[kWhite] &= ~bit;
    pos.eval.passedMask[kBlack] &= ~bit;
  }
}

// A pawn is marked when its next push promotes: in the 2D game on the seventh
// rank; on an attack board on the far rank of a board at the far end; on a fixed
// level when there is a square ahead and nothing beyond it.
void MarkPawn(Position& pos, int code, Square square, uint32_t bit) {
  if (TypeOf(code) != kPawn) return;
  bool white = code > 0;
  bool marked;
  if (!Is3D(pos)) {
    marked = RowOf(square) == (white ? 6 : 1);
  } else if (int board = BoardOfSquare(square); board >= 0) {
    int pin = pos.pins[board];
    bool oneShort = (RowOf(square) & 1) == (white ? 0 : 1);
    marked = oneShort && (white ? IsFarEndPin(pin) : IsNearEndPin(pin));
  } else {
    int forward = white ? 1 : -1;
    RayList ahead, beyond;
    marked = GetRay(pos, square, forward, ahead) > 0 &&
             GetRay(pos, ahead.squares[0], forward, beyond) == 0;
  }
  if (marked) pos.pawnWatchMask |= bit;
}

void MarkPawns(Position& pos) {
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (TypeOf(e.code) != kPawn) continue;
    pos.pawnWatchMask &= ~SlotBit(slot);
    MarkPawn(pos, e.code, e.square, SlotBit(slot));
  }
}

}  // namespace torvik
