#include "ui/position_text_dialog.h"

#include <vector>

#include "board/console.h"
#include "record/game_start.h"
#include "ui/menus.h"

namespace torvik::ui {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

void StartPositionText(UiState& ui) {
  if (ui.input.modal != Modal::kNone) return;
  PositionDialog& d = ui.positionText;
  d.shown = GamePositionText(*ui.game);
  const std::vector<std::string> args = {"--entry", "--title=Position text", "--width=700",
                                         "--text=The position, to copy; or type or paste one to set up:",
                                         "--entry-text=" + d.shown};
  if (d.dialog.Start(args)) {
    ui.input.modal = Modal::kPositionText;
    return;
  }
  ConsolePrintf("\nno dialog could be started (zenity); the position is\n%s", d.shown.c_str());
}

void AnswerPositionText(UiState& ui, const std::string& answer) {
  const std::string text = Trimmed(answer);
  if (text.empty() || text == Trimmed(ui.positionText.shown)) return;
  std::string error;
  if (!SetUpPositionText(*ui.game, text, error)) {
    const std::string said = "not a position: " + error;
    ConsolePrintf("\n%s", said.c_str());
    TellPlayer(*ui.game, said);
    return;
  }
  ui.input.editMode = kEditNone;
  ConsolePrintf("\nset up %s", text.c_str());
  RelabelMenus(ui);
}

bool PollPositionText(UiState& ui) {
  if (ui.input.modal != Modal::kPositionText) return false;
  std::string answer;
  const ZenityState state = ui.positionText.dialog.Poll(answer);
  if (state == ZenityState::kRunning) return false;
  ui.input.modal = Modal::kNone;
  if (state == ZenityState::kFailed) ConsolePrintf("\nthe position dialog failed: nothing done");
  if (state == ZenityState::kAnswered) AnswerPositionText(ui, answer);
  return true;
}

}  // namespace torvik::ui
