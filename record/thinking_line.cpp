#include "record/thinking_line.h"

#include <cstdio>
#include <memory>

#include "engine/score.h"
#include "record/notation.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

constexpr double kScorePerPawn = 10000.0;
constexpr std::size_t kLineMoves = 8;  // the line is cut there: it must fit the window

std::string Score(int32_t value) {
  if (IsWinningMate(value)) return "mate in " + std::to_string((kFirstMate - value) / 2 + 1);
  if (IsLosingMate(value)) return "mated in " + std::to_string((kFirstMate + 1 + value) / 2);
  char text[32];
  std::snprintf(text, sizeof text, "%+.2f", value / kScorePerPawn);
  return text;
}

std::string Line(const Position& root, const std::vector<Move>& moves, int notation) {
  auto at = std::make_unique<Position>(root);
  auto next = std::make_unique<Position>();
  at->previous = nullptr;
  at->history = nullptr;  // the line is not the game: no keys are stored for it
  std::string text;
  for (std::size_t i = 0; i < moves.size() && i < kLineMoves; ++i) {
    Move m = moves[i];
    if (!LegalMove(*at, m)) break;
    text += (text.empty() ? "" : " ") + NotationOfMove(*at, m, notation);
    if (!MakeMove(*next, *at, m)) break;
    next->previous = nullptr;
    std::swap(at, next);
  }
  return text;
}

}  // namespace

std::string ThinkingLine(const DepthReport& report, const Position& root, int notation) {
  return "depth " + std::to_string(report.depth) + "  " + Score(report.value) + "  nodes " +
         std::to_string(report.nodes) + "  " + Line(root, report.line, notation);
}

}  // namespace torvik
