// The favourite view: the view's two angles and its zoom kept in a small text
// file, one number a line ("%g"), in the order xang, yang, scale.
#pragma once

#include <string>

#include "record/game_state.h"

namespace torvik {

constexpr const char* kFavouriteViewName = "favview.sav";

// F6: writes gs.xang, gs.yang and gs.scale to `name`, then prints
// "\nFavorite view SAVED" whether or not the file opened. True when written.
bool StoreFavouriteView(const GameState& gs, const std::string& name = kFavouriteViewName);

// F5: prints "\nFavorite view LOADED", then reads xang, yang and scale from
// `name` into gs, in that order; reading stops at the first missing or
// unreadable number (a value that is not finite counts as unreadable), so the
// values not read stay as they were. False when the file does not open: the
// window then resets the view.
bool FetchFavouriteView(GameState& gs, const std::string& name = kFavouriteViewName);

}  // namespace torvik
