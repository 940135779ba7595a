// The evasion generator: the moves that can answer a check, the king's steps,
// the captures of the checker and the moves that block or turn its line.
//
// The evasion generator's working record and its steps. Everything lives in one
// call of GenerateEvasions; nothing is kept between calls.

#include "rules/generate.h"

#include <array>
#include <bit>
#include <cstdint>

#include "board/console.h"
#include "board/geometry.h"
#include "board/line_tables.h"
#include "board/position.h"
#include "board/rays.h"
#include "rules/en_passant.h"
#include "rules/move_list.h"
#include "rules/piece_lines.h"

namespace torvik {

struct Evasion {
  Position& pos;
  MoveSink sink;
  int side = 1;             // +1 white to move, -1 black
  uint32_t mover = 0;       // slot masks
  uint32_t enemy = 0;
  Square king = kNoSquare;  // K
  uint32_t checkers = 0;    // enemy slots attacking K
  Square checker = kNoSquare;  // X: the single checker's square, else K
  std::array<uint64_t, kSquareCount> listed{};  // listed[from] bit `to`: a piece move already in the list
};

inline bool SingleCheck(const Evasion& e) { return std::has_single_bit(e.checkers); }

// Lists a piece move unless the same piece already goes from `from` to `to`.
bool AddOnce(Evasion& e, int piece, Square from, Square to, char kind, Fill fill = Fill::kFresh);

// The mover's pieces other than pawns and the king that may go to the empty
// square `b`, and the pawns that may push there.
void AddPieceBlocks(Evasion& e, Square b);
void AddPawnBlocks(Evasion& e, Square b);

// Blocks between K and a sliding checker: along the line in the 3D game (and
// past the edge of the tables along the Tournament walks), square by square in
// the 2D game.
void AddLineBlocks3D(Evasion& e);
void AddLineBlocks2D(Evasion& e);

// 3D: every other piece move that touches the line of each checker.
void AddPathMoves(Evasion& e);

// The king's own steps.
void AddKingSteps(Evasion& e);

// What a 3D slider's reach of one square depends on. The 3D slide reads nothing
// but the ray lists, the levels and what stands on the squares it looks at; a
// move that changes none of those squares leaves the reach as it was.
// The squares whose contents the slider in `slot` looks at on the lines by which
// it reaches `target` (its slides in every direction that reaches it, and the
// Tournament walks when they reach it), one bit per square; 0 when it does not
// reach `target`.
uint64_t ReachPath(const Position& pos, int slot, Square target);

// 1 when the slider in `slot` reaches `to` once the king has stepped from
// `kingFrom` to `to`.
bool ReachesAfterKingStep(const Position& pos, int slot, Square kingFrom, Square to);

namespace {

// K, the checkers and X. False when the mover has no king on its king slot or
// nothing attacks it: the position is then no check to answer.
bool FindCheckers(Evasion& e) {
  const Position& pos = e.pos;
  e.side = WhiteToMove(pos) ? 1 : -1;
  e.mover = MoverSlots(pos);
  e.enemy = EnemySlots(pos);
  const PieceEntry& king = pos.pieces[e.side > 0 ? kKingSlot : kSideSlots + kKingSlot];
  if (king.code != e.side * kKing || !IsSquare(king.square)) return false;
  e.king = king.square;
  e.checkers = pos.attackedBy[e.king] & e.enemy;
  if (e.checkers == 0) return false;
  e.checker = SingleCheck(e) ? pos.pieces[std::countr_zero(e.checkers)].square : e.king;
  return true;
}

// Every piece of the mover that attacks the single checker takes it.
void AddCheckerCaptures(Evasion& e) {
  const Position& pos = e.pos;
  for (uint32_t slots = pos.attackedBy[e.checker] & e.mover; slots; slots &= slots - 1) {
    const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
    if (!KingBarred(pos, p.code, e.checker)) AddOnce(e, p.code, p.square, e.checker, kCapture, Fill::kKeep);
  }
}

// 2D: an en-passant capture answers a checker when it takes it (the pawn
// beside the en-passant square) or lands between it and the king.
bool EnPassantAnswers(const Evasion& e, Square ep) {
  const Square victim = ep - e.side;
  for (uint32_t slots = e.checkers; slots; slots &= slots - 1) {
    const PieceEntry& c = e.pos.pieces[std::countr_zero(slots)];
    const bool blocks = IsSlider(c.code) && IsBetween(e.pos, e.king, ep, c.square);
    if (c.square != victim && !blocks) return false;
  }
  return true;
}

void AddEnPassantEvasions2D(Evasion& e) {
  const int begin = e.sink.count;
  AddEnPassant2D(e.pos, e.sink);
  if (e.sink.count == begin || EnPassantAnswers(e, e.pos.epSquare)) return;
  e.sink.count = begin;
}

// 3D: the board under the king first, then the others.
void AddAllBoardMoves(Evasion& e) {
  const int own = BoardOfSquare(e.king);
  if (own >= 0) AddBoardMoves(e.pos, kBoardCodes[own], e.sink);
  for (int b = 0; b < kAttackBoards; ++b)
    if (b != own) AddBoardMoves(e.pos, kBoardCodes[b], e.sink);
}

}  // namespace

bool AddOnce(Evasion& e, int piece, Square from, Square to, char kind, Fill fill) {
  const uint64_t bit = uint64_t{1} << to;
  if (e.listed[from] & bit) return false;
  e.listed[from] |= bit;
  Append(e.sink, piece, from, to, kind, fill);
  return true;
}

// Captures of a single checker, en passant, blocks of a sliding checker, then
// (3D) the other moves that touch a checker's line and the attack-board moves,
// then the king's steps, and last the promotion variants.
int GenerateEvasions(Position& pos, MoveList& list) {
  Evasion e{pos, MoveSink{list}};
  if (!FindCheckers(e)) return GenerateMoves(pos, list);  // flagged, but no check to answer
  const bool single = SingleCheck(e);
  if (single) AddCheckerCaptures(e);
  if (Is3D(pos)) AddEnPassant3D(pos, e.sink);
  else AddEnPassantEvasions2D(e);
  if (single && IsSlider(pos.board[e.checker])) {
    if (Is3D(pos)) AddLineBlocks3D(e);
    else AddLineBlocks2D(e);
  }
  if (Is3D(pos)) {
    AddPathMoves(e);
    AddAllBoardMoves(e);
  }
  AddKingSteps(e);
  AddPromotionVariants(pos, e.sink);
  return e.sink.count;
}

namespace {

bool Holds(const RayList& list, Square s) {
  for (int i = 0; i < list.count; ++i)
    if (list.squares[i] == s) return true;
  return false;
}

// The Tournament walks looking for blocking squares: every empty square they
// enter, up to the first piece.
struct BlockProbe {
  Evasion& e;
  int Code(Square s) const { return e.pos.board[s]; }
  void Mark(Square s) { AddPieceBlocks(e, s); }
};

// Past the edge of the ray tables the line of a Tournament rook or queen goes on
// along the walks from the last square reached.
void AddWalkBlocks(Evasion& e, Square last) {
  if (e.pos.rules != kTournament || BoardOfSquare(last) < 0) return;
  BlockProbe probe{e};
  TournamentWalks(e.pos, last, e.side * kRook, WalkMode::kBlocks, probe);
}

}  // namespace

void AddPieceBlocks(Evasion& e, Square b) {
  const Position& pos = e.pos;
  if (pos.board[b] != 0) return;
  for (uint32_t slots = pos.attackedBy[b] & e.mover & pos.pieceMask; slots; slots &= slots - 1) {
    const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
    if (TypeOf(p.code) != kKing) AddOnce(e, p.code, p.square, b, kPlain);
  }
}

// A pawn one step behind `b` pushes there; when none stands there and the
// square behind is empty, a pawn behind that may reach `b` by its double step.
void AddPawnBlocks(Evasion& e, Square b) {
  const Position& pos = e.pos;
  if (pos.board[b] != 0) return;
  const int pawn = e.side * kPawn;
  RayList behind;
  GetRay(pos, b, -PawnForward(pawn), behind);
  bool found = false;
  for (int i = 0; i < behind.count; ++i) {
    const Square p = behind.squares[i];
    if (pos.board[p] != pawn) continue;
    found = true;
    if (PawnPushesTo(pos, p, b)) AddOnce(e, pawn, p, b, kPlain);
  }
  if (found || behind.count == 0 || pos.board[behind.squares[0]] != 0) return;
  RayList further;
  GetRay(pos, behind.squares[0], -PawnForward(pawn), further);
  for (int i = 0; i < further.count; ++i) {
    const Square p = further.squares[i];
    if (pos.board[p] == pawn && PawnPushesTo(pos, p, b)) AddOnce(e, pawn, p, b, kPlain);
  }
}

// From K towards X by the line table, taking each step's ray list and going on
// from its first square, until a step holds X or the tables end.
void AddLineBlocks3D(Evasion& e) {
  Position& pos = e.pos;
  const int d = LineDir(pos, e.king, e.checker);
  if (d == 0) {
    Warn(false, "onboard attacker not found by K");
    return;
  }
  Square current = e.king;
  for (int step = 0; step < kMaxSlideSteps; ++step) {
    RayList list;
    if (GetRay(pos, current, d, list) == 0) return AddWalkBlocks(e, current);
    if (Holds(list, e.checker)) return;
    for (int i = 0; i < list.count; ++i) {
      AddPieceBlocks(e, list.squares[i]);
      AddPawnBlocks(e, list.squares[i]);
    }
    current = list.squares[0];
  }
}

void AddLineBlocks2D(Evasion& e) {
  const int file = ColumnOf(e.checker) - ColumnOf(e.king);
  const int rank = RowOf(e.checker) - RowOf(e.king);
  const int step = 8 * ((file > 0) - (file < 0)) + ((rank > 0) - (rank < 0));
  Square b = e.king + step;
  for (int n = 0; n < 7 && b != e.checker && IsSquare(b); ++n, b += step) {
    AddPieceBlocks(e, b);
    AddPawnBlocks(e, b);
  }
}

namespace {

// A step away from a sliding checker along its own line stays in that line: in
// the 2D game always; in the 3D game when the slider, followed over the board
// as it will be after the step, reaches the king's new square (the line may
// pass it by on another level).
bool StaysInLine(const Evasion& e, Square to) {
  const int away = LineDir(e.pos, e.king, to);
  if (away == 0) return false;
  for (uint32_t slots = e.checkers; slots; slots &= slots - 1) {
    const int slot = std::countr_zero(slots);
    const PieceEntry& c = e.pos.pieces[slot];
    if (!IsSlider(c.code) || LineDir(e.pos, c.square, e.king) != away) continue;
    if (!Is3D(e.pos) || ReachesAfterKingStep(e.pos, slot, e.king, to)) return true;
  }
  return false;
}

}  // namespace

// Every square one king step away but X, not attacked, not holding a piece of
// the mover and not left in a checker's line; kind '-' whatever stands there.
void AddKingSteps(Evasion& e) {
  const Position& pos = e.pos;
  const int king = pos.board[e.king];
  for (int d : kKingDirections) {
    RayList list;
    GetRay(pos, e.king, d, list);
    for (int i = 0; i < list.count; ++i) {
      const Square to = list.squares[i];
      const int there = pos.board[to];
      if (to == e.checker || (pos.attackedBy[to] & e.enemy)) continue;
      if (there != 0 && SameSide(there, king)) continue;
      if (!StaysInLine(e, to)) Append(e.sink, king, e.king, to, kPlain);
    }
  }
}

// The evasion generator's guarantee. In the 3D game a check can be answered in
// more ways than along one line: a slider is blocked level by level, a square
// vacated or filled anywhere on its way can turn its slide aside, and the
// Tournament walks cross empty pins. A move that changes none of the squares a
// checker's reach of the king depends on leaves the king attacked, so every
// piece move that touches such a square of each checker (or takes it) is listed.
namespace {

// What a move must touch to answer one checker: `to` among `landing` (the
// checker's square or its path), or `from` on the path.
struct Answer {
  uint64_t landing = 0;
  uint64_t path = 0;
};

struct Answers {
  std::array<Answer, kSideSlots> of{};
  int count = 0;

  bool By(Square from, Square to) const {
    for (int i = 0; i < count; ++i)
      if (!((of[i].landing >> to) & 1) && !((of[i].path >> from) & 1)) return false;
    return true;
  }
};

// False when no checker slides: then only taking it answers, and that is listed.
bool CollectAnswers(const Evasion& e, Answers& out) {
  uint64_t anyPath = 0;
  for (uint32_t slots = e.checkers; slots && out.count < kSideSlots; slots &= slots - 1) {
    const int slot = std::countr_zero(slots);
    const PieceEntry& c = e.pos.pieces[slot];
    const uint64_t path = IsSlider(c.code) ? ReachPath(e.pos, slot, e.king) : 0;
    out.of[out.count++] = {path | (uint64_t{1} << c.square), path};
    anyPath |= path;
  }
  return anyPath != 0;
}

}  // namespace

void AddPathMoves(Evasion& e) {
  const Position& pos = e.pos;
  Answers answers;
  if (!CollectAnswers(e, answers)) return;
  for (Square s = 0; s < kSquareCount; ++s) {
    const char kind = pos.board[s] != 0 ? kCapture : kPlain;
    for (uint32_t slots = MapMovers(pos, s, e.mover); slots; slots &= slots - 1) {
      const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
      if (TypeOf(p.code) != kKing && answers.By(p.square, s)) AddOnce(e, p.code, p.square, s, kind);
    }
  }
  const int base = e.side > 0 ? 0 : kSideSlots;
  for (int slot = base; slot < base + kSideSlots; ++slot) {
    const PieceEntry& p = pos.pieces[slot];
    if (TypeOf(p.code) != kPawn || !IsSquare(p.square)) continue;
    PawnTargets targets;
    const int n = PawnPushTargets(pos, p.square, p.code, targets);
    for (int i = 0; i < n; ++i)
      if (answers.By(p.square, targets.squares[i])) AddOnce(e, p.code, p.square, targets.squares[i], kPlain);
  }
}

namespace {

constexpr uint64_t Bit(Square s) { return uint64_t{1} << s; }

// Follows a slide over the position as it is, or as it would be after a king
// step (`vacated` empty, `filled` holding the king), noting every square looked
// at and whether `target` is reached.
struct ReachProbe {
  const Position& pos;
  Square target;
  Square vacated = kNoSquare;
  Square filled = kNoSquare;
  int filledCode = 0;
  uint64_t seen = 0;
  bool reached = false;

  int Code(Square s) {
    seen |= Bit(s);
    if (s == filled) return filledCode;
    return s == vacated ? 0 : pos.board[s];
  }
  void Mark(Square s) {
    seen |= Bit(s);
    reached |= s == target;
  }
};

// Follows each line of the slider with a fresh probe and hands the probe to
// `visit`, which returns true to stop.
template <class Visit>
void ForEachLine(const Position& pos, const PieceEntry& slider, const ReachProbe& start,
                 Visit&& visit) {
  auto slide = [&](int d) {
    ReachProbe probe = start;
    Slide3D(pos, slider.square, d, probe);
    return visit(probe);
  };
  if (SlidesDiagonally(slider.code))
    for (int d : kBishopDirections)
      if (slide(d)) return;
  if (SlidesStraight(slider.code))
    for (int d : kRookDirections)
      if (slide(d)) return;
  if (WalksAcrossPins(pos, slider.code, slider.square)) {
    ReachProbe probe = start;
    TournamentWalks(pos, slider.square, slider.code, WalkMode::kAttack, probe);
    visit(probe);
  }
}

}  // namespace

uint64_t ReachPath(const Position& pos, int slot, Square target) {
  const PieceEntry slider = pos.pieces[slot];
  uint64_t path = 0;
  ForEachLine(pos, slider, ReachProbe{pos, target}, [&](const ReachProbe& p) {
    if (p.reached) path |= p.seen;
    return false;
  });
  return path;
}

bool ReachesAfterKingStep(const Position& pos, int slot, Square kingFrom, Square to) {
  const PieceEntry slider = pos.pieces[slot];
  ReachProbe start{pos, to, kingFrom, to, pos.board[kingFrom]};
  bool reached = false;
  ForEachLine(pos, slider, start, [&](const ReachProbe& p) {
    reached |= p.reached;
    return reached;
  });
  return reached;
}

}  // namespace torvik
