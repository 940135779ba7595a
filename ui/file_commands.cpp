#include "ui/file_commands.h"

#include <mutex>

#include "board/console.h"
#include "record/game_listing.h"
#include "record/pgn_file.h"
#include "record/saved_game.h"
#include "ui/commands.h"
#include "ui/menus.h"
#include "ui/view.h"

namespace torvik::ui {
namespace {

ChooserRequest RequestFor(const UiState& ui, FileCommand command) {
  switch (command) {
    case FileCommand::kSave:
      return {ChooserPurpose::kSave, "Save game", ui.files.saveName, kSaveFilterLabel, "*.sav", "sav"};
    case FileCommand::kRestore:
      return {ChooserPurpose::kOpen, "Restore game", ui.files.saveName, kSaveFilterLabel, "*.sav", "sav"};
    case FileCommand::kExport:
      return {ChooserPurpose::kSave, "Export game", kPgnName, kPgnFilterLabel, "*.pgn", "pgn"};
    case FileCommand::kImport:
      return {ChooserPurpose::kOpen, "Import game", kPgnName, kPgnFilterLabel, "*.pgn", "pgn"};
    case FileCommand::kList: break;
  }
  return {ChooserPurpose::kSave, "List game", kListingName, kListFilterLabel, "*.txt", "txt"};
}

std::string DefaultName(const UiState& ui, FileCommand command) {
  switch (command) {
    case FileCommand::kList: return kListingName;
    case FileCommand::kExport:
    case FileCommand::kImport: return kPgnName;
    case FileCommand::kSave:
    case FileCommand::kRestore: break;
  }
  return ui.files.saveName;
}

// A restored game brings its own settings; the view's toggles outside it are
// those of a view reset.
void Restore(UiState& ui, const std::string& name) {
  if (!RestoreGame(*ui.game, name, PrintBanner)) return;
  ui.view = ViewToggles{};
  ui.input.editMode = kEditNone;
  RelabelMenus(ui);
}

// An imported game of the other mode is seen as a new game of that mode is.
void Import(UiState& ui, const std::string& name) {
  const int mode = ui.game->state.gameMode;
  if (!ImportGame(*ui.game, name)) return;
  ui.input.editMode = kEditNone;
  if (ui.game->state.gameMode != mode) {
    std::lock_guard lock(ui.game->mutex);
    ResetView(ui.game->state, ui.view);
  }
  RelabelMenus(ui);
}

}  // namespace

void RunFileCommand(UiState& ui, FileCommand command, const std::string& name) {
  switch (command) {
    case FileCommand::kSave: SaveGame(*ui.game, name); break;
    case FileCommand::kRestore: Restore(ui, name); break;
    case FileCommand::kList: ListGameToFile(*ui.game, name); break;
    case FileCommand::kExport: ExportGame(*ui.game, name); break;
    case FileCommand::kImport: Import(ui, name); break;
  }
}

void StartFileCommand(UiState& ui, FileCommand command) {
  if (ui.input.modal != Modal::kNone) return;
  FileDialogs& files = ui.files;
  if (files.chooser.Start(RequestFor(ui, command))) {
    files.pending = command;
    ui.input.modal = Modal::kFileChooser;
    return;
  }
  if (!files.missingSaid) {
    ConsolePrintf("\nno file chooser could be started (zenity): files go to the working folder"
                  " under their default names");
    files.missingSaid = true;
  }
  RunFileCommand(ui, command, DefaultName(ui, command));
}

void QuickFileCommand(UiState& ui, FileCommand command) {
  if (command == FileCommand::kList) return ListGameToConsole(*ui.game);
  ui.files.saveName = kQuickSaveName;
  RunFileCommand(ui, command, ui.files.saveName);
}

bool PollFileCommand(UiState& ui) {
  if (ui.input.modal != Modal::kFileChooser) return false;
  FileDialogs& files = ui.files;
  std::string path;
  const ChooserState state = files.chooser.Poll(path);
  if (state == ChooserState::kRunning) return false;
  ui.input.modal = Modal::kNone;
  if (state == ChooserState::kFailed) ConsolePrintf("\nthe file chooser failed: nothing done");
  if (state != ChooserState::kChosen) return true;
  if (files.pending == FileCommand::kSave || files.pending == FileCommand::kRestore) files.saveName = path;
  RunFileCommand(ui, files.pending, path);
  return true;
}

}  // namespace torvik::ui
