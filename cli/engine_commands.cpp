// search: the engine's move for a position, as the engine would play it;
// selfplay: the engine against itself.
#include <chrono>
#include <map>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "board/console.h"
#include "cli/commands.h"
#include "engine/think.h"
#include "record/game_state.h"
#include "record/levels.h"
#include "record/move_text.h"
#include "record/notation.h"
#include "record/self_play.h"
#include "rules/make_move.h"

namespace torvik::cli {

bool TakeDifficulty(Options& options, int& difficulty) {
  return TakeChoice(options, "--difficulty",
                    {{"easy", kEasy}, {"medium", kMedium}, {"hard", kHard}, {"expert", kExpert}, {"master", kMaster}},
                    difficulty);
}

int SearchCommand(Options& options) {
  int difficulty = kHard, notation = kNotationTournament, moveTime = 0;
  if (!TakeDifficulty(options, difficulty) || !TakeNotation(options, notation) ||
      !TakeNumber(options, "--movetime", 1, 86400000, moveTime) || !NoOtherOptions(options))
    return kBadUsage;
  auto pos = std::make_unique<Position>();
  if (!LoadPosition(options, *pos)) return kBadUsage;
  auto engine = std::make_unique<Engine>();
  ApplyLevel(difficulty, engine->controls);
  engine->controls.nameMove = [notation](const Position& p, const Move& m) { return NotationOfMove(p, m, notation); };
  if (moveTime > 0) engine->controls.budget = MoveTimeBudget(moveTime);  // the wall clock instead of the ticks
  pos->history = &engine->keys;
  const auto root = std::make_unique<Position>(*pos);
  Move move;
  const auto start = std::chrono::steady_clock::now();
  const int32_t value = Think(*engine, *pos, move);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ConsoleEndLine();
  if (move.from == 0 && move.to == 0) {
    std::printf("bestmove none score %d depth %d nodes %lld\n", value, engine->lastDepth,
                static_cast<long long>(engine->nodes));
    return 0;
  }
  std::printf("bestmove %s score %d depth %d nodes %lld\n", FormatMoveText(*root, move).c_str(), value,
              engine->lastDepth, static_cast<long long>(engine->nodes));
  std::printf("move %s\n", NotationOfMove(*root, move, notation).c_str());
  if (moveTime > 0) std::printf("movetime %d time %.3f s\n", moveTime, seconds);
  else std::printf("ticks %.0f time %.3f s\n", engine->clock.ticks - engine->clock.start, seconds);
  std::vector<Move> line;
  PrincipalVariation(*engine, *pos, move, line);
  auto at = std::make_unique<Position>(*root);
  auto next = std::make_unique<Position>();
  std::string pv;
  for (Move m : line) {
    pv += (pv.empty() ? "" : " ") + NotationOfMove(*at, m, notation);
    if (!MakeMove(*next, *at, m)) break;
    next->previous = nullptr;
    std::swap(at, next);
  }
  std::printf("pv %s\n", pv.c_str());
  return 0;
}

int SelfPlay(Options& options) {
  int difficulty = kEasy;
  int games = 10, seed = 1, moveTime = 0;
  std::string positions;
  TakeOption(options, "--positions", positions);
  if (!TakeDifficulty(options, difficulty) || !TakeNumber(options, "--games", 0, 1000000, games) ||
      !TakeNumber(options, "--seed", 0, 1000000, seed) ||
      !TakeNumber(options, "--movetime", 1, 86400000, moveTime) || !NoOtherOptions(options))
    return kBadUsage;
  if (!options.position.empty()) {
    std::fprintf(stderr, "torvik-cli: selfplay starts from the start position\n");
    return kBadUsage;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(nullptr, std::fclose);
  if (!positions.empty()) {
    out.reset(std::fopen(positions.c_str(), "a"));
    if (!out) {
      std::fprintf(stderr, "torvik-cli: cannot write %s\n", positions.c_str());
      return 1;
    }
  }
  std::map<std::string, int> tally;
  int failures = 0;
  for (int g = 0; g < games; ++g) {
    const SelfPlayGame game =
        PlaySelfGame(options.mode, options.rules, difficulty, uint32_t(seed + g), 4, moveTime, out != nullptr);
    const double result = WhiteResult(game);
    if (out && result >= 0) {
      for (const ThoughtPosition& p : game.thought)
        std::fprintf(out.get(), "%s;%g;%d\n", p.text.c_str(), result, p.value);
      std::fflush(out.get());
    }
    const char* end = GameEndName(game.end);
    ++tally[end];
    std::printf("game %d: %s after %d plies\n", g + 1, end, game.plies);
    std::fflush(stdout);
    if (game.end == GameEnd::kIllegal) ++failures;
    if (game.end == GameEnd::kIllegal || game.end == GameEnd::kResigned)
      std::printf("%s\nfinal position: %s\n", game.moves.c_str(), game.last.c_str());
  }
  std::printf("games %d:", games);
  for (const auto& [end, count] : tally) std::printf(" %s %d,", end.c_str(), count);
  std::printf(" illegal moves %d\n", failures);
  return failures ? 1 : 0;
}

}  // namespace torvik::cli
