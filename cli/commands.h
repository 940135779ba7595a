// The commands of torvik-cli; each returns the process's exit status.
#pragma once

#include <initializer_list>

#include "board/position.h"
#include "cli/options.h"
#include "record/game.h"

namespace torvik::cli {

constexpr int kBadUsage = 2;

// The position the options name (--position, or the start of the mode); on bad
// text prints why and returns false.
bool LoadPosition(const Options& options, Position& pos);

// `name VALUE`, when given, as one of `choices`; false (after naming the
// choices) on another value.
struct Choice {
  const char* name;
  int value;
};
bool TakeChoice(Options& options, const char* name, std::initializer_list<Choice> choices, int& value);

// `name N`, when given, with N from low to high; false (after saying so) otherwise.
bool TakeNumber(Options& options, const char* name, int low, int high, int& value);

// --notation tournament|standard|algebraic, when given; false (after saying
// why) on another value.
bool TakeNotation(Options& options, int& notation);

// False (after saying so) when an option is left that the command does not take.
bool NoOtherOptions(const Options& options);

int Show(Options& options);
int Perft(Options& options);
int Divide(Options& options);
int Moves(Options& options);
int PlayGame(Options& options);
int EvalCommand(Options& options);
int SearchCommand(Options& options);
int SelfPlay(Options& options);
int SavedGameToPgn(Options& options);

// The engine on the bench positions at each difficulty, one line a think,
// then the node count, the time and the rate ("bench: N nodes T ms R nodes/s").
int Bench(Options& options);

// The Universal Chess Interface for the 2D and the 3D game, on standard input and output.
int Uci(Options& options);

// The rules as a match's judge: a move a line in, "ok MOVE", "illegal TEXT"
// or "over RESULT REASON" a line out.
int Referee(Options& options);

// A new game of the options' mode and rules, at --position when given (an
// edited start), the engine's thread stopped and the engine playing neither
// side. False (after saying why) on a bad position.
bool StartQuietGame(Game& game, const Options& options);

// --difficulty easy|medium|hard, when given; false (after saying why) on another value.
bool TakeDifficulty(Options& options, int& difficulty);

}  // namespace torvik::cli
