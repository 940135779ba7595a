#include "record/levels.h"

#include <array>

#include "engine/time_budget.h"
#include "record/game_state.h"

namespace torvik {
namespace {

struct Level {
  int code;
  const char* word;
  const char* name;
  int depthCap;
  int tickScale;  // multiples of Hard's tick budget
};

constexpr std::array<Level, 5> kLevels = {{
    {kEasy, "easy", "Easy", 4, 1},
    {kMedium, "medium", "Medium", 8, 1},
    {kHard, "hard", "Hard", 50, 1},
    {kExpert, "expert", "Expert", 50, 10},
    {kMaster, "master", "Master", 50, 100},
}};

bool IsTimed(int difficulty) { return difficulty > kTimed && difficulty <= kTimed + kMaxTimedSeconds; }

}  // namespace

bool KnownDifficulty(int difficulty) {
  for (const Level& l : kLevels)
    if (l.code == difficulty) return true;
  return IsTimed(difficulty);
}

void ApplyLevel(int difficulty, EngineControls& controls) {
  controls.difficulty = kHard;
  controls.tickScale = 1;
  controls.budget = TimeBudget{};
  if (IsTimed(difficulty)) {
    controls.budget = MoveTimeBudget(int64_t(difficulty - kTimed) * 1000);
    return;
  }
  for (const Level& l : kLevels)
    if (l.code == difficulty) {
      controls.difficulty = l.depthCap;
      controls.tickScale = l.tickScale;
    }
}

std::string LevelName(int difficulty) {
  if (IsTimed(difficulty)) return "Timed " + std::to_string(difficulty - kTimed) + " s";
  for (const Level& l : kLevels)
    if (l.code == difficulty) return l.name;
  return "Hard";
}

bool LevelOfWord(const std::string& word, int& difficulty) {
  for (const Level& l : kLevels)
    if (word == l.word) return difficulty = l.code, true;
  return false;
}

}  // namespace torvik
