// Helpers for the engine's tests: naming a move, a think on a fresh engine,
// evaluating a position as the root does, comparing everything an evaluation
// caches, and mirroring a position.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>

#include "board/console.h"
#include "board/position.h"
#include "engine/evaluate.h"
#include "engine/rebuild.h"
#include "engine/think.h"
#include "record/position_text.h"

namespace torvik::test {

// A move of the 2D game by its squares ("e2e4"); empty for no move.
inline std::string Name(const Move& m) {
  if (m.from == m.to) return "";
  return {char('a' + m.from / 8), char('1' + m.from % 8), char('a' + m.to / 8), char('1' + m.to % 8)};
}

struct Thought {
  Move move;
  int32_t value = 0, depth = 0;  // depth: the deepest searched
  int64_t nodes = 0;
};

// A think on a fresh engine with a small table, as the engine's thread runs
// one, under `controls` (the difficulty, the budget, who hears of each depth).
inline Thought ThinkOn(const Position& pos, EngineControls controls) {
  ConsoleCapture quiet;
  auto engine = std::make_unique<Engine>();
  engine->controls = std::move(controls);
  engine->controls.ttMegabytes = 1;
  auto copy = std::make_unique<Position>(pos);
  copy->history = &engine->keys;
  Thought t;
  t.value = Think(*engine, *copy, t.move);
  return {t.move, t.value, engine->lastDepth, engine->nodes};
}

// The position evaluated afresh, with its stage set and `engineWhite` as the
// engine's side. Returns the White-positive score.
inline int32_t RootScore(Position& pos, bool engineWhite = true) {
  pos.flags = engineWhite ? pos.flags | kEngineWhite : pos.flags & ~kEngineWhite;
  pos.flags &= ~(kEvalCached | kTacticsCached);
  SetGameStage(pos, 1);
  Evaluate(pos, kNoScore, EvalMode::Fresh);
  return pos.evalScore;
}

// Empty when the two values (or arrays) agree, else the first difference.
template <class T>
std::string Diff(const char* name, const T& a, const T& b) {
  if constexpr (requires { a.size(); }) {
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) return Diff((std::string(name) + "[" + std::to_string(i) + "]").c_str(), a[i], b[i]);
    return "";
  } else {
    return a == b ? "" : std::string(name) + " " + std::to_string(a) + " vs " + std::to_string(b);
  }
}

// Empty when the two positions carry the same evaluation: the score, the
// tactics term and its capture, the evaluation's flags and every cached term.
inline std::string EvaluationDiff(const Position& a, const Position& b) {
  const EvalCache &x = a.eval, &y = b.eval;
  constexpr uint32_t kEvalFlags = kDrawish | kEvalCached | kTacticsCached | kKingZones;
#define TORVIK_DIFF(n, p, q) Diff(#n, p.n, q.n)
  for (const std::string& d :
       {TORVIK_DIFF(evalScore, a, b), TORVIK_DIFF(evalTerm, a, b), TORVIK_DIFF(bestMove.from, a, b),
        TORVIK_DIFF(bestMove.to, a, b), Diff("flags", a.flags & kEvalFlags, b.flags & kEvalFlags),
        TORVIK_DIFF(recomputeMask, x, y), TORVIK_DIFF(passedMask, x, y), TORVIK_DIFF(pieceValue, x, y),
        TORVIK_DIFF(slowTerms, x, y), TORVIK_DIFF(pinnedMask, x, y), TORVIK_DIFF(enPriseMask, x, y),
        TORVIK_DIFF(attackingMask, x, y), TORVIK_DIFF(controlValue, x, y), TORVIK_DIFF(controlSign, x, y),
        TORVIK_DIFF(controllers, x, y), TORVIK_DIFF(controlTotal, x, y), TORVIK_DIFF(attackedCount, x, y),
        TORVIK_DIFF(controlledCount, x, y), TORVIK_DIFF(controlledTotal, x, y), TORVIK_DIFF(raceMask, x, y)}) {
    if (!d.empty()) return d + " in " + FormatPosition(a);
  }
#undef TORVIK_DIFF
  return "";
}

// The position with the rows turned over and the colours exchanged: White's
// pieces become Black's on the mirrored squares, the other side moves, the
// castling rights and the engine's side change hands; in the 3D game the
// attack boards change places with their mirror images. Rebuilt and
// evaluated as the root does. With `mirror` false, the position itself.
inline std::unique_ptr<Position> Mirrored(const Position& pos, bool mirror = true) {
  auto m = std::make_unique<Position>();
  m->gameMode = pos.gameMode;
  m->rules = pos.rules;
  const int flip = mirror ? 7 : 0, sign = mirror ? -1 : 1;
  for (Square s = 0; s < 64; ++s) m->board[s ^ flip] = sign * pos.board[s];
  for (int b = 0; b < 4; ++b) {
    m->pins[b ^ (mirror ? 1 : 0)] = pos.pins[b] ^ flip;
    m->owners[b ^ (mirror ? 1 : 0)] = mirror ? 1 - pos.owners[b] : pos.owners[b];
  }
  const uint32_t rights = pos.flags & kCastleRights;
  const uint32_t castled = pos.flags & (kWhiteCastled | kBlackCastled);
  m->flags = mirror ? ((rights & 3) << 2) | (rights >> 2) : rights;
  m->flags |= mirror ? ((castled & kWhiteCastled) << 1) | ((castled & kBlackCastled) >> 1) : castled;
  m->epSquare = pos.epSquare ? pos.epSquare ^ flip : 0;
  m->ply = pos.ply + (mirror ? 1 : 0);
  m->halfmoveCount = pos.halfmoveCount;
  EXPECT_EQ(RebuildPosition(*m), 1) << FormatPosition(pos);
  const bool engineWhite = (pos.flags & kEngineWhite) != 0;
  RootScore(*m, mirror ? !engineWhite : engineWhite);
  return m;
}

// The position rebuilt from its board: the pieces in the slots a fresh
// set-up gives them (a game may have left a promoted piece in a pawn's slot).
inline std::unique_ptr<Position> Rebuilt(const Position& pos) { return Mirrored(pos, false); }

// The attack maps of a position and of its mirror image agree: as many white
// attackers (and x-rays) on each square as black ones on its mirror square.
// Where they do not, the 3D geometry does not mirror that board placement.
inline bool MapsMirror(const Position& pos, const Position& mirror) {
  auto count = [](uint32_t m, uint32_t side) { return std::popcount(m & side); };
  for (Square s = 0; s < 64; ++s) {
    for (const auto& map : {&Position::attackedBy, &Position::xrayBy}) {
      const uint32_t a = (pos.*map)[s], b = (mirror.*map)[s ^ 7];
      if (count(a, kWhiteSlots) != count(b, kBlackSlots) || count(a, kBlackSlots) != count(b, kWhiteSlots))
        return false;
    }
  }
  return true;
}

}  // namespace torvik::test
