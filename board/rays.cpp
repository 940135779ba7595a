#include "board/rays.h"

#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"

namespace torvik {
namespace {

using ray_detail::SlotOf;

int Empty(RayList& out) {
  out.count = 0;
  out.squares.fill(kNoSquare);
  return 0;
}

int BadDirection(int direction, bool is3D, RayList& out) {
  if (direction == 0) Warn(false, is3D ? "NULL 3d direction" : "NULL 2d direction");
  else Warn(false, is3D ? "unknown 3d direction" : "unknown 2d direction");
  return Empty(out);
}

int GetRay2D(Square square, int direction, RayList& out) {
  if (SlotOf(direction) < 0) return BadDirection(direction, false, out);
  if (!IsSquare(square)) return Empty(out);
  const int file = ColumnOf(square) + FileStep(direction);
  const int rank = RowOf(square) + RankStep(direction);
  if (file < 0 || file > 7 || rank < 0 || rank > 7) return Empty(out);
  out.count = 1;
  out.squares = {square + direction, kNoSquare, kNoSquare, kNoSquare};
  return 1;
}

}  // namespace

int ray_detail::GetRaySlow(const Position& pos, Square square, int direction, RayList& out) {
  if (!Is3D(pos)) return GetRay2D(square, direction, out);
  const RayTable& table = ConfigOf(pos).rays;
  const int slot = SlotOf(direction);
  if (slot < 0) return BadDirection(direction, true, out);
  if (!IsSquare(square)) return Empty(out);
  const RayEntry& list = table[RayListIndex(slot, square)];
  out.count = list.count;
  for (int i = 0; i < kMaxRayLength; ++i) out.squares[i] = list.squares[i];
  return out.count;
}

std::string GetConfigName(uint32_t key) {
  std::string name;
  for (int shift = 24; shift >= 0; shift -= 8) name += GetPinLabel(int((key >> shift) & 0xff));
  return name;
}

std::string GetConfigName(const Position& pos) { return GetConfigName(ConfigKey(pos)); }

void DirTo(const Position& pos) { ConfigOf(pos); }

}  // namespace torvik
