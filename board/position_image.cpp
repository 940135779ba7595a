#include "board/position_image.h"

#include <algorithm>

#include "board/byte_io.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/piece_values.h"

namespace torvik {

using namespace position_image;

void WriteMoveImage(const Move& move, std::span<uint8_t> image, std::size_t offset) {
  PutI32(image, offset, move.from);
  PutI32(image, offset + 4, move.to);
  PutI32(image, offset + 8, move.score);
  PutI32(image, offset + 12, move.piece);
  image[offset + 16] = static_cast<uint8_t>(move.kind);
  image[offset + 17] = move.check;
  image[offset + 18] = image[offset + 19] = 0;
}

Move ReadMoveImage(std::span<const uint8_t> image, std::size_t offset) {
  Move m;
  m.from = GetI32(image, offset);
  m.to = GetI32(image, offset + 4);
  m.score = GetI32(image, offset + 8);
  m.piece = GetI32(image, offset + 12);
  m.kind = static_cast<char>(image[offset + 16]);
  m.check = image[offset + 17];
  return m;
}

void WritePositionImage(const Position& pos, PositionImage image) {
  std::fill(image.begin(), image.end(), uint8_t{0});
  for (int b = 0; b < 4; ++b) {
    PutI32(image, kBoardPins + 4 * b, pos.pins[b]);
    PutI32(image, kOwners + 4 * b, pos.owners[b]);
  }
  PutU32(image, kHashKey, pos.hashKey);
  PutU32(image, kHashLock, pos.hashLock);
  PutU32(image, kSliderMask, pos.sliderMask);
  PutU32(image, kPawnWatchMask, pos.pawnWatchMask);
  PutU32(image, kPieceMask, pos.pieceMask);
  PutU32(image, kOccupiedMask, pos.occupiedMask);
  for (Square s = 0; s < kSquareCount; ++s) {
    PutI32(image, kBoard + 4 * s, pos.board[s]);
    image[kSlotOf + s] = pos.slotOf[s];
    PutU32(image, kAttackedBy + 4 * s, pos.attackedBy[s]);
    PutU32(image, kXrayBy + 4 * s, pos.xrayBy[s]);
  }
  for (int slot = 0; slot < kSlots; ++slot) {
    PutI32(image, kPieces + 8 * slot, pos.pieces[slot].code);
    PutI32(image, kPieces + 8 * slot + 4, pos.pieces[slot].square);
  }
  PutI32(image, kStage, pos.eval.stage);
  PutU32(image, kRecomputeMask, pos.eval.recomputeMask);
  PutI32(image, kWhiteMaterial, pos.eval.material[kWhite]);
  PutI32(image, kBlackMaterial, pos.eval.material[kBlack]);
  PutU32(image, kWhitePassed, pos.eval.passedMask[kWhite]);
  PutU32(image, kBlackPassed, pos.eval.passedMask[kBlack]);
  PutI32(image, kMovesCount, pos.movesCache.count);
  WriteMoveImage(pos.lastMove, image, kLastMove);
  WriteMoveImage(pos.bestMove, image, kBestMove);
  PutI32(image, kEvalTerm, pos.evalTerm);
  PutU32(image, kFlags, pos.flags);
  PutI32(image, kEpSquare, pos.epSquare);
  PutI32(image, kHalfmoveCount, pos.halfmoveCount);
  PutI32(image, kPly, pos.ply);
  PutI32(image, kWinner, pos.winner);
  PutI32(image, kEvalScore, pos.evalScore);
}

namespace {

bool CheckPins(const Position& pos, std::string& error) {
  for (int b = 0; b < kAttackBoards; ++b) {
    if (PinIndex(pos.pins[b]) < 0) return error = "attack board on no pin", false;
    for (int other = 0; other < b; ++other)
      if (pos.pins[other] == pos.pins[b]) return error = "two attack boards on one pin", false;
    if (pos.owners[b] != 0 && pos.owners[b] != 1) return error = "bad attack-board owner", false;
  }
  return true;
}

// The board, the slot table and the piece list must describe the same pieces,
// each slot on its own side, with the kings in their slots.
bool CheckPieces(const Position& pos, std::string& error) {
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (!IsValidCode(e.code)) return error = "bad piece code in the piece list", false;
    if (e.code == 0) continue;
    if (!IsSquare(e.square)) return error = "piece on no square", false;
    if ((e.code < 0) != (slot >= kSideSlots)) return error = "piece in the other side's slot", false;
    if (pos.board[e.square] != e.code || pos.slotOf[e.square] != slot)
      return error = "piece list and board disagree", false;
  }
  for (Square s = 0; s < kSquareCount; ++s) {
    int code = pos.board[s];
    if (!IsValidCode(code)) return error = "bad piece code on the board", false;
    if (code == 0 && pos.slotOf[s] != kNoSlot) return error = "slot on an empty square", false;
    if (code != 0 && (pos.slotOf[s] >= kSlots || pos.pieces[pos.slotOf[s]].square != s))
      return error = "board and piece list disagree", false;
  }
  if (pos.pieces[kKingSlot].code != kKing || pos.pieces[kSideSlots + kKingSlot].code != -kKing)
    return error = "king missing from its slot", false;
  return true;
}

// The masks and the material follow from the piece list.
void DerivePieceState(Position& pos) {
  pos.pieceMask = pos.occupiedMask = 0;
  pos.eval.material = {0, 0};
  for (int slot = 0; slot < kSlots; ++slot) {
    int code = pos.pieces[slot].code;
    if (code == 0) continue;
    pos.occupiedMask |= SlotBit(slot);
    if (TypeOf(code) != kPawn) pos.pieceMask |= SlotBit(slot);
    if (IsSlider(code)) pos.sliderMask |= SlotBit(slot);
    pos.eval.material[code < 0 ? kBlack : kWhite] += PieceValue(code);
  }
  pos.pawnWatchMask &= pos.occupiedMask;
  ComputeKeys(pos, pos.hashKey, pos.hashLock);
}

}  // namespace

bool ReadPositionImage(ConstPositionImage image, int mode, Position& out, std::string& error) {
  Position pos;
  pos.gameMode = mode;
  pos.rules = out.rules;
  pos.history = out.history;
  for (int b = 0; b < 4; ++b) {
    pos.pins[b] = GetI32(image, kBoardPins + 4 * b);
    pos.owners[b] = GetI32(image, kOwners + 4 * b);
  }
  pos.sliderMask = GetU32(image, kSliderMask);
  pos.pawnWatchMask = GetU32(image, kPawnWatchMask);
  for (Square s = 0; s < kSquareCount; ++s) {
    pos.board[s] = GetI32(image, kBoard + 4 * s);
    pos.slotOf[s] = image[kSlotOf + s];
  }
  for (int slot = 0; slot < kSlots; ++slot) {
    pos.pieces[slot].code = GetI32(image, kPieces + 8 * slot);
    pos.pieces[slot].square = GetI32(image, kPieces + 8 * slot + 4);
  }
  pos.eval.stage = std::clamp(GetI32(image, kStage), 0, 3);
  pos.lastMove = ReadMoveImage(image, kLastMove);
  pos.bestMove = ReadMoveImage(image, kBestMove);
  pos.evalTerm = GetI32(image, kEvalTerm);
  pos.flags = GetU32(image, kFlags);
  pos.epSquare = GetI32(image, kEpSquare);
  pos.halfmoveCount = GetI32(image, kHalfmoveCount);
  pos.ply = GetI32(image, kPly);
  pos.winner = GetI32(image, kWinner);
  pos.evalScore = GetI32(image, kEvalScore);

  if (mode == kGame3D && !CheckPins(pos, error)) return false;
  if (!CheckPieces(pos, error)) return false;
  if (pos.epSquare < 0 || pos.epSquare >= kSquareCount) return error = "bad en-passant square", false;
  if (pos.ply < 0 || pos.halfmoveCount < 0) return error = "negative move count", false;
  if (pos.winner < kBlackWon || pos.winner > kDrawn) return error = "bad result", false;
  DerivePieceState(pos);
  out = pos;
  return true;
}

}  // namespace torvik
