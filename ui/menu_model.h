// What the right-button menus do, apart from the toolkit: each menu's entries
// with their values, the labels that show the current choice (capitals for it,
// small letters for the others), and the handlers' work on the game and view.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ui/ui_state.h"

namespace torvik::ui {

struct MenuEntry {
  const char* label;
  int value;
};

using MenuEntries = std::vector<MenuEntry>;

// The menus whose labels show a setting.
extern const MenuEntries kPlaysEntries, kDifficultyEntries, kRulesEntries, kNotationEntries;

// The labels of `entries` with `current` chosen; empty when no entry has that value.
std::vector<std::string> ChoiceLabels(const MenuEntries& entries, int current);

// The handlers' work (the toolkit's part, relabelling, is the caller's).
void ChoosePlays(UiState& ui, int value);
int ChooseDifficulty(UiState& ui, int value);  // returns the difficulty taken: 4, 8 or 50
void ChooseRules(UiState& ui, int value);
void ChooseNotation(UiState& ui, int value);
void ChooseView(UiState& ui, int value);       // 3 reset, 4 the black view
// 2 clears the board, 3 and 4 give the move to white or black; any other value
// waits for the click the editor takes (1 remove, 5..16 add a piece).
void ChooseEdit(UiState& ui, int value);

}  // namespace torvik::ui
