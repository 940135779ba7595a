#include "ui/notice_line.h"

namespace torvik::ui {

std::string NoticeToShow(UiState& ui, NoticeClock::time_point now) {
  NoticeShown& shown = ui.notice;
  const Notice& notice = ui.game->notice;
  if (notice.serial != shown.serial) {
    shown.serial = notice.serial;
    shown.text = notice.text;
    shown.until = now + kNoticeTime;
  }
  return now < shown.until ? shown.text : std::string();
}

bool NoticeRanOut(UiState& ui, NoticeClock::time_point now) {
  NoticeShown& shown = ui.notice;
  if (shown.text.empty() || now < shown.until) return false;
  shown.text.clear();
  return true;
}

}  // namespace torvik::ui
