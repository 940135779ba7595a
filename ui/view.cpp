#include "ui/view.h"

#include <cstdio>
#include <initializer_list>

#include "board/console.h"
#include "record/favourite_view.h"

namespace torvik::ui {
namespace {

float Wrapped(float degrees) { return degrees < 0 ? degrees + 360 : degrees; }

}  // namespace

void ResetView(GameState& gs, ViewToggles& view) {
  view.showAxes = 0;
  view.showCaptured = 1;
  gs.orthographic = 0;
  if (gs.gameMode == kGame2D) {
    gs.scale = 2.0f;
    gs.transparent = 0;
    gs.xang = 330;
  } else {
    gs.scale = 1.6f;
    gs.transparent = 1;
    gs.xang = 300;
  }
  gs.yang = 0;
  view.spinAngle = 0;
}

void OverheadView(GameState& gs, ViewToggles& view) {
  gs.orthographic = 1;
  gs.transparent = 1;
  gs.yang = 0;
  gs.xang = 0;
  view.spinAngle = 0;
}

void ToggleBlackView(GameState& gs, ViewToggles& view) {
  if (gs.gameMode != kGame2D) return;
  if (view.blackView) {
    ResetView(gs, view);
    view.blackView = false;
  } else {
    gs.xang = Wrapped(gs.xang - 120);
    gs.yang = Wrapped(gs.yang - 180);
    view.blackView = true;
  }
}

void FetchFavouriteViewOrReset(GameState& gs, ViewToggles& view) {
  if (!FetchFavouriteView(gs)) ResetView(gs, view);
}

}  // namespace torvik::ui
