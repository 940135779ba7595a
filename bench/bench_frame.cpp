// The window's frame time: the default 3D and 2D views drawn again and again
// in an 800 x 800 window (under Xvfb, Mesa's software renderer). Needs a
// display; says so and does nothing without one.
#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "board/console.h"
#include "record/game.h"
#include "ui/scene.h"
#include "ui/ui_state.h"
#include "ui/view.h"

namespace {

using namespace torvik;
using namespace torvik::ui;

double MillisPerFrame(UiState& ui, int mode, int frames) {
  ConsoleCapture quiet;
  GameState& gs = ui.game->state;
  ClearGameState(gs);
  gs.gameMode = mode;
  NewGameSetup(gs);
  ResetView(gs, ui.view);
  DisplayMain(ui);
  glFinish();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) {
    DisplayMain(ui);
    glFinish();
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  return took.count() / frames;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY")) {
    std::printf("bench_frame: no display (run it under xvfb-run): skipped\n");
    return 0;
  }
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kWindowSize, kWindowSize);
  Game game;
  UiState ui;
  ui.game = &game;
  ui.windowId = glutCreateWindow(kProductName);
  glutDisplayFunc([] {});
  for (int i = 0; i < 20; ++i) glutMainLoopEvent();
  constexpr int kFrames = 100;
  std::printf("frame, default 3D view: %.1f ms\n", MillisPerFrame(ui, kGame3D, kFrames));
  std::printf("frame, default 2D view: %.1f ms\n", MillisPerFrame(ui, kGame2D, kFrames));
  return 0;
}
