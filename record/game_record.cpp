#include "record/game_record.h"

#include <algorithm>
#include <cstring>

namespace torvik {

const char* MoveText(const GameRecord& record, int ply) {
  if (ply < 0 || ply >= kMoveTexts) return "";
  return record.moveText[ply].data();
}

// Texts beyond slot 255 are not kept (the latest one still goes to slot 0);
// a text longer than 15 characters is cut.
void StoreMoveText(GameRecord& record, int ply, const std::string& text) {
  auto store = [&](int slot) {
    auto& t = record.moveText[slot];
    const std::size_t n = std::min(text.size(), t.size() - 1);
    std::memcpy(t.data(), text.data(), n);
    t[n] = 0;
  };
  if (ply > 0 && ply < kMoveTexts) store(ply);
  store(0);
}

void ClearMoveText(GameRecord& record) { record.moveText[0][0] = 0; }

void ClearCaptured(GameRecord& record) { record.capturedCount = 0; }

void ForgetPlayedMoves(GameRecord& record) {
  ClearCaptured(record);
  ClearMoveText(record);
  record.replayCursor = -1;
}

void AppendCaptured(GameRecord& record, int code) {
  if (record.capturedCount == kMaxCaptured) {
    std::copy(record.captured.begin() + 1, record.captured.end(), record.captured.begin());
    --record.capturedCount;
  }
  record.captured[record.capturedCount++] = static_cast<int8_t>(code);
}

int CapturedCount(const GameRecord& record) { return record.capturedCount; }

int CapturedEntry(const GameRecord& record, int i) {
  return i >= 0 && i < record.capturedCount ? record.captured[i] : 0;
}

}  // namespace torvik
