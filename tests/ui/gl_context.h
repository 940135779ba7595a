// A GL context for tests that run the real drawing code: one GLUT window of
// the program's size on a private Xvfb, made once per test process.
#pragma once

#include <string>

namespace torvik::test {

// Opens the window the first time; false (with the reason) when no X server
// could start.
bool EnsureGlWindow(std::string& why);

// The X display the window is on (after EnsureGlWindow succeeded).
const std::string& GlDisplay();

}  // namespace torvik::test
