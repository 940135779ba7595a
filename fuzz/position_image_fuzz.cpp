// The position image reader on any bytes. The first byte picks the game mode
// (bit 0: 3D), the rules (bit 1: standard) and the reader (bit 2: the board
// editor's lenient one); the rest, cut or padded with zeros to an image's
// size, is the image. A position the strict reader takes is admitted as a
// saved game's would be, and its legal moves are generated.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "board/console.h"
#include "board/position_image.h"
#include "record/admit_position.h"
#include "rules/move_list.h"
#include "rules/perft.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvik;
  if (size == 0) return 0;
  const uint8_t how = data[0];
  const int mode = (how & 1) ? kGame3D : kGame2D;
  std::array<uint8_t, kPositionImageBytes> image{};
  std::copy_n(data + 1, std::min(size - 1, image.size()), image.begin());

  ConsoleCapture quiet;
  auto pos = std::make_unique<Position>();
  pos->gameMode = mode;
  pos->rules = (how & 2) ? kStandard : kTournament;
  std::string error;
  const ConstPositionImage view(image);
  if (how & 4) {
    if (!ReadEditedPositionImage(view, mode, *pos, error) && error.empty()) __builtin_trap();
    return 0;
  }
  if (!ReadPositionImage(view, mode, *pos, error)) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  if (!AdmitPosition(*pos, error)) return 0;
  auto moves = std::make_unique<MoveList>();
  LegalMoves(*pos, *moves);
  return 0;
}
