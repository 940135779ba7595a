// The axes of the model, with their letters, for finding one's way in the view.
#pragma once

namespace torvik::ui {

// Yellow lines from the origin along x, y and z, lighting off.
void DrawAxes();

}  // namespace torvik::ui
