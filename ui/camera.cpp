#include "ui/camera.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace torvik::ui {
namespace {

constexpr double kFieldOfView = 70.0;
constexpr double kNear = 0.1;
constexpr double kFar = 60.0;
constexpr double kOrthoHalf = 8.0;
constexpr double kEyeDistance = 16.0;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

double& At(Matrix& m, int row, int column) { return m[static_cast<std::size_t>(column * 4 + row)]; }
double At(const Matrix& m, int row, int column) { return m[static_cast<std::size_t>(column * 4 + row)]; }

std::array<double, 3> Normalised(std::array<double, 3> v) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0) for (double& c : v) c /= length;
  return v;
}

std::array<double, 3> Cross(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

}  // namespace

CameraView CameraOf(const GameState& gs, const ViewToggles& view, double aspect) {
  return {gs.orthographic, gs.scale, gs.xang, gs.yang, view.spinAngle, aspect > 0 ? aspect : 1};
}

Matrix Identity() {
  Matrix m{};
  for (int i = 0; i < 4; ++i) At(m, i, i) = 1;
  return m;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix m{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += At(a, r, k) * At(b, k, c);
      At(m, r, c) = sum;
    }
  return m;
}

Matrix Perspective(double fovy, double aspect, double zNear, double zFar) {
  const double f = 1.0 / std::tan(Radians(fovy) / 2);
  Matrix m{};
  At(m, 0, 0) = f / aspect;
  At(m, 1, 1) = f;
  At(m, 2, 2) = (zFar + zNear) / (zNear - zFar);
  At(m, 2, 3) = 2 * zFar * zNear / (zNear - zFar);
  At(m, 3, 2) = -1;
  return m;
}

Matrix Ortho(double left, double right, double bottom, double top, double zNear, double zFar) {
  Matrix m = Identity();
  At(m, 0, 0) = 2 / (right - left);
  At(m, 1, 1) = 2 / (top - bottom);
  At(m, 2, 2) = -2 / (zFar - zNear);
  At(m, 0, 3) = -(right + left) / (right - left);
  At(m, 1, 3) = -(top + bottom) / (top - bottom);
  At(m, 2, 3) = -(zFar + zNear) / (zFar - zNear);
  return m;
}

Matrix LookAt(const std::array<double, 3>& eye, const std::array<double, 3>& centre,
              const std::array<double, 3>& up) {
  const auto f = Normalised({centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]});
  const auto s = Normalised(Cross(f, up));
  const auto u = Cross(s, f);
  Matrix m = Identity();
  for (int c = 0; c < 3; ++c) {
    At(m, 0, c) = s[static_cast<std::size_t>(c)];
    At(m, 1, c) = u[static_cast<std::size_t>(c)];
    At(m, 2, c) = -f[static_cast<std::size_t>(c)];
  }
  Matrix shift = Identity();
  for (int r = 0; r < 3; ++r) At(shift, r, 3) = -eye[static_cast<std::size_t>(r)];
  return Multiply(m, shift);
}

Matrix Scaling(double s) {
  Matrix m = Identity();
  for (int i = 0; i < 3; ++i) At(m, i, i) = s;
  return m;
}

Matrix Rotation(double degrees, double x, double y, double z) {
  const auto a = Normalised({x, y, z});
  const double c = std::cos(Radians(degrees));
  const double s = std::sin(Radians(degrees));
  const double t = 1 - c;
  Matrix m = Identity();
  At(m, 0, 0) = a[0] * a[0] * t + c;
  At(m, 0, 1) = a[0] * a[1] * t - a[2] * s;
  At(m, 0, 2) = a[0] * a[2] * t + a[1] * s;
  At(m, 1, 0) = a[1] * a[0] * t + a[2] * s;
  At(m, 1, 1) = a[1] * a[1] * t + c;
  At(m, 1, 2) = a[1] * a[2] * t - a[0] * s;
  At(m, 2, 0) = a[2] * a[0] * t - a[1] * s;
  At(m, 2, 1) = a[2] * a[1] * t + a[0] * s;
  At(m, 2, 2) = a[2] * a[2] * t + c;
  return m;
}

Matrix ProjectionMatrix(const CameraView& view) {
  const double a = view.aspect > 0 ? view.aspect : 1;
  const double wide = std::max(a, 1.0), tall = std::max(1 / a, 1.0);
  const double fovy = 2 * std::atan(std::tan(Radians(kFieldOfView) / 2) * tall) * 180 / std::numbers::pi;
  const Matrix lens = view.orthographic ? Ortho(-kOrthoHalf * wide, kOrthoHalf * wide, -kOrthoHalf * tall,
                                                kOrthoHalf * tall, kNear, kFar)
                                        : Perspective(fovy, a, kNear, kFar);
  return Multiply(lens, LookAt({0, 0, kEyeDistance}, {0, 0, 0}, {0, 1, 0}));
}

Matrix ModelViewMatrix(const CameraView& view) {
  Matrix m = Scaling(view.scale);
  m = Multiply(m, Rotation(view.spinAngle, 0, 0, 1));
  m = Multiply(m, Rotation(view.yang, 0, 1, 0));
  return Multiply(m, Rotation(view.xang, 1, 0, 0));
}

bool ProjectToWindow(const CameraView& view, const SpacePoint& p, int width, int height,
                     double& wx, double& wy, double* wz) {
  CameraView fitted = view;
  fitted.aspect = height > 0 ? double(width) / height : 1;
  const Matrix m = Multiply(ProjectionMatrix(fitted), ModelViewMatrix(fitted));
  const std::array<double, 4> in = {p.x, p.y, p.z, 1.0};
  std::array<double, 4> clip{};
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) clip[static_cast<std::size_t>(r)] += At(m, r, k) * in[static_cast<std::size_t>(k)];
  if (clip[3] <= 0) return false;
  wx = (clip[0] / clip[3] + 1) / 2 * width;
  wy = (clip[1] / clip[3] + 1) / 2 * height;
  if (wz) *wz = (clip[2] / clip[3] + 1) / 2;
  return true;
}

double EyeDistance(const CameraView& view, double depth) {
  const double ndc = 2 * depth - 1;
  if (view.orthographic) return (ndc * (kFar - kNear) + kFar + kNear) / 2;
  return 2 * kFar * kNear / (kFar + kNear - ndc * (kFar - kNear));
}

void SetCamera(const CameraView& view) {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  glShadeModel(GL_SMOOTH);
  const Matrix projection = ProjectionMatrix(view);
  glMultMatrixd(projection.data());
  glMatrixMode(GL_MODELVIEW);
  const Matrix modelView = ModelViewMatrix(view);
  glLoadMatrixd(modelView.data());
}

}  // namespace torvik::ui
