#include "board/line_tables.h"

#include <memory>
#include <vector>

#include "board/config_cache.h"
#include "board/geometry.h"
#include "board/rays.h"

namespace torvik {
namespace {

constexpr std::array<int, 8> kKingSteps = {1, 9, 8, 7, -1, -9, -8, -7};
constexpr std::array<int, 8> kKnightSteps = {10, 6, 17, 15, -10, -6, -17, -15};
constexpr std::array<int, 4> kLines = {8, 1, 9, 7};  // later ones win for the same pair

void SetReach(LineTables& t, int code, Square from, Square to) {
  t.reach[code + 6][from] |= uint64_t(1) << to;
}

// Every square one step away in each of `steps` is reached by `codes`.
template <std::size_t N>
void AddSteps(const Position& pos, LineTables& t, Square from, const std::array<int, N>& steps,
              std::initializer_list<int> codes) {
  for (int d : steps) {
    RayList list;
    GetRay(pos, from, d, list);
    for (int i = 0; i < list.count; ++i)
      for (int code : codes) SetReach(t, code, from, list.squares[i]);
  }
}

// The lines through squares as every step of `direction` reaches them.
void AddLines(const Position& pos, LineTables& t, Square from, int direction) {
  const uint64_t reached = RayReach(pos, from, direction) & ~(uint64_t(1) << from);
  const bool straight = direction == 8 || direction == 1;
  for (Square to = 0; to < kSquareCount; ++to) {
    if (!(reached >> to & 1)) continue;
    t.lineDir[from][to] = int8_t(direction);
    t.lineDir[to][from] = int8_t(-direction);
    for (int side : {1, -1}) {
      int line = side * (straight ? kRook : kBishop);
      for (int code : {line, side * kQueen}) {
        SetReach(t, code, from, to);
        SetReach(t, code, to, from);
      }
    }
  }
}

// The 2D tables never change; the 3D ones live with their configuration.
const LineTables& Tables2D() {
  static const std::unique_ptr<LineTables> tables = [] {
    auto t = std::make_unique<LineTables>();
    Position pos;
    pos.gameMode = kGame2D;
    BuildLineTables(pos, *t);
    return t;
  }();
  return *tables;
}

const LineTables& TablesFor(const Position& pos) { return Is3D(pos) ? LinesOf(pos) : Tables2D(); }

}  // namespace

void BuildLineTables(const Position& pos, LineTables& t) {
  t = LineTables{};
  for (Square s = 0; s < kSquareCount; ++s) {
    const bool pawnRow = Is3D(pos) || (RowOf(s) >= 1 && RowOf(s) <= 6);
    if (pawnRow) {
      AddSteps(pos, t, s, std::array<int, 2>{9, -7}, {kPawn});
      AddSteps(pos, t, s, std::array<int, 2>{-9, 7}, {-kPawn});
    }
    AddSteps(pos, t, s, kKingSteps, {kKing, -kKing});
    AddSteps(pos, t, s, kKnightSteps, {kKnight, -kKnight});
  }
  for (int d : kLines)
    for (Square s = 0; s < kSquareCount; ++s) AddLines(pos, t, s, d);
}

const LineTables& LineTablesOf(const Position& pos) { return TablesFor(pos); }

int LineDir(const Position& pos, Square from, Square to) {
  if (!IsSquare(from) || !IsSquare(to)) return 0;
  return TablesFor(pos).lineDir[from][to];
}

bool PieceReach(const Position& pos, int code, Square from, Square to) {
  if (!IsValidCode(code) || !IsSquare(from) || !IsSquare(to)) return false;
  return (TablesFor(pos).reach[code + 6][from] >> to) & 1;
}

int IsBetween(const Position& pos, Square a, Square b, Square c) {
  int d = LineDir(pos, a, b);
  return d != 0 && d == LineDir(pos, b, c) ? 1 : 0;
}

}  // namespace torvik
