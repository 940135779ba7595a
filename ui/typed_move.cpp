#include "ui/typed_move.h"

#include <cctype>
#include <mutex>

#include "record/named_move.h"
#include "ui/mouse.h"

namespace torvik::ui {
namespace {

constexpr unsigned char kReturn = 13, kLineFeed = 10, kEscape = 27, kBackspace = 8, kDelete = 127;
constexpr std::size_t kMaxTyped = 24;  // longer than any move's text or name

void PlayTyped(UiState& ui, const std::string& text) {
  Game& game = *ui.game;
  if (game.record.replayCursor != -1) LeaveReplay(game);  // as a click does
  std::lock_guard lock(game.mutex);
  const GameState& gs = game.state;
  if (SideToMove(gs) == gs.engineSide) {
    TellPlayer(game, "Torvik is to move");
    return;
  }
  Move found;
  switch (FindNamedMove(game.state.position, gs.notation, text, found)) {
    case NamedMove::kFound: PlayMouseMove(ui, found); return;
    case NamedMove::kAmbiguous: TellPlayer(game, "ambiguous move " + text); return;
    default: TellPlayer(game, "illegal move " + text); return;
  }
}

}  // namespace

void StartTypedMove(UiState& ui) {
  ui.input.typing = true;
  ui.input.typed.clear();
}

void TypedMoveKey(UiState& ui, unsigned char key) {
  std::string& typed = ui.input.typed;
  if (key == kEscape) {
    ui.input.typing = false;
  } else if (key == kReturn || key == kLineFeed) {
    ui.input.typing = false;
    if (!typed.empty()) PlayTyped(ui, typed);
  } else if (key == kBackspace || key == kDelete) {
    if (!typed.empty()) typed.pop_back();
  } else if (std::isgraph(key) && typed.size() < kMaxTyped) {
    typed += char(key);
  }
}

std::string TypedMoveEcho(const UiState& ui) { return ui.input.typing ? "move: " + ui.input.typed + "_" : ""; }

}  // namespace torvik::ui
