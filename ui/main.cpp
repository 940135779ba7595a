// Torvik's window: start-up in its fixed order, then the toolkit's main loop,
// which never returns. The program ends through Quit.
#include <GL/freeglut.h>

#include <cstdio>

#include "record/engine_thread.h"
#include "record/game.h"
#include "ui/callbacks.h"
#include "ui/commands.h"
#include "ui/display_check.h"
#include "ui/keyboard.h"
#include "ui/menus.h"
#include "ui/ui_state.h"

namespace {

using namespace torvik;
using namespace torvik::ui;

void OpenWindow(UiState& ui) {
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kWindowSize, kWindowSize);
  glutInitWindowPosition(kWindowX, kWindowY);
  ui.windowId = glutCreateWindow(kProductName);
  glutSetWindowTitle(kTitleText);
}

void SetGlState() {
  glClearColor(0, 0, 0, 0);
  glutSetCursor(GLUT_CURSOR_CROSSHAIR);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LINE_SMOOTH);
  glShadeModel(GL_FLAT);
}

}  // namespace

int main(int argc, char** argv) {
  DisplayProbe probe = OpenDisplayProbe(argc, argv);
  if (!probe) {
    std::fprintf(stderr, "torvik: cannot open a display; set DISPLAY or use torvik-cli\n");
    return 1;
  }
  Game game;
  UiState ui;
  ui.game = &game;
  InstallUiState(&ui);

  glutInit(&argc, argv);
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
  OpenWindow(ui);
  probe.reset();
  SetGlState();
  RegisterInputCallbacks();
  RegisterIdleCallback();
  ClearMoveText(game.record);
  game.state.difficulty = kHard;
  BuildMenus(ui);
  NewGame(ui, kGame3D);
  KeyboardKey(ui, 'H', false);
  StartEngine(game, 1);
  glutMainLoop();
  StartEngine(game, 0);  // not reached: the window closes only through Quit
  return 0;
}
