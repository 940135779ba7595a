// The folders form a stack: a file may include its own folder and the folders
// below it, never one above. The order is written once, here.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {

// Bottom first. cli/ and ui/ both stand on record/ and never on each other.
struct Layer {
  const char* folder;
  int level;
};
constexpr std::array<Layer, 6> kLayers = {{
    {"board", 0}, {"rules", 1}, {"engine", 2}, {"record", 3}, {"cli", 4}, {"ui", 4}}};

int LevelOf(const std::string& folder) {
  for (const Layer& l : kLayers)
    if (folder == l.folder) return l.level;
  return -1;
}

TEST(Layers, NoFolderIncludesOneAbove) {
  namespace fs = std::filesystem;
  const std::regex include(R"re(^\s*#\s*include\s*"([a-z_]+)/[^"]+")re");
  int files = 0;
  for (const Layer& layer : kLayers) {
    const fs::path dir = fs::path(TORVIK_SOURCE_DIR) / layer.folder;
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".h" && ext != ".cpp") continue;
      ++files;
      std::ifstream in(entry.path());
      std::string line;
      for (int n = 1; std::getline(in, line); ++n) {
        std::smatch m;
        if (!std::regex_search(line, m, include)) continue;
        const std::string target = m[1];
        const int level = LevelOf(target);
        EXPECT_GE(level, 0) << entry.path() << ":" << n << " includes an unknown folder " << target;
        EXPECT_TRUE(target == layer.folder || level < layer.level)
            << entry.path() << ":" << n << " (" << layer.folder << ") includes " << target;
      }
    }
  }
  EXPECT_GT(files, 100);
}

}  // namespace
