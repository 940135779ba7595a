#include "ui/special_keys.h"

#include <mutex>

#include "board/console.h"
#include "ui/commands.h"
#include "ui/view.h"

namespace torvik::ui {
namespace {

constexpr int kLongReplay = 200;

// Arrows and page keys: the view only, under the game's lock.
void TurnView(UiState& ui, int key, bool shift, bool alt) {
  std::lock_guard lock(ui.game->mutex);
  GameState& gs = ui.game->state;
  const float step = shift ? 10.0f : 1.0f;
  const int spin = shift ? 10 : 1;
  const float zoom = shift ? 1.1f : 1.01f;
  switch (key) {
    case kKeyLeft:
      if (alt) ui.view.spinAngle = TurnedSpin(ui.view.spinAngle, spin);
      else gs.yang = TurnedAngle(gs.yang, -step);
      break;
    case kKeyRight:
      if (alt) ui.view.spinAngle = TurnedSpin(ui.view.spinAngle, -spin);
      else gs.yang = TurnedAngle(gs.yang, step);
      break;
    case kKeyUp: gs.xang = TurnedAngle(gs.xang, -step); break;
    case kKeyDown: gs.xang = TurnedAngle(gs.xang, step); break;
    case kKeyPageUp: gs.scale *= zoom; break;
    case kKeyPageDown: gs.scale /= zoom; break;
    default: break;
  }
}

void FavouriteView(UiState& ui, bool store) {
  std::lock_guard lock(ui.game->mutex);
  if (store) StoreFavouriteView(ui.game->state);
  else FetchFavouriteViewOrReset(ui.game->state, ui.view);
}

}  // namespace

float TurnedAngle(float degrees, float by) {
  float a = degrees + by;
  if (a < 0) a += 360;
  else if (a >= 360) a -= 360;
  return a;
}

int TurnedSpin(int degrees, int by) {
  int a = degrees + by;
  if (a < 0) a += 360;
  else if (a >= 360) a -= 360;
  return a;
}

void SpecialKeyPressed(UiState& ui, int key, bool shift, bool alt) {
  if (ui.input.modal != Modal::kNone) return;  // a dialog holds the input
  switch (key) {
    case kKeyF1: PrintHelp(); break;
    case kKeyF2: NewGame(ui, kGame2D); break;
    case kKeyF3: NewGame(ui, kGame3D); break;
    case kKeyF5: FavouriteView(ui, false); break;
    case kKeyF6: FavouriteView(ui, true); break;
    case kKeyF7: ReplayBy(ui, shift ? -kLongReplay : -1); break;
    case kKeyF8: ReplayBy(ui, shift ? kLongReplay : 1); break;
    case kKeyF9: ToggleAutoPlay(ui); break;
    case kKeyF10: FullStop(ui); break;
    case kKeyLeft:
    case kKeyRight:
    case kKeyUp:
    case kKeyDown:
    case kKeyPageUp:
    case kKeyPageDown: TurnView(ui, key, shift, alt); break;
    default:
      if (key >= kFirstModifierKey && key <= kLastModifierKey) break;
      ConsolePrintf("\nDon't know what to do with KeyboardSpecial hit: '%c' (0x%0x)", key,
                    static_cast<unsigned>(key));
      break;
  }
}

}  // namespace torvik::ui
