#include "ui/promotion_dialog.h"

#include <algorithm>
#include <cctype>

#include "board/console.h"
#include "board/piece.h"
#include "board/promotion.h"
#include "rules/legality.h"
#include "ui/mouse.h"

namespace torvik::ui {

const std::array<DialogButton, 4> kPromotionButtons = {{
    {"QUEEN", kQueen, 15, 7},
    {"KNIGHT", kKnight, 16, 27},
    {"ROOK", kRook, 71, 7},
    {"BISHOP", kBishop, 71, 27},
}};

DialogFrame PromotionFrame(int width, int height) {
  constexpr int kCaption = 24;
  const int unit = std::max(1, std::min(2, std::min(width / kDialogWidth, (height - kCaption) / kDialogHeight)));
  const int w = kDialogWidth * unit, h = kDialogHeight * unit + kCaption;
  return {std::max(0, (width - w) / 2), std::max(0, (height - h) / 2), unit, kCaption};
}

int PromotionButtonAt(const DialogFrame& frame, int x, int y) {
  for (const DialogButton& b : kPromotionButtons) {
    const int left = frame.left + b.x * frame.unit, top = frame.BodyTop() + b.y * frame.unit;
    if (x >= left && x < left + kButtonWidth * frame.unit && y >= top && y < top + kButtonHeight * frame.unit)
      return b.piece;
  }
  return 0;
}

bool AsksForPiece(char kind) { return kind == 0 || kind == kPlain || kind == kBoardMove || kind == kCapture; }

char PromotionKindOf(int piece) {
  switch (piece) {
    case kKnight: return kPromoteKnight;
    case kBishop: return kPromoteBishop;
    case kRook: return kPromoteRook;
    default: return kPromoteQueen;
  }
}

// A mouse move already naming its piece keeps it; an unknown kind takes the queen.
void TakeNamedPiece(Move& move) {
  if (IsPromotionKind(move.kind)) return;
  Warn(false, "GetPromotedPiece: cannot interpret move");
  move.kind = kPromoteQueen;
}

bool OfferPromotion(UiState& ui, const Move& move) {
  Position& pos = ui.game->state.position;
  Move probe = move;
  if (!IsPromotion(pos, move.piece, move.to, move) || !LegalMove(pos, probe)) return false;
  if (!AsksForPiece(move.kind)) {
    Move named = move;
    TakeNamedPiece(named);
    PlayMouseMove(ui, named);
    return true;
  }
  ui.input.pendingMove = move;
  ui.input.modal = Modal::kPromotion;
  return true;
}

void AnswerPromotion(UiState& ui, int piece) {
  if (ui.input.modal != Modal::kPromotion) return;
  std::lock_guard lock(ui.game->mutex);
  ui.input.modal = Modal::kNone;
  Move move = ui.input.pendingMove;
  move.kind = PromotionKindOf(piece);
  PlayMouseMove(ui, move);
}

void PromotionClick(UiState& ui, int x, int y, int width, int height) {
  if (const int piece = PromotionButtonAt(PromotionFrame(width, height), x, y)) AnswerPromotion(ui, piece);
}

void PromotionKey(UiState& ui, unsigned char key) {
  switch (std::toupper(key)) {
    case '\r':
    case '\n':
    case 'Q': AnswerPromotion(ui, kQueen); break;
    case 'N': AnswerPromotion(ui, kKnight); break;
    case 'R': AnswerPromotion(ui, kRook); break;
    case 'B': AnswerPromotion(ui, kBishop); break;
    default: break;
  }
}

}  // namespace torvik::ui
