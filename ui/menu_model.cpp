#include "ui/menu_model.h"

#include <cctype>
#include <mutex>

#include "board/console.h"
#include "engine/rebuild.h"
#include "record/board_editor.h"
#include "record/levels.h"
#include "record/game.h"
#include "ui/view.h"

namespace torvik::ui {

const MenuEntries kPlaysEntries = {
    {"Plays white", kEnginePlaysWhite}, {"Plays black", kEnginePlaysBlack}, {"Plays both", 2}, {"Does not play", 0}};
const MenuEntries kDifficultyEntries = {{"Easy", kEasy},
                                       {"Medium", kMedium},
                                       {"Hard", kHard},
                                       {"Expert", kExpert},
                                       {"Master", kMaster},
                                       {"Timed 2 s (wall clock, not repeatable)", kTimed + 2},
                                       {"Timed 10 s (wall clock, not repeatable)", kTimed + 10}};
const MenuEntries kRulesEntries = {{"Tournament", kTournament}, {"Standard", kStandard}};
const MenuEntries kNotationEntries = {
    {"Tournament", kNotationTournament}, {"Standard", kNotationStandard}, {"Algebraic", kNotationAlgebraic}};

std::vector<std::string> ChoiceLabels(const MenuEntries& entries, int current) {
  std::vector<std::string> labels;
  bool found = false;
  for (const MenuEntry& e : entries) {
    std::string label = e.label;
    const bool chosen = e.value == current;
    found |= chosen;
    for (char& c : label) c = char(chosen ? std::toupper(c) : std::tolower(c));
    labels.push_back(label);
  }
  if (!found) labels.clear();
  return labels;
}

void ChoosePlays(UiState& ui, int value) {
  std::lock_guard lock(ui.game->mutex);
  GameState& gs = ui.game->state;
  gs.abortSearch = 1;
  gs.autoPlay = 0;
  if (value == 2) gs.autoPlay = 1;  // the idle callback hands the engine the side to move
  else gs.engineSide = value;
}

int ChooseDifficulty(UiState& ui, int value) {
  std::lock_guard lock(ui.game->mutex);
  const int taken = KnownDifficulty(value) ? value : kHard;
  ui.game->state.difficulty = taken;
  return taken;
}

// The position's maps follow the rules in force.
void ChooseRules(UiState& ui, int value) {
  std::lock_guard lock(ui.game->mutex);
  GameState& gs = ui.game->state;
  if (gs.rules == value && gs.position.rules == value) return;
  gs.rules = gs.position.rules = value;
  gs.startPosition.rules = value;
  RegenPosition(gs.position);
}

void ChooseNotation(UiState& ui, int value) {
  std::lock_guard lock(ui.game->mutex);
  ui.game->state.notation = value;
}

void ChooseEdit(UiState& ui, int value) {
  std::lock_guard lock(ui.game->mutex);
  ui.input.editMode = kEditNone;
  if (!EditBoard(ui.game->state, value)) ui.input.editMode = value;
  else ForgetPlayedMoves(ui.game->record);
}

void ChooseView(UiState& ui, int value) {
  std::lock_guard lock(ui.game->mutex);
  if (value == 3) ResetView(ui.game->state, ui.view);
  else if (value == 4) ToggleBlackView(ui.game->state, ui.view);
  else Warn(false, "Unknown View Menu value");
}

}  // namespace torvik::ui
