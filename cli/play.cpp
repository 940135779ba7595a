// play: a text game on standard input and output, through the game record.
#include <cctype>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

#include "board/console.h"
#include "board/geometry.h"
#include "cli/commands.h"
#include "cli/picture.h"
#include "engine/rebuild.h"
#include "record/engine_thread.h"
#include "record/game.h"
#include "record/game_over.h"
#include "record/game_start.h"
#include "record/game_listing.h"
#include "record/move_text.h"
#include "record/named_move.h"
#include "record/notation.h"
#include "record/pgn_file.h"
#include "record/position_text.h"
#include "record/saved_game.h"
#include "rules/perft.h"

namespace torvik::cli {
namespace {

// The notation a move gets once made (the check sign is not needed to name it).
std::string NotationOf(const Position& pos, const Move& move, int notation) {
  std::string text = NotationOfMove(pos, move, notation);
  if (!text.empty() && text.back() == '+') text.pop_back();
  return text;
}

// The legal move the text names: move text, or a notation naming exactly one.
bool FindMove(Game& game, const std::string& text, Move& found, std::string& error) {
  switch (FindNamedMove(game.state.position, game.state.notation, text, found)) {
    case NamedMove::kFound: return true;
    case NamedMove::kNoMove: error = "unknown command"; break;
    case NamedMove::kAmbiguous: error = "ambiguous move " + text; break;
    case NamedMove::kIllegal: error = "illegal move " + text; break;
  }
  return false;
}

// Plays the typed move; when the engine does not play the side to move next,
// the game-end test follows (the engine makes it itself before it thinks).
void Play(Game& game, const std::string& text, const bool (&plays)[2]) {
  Move m;
  std::string error;
  if (!FindMove(game, text, m, error)) {
    ConsolePrintf("\n%s", error.c_str());
    return;
  }
  // As the mouse does: a move onto an enemy piece is handed in as a capture,
  // unless its kind names the piece a promotion makes.
  if (BoardIndexOfCode(m.piece) < 0 && game.state.position.board[m.to] != 0 && !IsPromotionKind(m.kind))
    m.kind = kCapture;
  // A full record says so itself; any other refusal is an illegal move.
  if (!PlayerMoved(game, m)) {
    if (!RecordIsFull(game)) ConsolePrintf("\nillegal move %s", text.c_str());
  } else if (!plays[WhiteToMove(game.state.position) ? 0 : 1]) {
    GameOverBeforePlayer(game);
  }
}

void ListMoves(Game& game) {
  Position& pos = game.state.position;
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  for (int i = 0; i < n; ++i)
    ConsolePrintf("\n%s %s", FormatMoveText(pos, moves[i]).c_str(),
                  NotationOf(pos, moves[i], game.state.notation).c_str());
}

// load's game number: a last word of digits after the name (1 without one).
int TakeGameNumber(std::string& name) {
  const auto space = name.find_last_of(' ');
  if (space == std::string::npos || name.find_first_not_of("0123456789", space + 1) != std::string::npos ||
      space + 1 == name.size() || name.size() - space > 6)
    return 1;
  const int number = std::stoi(name.substr(space + 1));
  name.erase(name.find_last_not_of(' ', space) + 1);
  return number;
}

// save, restore, list, pgn and load with the rest of the line as the file's
// name (save and restore use torvik.sav without one, pgn and load torvik.pgn;
// list without one prints the moves only).
void FileCommand(Game& game, const std::string& word, std::istringstream& in) {
  std::string name;
  std::getline(in >> std::ws, name);
  while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
  if (word == "pgn") ExportGame(game, name.empty() ? kPgnName : name);
  else if (word == "load") {
    const int number = TakeGameNumber(name);
    ImportGame(game, name.empty() ? kPgnName : name, number);
  }
  else if (word == "save") SaveGame(game, name.empty() ? kQuickSaveName : name);
  else if (word == "restore") RestoreGame(game, name.empty() ? kQuickSaveName : name);
  else if (name.empty()) ListGameToConsole(game);
  else ListGameToFile(game, name);
}

// One input line; false on quit. `plays` are the sides the engine plays.
bool Command(Game& game, const std::string& line, const bool (&plays)[2]) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> word)) return true;
  if (word == "save" || word == "restore" || word == "list" || word == "pgn" || word == "load") {
    FileCommand(game, word, in);
    return true;
  }
  int count = 1;
  std::string arg;
  if ((word == "undo" || word == "back" || word == "forward") && (in >> arg)) {
    std::istringstream number(arg);
    if (!(number >> count) || !number.eof() || count < 0) {
      ConsolePrintf("\n%s takes a number of plies", word.c_str());
      return true;
    }
  }
  if (word == "quit") return false;
  if (word == "undo") Undo(game, count);
  else if (word == "back" || word == "forward") {
    ReplayStep(game, word == "back" ? -count : count);
    ConsolePrintf("\nReplay %d of %d", game.record.replayCursor, LastPly(game));
  }
  else if (word == "show") ConsolePrintf("\n%s\n%s", FormatPosition(game.state.position).c_str(),
                                         Picture(game.state.position).c_str());
  else if (word == "moves") {
    LeaveReplay(game);  // a replay shows a board, not a position to move in
    ListMoves(game);
  }
  else {
    LeaveReplay(game);
    Play(game, word, plays);
  }
  return true;
}

}  // namespace

// --engine white|black|both: the sides the engine plays (none without it).
bool TakeEngineSides(Options& options, bool (&plays)[2]) {
  std::string text;
  if (!TakeOption(options, "--engine", text)) return true;
  plays[0] = text == "white" || text == "both";
  plays[1] = text == "black" || text == "both";
  if (plays[0] || plays[1]) return true;
  std::fprintf(stderr, "torvik-cli: --engine takes white, black or both\n");
  return false;
}

// The engine's moves, played here rather than on its thread, while it is the
// side to move and the game goes on.
void EngineReplies(Game& game, const bool (&plays)[2]) {
  StartEngine(game, 0);  // undo and new games start the thread: the terminal plays its moves itself
  for (;;) {
    GameState& gs = game.state;
    const bool white = WhiteToMove(gs.position);
    if (!plays[white ? 0 : 1] || gs.position.winner != kNoWinner || RecordIsFull(game)) return;
    gs.engineSide = white ? kEnginePlaysWhite : kEnginePlaysBlack;
    const EngineOutcome outcome = EngineTurn(game);
    ConsoleEndLine();
    if (outcome != EngineOutcome::kPlayed) return;
  }
}

// The next input line, once what came before it has ended its line; a person
// at a terminal is prompted for it.
bool ReadLine(std::string& line) {
  ConsoleEndLine();
  if (isatty(STDIN_FILENO)) {
    std::fputs("> ", stdout);
    std::fflush(stdout);
  }
  return bool(std::getline(std::cin, line));
}

bool StartQuietGame(Game& game, const Options& options) {
  NewGameOfMode(game, options.mode);
  StartEngine(game, 0);
  GameState& gs = game.state;
  gs.engineSide = kEnginePlaysNone;
  gs.rules = gs.position.rules = options.rules;
  RegenPosition(gs.position);  // the maps of the rules in force
  if (options.position.empty()) return true;
  auto start = std::make_unique<Position>();
  if (!LoadPosition(options, *start)) return false;
  {
    std::lock_guard lock(game.mutex);
    BeginGameAt(gs, *start);
  }
  Undo(game, 0);
  StartEngine(game, 0);
  return true;
}

int PlayGame(Options& options) {
  int notation = kNotationTournament, difficulty = kHard, moveTime = 0;
  bool plays[2] = {false, false};
  if (!TakeNotation(options, notation) || !TakeEngineSides(options, plays) ||
      !TakeDifficulty(options, difficulty) || !TakeNumber(options, "--movetime", 1, 86400000, moveTime) ||
      !NoOtherOptions(options))
    return kBadUsage;
  auto game = std::make_unique<Game>();
  SetConsoleStream(stdout);
  SetConsoleLineShaped(true);  // the input typed starts a line of its own
  game->state.difficulty = difficulty;
  game->engine.moveTimeMs = moveTime;
  game->state.notation = notation;
  if (options.pgnFile.empty() ? !StartQuietGame(*game, options)
                              : !ImportGame(*game, options.pgnFile, options.pgnGame))
    return kBadUsage;
  EngineReplies(*game, plays);
  std::string line;
  while (ReadLine(line) && Command(*game, line, plays)) EngineReplies(*game, plays);
  ConsoleEndLine();
  StartEngine(*game, 0);
  return 0;
}

}  // namespace torvik::cli
