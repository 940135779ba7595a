#include "ui/status_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "board/console.h"
#include "board/geometry.h"
#include "board/piece.h"
#include "record/game_over.h"
#include "record/notation.h"
#include "ui/ui_state.h"

namespace torvik::ui {
namespace {

constexpr std::array<const char*, 6> kPieceNames = {"pawn", "knight", "bishop",
                                                    "rook", "queen", "king"};

template <typename... Args>
std::string Format(std::size_t capacity, const char* format, Args... args) {
  std::array<char, kStatusChars> buffer{};
  std::snprintf(buffer.data(), std::min(capacity, buffer.size()), format, args...);
  return buffer.data();
}

char SelectedLetter(const Position& pos, Square s) {
  int type = TypeOf(pos.board[s]);
  return (type >= 0 && type <= kKing) ? " PNBRQK"[type] : '?';
}

// The level as the Tournament and Algebraic notations write it.
std::string LevelName(const GameState& gs, Square s) {
  switch (GetSquareLevel(gs.position, s)) {
    case kWhiteLevel: return "W";
    case kNeutralLevel: return "N";
    case kBlackLevel: return "B";
    case 3:
    case 5:
    case 7: {
      const char* name = GetABString(gs.position, s, gs.notation);
      return name ? name : "";
    }
    default: return "OOC";
  }
}

std::string CheckText(int winner) {
  switch (winner) {
    case kWhiteWon:
    case kBlackWon: return "CHECKMATE";
    case kNoWinner: return "CHECK";
    case kDrawn: return "STALEMATE";
    default: return "YOU TELL ME";
  }
}

}  // namespace

const char* EditPrompt(int editMode) {
  static constexpr std::array<const char*, 12> kPrompts = {
      "add black pawn where?", "add black knight where?", "add black bishop where?",
      "add black rook where?", "add black queen where?",  "add black king where?",
      "add white pawn where?", "add white knight where?", "add white bishop where?",
      "add white rook where?", "add white queen where?",  "add white king where?"};
  static_assert(kPrompts.size() == 2 * kPieceNames.size());
  if (editMode == kEditRemove) return "remove from where?";
  if (editMode >= kEditAddBlackPawn && editMode < kEditAddWhitePawn + 6)
    return kPrompts[static_cast<std::size_t>(editMode - kEditAddBlackPawn)];
  return nullptr;
}

TextLine TitleLine(const GameState& gs, const GameRecord& record, int editMode) {
  const int p = gs.position.ply;
  TextLine line{"", (p % 2 != 0) ? kIvory : kLavender};
  if (const char* prompt = EditPrompt(editMode)) {
    line.text = prompt;
  } else if (record.replayCursor != -1) {
    line.text = Format(kTitleChars, "Replay %d of %d", record.replayCursor, record.replayEnd);
  } else if (p == 0 || MoveText(record, 0)[0] == 0) {  // no move played yet (an edited start)
    line.text = kTitleText;
  } else if (p % 2 != 0) {
    line.text = Format(kTitleChars, "%d. %s", (p + 1) / 2, MoveText(record, 0));
  } else {
    line.text = Format(kTitleChars, "%d. ... %s", p / 2, MoveText(record, 0));
  }
  return line;
}

bool BannerLine(const GameState& gs, TextLine& line) {
  switch (gs.engineSide) {
    case kEnginePlaysNone:
      line.text = "Torvik not playing";
      if (gs.gameMode == kGame3D) line.text += gs.rules == kStandard ? " (Standard)" : " (Tournament)";
      line.colour = kOrange;
      return true;
    case kEnginePlaysWhite:
    case kEnginePlaysBlack: {
      const int side = SideToMove(gs);
      line.text = side == gs.engineSide ? "My move" : "Your move";
      line.colour = SideColour(side);
      return true;
    }
    default:
      Warn(true, "bad setting @ DisplayMain");
      return false;
  }
}

std::string SelectionText(const GameState& gs) {
  const Position& pos = gs.position;
  const int sel = gs.selection;
  if (sel == kNoSquare) return Format(kStatusChars, "%d plies", pos.ply);
  if (BoardIndexOfCode(sel) >= 0) {
    if (gs.gameMode != kGame3D) return "";
    return (sel == kWhiteQueenBoard || sel == kBlackQueenBoard) ? "Queen's Level" : "Kings's Level";
  }
  if (!IsSquare(sel)) return "";
  const char letter = SelectedLetter(pos, sel);
  const SquareName name = posstr(pos, sel, gs.notation);
  if (gs.gameMode != kGame3D) return Format(kStatusChars, "%c%s", letter, name.c_str());
  if (gs.notation == kNotationStandard)
    return Format(kStatusChars, "%c%s(%d)", letter, name.c_str(), GetSquareLevel(pos, sel));
  return Format(kStatusChars, "%c%s", letter, name.c_str()) + LevelName(gs, sel);
}

TextLine StatusLine(const GameState& gs, const std::string& message) {
  // A decided game says so even when its last move gave no check (a stalemate,
  // a draw by repetition or by the 101-ply rule).
  if (gs.position.lastMove.check || gs.position.winner != kNoWinner) return {CheckText(gs.position.winner), kRed};
  if (!message.empty()) return {message, kWhite};
  return {SelectionText(gs), kGreen};
}

std::string WindowTitle(const std::string& file) {
  return std::string(kProductName) + " - " + std::filesystem::path(file).filename().string();
}

TextLine TurnLine(const GameState& gs) {
  // A decided game has no side to move: the line gives its result.
  switch (gs.position.winner) {
    case kWhiteWon: return {std::string("White wins ") + ResultCode(kWhiteWon), SideColour(1)};
    case kBlackWon: return {std::string("Black wins ") + ResultCode(kBlackWon), SideColour(-1)};
    case kDrawn: return {std::string("Drawn ") + ResultCode(kDrawn), kOrange};
    default: break;
  }
  if (gs.engineSide != kEnginePlaysNone || gs.autoPlay) return {"", kGreen};
  const bool white = WhiteToMove(gs.position);
  return {white ? "White to move" : "Black to move", SideColour(white ? 1 : -1)};
}

}  // namespace torvik::ui
