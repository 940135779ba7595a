#include "ui/keyboard.h"

#include <array>
#include <cctype>
#include <mutex>

#include "board/console.h"
#include "ui/commands.h"
#include "ui/file_commands.h"
#include "ui/promotion_dialog.h"
#include "ui/typed_move.h"
#include "ui/view.h"

namespace torvik::ui {
namespace {

struct KeyBinding {
  unsigned char key;  // upper case for letters
  KeyCommand command;
};

constexpr std::array<KeyBinding, 24> kKeyTable = {{
    {27, KeyCommand::kQuit},
    {13, KeyCommand::kTypeMove},
    {'Q', KeyCommand::kQuit},
    {'H', KeyCommand::kHelp},
    {'?', KeyCommand::kBanner},
    {'#', KeyCommand::kBuildStamp},
    {'A', KeyCommand::kToggleAxes},
    {'B', KeyCommand::kEnginePlaysBlack},
    {'W', KeyCommand::kEnginePlaysWhite},
    {'C', KeyCommand::kToggleCaptured},
    {'G', KeyCommand::kShowAngles},
    {'I', KeyCommand::kShowThinking},
    {'J', KeyCommand::kNextDebugBoard},
    {'K', KeyCommand::kMoveDebugBoard},
    {'L', KeyCommand::kListGame},
    {'M', KeyCommand::kMoveNow},
    {'N', KeyCommand::kHint},
    {'O', KeyCommand::kOverheadView},
    {'R', KeyCommand::kRestoreGame},
    {'S', KeyCommand::kSaveGame},
    {'T', KeyCommand::kToggleTransparent},
    {'U', KeyCommand::kUndo},
    {'V', KeyCommand::kResetView},
    {'Z', KeyCommand::kBlackView},
}};

// The commands that only change the view or a setting, under the game's lock.
void RunSetting(UiState& ui, KeyCommand command) {
  std::lock_guard lock(ui.game->mutex);
  GameState& gs = ui.game->state;
  switch (command) {
    case KeyCommand::kToggleAxes: ui.view.showAxes = !ui.view.showAxes; break;
    case KeyCommand::kToggleCaptured: ui.view.showCaptured = !ui.view.showCaptured; break;
    case KeyCommand::kShowAngles:
      ConsolePrintf("\nW xang=%g yang=%g scale=%g", double(gs.xang), double(gs.yang),
                    double(gs.scale));
      break;
    case KeyCommand::kOverheadView: OverheadView(gs, ui.view); break;
    case KeyCommand::kToggleTransparent: gs.transparent = !gs.transparent; break;
    case KeyCommand::kResetView: ResetView(gs, ui.view); break;
    case KeyCommand::kBlackView: ToggleBlackView(gs, ui.view); break;
    default: break;
  }
}

FileCommand FileCommandOf(KeyCommand command) {
  if (command == KeyCommand::kSaveGame) return FileCommand::kSave;
  return command == KeyCommand::kRestoreGame ? FileCommand::kRestore : FileCommand::kList;
}

}  // namespace

KeyCommand KeyCommandOf(unsigned char key) {
  const auto upper = static_cast<unsigned char>(std::toupper(key));
  for (const KeyBinding& b : kKeyTable)
    if (b.key == upper) return b.command;
  return KeyCommand::kUnknown;
}

// Alt chooses the quick forms of the game-file keys, which arrive with them.
KeyOutcome KeyboardKey(UiState& ui, unsigned char key, bool alt) {
  if (ui.input.modal != Modal::kNone) {  // a dialog holds the input
    if (ui.input.modal == Modal::kPromotion) PromotionKey(ui, key);
    return KeyOutcome::kRedraw;
  }
  if (ui.input.typing) {
    TypedMoveKey(ui, key);
    return KeyOutcome::kRedraw;
  }
  const KeyCommand command = KeyCommandOf(key);
  switch (command) {
    case KeyCommand::kTypeMove: StartTypedMove(ui); break;
    case KeyCommand::kMoveNow: MoveNow(*ui.game); break;
    case KeyCommand::kHint: AskHint(*ui.game); break;
    case KeyCommand::kShowThinking: {
      const bool on = !ui.game->engine.showThinking;
      ui.game->engine.showThinking = on;
      ConsolePrintf(on ? "\nthinking shown on the console" : "\nthinking not shown on the console");
      break;
    }
    case KeyCommand::kQuit: return KeyOutcome::kQuit;
    case KeyCommand::kHelp: PrintHelp(); break;
    case KeyCommand::kBanner: PrintBanner(); break;
    case KeyCommand::kBuildStamp: PrintBuildStamp(); break;
    case KeyCommand::kEnginePlaysBlack: SetEngineSide(ui, kEnginePlaysBlack); break;
    case KeyCommand::kEnginePlaysWhite: SetEngineSide(ui, kEnginePlaysWhite); break;
    case KeyCommand::kNextDebugBoard: NextDebugBoard(ui); break;
    case KeyCommand::kMoveDebugBoard: MoveDebugBoard(ui); break;
    case KeyCommand::kUndo: UndoPlies(ui, 1); break;
    // The game files: the chooser, or with Alt the quick forms on the default files.
    case KeyCommand::kListGame:
    case KeyCommand::kRestoreGame:
    case KeyCommand::kSaveGame:
      if (alt) QuickFileCommand(ui, FileCommandOf(command));
      else StartFileCommand(ui, FileCommandOf(command));
      break;
    case KeyCommand::kUnknown:
      ConsolePrintf("\nDon't know what to do with keyboard hit: '%c' (0x%0x)\n", key,
                    static_cast<unsigned>(key));
      break;
    default: RunSetting(ui, command); break;
  }
  return KeyOutcome::kRedraw;
}

}  // namespace torvik::ui
