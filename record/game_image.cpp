#include "record/game_image.h"

#include <cmath>
#include <memory>

#include "board/byte_io.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/position_image.h"
#include "record/admit_position.h"
#include "record/levels.h"
#include "rules/attack_maps.h"

namespace torvik {

using namespace game_image;

void WriteGameImage(const GameState& gs, GameImage image) {
  WritePositionImage(gs.position, image.subspan<kPosition, kPositionImageBytes>());
  WritePositionImage(gs.startPosition, image.subspan<kStartPosition, kPositionImageBytes>());
  PutI32(image, kStartEdited, gs.startEdited);
  PutI32(image, kReserved1, gs.reserved1);
  PutI32(image, kGameMode, gs.gameMode);
  PutI32(image, kSelection, gs.selection);
  for (int s = 0; s < kSquareCount; ++s) image[kTargetMarks + s] = gs.targetMarks[s];
  PutI32(image, kReserved2, gs.reserved2);
  PutI32(image, kSpreadMode, gs.spreadMode);
  PutI32(image, kTransparent, gs.transparent);
  PutI32(image, kRules, gs.rules);
  PutI32(image, kEngineSide, gs.engineSide);
  PutI32(image, kNotation, gs.notation);
  PutI32(image, kDifficulty, gs.difficulty);
  PutF32(image, kScale, gs.scale);
  PutI32(image, kOrthographic, gs.orthographic);
  PutF32(image, kXang, gs.xang);
  PutF32(image, kYang, gs.yang);
  PutI32(image, kAbortSearch, gs.abortSearch);
  PutI32(image, kTtMegabytes, gs.ttMegabytes);
  for (int i = 0; i < kMaxRecordedMoves; ++i) WriteMoveImage(gs.moves[i], image, kMoves + 20 * i);
  for (int i = 0; i < KeyHistory::kPlies; ++i)
    PutU32(image, kKeyHistory + 4 * i, gs.keyHistory.keys[i]);
  PutI32(image, kAutoPlay, gs.autoPlay);
}

namespace {

bool OneOf(int32_t v, std::initializer_list<int32_t> allowed) {
  for (int32_t a : allowed)
    if (v == a) return true;
  return false;
}

bool Fail(std::string& error, const char* message) {
  error = message;
  return false;
}

bool CheckSettings(const GameState& gs, std::string& error) {
  if (!OneOf(gs.gameMode, {kGame2D, kGame3D})) return Fail(error, "unknown game mode");
  if (!OneOf(gs.startEdited, {0, 1})) return Fail(error, "bad start-position flag");
  if (!OneOf(gs.rules, {kTournament, kStandard})) return Fail(error, "unknown rules");
  if (!OneOf(gs.engineSide, {-1, 0, 1})) return Fail(error, "unknown engine side");
  if (!OneOf(gs.spreadMode, {0, 1, 2})) return Fail(error, "unknown spread mode");
  if (gs.selection != kNoSquare && !IsSquare(gs.selection) && BoardIndexOfCode(gs.selection) < 0)
    return Fail(error, "bad selection");
  for (int32_t flag : {gs.transparent, gs.orthographic, int32_t(gs.abortSearch), int32_t(gs.autoPlay)})
    if (!OneOf(flag, {0, 1})) return Fail(error, "bad on/off setting");
  for (float f : {gs.scale, gs.xang, gs.yang})
    if (!std::isfinite(f)) return Fail(error, "bad view setting");
  if (gs.ttMegabytes < 0 || gs.ttMegabytes > 4096) return Fail(error, "bad table size");
  return true;
}

void ReadSettings(ConstGameImage image, GameState& gs) {
  gs.startEdited = GetI32(image, kStartEdited);
  gs.reserved1 = GetI32(image, kReserved1);
  gs.gameMode = GetI32(image, kGameMode);
  gs.selection = GetI32(image, kSelection);
  for (int s = 0; s < kSquareCount; ++s) gs.targetMarks[s] = image[kTargetMarks + s];
  gs.reserved2 = GetI32(image, kReserved2);
  gs.spreadMode = GetI32(image, kSpreadMode);
  gs.transparent = GetI32(image, kTransparent);
  gs.rules = GetI32(image, kRules);
  gs.engineSide = GetI32(image, kEngineSide);
  gs.notation = GetI32(image, kNotation);
  gs.difficulty = GetI32(image, kDifficulty);
  gs.scale = GetF32(image, kScale);
  gs.orthographic = GetI32(image, kOrthographic);
  gs.xang = GetF32(image, kXang);
  gs.yang = GetF32(image, kYang);
  gs.abortSearch = GetI32(image, kAbortSearch);
  gs.ttMegabytes = GetI32(image, kTtMegabytes);
  for (int i = 0; i < kMaxRecordedMoves; ++i) gs.moves[i] = ReadMoveImage(image, kMoves + 20 * i);
  for (int i = 0; i < KeyHistory::kPlies; ++i)
    gs.keyHistory.keys[i] = GetU32(image, kKeyHistory + 4 * i);
  gs.autoPlay = GetI32(image, kAutoPlay);
}

// One of the game's positions, ready to play on. After a board edit a position
// may be one the rebuild could not take (a king missing, more pieces than a
// side's slots hold, the side not to move in check): it is kept as saved, with
// a warning, its maps rebuilt from what its piece list holds; it is not
// evaluated (the evaluation needs every piece on the board in the list).
bool ReadGamePosition(ConstPositionImage image, const GameState& gs, Position& pos, std::string& error) {
  pos.rules = gs.rules;
  pos.gameMode = gs.gameMode;
  std::string strict;
  if (ReadPositionImage(image, gs.gameMode, pos, strict)) {
    if (AdmitPosition(pos, error)) return true;
    if (!gs.startEdited) return false;
    error.clear();
  } else if (!gs.startEdited || !ReadEditedPositionImage(image, gs.gameMode, pos, error)) {
    error = strict;
    return false;
  }
  RegenToPieces(pos);
  Warn(true, "edited board may be unstable");
  return true;
}

// The record counts the game's plies from its start position's ply.
bool PliesFitRecord(const GameState& gs, std::string& error) {
  const int start = RecordStartPly(gs), ply = gs.position.ply;
  if (ply < start || ply - start > kMaxRecordedMoves)
    return Fail(error, "the game's ply is outside its record");
  return true;
}

// A level the program does not know plays as Hard.
int32_t DifficultyOrHard(int32_t difficulty) {
  if (KnownDifficulty(difficulty)) return difficulty;
  ConsolePrintf("\nunknown difficulty %d: playing at %d (Hard)", difficulty, kHard);
  return kHard;
}

}  // namespace

bool ReadGameImage(ConstGameImage image, GameState& out, std::string& error) {
  auto gs = std::make_unique<GameState>();
  ReadSettings(image, *gs);
  if (!CheckSettings(*gs, error)) return false;
  gs->notation = out.notation;  // the notation in effect stays
  gs->startPosition.gameMode = gs->gameMode;
  if (!ReadGamePosition(image.subspan<kPosition, kPositionImageBytes>(), *gs, gs->position, error))
    return false;
  if (gs->startEdited &&
      !ReadGamePosition(image.subspan<kStartPosition, kPositionImageBytes>(), *gs, gs->startPosition, error))
    return error = "start position: " + error, false;
  if (!PliesFitRecord(*gs, error)) return false;
  gs->difficulty = DifficultyOrHard(gs->difficulty);
  out = *gs;
  for (Position* p : {&out.position, &out.startPosition}) {
    p->rules = out.rules;
    p->history = &out.keyHistory;
    p->gameMode = out.gameMode;
  }
  return true;
}

}  // namespace torvik
