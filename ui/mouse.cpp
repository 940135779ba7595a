#include "ui/mouse.h"

#include <cstdio>
#include <mutex>

#include "board/console.h"
#include "board/geometry.h"
#include "record/game_over.h"
#include "record/notation.h"
#include "rules/legality.h"
#include "rules/perft.h"
#include "ui/move_entry.h"
#include "ui/promotion_dialog.h"
#include "ui/special_keys.h"
#include "ui/target_marks.h"

namespace torvik::ui {
namespace {

// "illegal move %s\n" with the move's notation, for the status line.
void ReportRefused(UiState& ui, const Move& move) {
  const Position& pos = ui.game->state.position;
  const int taken = (move.kind == kCapture && IsSquare(move.to))
                        ? pos.board[static_cast<std::size_t>(move.to)]
                        : 0;
  const std::string text = MoveNotation(pos, move, ui.game->state.notation, taken);
  std::array<char, kStatusChars> line{};
  std::snprintf(line.data(), line.size(), "illegal move %s\n", text.c_str());
  TellPlayer(*ui.game, line.data());
}

// A promotion waits for the dialog's answer; any other move is played at once.
void Play(UiState& ui, const Move& move) {
  if (!OfferPromotion(ui, move)) PlayMouseMove(ui, move);
}

bool EngineToMove(const GameState& gs) { return SideToMove(gs) == gs.engineSide; }

// The legal moves of the piece on `square`.
int LegalMovesFrom(Position& pos, Square square) {
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  int count = 0;
  for (int i = 0; i < n; ++i) count += moves[i].from == square && BoardIndexOfCode(moves[i].piece) < 0;
  return count;
}

// A piece of the side to move selected: it is marked; one with nowhere to go says so.
void SelectPiece(UiState& ui, Square square) {
  GameState& gs = ui.game->state;
  gs.selection = square;
  ComputeTargetMarks(gs);
  const int piece = gs.position.board[static_cast<std::size_t>(square)];
  if (Sign(piece) != SideToMove(gs) || LegalMovesFrom(gs.position, square) > 0) return;
  const SquareName name = posstr(gs.position, square, gs.notation);
  TellPlayer(*ui.game, std::string("no legal move for ") + PieceLetter(TypeOf(piece)) + name.c_str());
}

// The first click: a piece or an attack board.
void SelectName(UiState& ui, int name) {
  GameState& gs = ui.game->state;
  ui.input.selectedName = name;
  switch (name) {
    case kNoSquare: return;
    case kWhiteQueenBoard: ConsolePrintf("\nselected QL white"); break;
    case kBlackQueenBoard: ConsolePrintf("\nselected QL black"); break;
    case kWhiteKingBoard: ConsolePrintf("\nselected KL white"); break;
    case kBlackKingBoard: ConsolePrintf("\nselected KL black"); break;
    default:
      if (!IsSquare(name)) {
        Warn(false, "why default?");
      } else if (gs.position.board[static_cast<std::size_t>(name)] != 0) {
        SelectPiece(ui, name);
      }
      return;
  }
  gs.selection = name;
}

void Select(UiState& ui, const Picker& pick) { SelectName(ui, pick()); }

// The second click after an attack board was selected.
void MoveBoard(UiState& ui, const Picker& pick) {
  GameState& gs = ui.game->state;
  const int board = gs.selection;
  ui.input.pickedName = pick();
  if (ui.input.pickedName != ui.input.selectedName && !EngineToMove(gs))
    Play(ui, BoardMove(gs.position, board, ui.input.pickedName));
  gs.selection = kNoSquare;
}

// The second click after a piece was selected.
void MovePiece(UiState& ui, const Picker& pick) {
  GameState& gs = ui.game->state;
  gs.selection = kNoSquare;
  ClearTargetMarks(gs);
  const int to = ui.input.pickedName = pick();
  const int from = ui.input.selectedName;
  if (!IsSquare(to) || to == from || EngineToMove(gs)) return;
  if (!IsSquare(from) || gs.position.board[static_cast<std::size_t>(from)] == 0)
    Warn(false, "not selecting?");
  // Another piece of the same side is selected instead, unless the click is a
  // move (a castling entered on the rook).
  const Move move = PieceMove(gs.position, from, to);
  const int target = gs.position.board[static_cast<std::size_t>(to)];
  if (IsSquare(from) && target != 0 && Sign(target) == Sign(gs.position.board[static_cast<std::size_t>(from)])) {
    Move probe = move;
    if (!LegalMove(gs.position, probe)) return SelectName(ui, to);
  }
  Play(ui, move);
}

// A click while an edit mode waits: the editor takes it, and the mode ends.
void EditClick(UiState& ui, const Picker& pick) {
  ui.input.pickedName = pick();
  if (EditAtSquare(ui.game->state, ui.input.editMode, ui.input.pickedName)) ForgetPlayedMoves(ui.game->record);
  ui.input.editMode = kEditNone;
}

// A notch of the wheel zooms as the page keys do: the toolkit reports it as a
// press and a release, and the press alone zooms.
bool Wheel(UiState& ui, int button, int state, bool shift) {
  if (state != kButtonDown) return false;
  SpecialKeyPressed(ui, button == kWheelUp ? kKeyPageUp : kKeyPageDown, shift, false);
  return true;
}

}  // namespace

void PlayMouseMove(UiState& ui, Move move) {
  const Move handed = move;
  if (!PlayerMoved(*ui.game, move)) ReportRefused(ui, handed);
  else GameOverBeforePlayer(*ui.game);
}

void LeftPress(UiState& ui, bool shift, const Picker& pick) {
  std::lock_guard lock(ui.game->mutex);
  if (ui.input.editMode != kEditNone) {
    EditClick(ui, pick);
    return;
  }
  const int selection = ui.game->state.selection;
  if (selection == kNoSquare) Select(ui, pick);
  else if (BoardIndexOfCode(selection) >= 0) MoveBoard(ui, pick);
  else if (!shift) MovePiece(ui, pick);
}

bool MouseEvent(UiState& ui, int button, int state, bool shift, const Picker& pick) {
  if (ui.input.modal != Modal::kNone) return false;  // a dialog holds the input
  if (button == kRightButton) return false;
  if (button == kWheelUp || button == kWheelDown) return Wheel(ui, button, state, shift);
  if (button != kLeftButton) {
    Warn(false, "unknown mouse button");
    return false;
  }
  if (ui.game->record.replayCursor != -1) LeaveReplay(*ui.game);
  if (state == kButtonDown) LeftPress(ui, shift, pick);
  else if (state != kButtonUp) Warn(false, "unknown bstate");
  return true;
}

}  // namespace torvik::ui
