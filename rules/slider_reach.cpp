#include "rules/slider_reach.h"

#include "rules/directions.h"
#include "rules/slides.h"
#include "rules/tournament_walks.h"

namespace torvik {
namespace {

constexpr uint64_t Bit(Square s) { return uint64_t{1} << s; }

// Follows a slide over the position as it is, or as it would be after a king
// step (`vacated` empty, `filled` holding the king), noting every square looked
// at and whether `target` is reached.
struct ReachProbe {
  const Position& pos;
  Square target;
  Square vacated = kNoSquare;
  Square filled = kNoSquare;
  int filledCode = 0;
  uint64_t seen = 0;
  bool reached = false;

  int Code(Square s) {
    seen |= Bit(s);
    if (s == filled) return filledCode;
    return s == vacated ? 0 : pos.board[s];
  }
  void Mark(Square s) {
    seen |= Bit(s);
    reached |= s == target;
  }
};

// Follows each line of the slider with a fresh probe and hands the probe to
// `visit`, which returns true to stop.
template <class Visit>
void ForEachLine(const Position& pos, const PieceEntry& slider, const ReachProbe& start,
                 Visit&& visit) {
  auto slide = [&](int d) {
    ReachProbe probe = start;
    Slide3D(pos, slider.square, d, probe);
    return visit(probe);
  };
  if (SlidesDiagonally(slider.code))
    for (int d : kBishopDirections)
      if (slide(d)) return;
  if (SlidesStraight(slider.code))
    for (int d : kRookDirections)
      if (slide(d)) return;
  if (WalksAcrossPins(pos, slider.code, slider.square)) {
    ReachProbe probe = start;
    TournamentWalks(pos, slider.square, slider.code, WalkMode::kAttack, probe);
    visit(probe);
  }
}

}  // namespace

uint64_t ReachPath(const Position& pos, int slot, Square target) {
  const PieceEntry slider = pos.pieces[slot];
  uint64_t path = 0;
  ForEachLine(pos, slider, ReachProbe{pos, target}, [&](const ReachProbe& p) {
    if (p.reached) path |= p.seen;
    return false;
  });
  return path;
}

bool ReachesAfterKingStep(const Position& pos, int slot, Square kingFrom, Square to) {
  const PieceEntry slider = pos.pieces[slot];
  ReachProbe start{pos, to, kingFrom, to, pos.board[kingFrom]};
  bool reached = false;
  ForEachLine(pos, slider, start, [&](const ReachProbe& p) {
    reached |= p.reached;
    return reached;
  });
  return reached;
}

}  // namespace torvik
