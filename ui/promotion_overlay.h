// The promotion dialog drawn over the scene, in window pixels.
#pragma once

namespace torvik::ui {

// Draws the dialog centred in a window of `width` x `height` pixels.
void DrawPromotionDialog(int width, int height);

}  // namespace torvik::ui
