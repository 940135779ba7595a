#include "ui/callbacks.h"

#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "ui/commands.h"
#include "ui/file_commands.h"
#include "ui/keyboard.h"
#include "ui/menus.h"
#include "ui/mouse.h"
#include "ui/notice_line.h"
#include "ui/picking.h"
#include "ui/position_text_dialog.h"
#include "ui/promotion_dialog.h"
#include "ui/scene.h"
#include "ui/special_keys.h"
#include "ui/status_text.h"

namespace torvik::ui {
namespace {

// The one global of the window: the toolkit's callbacks carry no user data.
UiState* theUi = nullptr;

// How long the idle callback rests when nothing is to be done.
constexpr auto kIdleRest = std::chrono::milliseconds(10);

// The engine thread may be anywhere, even inside a search or a print: the
// process ends without running destructors under its feet.
[[noreturn]] void EndProcess() {
  std::fflush(nullptr);
  std::_Exit(0);
}

// A saved or restored game names the window after its file.
void ShowTitle(UiState& ui) {
  const std::string& title = ui.game->record.windowTitle;
  if (title.empty() || title == ui.text.windowTitle) return;
  glutSetWindowTitle(WindowTitle(title).c_str());
  ui.text.windowTitle = title;
}

void OnDisplay() {
  ShowTitle(*theUi);
  DisplayMain(*theUi);
}

void OnReshape(int width, int height) {
  glutSetWindow(theUi->windowId);
  glViewport(0, 0, width, height);
}

void OnSpecial(int key, int, int) {
  const int modifiers = glutGetModifiers();
  SpecialKeyPressed(*theUi, key, modifiers & GLUT_ACTIVE_SHIFT, modifiers & GLUT_ACTIVE_ALT);
  glutPostRedisplay();
}

// A click on the promotion dialog's buttons answers it.
void OnDialogMouse(UiState& ui, int button, int state, int x, int y) {
  if (ui.input.modal != Modal::kPromotion || button != kLeftButton || state != kButtonDown) return;
  PromotionClick(ui, x, y, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  glutPostRedisplay();
}

void OnMouse(int button, int state, int x, int y) {
  UiState& ui = *theUi;
  if (ui.input.modal != Modal::kNone) {
    OnDialogMouse(ui, button, state, x, y);
  } else {
    const bool shift = glutGetModifiers() & GLUT_ACTIVE_SHIFT;
    const Picker pick = [&ui, x, y] { return Pick(ui.game->state, ui.view, x, y); };
    if (MouseEvent(ui, button, state, shift, pick)) glutPostRedisplay();
  }
  FollowModal(ui);
}

// Autoplay hands the engine the side to move; moves the engine thread made
// are shown. No GLUT call is ever made from the engine thread: it only sets
// the game's redraw flag, read here on the toolkit's thread.
void OnIdle() {
  UiState& ui = *theUi;
  {
    std::unique_lock lock(ui.game->mutex, std::try_to_lock);
    if (lock.owns_lock()) AutoPlayTick(ui.game->state);
  }
  const bool chooserClosed = PollFileCommand(ui) | PollPositionText(ui);
  FollowModal(ui);
  const bool noticeOver = NoticeRanOut(ui, NoticeClock::now());
  if (ui.game->redrawRequested.exchange(false) || chooserClosed || noticeOver) glutPostRedisplay();
  else std::this_thread::sleep_for(kIdleRest);
}

void OnClose() {
  theUi->files.chooser = FileChooser();  // an open dialog goes with the window
  theUi->positionText.dialog = ZenityChild();
  EndProcess();
}

void OnKeyboard(unsigned char key, int, int) {
  const bool alt = glutGetModifiers() & GLUT_ACTIVE_ALT;
  if (KeyboardKey(*theUi, key, alt) == KeyOutcome::kQuit) Quit(*theUi);
  FollowModal(*theUi);
  glutPostRedisplay();
}

}  // namespace

void InstallUiState(UiState* ui) { theUi = ui; }

UiState& InstalledUi() { return *theUi; }

void RegisterInputCallbacks() {
  glutDisplayFunc(OnDisplay);
  glutReshapeFunc(OnReshape);
  glutKeyboardFunc(OnKeyboard);
  glutSpecialFunc(OnSpecial);
  glutMouseFunc(OnMouse);
  glutCloseFunc(OnClose);
}

void RegisterIdleCallback() { glutIdleFunc(OnIdle); }

void Quit(UiState& ui) {
  ui.game->state.abortSearch = 1;
  glFinish();
  glutDestroyWindow(ui.windowId);
  ui.files.chooser = FileChooser();
  EndProcess();
}

}  // namespace torvik::ui
