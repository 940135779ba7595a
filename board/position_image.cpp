#include "board/position_image.h"

#include <algorithm>

#include "board/board_checks.h"
#include "board/byte_io.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/move_counters.h"
#include "board/piece_values.h"
#include "board/rebuild.h"

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
  PutI32(image, kMovesCount, 0);  // once a move list's count; a game's position never held one
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

bool Fail(std::string& error, const char* message) {
  error = message;
  return false;
}

// 3D: four boards on four distinct pins, each owned by one side. 2D: no boards.
bool CheckBoards(const Position& pos, std::string& error) {
  if (!Is3D(pos)) {
    for (int b = 0; b < kAttackBoards; ++b)
      if (pos.pins[b] != 0 || pos.owners[b] != 0) return Fail(error, "attack boards in a 2D game");
    return true;
  }
  for (int b = 0; b < kAttackBoards; ++b) {
    if (PinIndex(pos.pins[b]) < 0) return Fail(error, "attack board on no pin");
    for (int other = 0; other < b; ++other)
      if (pos.pins[other] == pos.pins[b]) return Fail(error, "two attack boards on one pin");
    if (pos.owners[b] != 0 && pos.owners[b] != 1) return Fail(error, "bad attack-board owner");
  }
  return true;
}

bool CheckCounters(const Position& pos, std::string& error) {
  if (!IsSquare(pos.epSquare)) return Fail(error, "bad en-passant square");
  if (pos.ply < 0 || pos.ply > kMaxPly) return Fail(error, "ply count out of range");
  if (pos.halfmoveCount < 0 || pos.halfmoveCount > kMaxHalfmoveCount)
    return Fail(error, "halfmove count out of range");
  if (pos.winner < kBlackWon || pos.winner > kDrawn) return Fail(error, "bad result");
  return true;
}

// The piece types a slot may hold: the king's slot the king, the next seven
// their layout's type, the last eight pawns and promoted pieces.
bool FitsSlot(int code, int slot) {
  const int i = slot % kSideSlots, type = TypeOf(code);
  if ((code < 0) != (slot >= kSideSlots)) return false;
  return i < kPawnSlot ? type == kOfficerLayout[i] : type != kKing;
}

bool CheckCodes(const Position& pos, std::string& error) {
  for (Square s = 0; s < kSquareCount; ++s)
    if (!IsValidCode(pos.board[s])) return Fail(error, "bad piece code on the board");
  return true;
}

// The piece list and the slot table describe the pieces of the board, every
// one in a slot of its own side and type.
bool CheckPieces(const Position& pos, std::string& error) {
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (e.code == 0) continue;
    if (!IsValidCode(e.code)) return Fail(error, "bad piece code in the piece list");
    if (!IsSquare(e.square)) return Fail(error, "piece on no square");
    if (!FitsSlot(e.code, slot)) return Fail(error, "piece in a slot not its own");
    if (pos.board[e.square] != e.code || pos.slotOf[e.square] != slot)
      return Fail(error, "piece list and board disagree");
  }
  for (Square s = 0; s < kSquareCount; ++s) {
    const int code = pos.board[s], slot = pos.slotOf[s];
    if (slot == kNoSlot && code == 0) continue;
    if (slot >= kSlots || pos.pieces[slot].code != code || pos.pieces[slot].square != s)
      return Fail(error, "board and piece list disagree");
  }
  return true;
}

bool CheckRules(const Position& pos, std::string& error) {
  if (!SidesFit(pos, error)) return false;
  if (PawnPastPromotion(pos) != kNoSquare) return Fail(error, "a pawn stands where it must have promoted");
  return true;
}

// What follows from the board and the piece list: the masks, the material, the
// castling rights the kings and rooks still back, the en-passant square a FEN
// reader keeps, and the keys. Only the castling bits of the flags are read.
void DerivePieceState(Position& pos) {
  pos.sliderMask = pos.pieceMask = pos.occupiedMask = pos.pawnWatchMask = 0;
  pos.eval.material = {0, 0};
  pos.eval.passedMask = {0, 0};
  for (int slot = 0; slot < kSlots; ++slot) {
    int code = pos.pieces[slot].code;
    if (code == 0) continue;
    pos.occupiedMask |= SlotBit(slot);
    if (TypeOf(code) != kPawn) pos.pieceMask |= SlotBit(slot);
    if (IsSlider(code)) pos.sliderMask |= SlotBit(slot);
    pos.eval.material[code < 0 ? kBlack : kWhite] += PieceValue(code);
  }
  pos.flags &= kCastleRights | kWhiteCastled | kBlackCastled;
  DropUnbackedCastling(pos);
  if (!Is3D(pos) && !EpSquareFits2D(pos)) pos.epSquare = 0;
  ComputeKeys(pos, pos.hashKey, pos.hashLock);
}

void ReadFields(ConstPositionImage image, Position& pos) {
  for (int b = 0; b < 4; ++b) {
    pos.pins[b] = GetI32(image, kBoardPins + 4 * b);
    pos.owners[b] = GetI32(image, kOwners + 4 * b);
  }
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
}

bool Read(ConstPositionImage image, int mode, Position& out, bool edited, std::string& error) {
  Position pos;
  pos.gameMode = mode;
  pos.rules = out.rules;
  pos.history = out.history;
  ReadFields(image, pos);
  if (!CheckBoards(pos, error) || !CheckCounters(pos, error) || !CheckCodes(pos, error)) return false;
  if (!edited) {
    if (!CheckPieces(pos, error) || !CheckRules(pos, error)) return false;
  } else {
    // The piece list of a board the rebuild refused is rebuilt from the board
    // (left empty, as the editor leaves it, when a side has more pieces than slots).
    BoardToPieces(pos);
  }
  DerivePieceState(pos);
  out = pos;
  return true;
}

}  // namespace

bool ReadPositionImage(ConstPositionImage image, int mode, Position& out, std::string& error) {
  return Read(image, mode, out, false, error);
}

bool ReadEditedPositionImage(ConstPositionImage image, int mode, Position& out, std::string& error) {
  return Read(image, mode, out, true, error);
}

}  // namespace torvik
