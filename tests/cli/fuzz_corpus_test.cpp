// The fuzz targets' seed inputs (fuzz/corpus), each through the reader its
// target calls, as the target reads it. What is read is whole and playable and
// writes back to what was read; what is refused says why and leaves the game
// as it was. The sanitizer build runs this too, so a read out of bounds fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "board/console.h"
#include "board/position_image.h"
#include "cli/uci_command.h"
#include "record/admit_position.h"
#include "record/position_text.h"
#include "record/saved_game.h"
#include "rules/perft.h"
#include "support/game_files.h"

namespace torvik {
namespace {

using test::Bytes;

// The seed inputs of one target, by name.
std::vector<std::pair<std::string, Bytes>> Corpus(const std::string& target) {
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TORVIK_SOURCE_DIR) + "/fuzz/corpus/" + target))
    files.emplace_back(entry.path().filename().string(), test::ReadBytes(entry.path().string()));
  std::sort(files.begin(), files.end());
  EXPECT_GE(files.size(), 5u) << target;
  return files;
}

// What holds of every position a reader accepted: its piece list, keys and
// maps agree with its board, its text reads back to itself and to as many
// moves, and no legal move takes a king.
void ExpectPlayable(Position& pos, const std::string& origin) {
  ASSERT_EQ(test::Inconsistency(pos), "") << origin;
  ASSERT_EQ(test::MapsDiffer(pos), "") << origin;
  const std::string text = FormatPosition(pos);
  Position again;
  again.rules = pos.rules;
  std::string error;
  ASSERT_TRUE(ParsePosition(text, pos.gameMode, again, error)) << origin << "\n" << text << ": " << error;
  ASSERT_EQ(FormatPosition(again), text) << origin;
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  for (int i = 0; i < n; ++i)  // a board move goes to a pin, not onto a piece
    ASSERT_TRUE(moves[i].kind == kBoardMove || TypeOf(pos.board[moves[i].to]) != kKing) << origin << " " << text;
  ASSERT_EQ(Perft(again, 1), uint64_t(n)) << origin << "\n" << text;
}

// A saved game reads whole, and what it writes reads back to the same bytes;
// the starts are the set-up's, and the older layout's seed holds the game of
// castled-2d. Cut short by a byte, a file is refused and changes nothing.
TEST(FuzzCorpus, SavedGames) {
  test::TempFolder folder("torvik-corpus");
  std::map<std::string, Bytes> read;
  for (const auto& [name, bytes] : Corpus("saved_game")) {
    auto gs = std::make_unique<GameState>();
    std::string error;
    ConsoleCapture quiet;
    ASSERT_TRUE(ReadSavedGame(bytes, *gs, error)) << name << ": " << error;
    ExpectPlayable(gs->position, name);
    if (name.starts_with("start-")) {
      EXPECT_EQ(FormatPosition(gs->position), gs->gameMode == kGame2D ? kStartText2D : kStartText3D) << name;
      EXPECT_EQ(gs->rules, name.find("standard") != std::string::npos ? kStandard : kTournament) << name;
    }
    const Bytes written = read[name] = test::ImageOf(*gs);
    auto again = std::make_unique<GameState>();
    ASSERT_TRUE(ReadSavedGame(written, *again, error)) << name << ": " << error;
    EXPECT_TRUE(test::ImageOf(*again) == written) << name;

    auto game = test::QuietGame(kGame2D);
    const Bytes before = test::ImageOf(game->state);
    const std::string file = folder.Path(name);
    test::WriteBytes(file, Bytes(bytes.begin(), bytes.end() - 1));
    EXPECT_FALSE(RestoreGame(*game, file)) << name;
    EXPECT_TRUE(test::ImageOf(game->state) == before) << name << ": a refusal changed the game";
    test::WriteBytes(file, bytes);
    ASSERT_TRUE(RestoreGame(*game, file)) << name;
    StartEngine(*game, 0);
    EXPECT_EQ(FormatPosition(game->state.position), FormatPosition(gs->position)) << name;
  }
  const Bytes &older = read["older-layout-2d.game"], &current = read["castled-2d.game"];
  ASSERT_EQ(older.size(), current.size());
  for (std::size_t i = 0; i < older.size(); ++i) EXPECT_EQ(older[i], current[i]) << "byte " << i;
}

// The first byte picks the mode (bit 0: 3D), the rules (bit 1: standard) and,
// with bit 2, the board editor's lenient reader.
TEST(FuzzCorpus, PositionImages) {
  for (const auto& [name, bytes] : Corpus("position_image")) {
    ASSERT_EQ(bytes.size(), kPositionImageBytes + 1) << name;
    const int mode = (bytes[0] & 1) ? kGame3D : kGame2D;
    const ConstPositionImage image(bytes.data() + 1, kPositionImageBytes);
    auto pos = std::make_unique<Position>();
    pos->gameMode = mode;
    pos->rules = (bytes[0] & 2) ? kStandard : kTournament;
    std::string error;
    ConsoleCapture quiet;
    const bool read = (bytes[0] & 4) ? ReadEditedPositionImage(image, mode, *pos, error)
                                     : ReadPositionImage(image, mode, *pos, error) && AdmitPosition(*pos, error);
    ASSERT_TRUE(read) << name << ": " << error;
    if (!(bytes[0] & 4)) ExpectPlayable(*pos, name);
    std::array<uint8_t, kPositionImageBytes> again{};
    WritePositionImage(*pos, again);
    auto back = std::make_unique<Position>();
    back->rules = pos->rules;
    ASSERT_TRUE(ReadEditedPositionImage(again, mode, *back, error)) << name << ": " << error;
    EXPECT_EQ(FormatPosition(*back), FormatPosition(*pos)) << name;
  }
}

// The first byte picks the mode and the rules as above; the rest is the text.
TEST(FuzzCorpus, PositionTexts) {
  int read = 0;
  for (const auto& [name, bytes] : Corpus("position_text")) {
    ASSERT_FALSE(bytes.empty()) << name;
    const std::string text(bytes.begin() + 1, bytes.end());
    Position pos;
    pos.rules = (bytes[0] & 2) ? kStandard : kTournament;
    std::string error;
    ConsoleCapture quiet;
    if (ParsePosition(text, (bytes[0] & 1) ? kGame3D : kGame2D, pos, error)) ExpectPlayable(pos, name);
    else EXPECT_FALSE(error.empty()) << name;
    read += error.empty();
  }
  EXPECT_GE(read, 15);
}

// Each line a command the interface reads.
TEST(FuzzCorpus, UciCommands) {
  for (const auto& [name, bytes] : Corpus("uci_command")) {
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(lines, line);) {
      cli::UciCommand command;
      std::string error;
      EXPECT_TRUE(cli::ParseUciCommand(line, command, error)) << name << ": " << line << ": " << error;
      EXPECT_NE(command.kind, cli::UciKind::kUnknown) << name << ": " << line;
    }
  }
}

}  // namespace
}  // namespace torvik
