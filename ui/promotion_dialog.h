// The promotion dialog: which piece a pawn moved with the mouse becomes. The
// dialog opens over the board when a legal promotion is entered, holds the move
// until it is answered, and is modal: while it is open no other input reaches
// the game (the board keeps being drawn). It offers QUEEN, KNIGHT, ROOK and
// BISHOP, takes the queen on Return, and has no cancel.
#pragma once

#include <array>

#include "board/move.h"
#include "ui/ui_state.h"

namespace torvik::ui {

// A button of the dialog, in dialog units from its top left.
struct DialogButton {
  const char* label;
  int piece;  // kKnight .. kQueen
  int x, y;
};
constexpr int kDialogWidth = 136, kDialogHeight = 52;  // dialog units
constexpr int kButtonWidth = 50, kButtonHeight = 14;
constexpr const char* kPromotionCaption = "Select Promotion";
extern const std::array<DialogButton, 4> kPromotionButtons;  // QUEEN first, the default

// Where the dialog lies in a window of `width` x `height` pixels: centred, with
// a caption bar above its body. Pixels from the window's top left.
struct DialogFrame {
  int left, top;       // the caption's top left
  int unit;            // pixels per dialog unit
  int captionHeight;   // pixels
  int BodyTop() const { return top + captionHeight; }
};
DialogFrame PromotionFrame(int width, int height);

// The piece of the button under (x, y) in the window, or 0.
int PromotionButtonAt(const DialogFrame& frame, int x, int y);

// The move's kind as the mouse's promotion takes it when it already names a
// piece: the kinds that name none ('-', 'x', 'T' and 0) ask the dialog; the
// piece letters keep their piece; any other kind warns "GetPromotedPiece:
// cannot interpret move" and takes the queen.
bool AsksForPiece(char kind);
char PromotionKindOf(int piece);  // 'N', 'B', 'R', and 'Q' for anything else

// Called with the move a second click built (the game's lock held): opens the
// dialog and returns true when the move is a legal promotion whose piece must
// be asked for; the move is then played when the dialog is answered.
bool OfferPromotion(UiState& ui, const Move& move);

// The answer: the pending move played with `piece`, the dialog closed.
void AnswerPromotion(UiState& ui, int piece);

// Input while the dialog is open: a left click on a button, or Q N R B and
// Return. Anything else is swallowed.
void PromotionClick(UiState& ui, int x, int y, int width, int height);
void PromotionKey(UiState& ui, unsigned char key);

}  // namespace torvik::ui
