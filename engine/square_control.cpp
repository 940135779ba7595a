// Who holds each square, and what holding it is worth: the centre most, and
// the squares in front of a castled king while queens are on the board.
//
// The pass works against the parent when the parent is evaluated: only the
// squares whose attackers, x-rays, occupant or the standing of an attacker
// (pinned, officer or pawn) changed are worked again, and the per-slot counts
// move by the difference.

#include "engine/eval_terms.h"
#include "engine/square_control.h"

namespace torvik {
namespace {

// The order in which pieces are worth winning, by type (none, pawn, knight,
// bishop, rook, queen, king): knights and bishops alike. A promoted piece is
// worth what it has become, whichever slot it holds.
constexpr std::array<int8_t, 7> kWorth = {0, 0, 1, 1, 2, 3, 4};

// Attackers of at most this worth are cheaper than the occupant and win it, by
// the occupant's type; -1: none are.
constexpr std::array<int8_t, 7> kCheaperWorth = {-1, -1, 0, 0, 1, 2, 3};

int WorthOf(const Position& pos, int slot) { return kWorth[TypeOf(pos.pieces[slot].code)]; }

// The slots by worth: atMost[w] holds every slot whose piece is worth w or
// less, so that the cheapest of a set of attackers is the first rung the set
// meets. An officer's slot keeps its type, and a side's slots run from the
// king's to the pawns' (kKingSlot .. kPawnSlot + 7), so rung w starts as every
// slot from the first of that worth on; a pawn's slot climbs once its pawn
// has promoted.
struct WorthLadder {
  // Every slot from the first of each worth on (pawns; bishops and knights;
  // rooks; queen; king), on both sides.
  static constexpr std::array<uint32_t, 5> kRungs = [] {
    std::array<uint32_t, 5> rungs{};
    const std::array<int, 5> first = {kPawnSlot, kBishopSlot, kRookSlot, kQueenSlot, kKingSlot};
    for (int w = 0; w < 5; ++w) {
      const uint32_t side = (0xffffu << first[w]) & kWhiteSlots;
      rungs[w] = side | side << kSideSlots;
    }
    return rungs;
  }();
  std::array<uint32_t, 5> atMost = kRungs;

  explicit WorthLadder(const Position& pos) {
    for (uint32_t m = pos.pieceMask & atMost[0]; m; m &= m - 1) {
      const int slot = std::countr_zero(m);
      for (int w = 0; w < WorthOf(pos, slot); ++w) atMost[w] &= ~SlotBit(slot);
    }
  }
  // The least worth among the pieces of `slots` (5 when there are none).
  int Cheapest(uint32_t slots) const {
    for (int w = 0; w < 5; ++w)
      if (slots & atMost[w]) return w;
    return 5;
  }
};

constexpr uint32_t kQueens = SlotBit(kQueenSlot) | SlotBit(kSideSlots + kQueenSlot);

// While a queen is on the board, a king in a corner of its own side has its
// zone weighed too.
uint32_t ZoneSelection(const Position& pos) {
  if (!(pos.occupiedMask & kQueens)) return 0;
  auto corner = [](Square king, bool home, uint32_t kingSide, uint32_t queenSide) -> uint32_t {
    if (!home) return 0;
    return ColumnOf(king) >= 4 ? kingSide : ColumnOf(king) <= 2 ? queenSide : 0;
  };
  const Square w = pos.pieces[kKingSlot].square, b = pos.pieces[kSideSlots + kKingSlot].square;
  return corner(w, RowOf(w) <= 2, kZoneWhiteKingSide, kZoneWhiteQueenSide) |
         corner(b, RowOf(b) >= 5, kZoneBlackKingSide, kZoneBlackQueenSide);
}

struct ControlWeights {
  const CoefficientTable& c;
  WorthLadder ladder;
  int whiteZone;  // first coefficient of White's zone table, or -1
  int blackZone;

  int32_t Value(Square s, int balance) const {
    if (balance > 0) return c[kControlSquares + s] + (whiteZone >= 0 ? c[whiteZone + s] : 0);
    if (balance < 0) return -(c[kControlSquares + (s ^ 7)] + (blackZone >= 0 ? c[blackZone + (s ^ 7)] : 0));
    return 0;
  }
};

ControlWeights WeightsFor(const Position& pos, uint32_t selection) {
  auto zone = [&](uint32_t kingSide, uint32_t queenSide) {
    return (selection & kingSide) ? int(kKingSideZone) : (selection & queenSide) ? int(kQueenSideZone) : -1;
  };
  return {Coefficients(pos), WorthLadder(pos), zone(kZoneWhiteKingSide, kZoneWhiteQueenSide),
          zone(kZoneBlackKingSide, kZoneBlackQueenSide)};
}

// The officers of the side holding the square that count as its controllers:
// when the other side attacks it too, those not dearer than its cheapest
// attacker (none against a pawn; against a king, all but the own king).
uint32_t EffectiveControllers(const Position& pos, const WorthLadder& ladder, uint32_t attackers, int balance,
                              int occupant) {
  uint32_t own = 0, other = 0;
  if (balance > 0 && occupant <= 0) {
    own = attackers & kWhiteSlots;
    other = attackers & kBlackSlots;
  } else if (balance < 0 && occupant >= 0) {
    own = attackers & kBlackSlots;
    other = attackers & kWhiteSlots;
  }
  if (other) own &= ladder.atMost[std::min(ladder.Cheapest(other), 3)];
  return own & pos.pieceMask;
}

// ControlBalance, with the ladder of the position's slots by worth.
inline int Balance(const Position& pos, const WorthLadder& ladder, uint32_t attackers, int occupant, Square square) {
  if (attackers == 0) return 0;
  if (occupant != 0 && IsValidCode(occupant)) {
    const uint32_t enemies = attackers & (occupant > 0 ? kBlackSlots : kWhiteSlots);
    if (enemies && ladder.Cheapest(enemies) <= kCheaperWorth[TypeOf(occupant)]) return -occupant;
  }
  const uint32_t pawns = attackers & ~pos.pieceMask;
  const int whitePawns = Popcount(pawns & kWhiteSlots), blackPawns = Popcount(pawns & kBlackSlots);
  if (whitePawns != blackPawns) return whitePawns - blackPawns;
  const uint32_t officers = attackers & pos.pieceMask, xray = pos.xrayBy[square] & pos.pieceMask;
  return Popcount(officers & kWhiteSlots) + Popcount(xray & kWhiteSlots) -
         Popcount(officers & kBlackSlots) - Popcount(xray & kBlackSlots);
}

void Count(std::array<uint8_t, 32>& counts, uint32_t changed, uint32_t now, std::array<int32_t, 2>* totals) {
  for (uint32_t m = changed; m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    const int step = (now >> slot & 1) ? 1 : -1;
    counts[slot] = uint8_t(counts[slot] + step);
    if (totals) (*totals)[slot >> 4] += step;
  }
}

void Recompute(Position& pos, const ControlWeights& w, Square s, uint32_t oldAttackers) {
  EvalCache& e = pos.eval;
  const uint32_t raw = pos.attackedBy[s];
  const uint32_t attackers = raw & ~e.pinnedMask;
  const int occupant = pos.board[s];
  if (occupant != 0) e.recomputeMask |= SlotBit(pos.slotOf[s]);
  const int balance = Balance(pos, w.ladder, attackers, occupant, s);
  const uint32_t controllers = EffectiveControllers(pos, w.ladder, attackers, balance, occupant);
  Count(e.controlledCount, controllers ^ e.controllers[s], controllers, &e.controlledTotal);
  Count(e.attackedCount, raw ^ oldAttackers, raw, nullptr);
  const int32_t value = w.Value(s, balance);
  e.controlTotal += value - e.controlValue[s];
  e.controlValue[s] = value;
  e.controlSign[s] = int8_t(balance > 0 ? 1 : balance < 0 ? -1 : 0);
  e.controllers[s] = controllers;
}

void ClearControl(EvalCache& e) {
  e.controlValue.fill(0);
  e.controlSign.fill(0);
  e.controllers.fill(0);
  e.controlTotal = 0;
  e.attackedCount.fill(0);
  e.controlledCount.fill(0);
  e.controlledTotal = {0, 0};
}

bool SquareChanged(const Position& pos, const Position& parent, Square s, uint32_t standing) {
  return pos.attackedBy[s] != parent.attackedBy[s] || pos.xrayBy[s] != parent.xrayBy[s] ||
         pos.board[s] != parent.board[s] || ((pos.attackedBy[s] | pos.xrayBy[s]) & standing) != 0;
}

}  // namespace

int ControlBalance(const Position& pos, uint32_t attackers, int occupant, Square square) {
  return Balance(pos, WorthLadder(pos), attackers, occupant, square);
}

int32_t SquareControlPass(Position& pos) {
  EvalCache& e = pos.eval;
  if (e.stage == 3) {
    ClearControl(e);
    return 0;
  }
  const uint32_t selection = ZoneSelection(pos);
  const ControlWeights weights = WeightsFor(pos, selection);
  const Position* parent = pos.previous;
  const bool incremental = parent && (parent->flags & kEvalCached) && parent->eval.stage == e.stage &&
                           (parent->flags & kKingZones) == selection;
  pos.flags = (pos.flags & ~kKingZones) | selection;
  if (!incremental) {
    ClearControl(e);
    for (Square s = 0; s < kSquareCount; ++s) Recompute(pos, weights, s, 0);
    return e.controlTotal;
  }
  const uint32_t standing = (e.pinnedMask ^ parent->eval.pinnedMask) | (pos.pieceMask ^ parent->pieceMask);
  for (Square s = 0; s < kSquareCount; ++s) {
    if (SquareChanged(pos, *parent, s, standing)) Recompute(pos, weights, s, parent->attackedBy[s]);
  }
  return e.controlTotal;
}

int ControlledSquares(const Position& pos, int side) { return pos.eval.controlledTotal[side]; }

}  // namespace torvik
