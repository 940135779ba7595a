// Saved games on disk: a save restores to the same game in both games and both
// rule sets; the older layout restores the fields it shares with the current
// one; a damaged file of any kind is refused and leaves the game as it was.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/byte_io.h"
#include "board/console.h"
#include "board/rebuild.h"
#include "engine/rebuild.h"
#include "record/game_image.h"
#include "record/move_text.h"
#include "record/notation.h"
#include "record/older_game_image.h"
#include "record/position_text.h"
#include "record/saved_game.h"
#include "rules/perft.h"
#include "support/run.h"

namespace torvik {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The console without the ray-table cache's "\nBuilding <configuration> #<n>" lines.
std::string WithoutBuilding(std::string text) {
  for (std::size_t at; (at = text.find("\nBuilding ")) != std::string::npos;) {
    const std::size_t end = text.find_first_not_of("0123456789", text.find('#', at) + 1);
    text.erase(at, (end == std::string::npos ? text.size() : end) - at);
  }
  return text;
}

// A directory of this test's own, removed afterwards.
class SavedGame : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("torvik-saved-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
Bytes ReadFile(const std::string& path) {
  const std::string text = test::Slurp(path);
  return Bytes(text.begin(), text.end());
}

// A game of `mode` and `rules` with the engine's thread stopped and the
// engine playing neither side; from `start` when given (an edited start).
std::unique_ptr<Game> QuietGame(int mode, int rules = kTournament, const std::string& start = "") {
  auto game = std::make_unique<Game>();
  ConsoleCapture quiet;
  game->state.difficulty = kHard;
  NewGameOfMode(*game, mode);
  GameState& gs = game->state;
  gs.rules = gs.position.rules = rules;
  RegenPosition(gs.position);
  if (!start.empty()) {
    std::string error;
    gs.startPosition.rules = rules;
    EXPECT_TRUE(ParsePosition(start, mode, gs.startPosition, error)) << start << ": " << error;
    gs.startEdited = 1;
    Undo(*game, 0);
  }
  StartEngine(*game, 0);
  gs.engineSide = kEnginePlaysNone;
  return game;
}

// Plays moves given as move text; a move onto a piece is handed in as a
// capture, as the mouse does.
void PlayTexts(Game& game, const std::vector<std::string>& texts) {
  ConsoleCapture quiet;
  for (const std::string& text : texts) {
    Position& pos = game.state.position;
    Move typed;
    ASSERT_TRUE(ParseMoveText(pos, text, typed)) << text;
    MoveList moves;
    const int n = LegalMoves(pos, moves);
    Move found{};
    for (int i = 0; i < n; ++i)
      if (moves[i].from == typed.from && moves[i].to == typed.to &&
          (!IsPromotionKind(typed.kind) || moves[i].kind == typed.kind))
        found = moves[i];
    if (pos.board[found.to] != 0 && !IsPromotionKind(found.kind) && found.kind != kBoardMove) found.kind = kCapture;
    ASSERT_EQ(PlayerMoved(game, found), 1) << text;
  }
}

void PlayRandom(Game& game, int plies, unsigned seed) {
  ConsoleCapture quiet;
  std::mt19937 rng(seed);
  for (int i = 0; i < plies; ++i) {
    MoveList moves;
    const int n = LegalMoves(game.state.position, moves);
    if (n == 0) return;
    Move m = moves[rng() % n];
    ASSERT_EQ(PlayerMoved(game, m), 1);
  }
}

// A distinct value in every setting a game carries.
void SetEverySetting(GameState& gs) {
  gs.selection = 116;
  for (int s = 0; s < 64; ++s) gs.targetMarks[s] = uint8_t('A' + s % 7);
  gs.reserved2 = 77;
  gs.spreadMode = kSpreadTeam;
  gs.transparent = 1;
  gs.engineSide = kEnginePlaysWhite;
  gs.difficulty = kMedium;
  gs.scale = 1.25f;
  gs.orthographic = 1;
  gs.xang = -47.5f;
  gs.yang = 12.0f;
  gs.ttMegabytes = 16;
  gs.autoPlay = 1;
}

Bytes ImageOf(const GameState& gs) {
  Bytes bytes(kGameImageBytes);
  WriteGameImage(gs, GameImage(bytes.data(), kGameImageBytes));
  return bytes;
}

Bytes Range(const Bytes& bytes, std::size_t from, std::size_t size) {
  return Bytes(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(from + size));
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
  for (int p = RecordStartPly(game.state) + 1; p <= std::min(game.state.position.ply, kMoveTexts - 1); ++p)
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
};

const RoundTrip kRoundTrips[] = {
    {"2D with captures", kGame2D, kTournament, "", {"e2e4", "d7d5", "e4d5", "d8d5", "b1c3", "d5a5", "f1b5", "c7c6"}, 0},
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
// (a restore leaves it not playing), its texts and its captured pieces.
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
    const std::string file = Path(std::string(c.name) + ".sav");
    ConsoleCapture log;
    ASSERT_TRUE(SaveGame(*game, file));
    EXPECT_EQ(log.Text(), "\nSaving " + file + " ...complete\n");
    EXPECT_EQ(game->record.windowTitle, file);
    EXPECT_EQ(ReadFile(file), ImageOf(game->state));

    auto expected = std::make_unique<GameState>(game->state);
    expected->engineSide = kEnginePlaysNone;
    expected->autoPlay = 0;
    expected->abortSearch = 1;
    const Shown shown = ShownOf(*game);

    // Restored over a game of the other mode, other rules and other settings.
    auto other = QuietGame(c.mode == kGame2D ? kGame3D : kGame2D, 1 - c.rules);
    PlayRandom(*other, 5, 3);
    other->state.notation = game->state.notation;
    log.Clear();
    ASSERT_TRUE(RestoreGame(*other, file)) << log.Text();
    EXPECT_EQ(WithoutBuilding(log.Text()), "\nRestore game ...complete!\n");
    EXPECT_EQ(ImageOf(other->state), ImageOf(*expected));
    EXPECT_EQ(ShownOf(*other), shown);
    if (*c.end) {
      EXPECT_EQ(FormatPosition(other->state.position), c.end);
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

TEST_F(SavedGame, SaveFailuresAreReported) {
  auto game = QuietGame(kGame2D);
  game->record.windowTitle = "before";
  const std::string missing = Path("no such folder/game.sav");
  ConsoleCapture log;
  EXPECT_FALSE(SaveGame(*game, missing));
  EXPECT_EQ(log.Text(), missing + ": No such file or directory\n\ncan't open save file " + missing + "\n");
  EXPECT_EQ(game->record.windowTitle, "before");
  if (fs::exists("/dev/full")) {  // opens, but takes no byte
    log.Clear();
    EXPECT_FALSE(SaveGame(*game, "/dev/full"));
    EXPECT_EQ(log.Text(), "\nSaving /dev/full ...failed\n");
    EXPECT_EQ(game->record.windowTitle, "/dev/full");
  }
}

// What the board editor leaves, even a board the rebuild cannot take, restores
// as it was saved.
TEST_F(SavedGame, AnEditedBoardWithoutAKingRestoresAsSaved) {
  auto game = QuietGame(kGame2D);
  GameState& gs = game->state;
  {
    ConsoleCapture quiet;
    gs.position.board[32] = 0;  // the white king taken off by the editor
    EXPECT_EQ(BoardToPieces(gs.position), 0);
  }
  gs.startPosition = gs.position;
  gs.startEdited = 1;
  ConsoleCapture log;
  ASSERT_TRUE(SaveGame(*game, Path("edited.sav")));
  auto other = QuietGame(kGame3D);
  ASSERT_TRUE(RestoreGame(*other, Path("edited.sav"))) << log.Text();
  StartEngine(*other, 0);
  EXPECT_TRUE(Contains(log.Text(), "edited board may be unstable")) << log.Text();
  EXPECT_EQ(other->state.gameMode, kGame2D);
  EXPECT_EQ(other->state.position.board, gs.position.board);
  EXPECT_EQ(other->state.startPosition.board, gs.position.board);
}

// A save while a replay is shown saves the game at its last ply.
TEST_F(SavedGame, ASaveDuringAReplaySavesTheWholeGame) {
  auto game = QuietGame(kGame2D);
  PlayTexts(*game, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4"});
  const Bytes atEnd = ImageOf(game->state);
  ConsoleCapture quiet;
  ReplayStep(*game, 0);
  ReplayStep(*game, -3);
  ASSERT_TRUE(SaveGame(*game, Path("replay.sav")));
  auto other = QuietGame(kGame2D);
  ASSERT_TRUE(RestoreGame(*other, Path("replay.sav")));
  StartEngine(*other, 0);
  EXPECT_EQ(FormatPosition(other->state.position),
            "r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3");
  EXPECT_EQ(Range(ImageOf(other->state), game_image::kMoves, 24000), Range(atEnd, game_image::kMoves, 24000));
}

// The older layout, written here field by field at its own offsets, with every
// byte it does not define set to a value the reader must not take.
TEST_F(SavedGame, TheOlderLayoutRestoresTheFieldsItShares) {
  for (int mode : {kGame2D, kGame3D}) {
    SCOPED_TRACE(mode);
    auto saved = QuietGame(mode);
    if (mode == kGame2D) PlayTexts(*saved, {"e2e4", "d7d5", "e4d5"});
    else PlayRandom(*saved, 9, 11);
    const GameState& gs = saved->state;
    const Bytes current = ImageOf(gs);
    Bytes older(kOlderGameImageBytes, 0xa5);
    auto copy = [&](std::size_t to, std::size_t from, std::size_t size) {
      std::copy_n(current.begin() + std::ptrdiff_t(from), size, older.begin() + std::ptrdiff_t(to));
    };
    copy(0, 0, 2312);         // the position
    copy(2312, 2312, 2320);   // the start position, its flag, the reserved word
    PutI32(older, 4644, mode);
    PutI32(older, 4648, 9);   // selection
    for (int i = 0; i < 4; ++i) older[4652 + std::size_t(i)] = uint8_t('B' + i);
    PutI32(older, 4720, kSpreadTeam);
    PutI32(older, 4724, 1);   // transparent
    PutI32(older, 4728, kTournament);
    PutI32(older, 4732, kEnginePlaysWhite);
    PutI32(older, 4736, kNotationAlgebraic);  // not taken
    PutI32(older, 4740, kEasy);               // not taken: Hard
    PutF32(older, 4744, 1.5f);
    PutI32(older, 4748, 1);   // orthographic
    PutF32(older, 4752, 10.0f);
    PutF32(older, 4756, 20.0f);
    PutI32(older, 4764, 0);   // abortSearch
    PutI32(older, 4792, 32);  // table size
    copy(4864, game_image::kMoves, 20000);
    copy(44864, game_image::kKeyHistory, 4000);
    PutI32(older, 48876, 1);  // autoPlay
    const std::string file = Path("older.sav");
    WriteFile(file, older);

    auto game = QuietGame(kGame3D);
    game->state.notation = kNotationTournament;  // the older file's is not taken
    ConsoleCapture log;
    ASSERT_TRUE(RestoreGame(*game, file)) << log.Text();
    StartEngine(*game, 0);
    const GameState& back = game->state;
    EXPECT_EQ(back.gameMode, mode);
    EXPECT_EQ(FormatPosition(back.position), FormatPosition(gs.position));
    EXPECT_EQ(back.startEdited, 0);
    EXPECT_EQ(back.selection, 9);
    for (int s = 0; s < 64; ++s) EXPECT_EQ(back.targetMarks[s], s < 4 ? 'B' + s : kNoMark) << s;
    EXPECT_EQ(back.spreadMode, kSpreadTeam);
    EXPECT_EQ(back.transparent, 1);
    EXPECT_EQ(back.rules, kTournament);
    EXPECT_EQ(back.notation, kNotationTournament);
    EXPECT_EQ(back.difficulty, kHard);
    EXPECT_EQ(back.scale, 1.5f);
    EXPECT_EQ(back.orthographic, 1);
    EXPECT_EQ(back.xang, 10.0f);
    EXPECT_EQ(back.yang, 20.0f);
    EXPECT_EQ(back.ttMegabytes, 32);
    EXPECT_EQ(back.reserved2, 0);
    // The engine does not play after a restore.
    EXPECT_EQ(back.engineSide, kEnginePlaysNone);
    EXPECT_EQ(back.autoPlay, 0);
    EXPECT_EQ(Range(ImageOf(back), game_image::kMoves, 24000), Range(current, game_image::kMoves, 24000))
        << "the record and the key history";
    EXPECT_STREQ(MoveText(game->record, 0), MoveText(saved->record, 0));
    EXPECT_EQ(CapturedCount(game->record), CapturedCount(saved->record));
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
Snapshot SnapshotOf(const Game& game) {
  return {ImageOf(game.state), ShownOf(game), game.engine.thread.joinable()};
}

// A game with its engine's thread running (the engine playing neither side),
// restored from `file`: false, a message, and nothing changed.
void ExpectRefused(const std::string& file, const std::string& message, const std::string& what) {
  auto game = QuietGame(kGame2D);
  PlayTexts(*game, {"d2d4", "g8f6"});
  game->record.windowTitle = "before";
  StartEngine(*game, 1);
  const Snapshot before = SnapshotOf(*game);
  ConsoleCapture log;
  EXPECT_FALSE(RestoreGame(*game, file)) << what;
  const std::string text = WithoutBuilding(log.Text());
  EXPECT_TRUE(Contains(text, message)) << what << "\n" << text;
  EXPECT_EQ(Contains(text, "complete!\n"), !Contains(text, "can't open")) << what;
  EXPECT_TRUE(SnapshotOf(*game) == before) << what << ": the game changed";
  StartEngine(*game, 0);
}

TEST_F(SavedGame, LengthsOfNeitherLayoutAreRefused) {
  const Bytes good = ValidFiles()[0].bytes;
  for (std::size_t length : {std::size_t(0), std::size_t(1), std::size_t(20), kGameImageBytes - 1, kGameImageBytes + 1,
                             kOlderGameImageBytes - 1, kOlderGameImageBytes + 1, std::size_t(100000)}) {
    Bytes bytes(length, 0);
    std::copy_n(good.begin(), std::min(length, good.size()), bytes.begin());
    const std::string file = Path("length.sav");
    WriteFile(file, bytes);
    ExpectRefused(file,
                  "\nRestore game ... failed! unrecognized file type: " + std::to_string(length) +
                      " sos: 28760\nCannot autoconvert file - halting\nUNSTABLE",
                  std::to_string(length) + " bytes");
  }
  // Neither a missing file nor a directory replaces anything.
  ExpectRefused(Path("missing.sav"), "\ncan't open restore file\n" + Path("missing.sav") + ": No such file", "missing");
  ExpectRefused(dir_.string(), "unrecognized file type: 0 sos: 28760", "a directory");
}

// One field of a valid file changed: refused with what is wrong, the game as it was.
TEST_F(SavedGame, SingleFieldCorruptionsAreRefused) {
  using namespace game_image;
  struct Corruption {
    const char* what;
    std::size_t offset;
    uint32_t value;
    const char* message;  // part of the reason given
  };
  const uint32_t nan = 0x7fc00000u;
  const Corruption corruptions[] = {
      {"piece code", kPosition + 60 + 4 * 20, 9, ""},
      {"piece code of the other side", kPosition + 60 + 4 * 1, uint32_t(-kPawn), ""},
      {"square of the king", kPosition + 380 + 4, 640, ""},
      {"square of a piece", kPosition + 380 + 8 * 31 + 4, 62, ""},
      {"slot of a square", kPosition + 316 + 16, 0, ""},
      {"pin", kPosition + 4, 33, ""},
      {"same pin twice", kPosition + 8, 32, ""},
      {"halfmove count", kPosition + 2264, 0x7fffffffu, ""},
      {"ply past the record", kPosition + 2268, 1001, ""},
      {"ply beyond the moves recorded", kPosition + 2268, 14, ""},
      {"negative ply", kPosition + 2268, 0xfffffffeu, ""},
      {"en passant square", kPosition + 2256, 70, ""},
      {"start flag", kStartEdited, 2, ""},
      {"game mode", kGameMode, 4, "unknown game mode"},
      {"selection", kSelection, 99, "bad selection"},
      {"spread mode", kSpreadMode, 3, "unknown spread mode"},
      {"transparency", kTransparent, 2, "bad on/off setting"},
      {"rules", kRules, 2, "unknown rules"},
      {"engine side", kEngineSide, 5, "unknown engine side"},
      {"scale", kScale, nan, "bad view setting"},
      {"angle", kXang, 0x7f800000u, "bad view setting"},
      {"table size", kTtMegabytes, 0xffffffffu, "bad table size"},
      {"autoplay", kAutoPlay, 3, "bad on/off setting"},
      {"first move's square", kMoves + 4, 63, "move 1 of the record is illegal"},
      {"second move's piece", kMoves + 20 + 12, uint32_t(kQueen), "move 2 of the record is illegal"},
  };
  for (const Valid& valid : ValidFiles()) {
    for (const Corruption& c : corruptions) {
      Bytes bytes = valid.bytes;
      PutU32(bytes, c.offset, c.value);
      const std::string file = Path("corrupt.sav");
      WriteFile(file, bytes);
      const std::string what = std::string(valid.name) + ": " + c.what;
      ExpectRefused(file, std::string("\nRestore game ... failed! bad save file: ") + c.message, what);
    }
  }
  // The edited start is checked as well.
  Bytes bytes = ValidFiles()[1].bytes;
  PutU32(bytes, kStartPosition + 60 + 4 * 7, 12);
  WriteFile(Path("start.sav"), bytes);
  ExpectRefused(Path("start.sav"), "failed! bad save file: start position: ", "edited start");
  // A record that replays to another position than the one saved: its last
  // promotion now makes a rook where the board shows the bishop chosen.
  bytes = ValidFiles()[1].bytes;
  bytes[kMoves + 2 * 20 + 16] = 'R';
  WriteFile(Path("record.sav"), bytes);
  ExpectRefused(Path("record.sav"), "failed! bad save file: the record does not lead to the position saved\n",
                "another promotion");
}

// The whole file read as it came: seeded damage anywhere never crashes, and
// what is accepted can be played on and saved again.
TEST_F(SavedGame, SeededDamageNeverCrashes) {
  const std::vector<Valid> valid = ValidFiles();
  std::mt19937 rng(5);
  int accepted = 0;
  for (int i = 0; i < 300; ++i) {
    Bytes bytes = valid[i % valid.size()].bytes;
    const std::size_t at = rng() % (bytes.size() - 3);
    PutU32(bytes, at, rng() % 3 ? uint32_t(rng()) : GetU32(bytes, at) ^ (1u << (rng() % 32)));
    const std::string file = Path("damaged.sav");
    WriteFile(file, bytes);
    auto game = QuietGame(kGame2D);
    ConsoleCapture quiet;
    if (!RestoreGame(*game, file)) continue;
    ++accepted;
    StartEngine(*game, 0);
    MoveList moves;
    LegalMoves(game->state.position, moves);
    ASSERT_TRUE(SaveGame(*game, Path("again.sav"))) << "offset " << at;
  }
  EXPECT_GT(accepted, 0);
}

// The terminal game saves, restores and lists.
TEST_F(SavedGame, TheTerminalGameSavesRestoresAndLists) {
  const std::string save = Path("cli game.sav"), list = Path("cli list.txt");
  const test::RunResult r = test::RunCommand(
      std::string(TORVIK_CLI) + " play --mode 2d",
      "e2e4\nsave " + save + "\ne7e5\nrestore " + save + "\nshow\nlist " + list + "\nrestore " + Path("none") + "\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Contains(r.out, "\nSaving " + save + " ...complete\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "\nRestore game ...complete!\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "\nrnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "\nGame listing: 1 plies\n 1. e4\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "can't open restore file")) << r.out;
  EXPECT_EQ(test::Slurp(list).substr(0, 31), "Game listing: 1 plies\n\n 1. e4\n\n");
}

}  // namespace
}  // namespace torvik
