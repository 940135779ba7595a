// Helpers for the move generator's tests: legal-move sets, seeded random boards
// and seeded random play.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "board/board_checks.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/promotion.h"
#include "record/move_text.h"
#include "rules/attack_maps.h"
#include "rules/generate.h"
#include "rules/make_move.h"
#include "rules/move_list.h"
#include "rules/perft.h"
#include "support/positions.h"

namespace torvik::test {

inline uint32_t Enemy(const Position& pos) { return WhiteToMove(pos) ? kBlackSlots : kWhiteSlots; }

inline bool MoverInCheck(const Position& pos) {
  const Square king = pos.pieces[WhiteToMove(pos) ? kKingSlot : kSideSlots + kKingSlot].square;
  return (pos.attackedBy[king] & Enemy(pos)) != 0;
}

// The records a generator wrote.
template <class Generator>
std::vector<Move> Listed(Position& pos, Generator generate) {
  auto list = std::make_unique<MoveList>();
  const int n = generate(pos, *list);
  return std::vector<Move>(list->data(), list->data() + n);
}
inline std::vector<Move> AllMoves(Position pos) { return Listed(pos, GenerateMoves); }
inline std::vector<Move> Evasions(Position pos) { return Listed(pos, GenerateEvasions); }

// A legal move as make-move leaves it: piece, from, to and the promotion letter.
using MoveKey = std::tuple<int, int, int, char>;

inline std::set<MoveKey> LegalSet(Position pos, const std::vector<Move>& moves) {
  std::set<MoveKey> legal;
  auto child = std::make_unique<Position>();
  for (Move m : moves) {
    const char promotion = std::string("QRBN").find(m.kind) != std::string::npos ? m.kind : '-';
    if (MakeMove(*child, pos, m)) legal.insert({m.piece, m.from, m.to, promotion});
  }
  return legal;
}

// LegalMoves, which settles most moves from the maps without making them, keeps
// exactly the generated moves that make-move accepts, each once.
inline void ExpectLegalMovesAsMade(Position pos) {
  std::vector<Move> generated = Listed(pos, GenerateAll);
  for (Move& m : generated)  // listed by LegalMoves as the queen's
    if (IsPromotion(pos, m.piece, m.to, m) && !IsPromotionKind(m.kind)) m.kind = kPromoteQueen;
  const std::vector<Move> listed = Listed(pos, LegalMoves);
  const std::set<MoveKey> legal = LegalSet(pos, listed);
  EXPECT_EQ(legal.size(), listed.size()) << "a move listed twice, or an illegal one: " << FormatPosition(pos);
  EXPECT_EQ(legal, LegalSet(pos, generated)) << FormatPosition(pos) << " rules " << pos.rules;
}

// The legal moves as move text.
inline std::set<std::string> LegalTexts(Position pos) {
  auto list = std::make_unique<MoveList>();
  const int n = LegalMoves(pos, *list);
  std::set<std::string> texts;
  for (int i = 0; i < n; ++i) texts.insert(FormatMoveText(pos, (*list)[i]));
  return texts;
}

inline bool HasMove(const std::vector<Move>& moves, int piece, Square from, Square to) {
  return std::any_of(moves.begin(), moves.end(),
                     [&](const Move& m) { return m.piece == piece && m.from == from && m.to == to; });
}

// In check, the legal moves found among the evasions are exactly the legal
// moves found among all moves, and every evasion is a move the main generator
// lists too. Returns 1 when the position was a check.
inline int ExpectEvasionsComplete(const Position& pos) {
  if (!MoverInCheck(pos)) return 0;
  const auto all = AllMoves(pos), evasions = Evasions(pos);
  EXPECT_EQ(LegalSet(pos, evasions), LegalSet(pos, all)) << FormatPosition(pos) << " rules " << pos.rules;
  for (const Move& m : evasions)
    EXPECT_TRUE(HasMove(all, m.piece, m.from, m.to)) << FormatPosition(pos) << " " << m.from << "-" << m.to;
  return 1;
}

// A board with both kings and `extra` further pieces (at most 28, the colours
// taking turns) on random squares; 2D pawns stay off the first and last ranks.
// In the 3D game the attack boards stand on four random distinct pins.
inline Position RandomBoard(std::mt19937& rng, int mode, int rules, int extra) {
  Position pos;
  pos.gameMode = mode;
  pos.rules = rules;
  if (mode == kGame3D) {
    std::vector<int> pins;
    for (const PinInfo& p : kPinTable) pins.push_back(p.square);
    std::shuffle(pins.begin(), pins.end(), rng);
    for (int b = 0; b < kAttackBoards; ++b) pos.pins[b] = pins[b];
    pos.owners = {1, 0, 1, 0};
  }
  std::uniform_int_distribution<int> square(0, 63), piece(1, 5), coin(0, 1);
  auto place = [&](int code) {
    for (;;) {
      const Square s = square(rng);
      const bool lastRank = RowOf(s) == 0 || RowOf(s) == 7;
      if (pos.board[s] != 0 || (mode == kGame2D && TypeOf(code) == kPawn && lastRank)) continue;
      pos.board[s] = code;
      return s;
    }
  };
  place(kKing);
  place(-kKing);
  std::string crowded;
  for (int i = 0; i < extra && i < 28; ++i) {
    const Square s = place(i % 2 ? piece(rng) : -piece(rng));
    if (!SidesFit(pos, crowded)) pos.board[s] = 0;  // more than the side's slots hold
  }
  pos.ply = coin(rng);
  EXPECT_EQ(RebuildFromBoard(pos), 1);
  return pos;
}

// Seeded random play: from `start`, `plies` random legal moves, handing every
// position reached (the start included) to `visit`. A game without a legal
// move, or past the hundred-ply rule, starts over.
template <class Visit>
void RandomPlay(const Position& start, uint32_t seed, int plies, Visit&& visit) {
  std::mt19937 rng(seed);
  auto pos = std::make_unique<Position>(start);
  auto list = std::make_unique<MoveList>();
  for (int ply = 0; ply < plies; ++ply) {
    visit(static_cast<const Position&>(*pos));
    const int n = LegalMoves(*pos, *list);
    Move m = (*list)[rng() % std::max(n, 1)];
    if (n == 0 || pos->halfmoveCount >= 100 || MakeMove(*pos, *pos, m) != 1) *pos = start;
  }
}

}  // namespace torvik::test
