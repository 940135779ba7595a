// The game's notices in the window: the latest one stays in the status line
// for a few seconds, then the line shows what it showed before.
#pragma once

#include <chrono>
#include <string>

#include "ui/ui_state.h"

namespace torvik::ui {

constexpr auto kNoticeTime = std::chrono::seconds(4);

// The notice to show at `now` (empty for none): a new notice of the game is
// taken up and held for kNoticeTime. Under the game's lock.
std::string NoticeToShow(UiState& ui, NoticeClock::time_point now);

// True once, when the notice shown has run out: the frame is to be drawn again.
bool NoticeRanOut(UiState& ui, NoticeClock::time_point now);

}  // namespace torvik::ui
