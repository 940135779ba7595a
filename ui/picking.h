// Picking: what lies under a window position, by drawing the board again in
// GL selection mode with one name per square (its piece drawn under the same
// name), per attack-board pin and per destination marker (named by its pin).
#pragma once

#include <GL/gl.h>

#include <array>

#include "record/game_state.h"
#include "ui/ui_state.h"

namespace torvik::ui {

constexpr int kSelectBufferSize = 512;
using SelectBuffer = std::array<GLuint, kSelectBufferSize>;

// The name under window position (x, y), y counted from the top as the mouse
// gives it: a square 0..63, a board code 100/106/116/122, or 65 for nothing.
int Pick(const GameState& gs, const ViewToggles& view, int x, int y);

// Reads the hit records of a selection pass: of the records with exactly two
// names (a square, or a board's pin, or a destination marker) the one nearest
// the viewer gives the result; each record of another length before it is
// printed on the console.
int ResolveHits(const SelectBuffer& buffer, int hits, int x, int y);

}  // namespace torvik::ui
