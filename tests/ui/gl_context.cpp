#include "gl_context.h"

#include <GL/freeglut.h>

#include <array>
#include <memory>

#include "ui/ui_state.h"
#include "xvfb.h"

namespace torvik::test {

namespace {

std::unique_ptr<XvfbServer>& Server() {
  static std::unique_ptr<XvfbServer> server;
  return server;
}

}  // namespace

const std::string& GlDisplay() { return Server()->Display(); }

bool EnsureGlWindow(std::string& why) {
  std::unique_ptr<XvfbServer>& server = Server();
  static bool open = false;
  if (open) return true;
  if (!server) server = std::make_unique<XvfbServer>();
  if (server->Display().empty()) {
    why = server->Failure();
    return false;
  }
  std::string display = server->Display();
  std::array<char*, 4> argv = {const_cast<char*>("torvik_ui_window_tests"),
                               const_cast<char*>("-display"), display.data(), nullptr};
  int argc = 3;
  glutInit(&argc, argv.data());
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(ui::kWindowSize, ui::kWindowSize);
  glutInitWindowPosition(0, 0);  // wholly on the screen, so it can be captured
  glutCreateWindow("torvik tests");
  glutDisplayFunc([] {});  // the tests draw when they choose
  glViewport(0, 0, ui::kWindowSize, ui::kWindowSize);
  open = true;
  return true;
}

}  // namespace torvik::test
