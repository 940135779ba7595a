// The view commands: reset, overhead, the 2D game's black view, and the
// favourite view kept in "favview.sav".
#pragma once

#include "record/favourite_view.h"
#include "record/game_state.h"
#include "ui/ui_state.h"

namespace torvik::ui {

void ResetView(GameState& gs, ViewToggles& view);
void OverheadView(GameState& gs, ViewToggles& view);
void ToggleBlackView(GameState& gs, ViewToggles& view);  // the 2D game only

// F5: the favourite view from its file (record/favourite_view.h); without the
// file the view is reset.
void FetchFavouriteViewOrReset(GameState& gs, ViewToggles& view);

}  // namespace torvik::ui
