#include "record/game_image.h"

#include <memory>

#include "board/byte_io.h"
#include "board/position_image.h"

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

bool CheckSettings(const GameState& gs, std::string& error) {
  if (!OneOf(gs.gameMode, {kGame2D, kGame3D})) return error = "unknown game mode", false;
  if (!OneOf(gs.rules, {kTournament, kStandard})) return error = "unknown rules", false;
  if (!OneOf(gs.notation, {0, 1, 2})) return error = "unknown notation", false;
  if (!OneOf(gs.engineSide, {-1, 0, 1})) return error = "unknown engine side", false;
  if (!OneOf(gs.spreadMode, {0, 1, 2})) return error = "unknown spread mode", false;
  if (gs.ttMegabytes < 0 || gs.ttMegabytes > 4096) return error = "bad table size", false;
  return true;
}

}  // namespace

bool ReadGameImage(ConstGameImage image, GameState& out, std::string& error) {
  auto gs = std::make_unique<GameState>();
  gs->startEdited = GetI32(image, kStartEdited);
  gs->reserved1 = GetI32(image, kReserved1);
  gs->gameMode = GetI32(image, kGameMode);
  gs->selection = GetI32(image, kSelection);
  for (int s = 0; s < kSquareCount; ++s) gs->targetMarks[s] = image[kTargetMarks + s];
  gs->reserved2 = GetI32(image, kReserved2);
  gs->spreadMode = GetI32(image, kSpreadMode);
  gs->transparent = GetI32(image, kTransparent);
  gs->rules = GetI32(image, kRules);
  gs->engineSide = GetI32(image, kEngineSide);
  gs->notation = GetI32(image, kNotation);
  gs->difficulty = GetI32(image, kDifficulty);
  gs->scale = GetF32(image, kScale);
  gs->orthographic = GetI32(image, kOrthographic);
  gs->xang = GetF32(image, kXang);
  gs->yang = GetF32(image, kYang);
  gs->abortSearch = GetI32(image, kAbortSearch);
  gs->ttMegabytes = GetI32(image, kTtMegabytes);
  for (int i = 0; i < kMaxRecordedMoves; ++i) gs->moves[i] = ReadMoveImage(image, kMoves + 20 * i);
  for (int i = 0; i < KeyHistory::kPlies; ++i)
    gs->keyHistory.keys[i] = GetU32(image, kKeyHistory + 4 * i);
  gs->autoPlay = GetI32(image, kAutoPlay);
  if (!CheckSettings(*gs, error)) return false;

  for (Position* p : {&gs->position, &gs->startPosition}) {
    p->rules = gs->rules;
    p->history = &out.keyHistory;
    p->gameMode = gs->gameMode;
  }
  if (!ReadPositionImage(image.subspan<kPosition, kPositionImageBytes>(), gs->gameMode,
                         gs->position, error))
    return false;
  // The start position is only in use after a board edit; otherwise it is blank.
  if (gs->startEdited &&
      !ReadPositionImage(image.subspan<kStartPosition, kPositionImageBytes>(), gs->gameMode,
                         gs->startPosition, error))
    return error = "start position: " + error, false;
  out = *gs;
  return true;
}

}  // namespace torvik
