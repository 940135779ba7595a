// The position text reader (FEN for the 2D game, the six-field text for the
// 3D game) on any bytes. The first byte picks the mode (bit 0: 3D) and the
// rules (bit 1: standard); the rest is the text. A position read has legal
// moves to generate, and its text, written and read again, reads the same.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "board/console.h"
#include "record/position_text.h"
#include "rules/move_list.h"
#include "rules/perft.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvik;
  if (size == 0) return 0;
  const int mode = (data[0] & 1) ? kGame3D : kGame2D;
  const int rules = (data[0] & 2) ? kStandard : kTournament;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  ConsoleCapture quiet;
  auto pos = std::make_unique<Position>();
  pos->rules = rules;
  std::string error;
  if (!ParsePosition(text, mode, *pos, error)) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  auto moves = std::make_unique<MoveList>();
  LegalMoves(*pos, *moves);

  const std::string written = FormatPosition(*pos);
  auto again = std::make_unique<Position>();
  again->rules = rules;
  if (!ParsePosition(written, mode, *again, error)) __builtin_trap();  // what it writes, it reads
  if (FormatPosition(*again) != written) __builtin_trap();
  return 0;
}
