// The 28760-byte stored form of the game state: a saved game.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "record/game_state.h"

namespace torvik {

constexpr std::size_t kGameImageBytes = 28760;

namespace game_image {
constexpr std::size_t kPosition = 0;
constexpr std::size_t kStartPosition = 2312;
constexpr std::size_t kStartEdited = 4624;
constexpr std::size_t kReserved1 = 4628;
constexpr std::size_t kGameMode = 4632;
constexpr std::size_t kSelection = 4636;
constexpr std::size_t kTargetMarks = 4640;
constexpr std::size_t kReserved2 = 4704;
constexpr std::size_t kSpreadMode = 4708;
constexpr std::size_t kTransparent = 4712;
constexpr std::size_t kRules = 4716;
constexpr std::size_t kEngineSide = 4720;
constexpr std::size_t kNotation = 4724;
constexpr std::size_t kDifficulty = 4728;
constexpr std::size_t kScale = 4732;
constexpr std::size_t kOrthographic = 4736;
constexpr std::size_t kXang = 4740;
constexpr std::size_t kYang = 4744;
constexpr std::size_t kAbortSearch = 4748;
constexpr std::size_t kTtMegabytes = 4752;
constexpr std::size_t kMoves = 4756;
constexpr std::size_t kKeyHistory = 24756;
constexpr std::size_t kAutoPlay = 28756;
static_assert(kTargetMarks + 64 == kReserved2);
static_assert(kMoves + 20 * kMaxRecordedMoves == kKeyHistory);
static_assert(kKeyHistory + 4 * KeyHistory::kPlies == kAutoPlay);
static_assert(kAutoPlay + 4 == kGameImageBytes);
}  // namespace game_image

using GameImage = std::span<uint8_t, kGameImageBytes>;
using ConstGameImage = std::span<const uint8_t, kGameImageBytes>;

void WriteGameImage(const GameState& gs, GameImage image);

// Reads a saved game into `gs`. Refuses, with a reason in `error`, an image
// whose mode or settings are out of range, whose positions the position reader
// or AdmitPosition refuses, or whose game ply lies outside its record; `gs` is
// then unchanged. Keeps gs's notation; an unknown difficulty becomes Hard with
// a message. After a board edit (startEdited) a position the rebuild could not
// take is kept as saved, with the warning "edited board may be unstable".
// The positions come back with their maps and evaluation rebuilt and their
// in-memory links (mode, rules, key history) set to gs's.
bool ReadGameImage(ConstGameImage image, GameState& gs, std::string& error);

}  // namespace torvik
