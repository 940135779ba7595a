#include "ui/move_entry.h"

#include "board/geometry.h"
#include "board/piece.h"

namespace torvik::ui {
namespace {

// The 2D game's castling squares of the king.
constexpr Square kWhiteShort2D = 48;
constexpr Square kWhiteLong2D = 16;
constexpr Square kBlackShort2D = 55;
constexpr Square kBlackLong2D = 23;
// The 3D game's long castling squares; short castling sends the king onto its rook.
constexpr Square kWhiteLong3D = 8;
constexpr Square kBlackLong3D = 15;

bool Holds(const Position& pos, uint32_t right) { return (pos.flags & right) != 0; }

char CastlingKind3D(const Position& pos, int king, int target, Square to, char kind) {
  if (king == kKing) {
    if (target == kRook && Holds(pos, kWhiteShort)) kind = kShortCastle;
    if (to == kWhiteLong3D && Holds(pos, kWhiteLong)) kind = kLongCastle;
  } else if (king == -kKing) {
    if (target == -kRook && Holds(pos, kBlackShort)) kind = kShortCastle;
    if (to == kBlackLong3D && Holds(pos, kBlackLong)) kind = kLongCastle;
  }
  return kind;
}

char CastlingKind2D(const Position& pos, int king, Square to, char kind) {
  if (king == kKing) {
    if (to == kWhiteShort2D && Holds(pos, kWhiteShort)) kind = kShortCastle;
    if (to == kWhiteLong2D && Holds(pos, kWhiteLong)) kind = kLongCastle;
  } else if (king == -kKing) {
    if (to == kBlackShort2D && Holds(pos, kBlackShort)) kind = kShortCastle;
    if (to == kBlackLong2D && Holds(pos, kBlackLong)) kind = kLongCastle;
  }
  return kind;
}

}  // namespace

char ClickedMoveKind(const Position& pos, Square from, Square to) {
  if (!IsSquare(from) || !IsSquare(to)) return kPlain;
  const int piece = pos.board[static_cast<std::size_t>(from)];
  const int target = pos.board[static_cast<std::size_t>(to)];
  const char kind = target != 0 ? kCapture : kPlain;
  return Is3D(pos) ? CastlingKind3D(pos, piece, target, to, kind)
                   : CastlingKind2D(pos, piece, to, kind);
}

Move PieceMove(const Position& pos, Square from, Square to) {
  Move m;
  m.from = from;
  m.to = to;
  m.score = kNoScore;
  m.piece = IsSquare(from) ? pos.board[static_cast<std::size_t>(from)] : 0;
  m.kind = ClickedMoveKind(pos, from, to);
  m.check = 0;
  return m;
}

Move BoardMove(const Position& pos, int boardCode, int to) {
  Move m;
  m.from = GetABPin(pos, boardCode);
  m.to = to;
  m.score = kNoScore;
  m.piece = boardCode;
  m.kind = kBoardMove;
  m.check = 0;
  return m;
}

}  // namespace torvik::ui
