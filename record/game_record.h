// The record of the game beside the recorded moves (which live in the game
// state): the move texts shown in the window and the captured pieces.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace torvik {

constexpr int kMoveTexts = 256;      // slot 0: the latest move; 1..255: by ply
constexpr int kMoveTextChars = 16;   // 15 characters and the terminator
constexpr int kMaxCaptured = 39;

struct GameRecord {
  std::array<std::array<char, kMoveTextChars>, kMoveTexts> moveText{};
  int8_t capturedCount = 0;
  std::array<int8_t, kMaxCaptured> captured{};
  int replayCursor = -1;  // -1: no replay shown; else plies replayed
  int replayEnd = 0;      // while a replay is shown: the game's last ply
  // The window's title once a game was saved or restored: the file's name
  // (empty before; the window keeps its own title until then).
  std::string windowTitle;
};

// The text of the move that brought the game to `ply` (0: the latest move);
// empty beyond the table.
const char* MoveText(const GameRecord& record, int ply);
void StoreMoveText(GameRecord& record, int ply, const std::string& text);
void ClearMoveText(GameRecord& record);

// A game begun anew (a new game, an edited board): the captured pieces, the
// move texts and a replay shown go.
void ForgetPlayedMoves(GameRecord& record);

void ClearCaptured(GameRecord& record);
void AppendCaptured(GameRecord& record, int code);  // beyond 39 the oldest go first
int CapturedCount(const GameRecord& record);
int CapturedEntry(const GameRecord& record, int i);

}  // namespace torvik
