#include "record/favourite_view.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "board/console.h"

namespace torvik {

bool StoreFavouriteView(const GameState& gs, const std::string& name) {
  bool written = false;
  if (std::FILE* file = std::fopen(name.c_str(), "w")) {
    const int n = std::fprintf(file, "%g\n%g\n%g\n", double(gs.xang), double(gs.yang), double(gs.scale));
    written = std::fclose(file) == 0 && n > 0;
  }
  ConsolePrintf("\nFavorite view SAVED");
  return written;
}

bool FetchFavouriteView(GameState& gs, const std::string& name) {
  ConsolePrintf("\nFavorite view LOADED");
  std::FILE* file = std::fopen(name.c_str(), "r");
  if (!file) return false;
  const std::array<float*, 3> values = {&gs.xang, &gs.yang, &gs.scale};
  for (float* value : values) {
    float read = 0;
    if (std::fscanf(file, "%g", &read) != 1 || !std::isfinite(read)) break;
    *value = read;
  }
  std::fclose(file);
  return true;
}

}  // namespace torvik
