#include "ui/move_list.h"

#include <algorithm>

namespace torvik::ui {
namespace {

// The text of the move that led to `ply`; the latest move's is kept beyond the table.
std::string TextOf(const GameRecord& record, int ply, int last) {
  const char* text = ply < kMoveTexts ? MoveText(record, ply) : ply == last ? MoveText(record, 0) : "";
  return text[0] ? text : "?";
}

}  // namespace

std::vector<MoveListLine> MoveListLines(const GameState& gs, const GameRecord& record, int lines) {
  const bool replay = record.replayCursor != -1;
  const int last = replay ? record.replayEnd : gs.position.ply;
  const int marked = replay ? record.replayCursor : last;
  std::vector<MoveListLine> all;
  int markedLine = -1;
  // Ply p is reached by White's move number (p + 1) / 2 when p is odd, Black's p / 2 when even.
  for (int p = RecordStartPly(gs) + 1; p <= last; ++p) {
    const bool white = p % 2 != 0;
    if (white || all.empty()) {
      all.push_back({std::to_string((p + 1) / 2) + (white ? ". " : ". ... "), 0, 0});
    } else {
      all.back().text += ' ';
    }
    MoveListLine& line = all.back();
    const std::size_t begin = line.text.size();
    line.text += TextOf(record, p, last);
    if (p == marked) {
      line.markBegin = begin;
      line.markEnd = line.text.size();
      markedLine = int(all.size()) - 1;
    }
  }
  const int count = int(all.size()), shown = std::max(lines, 0);
  int first = std::max(count - shown, 0);
  if (markedLine >= 0) first = std::min(first, markedLine);
  const int end = std::min(first + shown, count);
  return {all.begin() + first, all.begin() + end};
}

}  // namespace torvik::ui
