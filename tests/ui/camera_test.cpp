// The camera's matrices, without GL.
#include <gtest/gtest.h>

#include "ui/camera.h"

namespace torvik::ui {
namespace {

TEST(Camera, RotationTurnsAboutTheAxis) {
  const Matrix r = Rotation(90, 0, 0, 1);  // x onto y
  EXPECT_NEAR(r[0], 0, 1e-12);
  EXPECT_NEAR(r[1], 1, 1e-12);
  const Matrix back = Multiply(r, Rotation(-90, 0, 0, 1));
  const Matrix one = Identity();
  for (std::size_t i = 0; i < one.size(); ++i) EXPECT_NEAR(back[i], one[i], 1e-12);
}

TEST(Camera, OriginIsInTheMiddleOfTheWindow) {
  for (int ortho : {0, 1}) {
    const CameraView view{ortho, 1.6f, 300, 20, 30};
    double x = 0, y = 0;
    ASSERT_TRUE(ProjectToWindow(view, {0, 0, 0}, 800, 800, x, y));
    EXPECT_NEAR(x, 400, 1e-6);
    EXPECT_NEAR(y, 400, 1e-6);
  }
}

TEST(Camera, OverheadLooksStraightDown) {
  const CameraView view{1, 1.0f, 0, 0, 0};  // 16 units across 800 pixels
  double x = 0, y = 0;
  ASSERT_TRUE(ProjectToWindow(view, {4, -2, 3}, 800, 800, x, y));
  EXPECT_NEAR(x, 400 + 4 * 50, 1e-6);
  EXPECT_NEAR(y, 400 - 2 * 50, 1e-6);
}

TEST(Camera, TiltRaisesTheFarSide) {
  const CameraView view{0, 1.6f, 300, 0, 0};  // the reset 3D view
  double xNear = 0, yNear = 0, xFar = 0, yFar = 0;
  ASSERT_TRUE(ProjectToWindow(view, {0, -4, 0}, 800, 800, xNear, yNear));
  ASSERT_TRUE(ProjectToWindow(view, {0, 4, 0}, 800, 800, xFar, yFar));
  EXPECT_LT(yNear, 400);
  EXPECT_GT(yFar, 400);
}

TEST(Camera, TheViewTogglesAndZoomComeFromTheGame) {
  GameState gs;
  gs.orthographic = 1;
  gs.scale = 2.5f;
  gs.xang = 10;
  gs.yang = 20;
  ViewToggles toggles;
  toggles.spinAngle = 30;
  const CameraView view = CameraOf(gs, toggles);
  EXPECT_EQ(view.orthographic, 1);
  EXPECT_EQ(view.scale, 2.5f);
  EXPECT_EQ(view.xang, 10);
  EXPECT_EQ(view.yang, 20);
  EXPECT_EQ(view.spinAngle, 30);
}

}  // namespace
}  // namespace torvik::ui
