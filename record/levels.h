// The engine's levels: what each difficulty code a game keeps asks of the
// engine. Every level but the timed ones plays on the repeatable tick budget.
#pragma once

#include <string>

#include "engine/engine.h"

namespace torvik {

constexpr int kMaxTimedSeconds = 600;

// One of Easy, Medium, Hard, Expert, Master, or kTimed + 1..kMaxTimedSeconds.
bool KnownDifficulty(int difficulty);

// The engine's depth cap, tick budget or wall-clock budget for the level (an
// unknown one plays as Hard).
void ApplyLevel(int difficulty, EngineControls& controls);

// "Easy" .. "Master", "Timed 5 s".
std::string LevelName(int difficulty);

// Reads "easy" .. "master" (the headless tool's and the UCI option's words).
bool LevelOfWord(const std::string& word, int& difficulty);

}  // namespace torvik
