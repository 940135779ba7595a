// What the keys (and, later, the menus) do to the game and the view. Each takes
// the lock it needs; those that rebuild the position stop the engine first
// (through the game record's own operations) and so take no lock around them.
#pragma once

#include <string>

#include "ui/ui_state.h"

namespace torvik::ui {

void PrintHelp();
void PrintBanner();

// "Built: ..." from the compiler's date and time ("Mmm dd yyyy", "hh:mm:ss"):
// weekday, month, day, time and the year's last two digits.
std::string BuildStamp(const char* date, const char* time);
void PrintBuildStamp();

// A new game of kGame2D or kGame3D with the view reset, then the banner.
void NewGame(UiState& ui, int mode);

void SetEngineSide(UiState& ui, int side);  // B (-1), W (1)
void ToggleAutoPlay(UiState& ui);           // F9
void FullStop(UiState& ui);                 // F10
void UndoPlies(UiState& ui, int plies);     // U
void ReplayBy(UiState& ui, int step);       // F7, F8

void NextDebugBoard(UiState& ui);  // J
void MoveDebugBoard(UiState& ui);  // K: the board to the next free pin

// The idle tick: in autoplay the engine takes the side to move.
void AutoPlayTick(GameState& gs);

}  // namespace torvik::ui
