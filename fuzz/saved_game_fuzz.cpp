// The saved-game reader on any bytes: it refuses with a reason, or it reads a
// game whose image, written again, reads back. An input of neither layout's
// length is read as it is (to be refused) and again cut or padded with zeros
// to the current layout's length, so that the fuzzer's work reaches the
// checks of the image's fields.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "board/console.h"
#include "record/game_image.h"
#include "record/older_game_image.h"
#include "record/saved_game.h"

namespace {

void ReadOne(std::span<const uint8_t> bytes) {
  using namespace torvik;
  auto gs = std::make_unique<GameState>();  // far too large for the stack
  std::string error;
  if (!ReadSavedGame(bytes, *gs, error)) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
    return;
  }
  std::vector<uint8_t> image(kGameImageBytes);
  WriteGameImage(*gs, GameImage(image.data(), kGameImageBytes));
  auto again = std::make_unique<GameState>();
  if (!ReadSavedGame(image, *again, error)) __builtin_trap();  // a game read is a game that saves
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  torvik::ConsoleCapture quiet;
  ReadOne(std::span<const uint8_t>(data, size));
  if (size != torvik::kGameImageBytes && size != torvik::kOlderGameImageBytes) {
    std::vector<uint8_t> fitted(torvik::kGameImageBytes, 0);
    std::copy_n(data, std::min(size, fitted.size()), fitted.begin());
    ReadOne(fitted);
  }
  return 0;
}
