// The older, 49440-byte layout of a saved game, still read: the fields it
// shares with the current image are taken field by field, the rest ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "record/game_image.h"

namespace torvik {

constexpr std::size_t kOlderGameImageBytes = 49440;

using ConstOlderGameImage = std::span<const uint8_t, kOlderGameImageBytes>;

// Writes into `image` the current-layout image of an older saved game: a new
// 2D game's image at Hard, with the older image's position, start position
// (with its flag and the reserved word after it), mode, selection, the first
// four target marks, spread mode, transparency, rules, engine side, view,
// abort flag, table size, record, key history and autoplay flag laid over it.
// The older notation and difficulty are not taken. Nothing is checked here:
// the result goes through ReadGameImage like any saved game.
void ConvertOlderGameImage(ConstOlderGameImage older, GameImage image);

}  // namespace torvik
