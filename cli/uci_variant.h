// The games a UCI session plays, by the words of its Variant option: the 2D
// game (the default), and the 3D game under either rule set.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "board/square.h"

namespace torvik::cli {

struct UciVariant {
  const char* word;
  int mode;   // kGame2D or kGame3D
  int rules;  // kTournament or kStandard
};

constexpr std::array<UciVariant, 3> kUciVariants = {{{"2d", kGame2D, kTournament},
                                                     {"3d-tournament", kGame3D, kTournament},
                                                     {"3d-standard", kGame3D, kStandard}}};

// The variant's index in kUciVariants, or -1 when the word names none.
inline int FindUciVariant(std::string_view word) {
  for (std::size_t i = 0; i < kUciVariants.size(); ++i)
    if (word == kUciVariants[i].word) return int(i);
  return -1;
}

// The option as `uci` lists it.
inline std::string UciVariantOption() {
  std::string line = std::string("option name Variant type combo default ") + kUciVariants[0].word;
  for (const UciVariant& v : kUciVariants) line += std::string(" var ") + v.word;
  return line;
}

}  // namespace torvik::cli
