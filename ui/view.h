// The view commands: reset, overhead, the 2D game's black view, and the
// favourite view kept in "favview.sav".
#pragma once

#include "record/game_state.h"
#include "ui/ui_state.h"

namespace torvik::ui {

constexpr const char* kFavouriteViewFile = "favview.sav";

void ResetView(GameState& gs, ViewToggles& view);
void OverheadView(GameState& gs, ViewToggles& view);
void ToggleBlackView(GameState& gs, ViewToggles& view);  // the 2D game only

// F6: writes the angles and the zoom to `path`, then says so whether or not
// the file opened.
void StoreFavouriteView(const GameState& gs, const char* path = kFavouriteViewFile);

// F5: reads them back; without the file the view is reset. A file with fewer
// than three numbers leaves the unread values as they were.
void FetchFavouriteView(GameState& gs, ViewToggles& view, const char* path = kFavouriteViewFile);

}  // namespace torvik::ui
