#include "record/saved_game.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "board/byte_io.h"
#include "board/console.h"
#include "board/position_image.h"
#include "engine/rebuild.h"
#include "record/admit_position.h"
#include "record/game_image.h"
#include "record/game_start.h"
#include "record/levels.h"
#include "record/older_game_image.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

using ImageBytes = std::array<uint8_t, kGameImageBytes>;

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

// Plays the record again from the game's start up to `plies`, as undo does.
// False, naming the move, at the first one the rules refuse.
bool ReplayRecordTo(GameState& gs, int plies, std::string& error) {
  Position& pos = gs.position;
  const int start = RecordStartPly(gs);
  for (int i = pos.ply - start; i >= 0 && i < plies - start && i < kMaxRecordedMoves; ++i) {
    Move m = gs.moves[i];
    Move check = m;
    const bool blank = m.piece == 0 && m.from == 0 && m.to == 0;
    if (blank || !LegalMove(pos, check))
      return Fail(error, "move " + std::to_string(i + 1) + " of the record is illegal");
    MakeMove(pos, pos, m);
    pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  }
  return true;
}

// One of the image's positions through the strict reader.
bool StrictPosition(ConstPositionImage bytes, int mode, int rules, std::string& error) {
  auto pos = std::make_unique<Position>();
  pos->rules = rules;
  pos->gameMode = mode;
  return ReadPositionImage(bytes, mode, *pos, error) && AdmitPosition(*pos, error);
}

// After a board edit the game's positions may be ones the rebuild could not
// take, kept as saved. That holds only for an edited start: a position reached
// by moves from a start the strict reader takes must pass it too.
bool StrictAfterAStrictStart(ConstGameImage image, std::string& error) {
  using namespace game_image;
  const int mode = GetI32(image, kGameMode), rules = GetI32(image, kRules);
  if (GetI32(image, kStartEdited) != 1 || (mode != kGame2D && mode != kGame3D) ||
      (rules != kTournament && rules != kStandard))
    return true;  // read strictly, or refused, by the image reader
  std::string ignored;
  if (!StrictPosition(image.subspan<kStartPosition, kPositionImageBytes>(), mode, rules, ignored)) return true;
  return StrictPosition(image.subspan<kPosition, kPositionImageBytes>(), mode, rules, error);
}

bool SameGamePosition(const Position& a, const Position& b) {
  return a.board == b.board && a.pins == b.pins && a.owners == b.owners && a.ply == b.ply;
}

// The game is rebuilt from its start and its record (undo 0): the record's
// moves must be legal one after the other and lead to the position saved.
bool RecordLeadsToPosition(const GameState& gs, std::string& error) {
  auto scratch = std::make_unique<GameState>(gs);
  if (!SetUpGameStart(*scratch)) return true;  // an edited start kept as saved: nothing is replayed
  if (!ReplayRecordTo(*scratch, gs.position.ply, error)) return false;
  if (!SameGamePosition(scratch->position, gs.position))
    return Fail(error, "the record does not lead to the position saved");
  return true;
}


// The image of the game as it stands at its last ply: while a replay is shown
// the position is an earlier one, so the copy to be saved is rebuilt first.
void ImageAtLastPly(const Game& game, ImageBytes& image) {
  auto gs = std::make_unique<GameState>(game.state);
  gs->position.history = gs->startPosition.history = &gs->keyHistory;
  if (game.record.replayCursor != -1) {
    const int plies = LastPly(game);
    std::string ignored;
    if (SetUpGameStart(*gs)) ReplayRecordTo(*gs, plies, ignored);
  }
  WriteGameImage(*gs, image);
}

// The first bytes of a file, enough to tell the layouts apart, and its length.
struct FileBytes {
  std::vector<uint8_t> bytes;
  uint64_t length = 0;
};

FileBytes ReadFileStart(std::FILE* file, const std::string& name) {
  FileBytes f;
  f.bytes.resize(kOlderGameImageBytes + 1);
  f.bytes.resize(std::fread(f.bytes.data(), 1, f.bytes.size(), file));
  f.length = f.bytes.size();
  std::error_code ec;
  const auto size = std::filesystem::file_size(name, ec);
  if (!ec && size > f.length && f.length > kOlderGameImageBytes) f.length = size;
  return f;
}

bool KnownLength(uint64_t length) { return length == kGameImageBytes || length == kOlderGameImageBytes; }

}  // namespace

bool SaveGame(Game& game, const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) {
    const int err = errno;
    ConsolePrintf("%s: %s\n", name.c_str(), std::strerror(err));
    ConsolePrintf("\ncan't open save file %s\n", name.c_str());
    TellPlayer(game, "can't open save file " + name);
    return false;
  }
  ConsolePrintf("\nSaving %s ...", name.c_str());
  auto image = std::make_unique<ImageBytes>();
  {
    std::lock_guard lock(game.mutex);
    ImageAtLastPly(game, *image);
  }
  bool whole = std::fwrite(image->data(), 1, image->size(), file) == image->size();
  whole = std::fclose(file) == 0 && whole;
  ConsolePrintf("%s", whole ? "complete\n" : "failed\n");
  TellPlayer(game, (whole ? "saved " : "save failed: ") + name);
  std::lock_guard lock(game.mutex);
  game.record.windowTitle = name;
  return whole;
}

bool ReadSavedGame(std::span<const uint8_t> bytes, GameState& out, std::string& error) {
  auto image = std::make_unique<ImageBytes>();
  if (bytes.size() == kGameImageBytes)
    std::copy(bytes.begin(), bytes.end(), image->begin());
  else if (bytes.size() == kOlderGameImageBytes)
    ConvertOlderGameImage(ConstOlderGameImage(bytes.data(), kOlderGameImageBytes), *image);
  else
    return Fail(error, "unrecognized file type: " + std::to_string(bytes.size()) + " bytes");
  const int32_t difficulty = GetI32(*image, game_image::kDifficulty);
  if (!KnownDifficulty(difficulty)) PutI32(*image, game_image::kDifficulty, kHard);
  auto checked = std::make_unique<GameState>();
  checked->notation = out.notation;
  if (!StrictAfterAStrictStart(*image, error) || !ReadGameImage(*image, *checked, error) ||
      !RecordLeadsToPosition(*checked, error))
    return false;
  if (!KnownDifficulty(difficulty)) ConsolePrintf("\nunknown difficulty %d: playing at %d (Hard)", difficulty, kHard);
  out = *checked;
  out.position.history = out.startPosition.history = &out.keyHistory;
  return true;
}

bool RestoreGame(Game& game, const std::string& name, void (*printBanner)()) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) {
    const int err = errno;
    Warn(false, "can't open restore file");
    ConsolePrintf("%s: %s\n", name.c_str(), std::strerror(err));
    TellPlayer(game, "can't open " + name + ": " + std::strerror(err));
    return false;
  }
  ConsolePrintf("\nRestore game ...");
  const FileBytes f = ReadFileStart(file, name);
  std::fclose(file);
  auto checked = std::make_unique<GameState>();
  {
    std::lock_guard lock(game.mutex);
    checked->notation = game.state.notation;  // the notation in effect stays
  }
  std::string error;
  if (!KnownLength(f.length)) {
    ConsolePrintf(" failed! unrecognized file type: %llu sos: %zu", static_cast<unsigned long long>(f.length),
                  kGameImageBytes);
    Warn(true, "Cannot autoconvert file - halting");
    TellPlayer(game, "restore failed: " + name + " is not a saved game");
    return false;
  }
  if (!ReadSavedGame(f.bytes, *checked, error)) {
    ConsolePrintf(" failed! bad save file: %s\n", error.c_str());
    TellPlayer(game, "restore failed: bad save file: " + error);
    return false;
  }
  AdoptGame(game, *checked, name);
  if (printBanner) printBanner();
  ConsolePrintf("complete!\n");
  TellPlayer(game, "restored " + name);
  return true;
}

}  // namespace torvik
