#include "record/older_game_image.h"

#include <algorithm>
#include <array>
#include <memory>

#include "board/geometry.h"

namespace torvik {
namespace {

using namespace game_image;

// One field of the older layout: where it lies there, its size, where it goes.
struct OlderField {
  std::size_t from;
  std::size_t size;
  std::size_t to;
};

constexpr std::array<OlderField, 18> kOlderFields = {{
    {0, 2312, kPosition},
    {2312, 2320, kStartPosition},  // the start position, startEdited, the reserved word
    {4644, 4, kGameMode},
    {4648, 4, kSelection},
    {4652, 4, kTargetMarks},  // the first four marks only
    {4720, 4, kSpreadMode},
    {4724, 4, kTransparent},
    {4728, 4, kRules},
    {4732, 4, kEngineSide},
    {4744, 4, kScale},
    {4748, 4, kOrthographic},
    {4752, 4, kXang},
    {4756, 4, kYang},
    {4764, 4, kAbortSearch},
    {4792, 4, kTtMegabytes},
    {4864, 20000, kMoves},
    {44864, 4000, kKeyHistory},
    {48876, 4, kAutoPlay},
}};

constexpr bool FieldsFitBothImages() {
  for (const OlderField& f : kOlderFields)
    if (f.from + f.size > kOlderGameImageBytes || f.to + f.size > kGameImageBytes) return false;
  return true;
}
static_assert(FieldsFitBothImages());
static_assert(kStartPosition + 2320 == kGameMode, "the start block ends where the mode begins");
static_assert(kMoves + 20000 == kKeyHistory && kKeyHistory + 4000 == kAutoPlay);

}  // namespace

void ConvertOlderGameImage(ConstOlderGameImage older, GameImage image) {
  auto base = std::make_unique<GameState>();
  base->gameMode = kGame2D;
  base->difficulty = kHard;
  NewGameSetup(*base);
  WriteGameImage(*base, image);
  for (const OlderField& f : kOlderFields)
    std::copy_n(older.begin() + f.from, f.size, image.begin() + f.to);
}

}  // namespace torvik
