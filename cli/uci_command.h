// One line of the Universal Chess Interface, read into a record without
// touching any game: a pure function, for the front end and for fuzzing.
#pragma once

#include <string>
#include <vector>

#include "engine/time_budget.h"

namespace torvik::cli {

enum class UciKind : int {
  kUnknown = 0,  // not a command of the protocol (or an empty line): ignored
  kUci,
  kDebug,
  kIsReady,
  kSetOption,
  kRegister,
  kNewGame,
  kPosition,
  kGo,
  kStop,
  kPonderHit,
  kQuit,
};

enum class UciOption : int { kOther = 0, kHash, kDifficulty, kVariant };

struct UciCommand {
  UciKind kind = UciKind::kUnknown;
  // position: the start, or the position text's fields (after fen or text)
  // joined by single spaces; then the moves as move text, e2e4 in the 2D game,
  // 33-34 or 100:QL1-QL3 in the 3D game (not yet checked against the board).
  bool startPos = false;
  std::string fen;
  std::vector<std::string> moves;
  // go
  ClockLimits limits;
  // setoption: the name as given; a known one's value checked and read.
  UciOption option = UciOption::kOther;
  std::string optionName, optionValue;
  int hashMegabytes = 0;
  int difficulty = 0;  // kEasy, kMedium or kHard
  int variant = 0;     // the index in kUciVariants
};

constexpr int kUciMaxHash = 1024;

// Reads `line`. Words before the first command word are skipped, as are
// unknown words inside go. Returns false with a one-line reason in `error`
// for a known command that is malformed: position without startpos, fen or
// text, or with a word that is no move, go with a bad number, setoption
// without a name or with a value Hash, Difficulty or Variant does not take.
bool ParseUciCommand(const std::string& line, UciCommand& out, std::string& error);

}  // namespace torvik::cli
