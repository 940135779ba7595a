// Saved games on disk: a save restores to the same game in both games and both
// rule sets; a damaged file of any kind is refused and leaves the game as it
// was. (The older layout's seed file restores to the current one's game: the
// fuzz corpus's test.)
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "board/byte_io.h"
#include "board/console.h"
#include "record/game_image.h"
#include "record/levels.h"
#include "record/move_text.h"
#include "record/notation.h"
#include "record/older_game_image.h"
#include "record/position_text.h"
#include "record/saved_game.h"
#include "support/game_files.h"
#include "support/run.h"

namespace torvik {
namespace {

using test::Bytes;
using test::Contains;
using test::ImageOf;
using test::PlayRandom;
using test::PlayTexts;
using test::QuietGame;
using SavedGame = test::TempFolderTest;

// The console without the ray-table cache's "\nBuilding <configuration> #<n>" lines.
std::string WithoutBuilding(std::string text) {
  for (std::size_t at; (at = text.find("\nBuilding ")) != std::string::npos;) {
    const std::size_t end = text.find_first_not_of("0123456789", text.find('#', at) + 1);
    text.erase(at, (end == std::string::npos ? text.size() : end) - at);
  }
  return text;
}

// A distinct value in every setting a game carries.
void SetEverySetting(GameState& gs) {
  gs.selection = 116;
  for (int s = 0; s < 64; ++s) gs.targetMarks[s] = uint8_t('A' + s % 7);
  gs.reserved2 = 77, gs.spreadMode = kSpreadTeam, gs.transparent = 1, gs.engineSide = kEnginePlaysWhite;
  gs.difficulty = kMedium, gs.scale = 1.25f, gs.orthographic = 1, gs.xang = -47.5f, gs.yang = 12.0f;
  gs.ttMegabytes = 16, gs.autoPlay = 1;
}

// What the window shows of a game beside its state.
struct Shown {
  std::vector<std::string> texts;  // slot 0, then the plies of the record
  std::vector<int> captured;
  std::string title;
  bool operator==(const Shown&) const = default;
};
Shown ShownOf(const Game& game) {
  Shown s;
  s.texts.push_back(MoveText(game.record, 0));
  for (int p = RecordStartPly(game.state) + 1; p <= std::min(LastPly(game), kMoveTexts - 1); ++p)
    s.texts.push_back(MoveText(game.record, p));
  for (int i = 0; i < CapturedCount(game.record); ++i) s.captured.push_back(CapturedEntry(game.record, i));
  s.title = game.record.windowTitle;
  return s;
}

struct RoundTrip {
  const char* name;
  int mode, rules;
  std::string start;               // an edited start, or the set-up
  std::vector<std::string> moves;  // move texts, or none for random moves
  int randomPlies;
  const char* end = "";            // the position reached, when given
  int replay = 0;                  // plies a replay steps back before the save
};

const RoundTrip kRoundTrips[] = {
    {"2D with captures, saved during a replay", kGame2D, kTournament, "",
     {"e2e4", "d7d5", "e4d5", "d8d5", "b1c3", "d5a5", "f1b5", "c7c6"}, 0,
     "rnb1kbnr/pp2pppp/2p5/qB6/8/2N5/PPPP1PPP/R1BQK1NR w KQkq - 0 5", -3},
    {"2D promotions to each piece", kGame2D, kTournament, "k7/4PPPP/8/8/8/7K/pppp4/8 w - - 0 1",
     {"e7e8n", "a2a1n", "f7f8b", "b2b1b", "g7g8r", "c2c1r", "h7h8q", "d2d1q"}, 0,
     "k3NBRQ/8/8/8/8/7K/8/nbrq4 w - - 0 5"},
    {"3D tournament", kGame3D, kTournament, "", {}, 40},
    {"3D standard", kGame3D, kStandard, "", {}, 40},
    {"3D edited start", kGame3D, kStandard,
     "R.....prQP....pq.P....pk.P.K..prNP...p.nB.P...pbBP..P.pb.P....pn b QL3,QL6,KL1,KL6 wbwb kq 41 7 23", {}, 16},
};

// The game after a save and a restore is the game saved: every byte of its
// state but the notation (the one in effect stays) and the engine's settings
// (a restore leaves it not playing), its texts and its captured pieces. A save
// while a replay is shown saves the game at its last ply.
TEST_F(SavedGame, RestoresTheGameSaved) {
  for (const RoundTrip& c : kRoundTrips) {
    SCOPED_TRACE(c.name);
    auto game = QuietGame(c.mode, c.rules, c.start);
    if (c.moves.empty()) PlayRandom(*game, c.randomPlies, 7);
    else PlayTexts(*game, c.moves);
    if (*c.end) {
      EXPECT_EQ(FormatPosition(game->state.position), c.end);
    }
    SetEverySetting(game->state);
    const Bytes saved = ImageOf(game->state);
    auto expected = std::make_unique<GameState>(game->state);
    expected->engineSide = kEnginePlaysNone, expected->autoPlay = 0, expected->abortSearch = 1;
    const std::string file = Path(std::string(c.name) + ".sav");
    ConsoleCapture log;
    if (c.replay) {
      ReplayStep(*game, 0);
      ReplayStep(*game, c.replay);
      log.Clear();
    }
    ASSERT_TRUE(SaveGame(*game, file));
    EXPECT_EQ(log.Text(), "\nSaving " + file + " ...complete\n");
    EXPECT_EQ(game->record.windowTitle, file);
    EXPECT_EQ(test::ReadBytes(file), c.replay ? ImageOf(*expected) : saved);  // a replay stops the engine
    const Shown shown = ShownOf(*game);

    // Restored over a game of the other mode, other rules and other settings.
    auto other = QuietGame(c.mode == kGame2D ? kGame3D : kGame2D, 1 - c.rules);
    PlayRandom(*other, 5, 3);
    other->state.notation = game->state.notation;
    log.Clear();
    ASSERT_TRUE(RestoreGame(*other, file)) << log.Text();
    EXPECT_EQ(WithoutBuilding(log.Text()), "\nRestore game ...complete!\n");
    EXPECT_EQ(ImageOf(other->state), ImageOf(*expected));
    EXPECT_EQ(other->state.targetMarks, expected->targetMarks);  // not only through the same writer
    EXPECT_EQ(ShownOf(*other), shown);
    if (*c.end) {
      EXPECT_EQ(FormatPosition(other->state.position), c.end);
    }
    for (const Position* p : {&other->state.position, &other->state.startPosition}) {
      EXPECT_EQ(p->history, &other->state.keyHistory);
      if (p == &other->state.position || !c.start.empty()) {
        EXPECT_EQ(test::MapsDiffer(*p), "");
      }
    }
    EXPECT_TRUE(other->engine.thread.joinable()) << "the engine's thread runs again";
    EXPECT_EQ(other->record.replayCursor, -1);

    // The notation in effect before the restore stays.
    other->state.notation = kNotationAlgebraic;
    ASSERT_TRUE(RestoreGame(*other, file));
    EXPECT_EQ(other->state.notation, kNotationAlgebraic);
    StartEngine(*other, 0);
  }
}

// A game saved at any level restores it; one of no level plays at Hard.
TEST_F(SavedGame, KeepsTheLevel) {
  const std::pair<int, int> levels[] = {  // saved, restored
      {kEasy, kEasy}, {kExpert, kExpert}, {kMaster, kMaster}, {kTimed + 10, kTimed + 10},
      {kTimed, kHard}, {kTimed + kMaxTimedSeconds + 1, kHard}, {0, kHard}};
  for (auto [level, restored] : levels) {
    auto game = QuietGame(kGame2D);
    game->state.difficulty = level;
    const std::string file = Path("level.sav");
    ConsoleCapture quiet;
    ASSERT_TRUE(SaveGame(*game, file));
    auto other = QuietGame(kGame3D);
    ASSERT_TRUE(RestoreGame(*other, file));
    EXPECT_EQ(other->state.difficulty, restored) << level;
  }
}

TEST_F(SavedGame, SaveFailuresAreReported) {
  auto game = QuietGame(kGame2D);
  game->record.windowTitle = "before";
  const std::string missing = Path("no such folder/game.sav");
  ConsoleCapture log;
  EXPECT_FALSE(SaveGame(*game, missing));
  EXPECT_EQ(log.Text(), missing + ": No such file or directory\n\ncan't open save file " + missing + "\n");
  EXPECT_EQ(game->record.windowTitle, "before");
  if (std::filesystem::exists("/dev/full")) {  // opens, but takes no byte
    log.Clear();
    EXPECT_FALSE(SaveGame(*game, "/dev/full"));
    EXPECT_EQ(log.Text(), "\nSaving /dev/full ...failed\n");
    EXPECT_EQ(game->record.windowTitle, "/dev/full");
  }
}

// Bytes of a valid saved game: a 3D game with moves, and an edited 2D start.
struct Valid {
  const char* name;
  Bytes bytes;
};
std::vector<Valid> ValidFiles() {
  auto game3D = QuietGame(kGame3D);
  PlayRandom(*game3D, 12, 21);
  SetEverySetting(game3D->state);
  auto edited = QuietGame(kGame2D, kTournament, "k7/4PPPP/8/8/8/7K/pppp4/8 w - - 0 1");
  PlayTexts(*edited, {"e7e8n", "a2a1n", "f7f8b"});
  return {{"3D game", ImageOf(game3D->state)}, {"edited 2D start", ImageOf(edited->state)}};
}

// What must not change when a restore is refused.
struct Snapshot {
  Bytes image;
  Shown shown;
  bool engineRuns;
  bool operator==(const Snapshot&) const = default;
};
Snapshot SnapshotOf(const Game& game) { return {ImageOf(game.state), ShownOf(game), game.engine.thread.joinable()}; }

// A game with its engine's thread running (the engine playing neither side),
// restored from `file` (`bytes` written to it first, when given): false, a
// message, and nothing changed.
void ExpectRefused(const std::string& file, const std::string& message, const std::string& what,
                   const Bytes* bytes = nullptr) {
  if (bytes) test::WriteBytes(file, *bytes);
  auto game = QuietGame(kGame2D);
  PlayTexts(*game, {"d2d4", "g8f6"});
  game->record.windowTitle = "before";
  StartEngine(*game, 1);
  const Snapshot before = SnapshotOf(*game);
  ConsoleCapture log;
  EXPECT_FALSE(RestoreGame(*game, file)) << what;
  const std::string text = WithoutBuilding(log.Text());
  EXPECT_TRUE(Contains(text, message)) << what << "\n" << text;
  EXPECT_FALSE(Contains(text, "complete!")) << what << ": a refusal told as done";
  EXPECT_TRUE(game->notice.text.starts_with("restore failed") || game->notice.text.starts_with("can't open"))
      << what << ": " << game->notice.text;
  EXPECT_TRUE(SnapshotOf(*game) == before) << what << ": the game changed";
  StartEngine(*game, 0);
}
// A file of neither layout's length, a missing file or a directory; one field
// of a valid file changed: refused with what is wrong, the game as it was.
// Faults of the position image alone are left to the position image's tests
// and to the fuzz targets.
TEST_F(SavedGame, DamagedFilesAreRefused) {
  const std::vector<Valid> valid = ValidFiles();
  const Bytes& good = valid[0].bytes;
  for (std::size_t length : {std::size_t(0), std::size_t(1), std::size_t(20), kGameImageBytes - 1, kGameImageBytes + 1,
                             kOlderGameImageBytes - 1, kOlderGameImageBytes + 1, std::size_t(100000)}) {
    Bytes bytes(length, 0);
    std::copy_n(good.begin(), std::min(length, good.size()), bytes.begin());
    ExpectRefused(Path("length.sav"),
                  "\nRestore game ... failed! unrecognized file type: " + std::to_string(length) +
                      " sos: 28760\nCannot autoconvert file - halting\nUNSTABLE",
                  std::to_string(length) + " bytes", &bytes);
  }
  ExpectRefused(Path("missing.sav"), "\ncan't open restore file\n" + Path("missing.sav") + ": No such file", "missing");
  ExpectRefused(Dir(), "unrecognized file type: 0 sos: 28760", "a directory");
  using namespace game_image;
  const std::tuple<const char*, std::size_t, uint32_t, const char*> corruptions[] = {
      {"ply beyond the moves recorded", kPosition + 2268, 14, ""}, {"start flag", kStartEdited, 2, ""},
      {"game mode", kGameMode, 4, "unknown game mode"}, {"selection", kSelection, 99, "bad selection"},
      {"spread mode", kSpreadMode, 3, "unknown spread mode"}, {"rules", kRules, 2, "unknown rules"},
      {"transparency", kTransparent, 2, "bad on/off setting"}, {"autoplay", kAutoPlay, 3, "bad on/off setting"},
      {"engine side", kEngineSide, 5, "unknown engine side"}, {"scale", kScale, 0x7fc00000u, "bad view setting"},
      {"angle", kXang, 0x7f800000u, "bad view setting"},
      {"table size", kTtMegabytes, 0xffffffffu, "bad table size"},
      {"first move's square", kMoves + 4, 63, "move 1 of the record is illegal"},
      {"second move's piece", kMoves + 20 + 12, uint32_t(kQueen), "move 2 of the record is illegal"},
  };
  for (const Valid& v : valid) {
    for (const auto& [what, offset, value, message] : corruptions) {
      Bytes bytes = v.bytes;
      PutU32(bytes, offset, value);
      ExpectRefused(Path("corrupt.sav"), std::string("\nRestore game ... failed! bad save file: ") + message,
                    std::string(v.name) + ": " + what, &bytes);
    }
  }
  // The edited start is checked as well.
  Bytes bytes = valid[1].bytes;
  PutU32(bytes, kStartPosition + 60 + 4 * 7, 12);
  ExpectRefused(Path("start.sav"), "failed! bad save file: start position: ", "edited start", &bytes);
  // A record that replays to another position than the one saved: its last
  // promotion now makes a rook where the board shows the bishop chosen.
  bytes = valid[1].bytes;
  bytes[kMoves + 2 * 20 + 16] = 'R';
  ExpectRefused(Path("record.sav"), "failed! bad save file: the record does not lead to the position saved\n",
                "another promotion", &bytes);
}

// The terminal game saves, restores and lists.
TEST_F(SavedGame, TheTerminalGameSavesRestoresAndLists) {
  const std::string save = Path("cli game.sav"), list = Path("cli list.txt");
  const test::RunResult r = test::RunCommand(
      std::string(TORVIK_CLI) + " play --mode 2d",
      "e2e4\nsave " + save + "\ne7e5\nrestore " + save + "\nshow\nlist " + list + "\nrestore " + Path("none") + "\n");
  EXPECT_EQ(r.status, 0) << r.err;
  for (const std::string& part : {"\nSaving " + save + " ...complete\n", std::string("\nRestore game ...complete!\n"),
                                  std::string("\nrnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1\n"),
                                  std::string("\nGame listing: 1 plies\n 1. e4\n"), std::string("can't open restore file")})
    EXPECT_TRUE(Contains(r.out, part)) << part << "\n" << r.out;
  EXPECT_EQ(test::Slurp(list).substr(0, 31), "Game listing: 1 plies\n\n 1. e4\n\n");
}

}  // namespace
}  // namespace torvik
