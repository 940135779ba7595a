// The camera: projection and view of the scene, shared by the drawing and by
// picking. The matrices are computed here and loaded into GL, so the tests can
// project points exactly as the window does.
#pragma once

#include <array>

#include "board/geometry.h"
#include "record/game_state.h"
#include "ui/ui_state.h"

namespace torvik::ui {

// Column-major, as GL keeps them.
using Matrix = std::array<double, 16>;

struct CameraView {
  int orthographic = 0;
  float scale = 1;
  float xang = 0;
  float yang = 0;
  int spinAngle = 0;
  double aspect = 1;  // the window's width over its height
};

// The scene fills the window's shorter side as it fills a square window; the
// longer side shows more around it, so nothing is stretched.
CameraView CameraOf(const GameState& gs, const ViewToggles& view, double aspect = 1);

Matrix Identity();
Matrix Multiply(const Matrix& a, const Matrix& b);  // a * b
Matrix Perspective(double fovy, double aspect, double zNear, double zFar);
Matrix Ortho(double left, double right, double bottom, double top, double zNear, double zFar);
Matrix LookAt(const std::array<double, 3>& eye, const std::array<double, 3>& centre,
              const std::array<double, 3>& up);
Matrix Scaling(double s);
Matrix Rotation(double degrees, double x, double y, double z);

// The projection (lens and look-at) and the model-view (zoom and turns).
Matrix ProjectionMatrix(const CameraView& view);
Matrix ModelViewMatrix(const CameraView& view);

// Where a scene point lands in a window of width x height (the view's aspect
// taken from them), in GL window
// coordinates (x from the left, y from the bottom; `wz`, when given, the depth
// 0..1 as the depth buffer holds it). False behind the eye.
bool ProjectToWindow(const CameraView& view, const SpacePoint& p, int width, int height,
                     double& wx, double& wy, double* wz = nullptr);

// The distance in front of the eye of a depth-buffer value 0..1.
double EyeDistance(const CameraView& view, double depth);

// GL: lighting on, the projection multiplied onto the current (identity or pick)
// projection matrix, then the model-view loaded; leaves the model-view current.
void SetCamera(const CameraView& view);

}  // namespace torvik::ui
