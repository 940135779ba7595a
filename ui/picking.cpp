#include "ui/picking.h"

#include <GL/glu.h>

#include <vector>

#include "board/console.h"
#include "ui/board_drawing.h"
#include "ui/camera.h"

namespace torvik::ui {
namespace {

constexpr GLuint kAllBits = ~GLuint{0};

// Two names: column over row gives the square; column 0 or 2 over a board code
// gives the board.
int NameOf(GLuint first, GLuint second) {
  if (first == 2 && second >= 9) return static_cast<int>(second);
  return static_cast<int>(8 * first + second);
}

void PrintRecord(const SelectBuffer& buffer, std::size_t at, GLuint names, int x, int y, int hits) {
  ConsolePrintf("\nx=%d y=%d hits=%d", x, y, hits);
  ConsolePrintf("\n number of names for this hit = %d; names are", static_cast<int>(names));
  for (GLuint i = 0; i < names && at + 3 + i < buffer.size(); ++i)
    ConsolePrintf(" %d ", static_cast<int>(buffer[at + 3 + i]));
  ConsolePrintf("\n");
}

}  // namespace

// The record with two names nearest the viewer (smallest depth) gives the
// result; the records of any other length before it are printed.
int ResolveHits(const SelectBuffer& buffer, int hits, int x, int y) {
  std::size_t at = 0, nearest = buffer.size();
  std::vector<std::size_t> others;
  for (int h = 0; h < hits && at + 3 <= buffer.size(); ++h) {
    const GLuint names = buffer[at];
    if (names == 2 && at + 4 < buffer.size()) {
      if (nearest == buffer.size() || buffer[at + 1] < buffer[nearest + 1]) nearest = at;
    } else {
      others.push_back(at);
    }
    at += 3 + static_cast<std::size_t>(names);
  }
  for (std::size_t o : others)
    if (o < nearest) PrintRecord(buffer, o, buffer[o], x, y, hits);
  return nearest == buffer.size() ? kNoSquare : NameOf(buffer[nearest + 3], buffer[nearest + 4]);
}

int Pick(const GameState& gs, const ViewToggles& view, int x, int y) {
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  SelectBuffer buffer{};
  glSelectBuffer(kSelectBufferSize, buffer.data());
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(kAllBits);

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(x, viewport[3] - y, 1.0, 1.0, viewport.data());
  SetCamera(CameraOf(gs, view, viewport[3] > 0 ? double(viewport[2]) / viewport[3] : 1));
  Quadric quadric = MakeQuadric();
  DrawBoard(gs, DrawMode::kSelect, quadric.get());

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glFlush();
  const int hits = glRenderMode(GL_RENDER);  // -1 when the buffer overflowed
  return hits > 0 ? ResolveHits(buffer, hits, x, y) : kNoSquare;
}

}  // namespace torvik::ui
