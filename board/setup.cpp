#include "board/setup.h"

#include "board/console.h"
#include "board/geometry.h"
#include "board/rays.h"

namespace torvik {
namespace {

struct Placement {
  Square square;
  int code;
};

// White's pieces; black's stand mirrored (see Mirror*).
constexpr std::array<Placement, 16> kWhite3D = {{
    {0, kRook}, {8, kQueen}, {1, kPawn}, {9, kPawn},        // queen's attack board
    {16, kKing}, {24, kRook}, {17, kPawn}, {25, kPawn},     // king's attack board
    {32, kKnight}, {40, kBishop}, {48, kBishop}, {56, kKnight},
    {33, kPawn}, {41, kPawn}, {49, kPawn}, {57, kPawn}}};   // white level

constexpr std::array<int, 8> kBackRank2D = {kRook, kKnight, kBishop, kQueen,
                                            kKing, kBishop, kKnight, kRook};

// 3D: black's pieces stand in white's columns with the rows turned over
// (attack-board rows 0, 1 to 7, 6; white level rows 0, 1 to black level 7, 6).
constexpr Square Mirror3D(Square s) { return s + 7 - 2 * RowOf(s); }

void PlaceStart3D(Position& pos) {
  for (const Placement& p : kWhite3D) {
    pos.board[p.square] = p.code;
    pos.board[Mirror3D(p.square)] = -p.code;
  }
  pos.pins = kHomePin;
  pos.owners = kStartOwner;
}

void PlaceStart2D(Position& pos) {
  for (int file = 0; file < 8; ++file) {
    pos.board[MakeSquare(file, 0)] = kBackRank2D[file];
    pos.board[MakeSquare(file, 1)] = kPawn;
    pos.board[MakeSquare(file, 6)] = -kPawn;
    pos.board[MakeSquare(file, 7)] = -kBackRank2D[file];
  }
}

}  // namespace

void ResetBoardHashes() {
  ConsolePrintf("\nBoard Hashes Reset");
  ResetRayCache();
}

void PlaceStartPosition(Position& pos, int mode) {
  const int rules = pos.rules;
  KeyHistory* history = pos.history;
  pos = Position{};
  pos.gameMode = mode;
  pos.rules = rules;
  pos.history = history;
  pos.flags = kCastleRights;
  if (mode == kGame3D) PlaceStart3D(pos);
  else PlaceStart2D(pos);
}

}  // namespace torvik
