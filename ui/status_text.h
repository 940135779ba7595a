// The text lines at the top left of the window, composed from the game: the
// title (last move, replay or edit prompt), the banner (whose move it is), the
// status line, and whose turn it is when two people play. Pure functions; the scene draws what they give.
#pragma once

#include <string>

#include "record/game_record.h"
#include "record/game_state.h"
#include "ui/colours.h"

namespace torvik::ui {

struct TextLine {
  std::string text;
  Rgb colour;
};

// The title line, by edit mode first, then replay, then the last move.
TextLine TitleLine(const GameState& gs, const GameRecord& record, int editMode);

// The prompt of an edit mode, or nullptr when the mode asks nothing.
const char* EditPrompt(int editMode);

// The banner line by the engine's side. False (after the warning) when the
// engine's side is no known value: the caller keeps the line it had.
bool BannerLine(const GameState& gs, TextLine& line);

// The status line: check and mate first, then a waiting message, then the
// ply count or what is selected.
TextLine StatusLine(const GameState& gs, const std::string& message);

// The window's title for a game file: "Torvik - game1.sav" (the file's name, not its folders).
std::string WindowTitle(const std::string& file);

// The fourth line: the result once the game is decided ("White wins 1-0",
// "Black wins 0-1", "Drawn 1/2-1/2"); else, while the engine plays neither
// side, "White to move" or "Black to move" in that side's colour; else empty.
TextLine TurnLine(const GameState& gs);

// The status line's text for the selection alone (green).
std::string SelectionText(const GameState& gs);

}  // namespace torvik::ui
