// eval: the position evaluated as the engine would at the root of its search,
// with the side to move as the engine's side, and the terms that make it up.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "board/piece.h"
#include "cli/commands.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "record/move_text.h"

namespace torvik::cli {
namespace {

constexpr const char* kStageNames[] = {"opening", "middle game", "ending", "pawnless ending"};
constexpr const char* kTypeNames[] = {"", "pawn structure", "knights", "bishops", "rooks", "queens", "king"};

void Line(const char* name, int32_t value) { std::printf("%-16s %8d\n", name, value); }

// The per-piece values summed by piece type, White's and Black's apart (each
// from White's view) and together.
void PieceLines(const Position& pos) {
  std::array<std::array<int32_t, 2>, 7> sums{};
  for (int slot = 0; slot < kSlots; ++slot) {
    const int code = pos.pieces[slot].code;
    if (code != 0) sums[TypeOf(code)][code < 0 ? 1 : 0] += pos.eval.pieceValue[slot];
  }
  for (int type = kKing; type >= kPawn; --type) {
    const auto& s = sums[type];
    std::printf("  %-14s %8d   (white %d, black %d)\n", kTypeNames[type], s[0] + s[1], s[0], s[1]);
  }
}

std::string Capture(const Position& pos) {
  const Move& m = pos.bestMove;
  if (m.from == 0 && m.to == 0) return "no winning capture";
  return (m.piece > 0 ? "white " : "black ") + FormatMoveText(pos, m);
}

}  // namespace

int EvalCommand(Options& options) {
  if (!NoOtherOptions(options)) return kBadUsage;
  auto pos = std::make_unique<Position>();
  if (!LoadPosition(options, *pos)) return kBadUsage;
  MoverIsTheEngine(*pos);
  SetGameStage(*pos, 1);
  EvalBreakdown b;
  const int32_t mover = ExplainEvaluation(*pos, b);
  const int32_t white = WhiteToMove(*pos) ? mover : -mover;
  std::printf("score %d %d\n", white, mover);
  std::printf("terms from White's view; one pawn is about 10000\n");
  Line("material", b.material);
  Line("pieces", b.pieces);
  PieceLines(*pos);
  Line("patterns", b.patterns);
  Line("king safety", b.kingSafety);
  Line("square control", b.squareControl);
  Line("attacks", b.attacks);
  Line("mobility", b.mobility);
  Line("overload", b.overload);
  std::printf("%-16s %8d   (%s)\n", "tactics", b.tactics, Capture(*pos).c_str());
  Line("endgame", b.endgame);
  Line("total", b.total);
  std::printf("stage %d (%s)\n", pos->eval.stage, kStageNames[pos->eval.stage]);
  std::printf("drawish %s\n", (pos->flags & kDrawish) ? "yes" : "no");
  return 0;
}

}  // namespace torvik::cli
