#include "record/self_play.h"

#include <memory>
#include <random>

#include "board/console.h"
#include "engine/rebuild.h"
#include "record/engine_thread.h"
#include "record/game.h"
#include "record/position_text.h"
#include "rules/legality.h"
#include "rules/perft.h"

namespace torvik {
namespace {

constexpr const char* kEndNames[] = {"white mates", "black mates", "stalemate", "repetition", "101 quiet plies",
                                     "insufficient material", "drawn ending", "resigned", "illegal move",
                                     "record full"};

bool PlayRandom(Game& game, std::mt19937& rng, int plies) {
  for (int i = 0; i < plies; ++i) {
    MoveList moves;
    const int n = LegalMoves(game.state.position, moves);
    if (n == 0 || game.state.position.winner != kNoWinner) return false;
    Move m = moves[rng() % n];
    if (!PlayerMoved(game, m)) return false;
  }
  return true;
}

GameEnd DrawnBy(const Game& game, const std::string& log) {
  if (log.find("insufficient material") != std::string::npos) return GameEnd::kMaterial;
  if (log.find("Auto-draw") != std::string::npos) return GameEnd::kAutoDraw;
  if (log.find("Stalemate") != std::string::npos) return GameEnd::kStalemate;
  return game.state.position.halfmoveCount > 101 ? GameEnd::kQuietPlies : GameEnd::kRepetition;
}

}  // namespace

const char* GameEndName(GameEnd end) { return kEndNames[static_cast<int>(end)]; }

double WhiteResult(const SelfPlayGame& game) {
  switch (game.end) {
    case GameEnd::kWhiteMates: return 1;
    case GameEnd::kBlackMates: return 0;
    case GameEnd::kResigned: return game.resignedWhite ? 0 : 1;
    case GameEnd::kIllegal:
    case GameEnd::kRecordFull: return -1;
    default: return 0.5;
  }
}

SelfPlayGame PlaySelfGame(int mode, int rules, int difficulty, uint32_t seed, int openingPlies,
                          int64_t moveTimeMs, bool keepThought) {
  ConsoleCapture log;
  auto game = std::make_unique<Game>();
  NewGameOfMode(*game, mode);
  StartEngine(*game, 0);
  game->state.rules = game->state.position.rules = rules;
  RegenPosition(game->state.position);
  game->state.difficulty = difficulty;
  game->engine.moveTimeMs = moveTimeMs;
  std::mt19937 rng(seed);
  SelfPlayGame result;
  PlayRandom(*game, rng, openingPlies);
  Position& pos = game->state.position;
  while (pos.winner == kNoWinner && !RecordIsFull(*game)) {
    const bool white = WhiteToMove(pos);
    game->state.engineSide = white ? kEnginePlaysWhite : kEnginePlaysBlack;
    const bool keep = keepThought && !(pos.flags & kInCheck);
    std::string text = keep ? FormatPosition(pos) : std::string();
    const EngineOutcome outcome = EngineTurn(*game);
    if (outcome == EngineOutcome::kIllegal || outcome == EngineOutcome::kResigned) {
      result.end = outcome == EngineOutcome::kIllegal ? GameEnd::kIllegal : GameEnd::kResigned;
      result.resignedWhite = white;
      break;
    }
    if (keep && outcome == EngineOutcome::kPlayed) {
      const int32_t value = game->engine.lastValue;
      result.thought.push_back({std::move(text), white ? value : -value});
    }
    if (outcome == EngineOutcome::kIdle) break;
  }
  if (pos.winner == kWhiteWon && result.end == GameEnd::kRecordFull) result.end = GameEnd::kWhiteMates;
  if (pos.winner == kBlackWon && result.end == GameEnd::kRecordFull) result.end = GameEnd::kBlackMates;
  if (pos.winner == kDrawn) result.end = DrawnBy(*game, log.Text());
  result.plies = pos.ply;
  result.last = FormatPosition(pos);
  result.moves = log.Text();
  return result;
}

}  // namespace torvik
