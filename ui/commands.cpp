#include "ui/commands.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "board/console.h"
#include "board/geometry.h"
#include "engine/rebuild.h"
#include "rules/board_moves.h"
#include "rules/make_move.h"
#include "ui/menus.h"
#include "ui/view.h"

namespace torvik::ui {
namespace {

constexpr std::array<const char*, 26> kHelpLines = {
    "\narrow keys pan, page keys zoom, <shift> faster",
    "\nReturn\t type a move (Nf3, e2e4, 33-34): Return plays it, Esc drops it",
    "\nF2 \t new 2D game",
    "\nF3 \t new 3D game",
    "\nF5 \t fetch favorite view",
    "\nF6 \t store favorite view",
    "\nF7-F8 \t replay step back-forward",
    "\nF9 \t autoplay",
    "\nF10\t come to full stop",
    "\nA \t toggle axes",
    "\nB \t Torvik play black",
    "\nC \t captured pieces toggle",
    "\nW \t Torvik play white",
    "\nI \t thinking on the console toggle",
    "\nL \t list game",
    "\nM \t move now (Torvik plays its best so far)",
    "\nN \t hint: Torvik's move for you, outlined",
    "\nO \t overhead view",
    "\nQ \t quit",
    "\nR \t restore game",
    "\nS \t save game",
    "\nT \t toggle transparency",
    "\nU \t undo one move",
    "\nV \t view reset",
    "\nZ \t black view toggle(2D)",
    "\nH \t help screen (press 'H' in main window)",
};

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                  "Thu", "Fri", "Sat"};

}  // namespace

void PrintHelp() {
  for (const char* line : kHelpLines) ConsolePrintf("%s", line);
}

void PrintBanner() { ConsolePrintf("\n%s V%d.%s\n\n", kProductName, kVersionMajor, kVersionMinor); }

std::string BuildStamp(const char* date, const char* time) {
  unsigned month = 0;
  while (month < kMonths.size() && std::strncmp(date, kMonths[month], 3) != 0) ++month;
  int day = 0;
  int year = 0;
  if (month == kMonths.size() || std::sscanf(date + 3, "%d %d", &day, &year) != 2) return "?";
  using namespace std::chrono;
  const year_month_day ymd{std::chrono::year{year}, std::chrono::month{month + 1},
                           std::chrono::day{static_cast<unsigned>(day)}};
  const weekday wd{sys_days{ymd}};
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%s %s %2d %.8s %02d", kWeekdays[wd.c_encoding()],
                kMonths[month], day, time, year % 100);
  return text.data();
}

void PrintBuildStamp() { ConsolePrintf("\nBuilt: %s", BuildStamp(__DATE__, __TIME__).c_str()); }

void NewGame(UiState& ui, int mode) {
  Game& game = *ui.game;
  NewGameOfMode(game, mode);
  {
    std::lock_guard lock(game.mutex);
    ResetView(game.state, ui.view);
  }
  RelabelMenus(ui);
  PrintBanner();
}

void SetEngineSide(UiState& ui, int side) {
  std::lock_guard lock(ui.game->mutex);
  ConsolePrintf("%s", side > 0 ? "\nTorvik playing White" : "\nTorvik playing Black");
  ui.game->state.engineSide = side;
  ui.game->state.autoPlay = 0;
}

void ToggleAutoPlay(UiState& ui) {
  std::lock_guard lock(ui.game->mutex);
  GameState& gs = ui.game->state;
  if (gs.autoPlay) {
    gs.abortSearch = 1;
    gs.autoPlay = 0;
  } else {
    gs.autoPlay = 1;
  }
}

void FullStop(UiState& ui) {
  std::lock_guard lock(ui.game->mutex);
  GameState& gs = ui.game->state;
  gs.abortSearch = 1;
  gs.autoPlay = 0;
  gs.engineSide = kEnginePlaysNone;
}

void UndoPlies(UiState& ui, int plies) { Undo(*ui.game, plies); }

void ReplayBy(UiState& ui, int step) { ReplayStep(*ui.game, step); }

void NextDebugBoard(UiState& ui) {
  ui.input.debugBoard = (ui.input.debugBoard + 1) % kAttackBoards;
  ConsolePrintf("\nj=%d", ui.input.debugBoard);
}

// No legality test: a tool for looking at board configurations. The maps are
// rebuilt so that the selection marks stay true to the new configuration.
void MoveDebugBoard(UiState& ui) {
  std::lock_guard lock(ui.game->mutex);
  Position& pos = ui.game->state.position;
  if (!Is3D(pos)) return;
  const int board = ui.input.debugBoard;
  const int present = pos.pins[static_cast<std::size_t>(board)];
  const int start = PinIndex(present);
  for (int step = 1; step <= kPins; ++step) {
    const int pin = kPinTable[static_cast<std::size_t>((start + step + kPins) % kPins)].square;
    ConsolePrintf("\nj=%d k=%d", board, present);
    if (WhichABOnPin(pos, pin) != kNoSquare) continue;
    RelocateBoard(pos, board, pin);
    RegenPosition(pos);
    return;
  }
}

void AutoPlayTick(GameState& gs) {
  if (!gs.autoPlay || gs.position.winner != kNoWinner) return;
  const int side = SideToMove(gs);
  if (side != gs.engineSide) {
    gs.abortSearch = 1;
    gs.engineSide = side;
  }
}

}  // namespace torvik::ui
