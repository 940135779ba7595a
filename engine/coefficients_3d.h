// The 3D game's weights. Its block of each stage is the 2D game's (same
// layout, same meaning per index) with the ranges below written over it:
// where a fit to positions of 3D games moved them. Square tables are drawn as
// the 2D ones, a line a row (rows 7..0) and columns 0..7 across, though a 3D
// square's column and row are those of geometry.h: columns 0..3 hold the
// attack boards and the neutral level, columns 4..7 the two main levels.
//
// bench/apply_fit.py --game 3d writes this file whole from a table tune_eval
// fitted; a range it leaves out keeps the 2D value.
//
// No fit yet: every range keeps the 2D value.
#pragma once

#include "engine/coefficient_blocks.h"

namespace torvik::coefficients_3d {

using namespace coefficient_blocks;

// The 3D block of stage s, from the 2D block `t` of the same stage.
constexpr CoefficientTable Block(CoefficientTable t, int s) {
  static_cast<void>(s);
  return t;
}

}  // namespace torvik::coefficients_3d
