#include "ui/menus.h"

#include <GL/freeglut.h>

#include <string>
#include <vector>

#include "board/console.h"
#include "record/game.h"
#include "ui/callbacks.h"
#include "ui/commands.h"
#include "ui/file_commands.h"
#include "ui/menu_model.h"
#include "ui/position_text_dialog.h"

namespace torvik::ui {
namespace {

const MenuEntries kUndoEntries = {{"1 ply", 1}, {"2 plies", 2}, {"4 plies", 4}, {"8 plies", 8}, {"16 plies", 16}};
const MenuEntries kSpreadEntries = {{"Off", kSpreadOff}, {"Piece", kSpreadPiece}, {"Team", kSpreadTeam}};
const MenuEntries kProjectionEntries = {{"Perspective", 0}, {"Orthographic", 1}};
const MenuEntries kOnOffEntries = {{"Off", 0}, {"On", 1}};
const MenuEntries kOpacityEntries = {{"Transparent", 1}, {"Opaque", 0}};
const MenuEntries kModeEntries = {{"2D", kGame2D}, {"3D", kGame3D}};
const MenuEntries kAddWhiteEntries = {{"Pawn", 11}, {"Knight", 12}, {"Bishop", 13},
                                      {"Rook", 14}, {"Queen", 15}, {"King", 16}};
const MenuEntries kAddBlackEntries = {{"Pawn", 5}, {"Knight", 6}, {"Bishop", 7},
                                      {"Rook", 8}, {"Queen", 9}, {"King", 10}};

// The Game menu's entries.
enum GameEntry : int {
  kNewGameEntry = 0,
  kListEntry = 2,
  kSaveEntry = 5,
  kRestoreEntry = 6,
  kHintEntry = 7,
  kExportEntry = 8,
  kImportEntry = 9,
  kPositionTextEntry = 10
};

int Menu(void (*handler)(int), const MenuEntries& entries) {
  const int id = glutCreateMenu(handler);
  for (const MenuEntry& e : entries) glutAddMenuEntry(e.label, e.value);
  return id;
}

void Relabel(int menu, const MenuEntries& entries, int current) {
  if (!menu) return;
  const std::vector<std::string> labels = ChoiceLabels(entries, current);
  if (labels.empty()) return;
  const int was = glutGetMenu();
  glutSetMenu(menu);
  for (std::size_t i = 0; i < labels.size(); ++i)
    glutChangeToMenuEntry(int(i) + 1, labels[i].c_str(), entries[i].value);
  if (was) glutSetMenu(was);
}

void Done() { glutPostRedisplay(); }

// Called as a menu opens and as it closes (also when nothing was chosen).
void OnMenuStatus(int status, int, int) { InstalledUi().menus.inUse = status == GLUT_MENU_IN_USE; }

void OnPlays(int v) {
  ChoosePlays(InstalledUi(), v);
  Relabel(InstalledUi().menus.plays, kPlaysEntries, v);
  Done();
}
void OnDifficulty(int v) {
  Relabel(InstalledUi().menus.difficulty, kDifficultyEntries, ChooseDifficulty(InstalledUi(), v));
  Done();
}
void OnRules(int v) {
  ChooseRules(InstalledUi(), v);
  Relabel(InstalledUi().menus.rules, kRulesEntries, v);
  Done();
}
void OnNotation(int v) {
  ChooseNotation(InstalledUi(), v);
  Relabel(InstalledUi().menus.notation, kNotationEntries, v);
  Done();
}
void OnUndo(int v) {
  UndoPlies(InstalledUi(), v);
  Done();
}
void OnSpread(int v) {
  InstalledUi().game->state.spreadMode = v;
  Done();
}
void OnProjection(int v) {
  InstalledUi().game->state.orthographic = v;
  Done();
}
void OnAxes(int v) {
  InstalledUi().view.showAxes = v != 0;
  Done();
}
void OnCaptured(int v) {
  InstalledUi().view.showCaptured = v != 0;
  Done();
}
void OnMoveList(int v) {
  InstalledUi().view.showMoveList = v != 0;
  Done();
}
void OnOpacity(int v) {
  InstalledUi().game->state.transparent = v;
  Done();
}
void OnView(int v) {
  ChooseView(InstalledUi(), v);
  Done();
}
void OnMode(int v) {
  NewGame(InstalledUi(), v);
  Done();
}
void OnGame(int v) {
  UiState& ui = InstalledUi();
  switch (v) {
    case kNewGameEntry: NewGame(ui, ui.game->state.gameMode); break;
    case kListEntry: StartFileCommand(ui, FileCommand::kList); break;
    case kSaveEntry: StartFileCommand(ui, FileCommand::kSave); break;
    case kRestoreEntry: StartFileCommand(ui, FileCommand::kRestore); break;
    case kHintEntry: AskHint(*ui.game); break;
    case kExportEntry: StartFileCommand(ui, FileCommand::kExport); break;
    case kImportEntry: StartFileCommand(ui, FileCommand::kImport); break;
    case kPositionTextEntry: StartPositionText(ui); break;
    default: Warn(false, "unknown selection @ DoGameMenu"); break;
  }
  Done();
}
void OnAdd(int v) {
  InstalledUi().input.editMode = v;
  Done();
}
void OnEdit(int v) {
  ChooseEdit(InstalledUi(), v);
  Done();
}
void OnRoot(int v) {
  if (v == 3) Quit(InstalledUi());
  Warn(false, "Unknown main menu value");
}

int GameMenu(const ChoiceMenus& menus, int undo) {
  const int game = glutCreateMenu(OnGame);
  glutAddSubMenu("Torvik", menus.plays);
  glutAddSubMenu("Difficulty", menus.difficulty);
  glutAddSubMenu("Undo", undo);
  glutAddMenuEntry("New game", kNewGameEntry);
  glutAddMenuEntry("List game", kListEntry);
  glutAddMenuEntry("Save game", kSaveEntry);
  glutAddMenuEntry("Restore game", kRestoreEntry);
  glutAddMenuEntry("Hint", kHintEntry);
  glutAddMenuEntry("Export game...", kExportEntry);
  glutAddMenuEntry("Import game...", kImportEntry);
  glutAddMenuEntry("Position text...", kPositionTextEntry);
  return game;
}

int EditMenu() {
  const int white = Menu(OnAdd, kAddWhiteEntries);
  const int black = Menu(OnAdd, kAddBlackEntries);
  const int edit = glutCreateMenu(OnEdit);
  glutAddSubMenu("Add white ...", white);
  glutAddSubMenu("Add black ...", black);
  glutAddMenuEntry("Remove piece", kEditRemove);
  glutAddMenuEntry("White's move", kEditWhiteToMove);
  glutAddMenuEntry("Black's move", kEditBlackToMove);
  glutAddMenuEntry("Clear board", kEditClearBoard);
  return edit;
}

int ViewMenu() {
  const int projection = Menu(OnProjection, kProjectionEntries);
  const int axes = Menu(OnAxes, kOnOffEntries);
  const int captured = Menu(OnCaptured, kOnOffEntries);
  const int opacity = Menu(OnOpacity, kOpacityEntries);
  const int moveList = Menu(OnMoveList, kOnOffEntries);
  const int view = glutCreateMenu(OnView);
  glutAddSubMenu("Projection", projection);
  glutAddSubMenu("Axes", axes);
  glutAddSubMenu("Opacity", opacity);
  glutAddSubMenu("Captured", captured);
  glutAddMenuEntry("BlackView", 4);
  glutAddMenuEntry("Reset View", 3);
  glutAddSubMenu("Move list", moveList);
  return view;
}

}  // namespace

void BuildMenus(UiState& ui) {
  ChoiceMenus& menus = ui.menus;
  menus.rules = Menu(OnRules, kRulesEntries);
  OnRules(ui.game->state.rules);
  menus.notation = Menu(OnNotation, kNotationEntries);
  OnNotation(ui.game->state.notation);
  menus.plays = Menu(OnPlays, kPlaysEntries);
  ui.game->state.engineSide = kEnginePlaysBlack;
  OnPlays(kEnginePlaysBlack);
  menus.difficulty = Menu(OnDifficulty, kDifficultyEntries);
  Relabel(menus.difficulty, kDifficultyEntries, ui.game->state.difficulty);
  const int undo = Menu(OnUndo, kUndoEntries);
  const int spread = Menu(OnSpread, kSpreadEntries);
  const int edit = EditMenu();
  const int game = GameMenu(menus, undo);
  const int view = ViewMenu();
  const int mode = Menu(OnMode, kModeEntries);
  menus.root = glutCreateMenu(OnRoot);
  glutAddSubMenu("Game", game);
  glutAddSubMenu("Mode", mode);
  glutAddSubMenu("Rules", menus.rules);
  glutAddSubMenu("Notation", menus.notation);
  glutAddSubMenu("Spread", spread);
  glutAddSubMenu("View", view);
  glutAddSubMenu("Edit", edit);
  glutAddMenuEntry("Quit", 3);
  glutAttachMenu(GLUT_RIGHT_BUTTON);
  menus.attached = true;
  glutMenuStatusFunc(OnMenuStatus);
}

void FollowModal(UiState& ui) {
  ChoiceMenus& menus = ui.menus;
  if (menus.inUse) return;
  if (menus.relabelPending) RelabelMenus(ui);
  const bool wanted = ui.input.modal == Modal::kNone;
  if (!menus.root || menus.attached == wanted) return;
  const int was = glutGetMenu();
  glutSetMenu(menus.root);
  if (wanted) glutAttachMenu(GLUT_RIGHT_BUTTON);
  else glutDetachMenu(GLUT_RIGHT_BUTTON);
  if (was) glutSetMenu(was);
  menus.attached = wanted;
}

void RelabelMenus(UiState& ui) {
  ChoiceMenus& menus = ui.menus;
  menus.relabelPending = menus.inUse;
  if (menus.inUse) return;  // done by FollowModal once the menu closes
  const GameState& gs = ui.game->state;
  Relabel(menus.difficulty, kDifficultyEntries, gs.difficulty);
  Relabel(menus.rules, kRulesEntries, gs.rules);
  Relabel(menus.notation, kNotationEntries, gs.notation);
  Relabel(menus.plays, kPlaysEntries, gs.autoPlay ? 2 : int(gs.engineSide));
}

}  // namespace torvik::ui
