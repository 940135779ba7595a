#include "rules/attack_maps.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/pieces.h"
#include "board/rays.h"
#include "board/rebuild.h"
#include "rules/make_move.h"
#include "rules/piece_lines.h"

namespace torvik {

namespace {

// The 3D builder's probe: marks the slot's bit on the squares reached and
// notes every square whose occupant it read.
struct AttackProbe {
  Position& pos;
  uint32_t bit;
  uint64_t read = 0;
  int Code(Square s) {
    read |= uint64_t(1) << s;
    return pos.board[s];
  }
  void Mark(Square s) { pos.attackedBy[s] |= bit; }
};
static_assert(kSquareCount == 64, "reachRead holds a bit per square");

// The 2D squares one step from each square in each of N directions, as lists.
template <std::size_t N>
struct StepTargets {
  std::array<std::array<int8_t, N>, kSquareCount> to{};
  std::array<uint8_t, kSquareCount> count{};
};

template <std::size_t N>
constexpr StepTargets<N> Targets2D(const std::array<int, N>& directions) {
  StepTargets<N> t;
  for (Square s = 0; s < kSquareCount; ++s)
    for (int d : directions) {
      const int to = ray_detail::kSteps2D[ray_detail::SlotOf(d)][s];
      if (to >= 0) t.to[s][t.count[s]++] = int8_t(to);
    }
  return t;
}

constexpr auto kKnightTargets2D = Targets2D(kKnightDirections);
constexpr auto kKingTargets2D = Targets2D(kKingDirections);
constexpr auto kWhitePawnTargets2D = Targets2D(kWhitePawnCaptures);
constexpr auto kBlackPawnTargets2D = Targets2D(kBlackPawnCaptures);

// One step in each direction; in the 3D game every square of the step.
template <std::size_t N>
void MarkSteps(Position& pos, uint32_t bit, Square from, const std::array<int, N>& directions,
               const StepTargets<N>& targets2D) {
  if (Is3D(pos)) {  // the configuration's table looked up once for all the steps
    const RayTable& rays = ConfigOf(pos).rays;
    for (int d : directions) {
      const RayEntry& list = rays[RayListIndex(ray_detail::SlotOf(d), from)];
      for (int i = 0; i < list.count; ++i) pos.attackedBy[list.squares[i]] |= bit;
    }
    return;
  }
  const auto& to = targets2D.to[from];
  for (int i = 0; i < targets2D.count[from]; ++i) pos.attackedBy[to[i]] |= bit;
}

// A 3D slider's whole reach, its slides and its walks, reported to the probe.
template <class Probe>
void Reach3D(const Position& pos, int code, Square from, Probe& probe) {
  if (SlidesDiagonally(code))
    for (int d : kBishopDirections) Slide3D(pos, from, d, probe);
  if (SlidesStraight(code)) {
    for (int d : kRookDirections) Slide3D(pos, from, d, probe);
    if (WalksAcrossPins(pos, code, from)) TournamentWalks(pos, from, code, WalkMode::kAttack, probe);
  }
}

// A slider's reach into the maps: in 3D its slides and walks, in 2D its slides
// and their x-rays.
void MarkSlides(Position& pos, int slot, const PieceEntry& piece) {
  if (Is3D(pos)) {
    AttackProbe probe{pos, SlotBit(slot)};
    Reach3D(pos, piece.code, piece.square, probe);
    pos.reachRead[slot] = probe.read;
    return;
  }
  if (SlidesDiagonally(piece.code))
    for (int d : kBishopDirections) Slide2D(pos, slot, piece.square, d);
  if (SlidesStraight(piece.code))
    for (int d : kRookDirections) Slide2D(pos, slot, piece.square, d);
}

// The probe of a king test: does a slide reach the one square asked about?
struct TargetProbe {
  const Position& pos;
  Square target;
  bool reached = false;
  int Code(Square s) const { return pos.board[s]; }
  void Mark(Square s) { reached |= s == target; }
};

}  // namespace

void GeneratePieceAttacks(Position& pos, int slot) {
  pos.eval.recomputeMask |= SlotBit(slot);
  const PieceEntry piece = pos.pieces[slot];
  if (!IsSquare(piece.square)) return;
  const uint32_t bit = SlotBit(slot);
  switch (TypeOf(piece.code)) {
    case kPawn:
      if (piece.code > 0) MarkSteps(pos, bit, piece.square, kWhitePawnCaptures, kWhitePawnTargets2D);
      else MarkSteps(pos, bit, piece.square, kBlackPawnCaptures, kBlackPawnTargets2D);
      break;
    case kKnight:
      MarkSteps(pos, bit, piece.square, kKnightDirections, kKnightTargets2D);
      break;
    case kBishop:
    case kRook:
    case kQueen:
      MarkSlides(pos, slot, piece);
      break;
    case kKing:
      MarkSteps(pos, bit, piece.square, kKingDirections, kKingTargets2D);
      break;
    default:
      Warn(true, "unknown pi in piece generate");
  }
}

bool SlidersReach3D(const Position& pos, uint32_t slots, Square target) {
  for (uint32_t m = slots & pos.sliderMask & pos.occupiedMask; m; m &= m - 1) {
    const PieceEntry& piece = pos.pieces[std::countr_zero(m)];
    TargetProbe probe{pos, target};
    Reach3D(pos, piece.code, piece.square, probe);
    if (probe.reached) return true;
  }
  return false;
}

int RegenAttackMaps(Position& pos) {
  pos.attackedBy.fill(0);
  pos.xrayBy.fill(0);
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (e.code == 0) continue;
    if (!IsSquare(e.square)) {
      Warn(false, "RegenToPieces pi present but pos");
      pos.attackedBy.fill(0);
      pos.xrayBy.fill(0);
      return 0;
    }
    GeneratePieceAttacks(pos, slot);
  }
  return 1;
}

void ForgetEvaluation(Position& pos) {
  pos.flags &= ~(kEvalCached | kTacticsCached);
  pos.eval.recomputeMask = pos.occupiedMask;
}

int RegenToPieces(Position& pos) {
  pos.previous = nullptr;
  if (!RegenAttackMaps(pos)) return 0;
  if (Is3D(pos)) UpdateABOwners(pos);
  MarkPawns(pos);
  ForgetEvaluation(pos);
  return 1;
}

int RebuildFromBoard(Position& pos) { return BoardToPieces(pos) && RegenToPieces(pos); }

// Bringing the attack maps up to date after a plain piece move.
//
// Only the pieces the move can affect are worked on: the mover, the captured
// piece, and the sliders whose reach depended on the two squares the move
// changed. Their bits are taken out of the parent's maps and their reach is
// generated again on the new board; every other piece's reach cannot have
// changed. In the 2D game those sliders are the ones whose lines (attacks or
// x-rays) ran through the two squares. In the 3D game a line's blocking
// depends on squares it does not mark, so each slider's reach keeps the
// squares it read (reachRead).
namespace {

// The evaluation looks at pawn structure: pawns on the files around a pawn that
// moved or was taken are marked for recomputing.
void MarkPawnFiles(Position& child, const Position& parent, const Move& move) {
  const int f = ColumnOf(move.from), t = ColumnOf(move.to);
  int low, high;
  if (TypeOf(move.piece) == kPawn) {
    low = std::min(f, t) - 1;
    high = std::max(f, t) + 1;
  } else if (TypeOf(parent.board[move.to]) == kPawn) {
    low = t - 1;
    high = t + 1;
  } else {
    return;
  }
  for (int slot : {8, 9, 10, 11, 12, 13, 14, 15, 24, 25, 26, 27, 28, 29, 30, 31}) {
    const PieceEntry& e = child.pieces[slot];
    const int pawn = slot < 16 ? kPawn : -kPawn;
    if (e.code == pawn && ColumnOf(e.square) >= std::max(low, 0) && ColumnOf(e.square) <= high)
      child.eval.recomputeMask |= SlotBit(slot);
  }
}

// to[s] = from[s] & keep for every square, two squares to a 64-bit word.
void KeepBits(std::array<uint32_t, kSquareCount>& to, const std::array<uint32_t, kSquareCount>& from,
              uint32_t keep) {
  const uint64_t both = uint64_t(keep) << 32 | keep;
  for (Square s = 0; s < kSquareCount; s += 2) {
    uint64_t pair;
    std::memcpy(&pair, &from[s], sizeof pair);
    pair &= both;
    std::memcpy(&to[s], &pair, sizeof pair);
  }
}

// 3D: the sliders still standing whose reach read `from` or `to`.
uint32_t SlidersReading(const Position& child, const Position& parent, Square from, Square to, uint32_t gone) {
  const uint64_t changed = uint64_t(1) << from | uint64_t(1) << to;
  uint32_t redo = 0;
  for (uint32_t m = child.sliderMask & child.occupiedMask & ~gone; m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    if (parent.reachRead[slot] & changed) redo |= SlotBit(slot);
  }
  return redo;
}

}  // namespace

void UpdateMoves(Position& child, const Position& parent, const Move& move) {
  const Square f = move.from, t = move.to;
  if (!IsSquare(f) || !IsSquare(t) || child.slotOf[t] == kNoSlot) {
    RegenAttackMaps(child);
    return;
  }
  const int mover = child.slotOf[t];
  uint32_t gone = SlotBit(mover);
  if (parent.board[t] != 0) gone |= SlotBit(parent.slotOf[t]);
  uint32_t redo;
  if (Is3D(child)) {
    redo = SlidersReading(child, parent, f, t, gone);
    child.reachRead = parent.reachRead;
  } else {
    const uint32_t crossing = parent.attackedBy[f] | parent.attackedBy[t] | parent.xrayBy[f] | parent.xrayBy[t];
    redo = crossing & child.sliderMask & child.occupiedMask & ~gone;
  }
  const uint32_t keep = ~(gone | redo);
  KeepBits(child.attackedBy, parent.attackedBy, keep);
  KeepBits(child.xrayBy, parent.xrayBy, keep);
  for (uint32_t m = redo | SlotBit(mover); m; m &= m - 1) GeneratePieceAttacks(child, std::countr_zero(m));
  // Pawn structure: in the 3D game every pawn is looked at again.
  if (Is3D(child)) child.eval.recomputeMask |= child.occupiedMask & ~child.pieceMask;
  else MarkPawnFiles(child, parent, move);
}

}  // namespace torvik
