#include "cli/options.h"

#include <charconv>
#include <memory>

#include "record/pgn_file.h"
#include "record/position_text.h"

namespace torvik::cli {

const char* const kUsage =
    "usage: torvik-cli COMMAND [options]\n"
    "\n"
    "Commands:\n"
    "  show             the position as text on the first line, then a picture of it\n"
    "  perft --depth N  the number of move paths of each depth 1..N, then the time taken\n"
    "  divide --depth N the move paths of depth N below each legal move, then the total\n"
    "  moves            the legal moves, one a line; with --notation each also as named\n"
    "  play             a game on standard input: each line a move (move text, or a\n"
    "                   notation naming one legal move), or undo N, back N, forward N,\n"
    "                   show, moves, quit; the program's log is the output; with\n"
    "                   --engine white|black|both the engine plays those sides, at\n"
    "                   --difficulty easy|medium|hard|expert|master (hard), or\n"
    "                   --movetime MS a move by the wall clock\n"
    "                   save FILE and restore FILE keep the game in a file (torvik.sav\n"
    "                   when no name follows); list FILE writes the moves and a picture\n"
    "                   of the board to FILE, list alone prints the moves; pgn FILE\n"
    "                   writes the game as PGN, load FILE [N] plays game N (1) of a PGN\n"
    "  eval             the evaluation as the engine's root sees it, the side to move\n"
    "                   taken as the engine's: 'score W S', W from White's view, S from\n"
    "                   the side to move's (a pawn is about 10000), then term by term\n"
    "  search           the engine's move: 'bestmove MOVE score S depth D nodes N' (score\n"
    "                   from the side to move's view), then its notation, the ticks and\n"
    "                   time it took, and the line it expects; --difficulty easy|medium|hard|expert|master;\n"
    "                   --movetime MS thinks MS milliseconds by the wall clock instead of\n"
    "                   the repeatable tick budget\n"
    "  selfplay         the engine against itself from seeded random openings, game by game,\n"
    "                   then the tally; --games N (10), --seed S (1), --difficulty (easy),\n"
    "                   --movetime MS; --positions FILE adds to FILE each position thought on\n"
    "                   and not in check of the games that ended, one a line: 'TEXT;RESULT;VALUE'\n"
    "                   (RESULT 1, 0.5 or 0 and VALUE the think's value, both for White);\n"
    "                   fails when the engine plays an illegal move\n"
    "  bench            the engine's move in each of a fixed set of positions at each\n"
    "                   difficulty, on the tick budget: one line each, then the nodes (the\n"
    "                   quiescence search's included), time and rate of each game and, last,\n"
    "                   'bench: N nodes T ms R nodes/s'; N is the same on every machine\n"
    "  pgn SAVED        a saved game (a .sav file) as PGN on standard output\n"
    "  uci              the Universal Chess Interface on standard input and output (options\n"
    "                   Hash, Difficulty, and Variant 2d|3d-tournament|3d-standard; a go\n"
    "                   without a clock plays on the tick budget once Difficulty is set;\n"
    "                   position startpos|fen|text TEXT [moves MOVES...] in move text); the\n"
    "                   log goes to standard error\n"
    "  referee          the rules as a match's judge: each input line a move (move text or\n"
    "                   its name), show or moves; each move answered 'ok MOVE' (its move text),\n"
    "                   'illegal MOVE' or 'over RESULT REASON'\n"
    "                   (mate, stalemate, repetition, 101 quiet plies, insufficient material)\n"
    "\n"
    "Options:\n"
    "  --mode 2d|3d                  the game: plain chess or three-dimensional (default 3d)\n"
    "  --rules tournament|standard   the 3D rule set (default tournament)\n"
    "  --position TEXT               the position (default: the start of the game)\n"
    "  --pgn FILE [--game N]         the position after game N (1) of a PGN file, its\n"
    "                                game and rules those the file names; play takes the\n"
    "                                whole game, to undo and replay\n"
    "  --notation tournament|standard|algebraic   how moves are named (default tournament)\n"
    "  --help                        this text\n"
    "\n"
    "Position text, 2D game: FEN, e.g.\n"
    "  rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\n"
    "Position text, 3D game: six fields, then optionally halfmove clock and fullmove number:\n"
    "  1. 64 characters for squares 0..63: '.' empty, PNBRQK white, pnbrqk black\n"
    "  2. w or b, the side to move\n"
    "  3. the pins of attack boards 0..3 (QL1..QL6, KL1..KL6) joined by commas\n"
    "  4. the owners of attack boards 0..3, four of w/b\n"
    "  5. castling rights as in FEN (KQkq or -)\n"
    "  6. the en-passant square as a square number, or -\n"
    "  The start: RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn"
    " w QL1,QL6,KL1,KL6 wbwb KQkq - 0 1\n"
    "\n"
    "Move text: 2D long algebraic (e2e4, e7e8q). 3D square numbers from-to (33-34),\n"
    "with =Q, =R, =B or =N for a promotion (30-31=N); an attack-board move is the board\n"
    "code and its pins (100:QL1-QL3). Perft counts each move a player could enter once;\n"
    "a promotion counts once for each piece.\n"
    "\n"
    "Squares: 8 x column + row. 2D: a1 = 0, a8 = 7, h8 = 63.\n"
    "3D: columns 4..7 rows 0..3 white level, rows 4..7 black level; columns 0..3 rows 2..5\n"
    "neutral level; attack boards 0 (squares 0 1 8 9), 1 (6 7 14 15), 2 (16 17 24 25),\n"
    "3 (22 23 30 31).\n"
    "\n"
    "Results go to standard output, the program's log to standard error.\n"
    "Exit status: 0 success, 2 bad usage or bad position.\n";

namespace {

// The options a command takes with a value (the command checks the value).
bool IsValueOption(const std::string& arg) { return arg == "--notation" || arg == "--depth"; }

// --pgn: the position after the game's last move stands for --position, and
// the file's game and rules for --mode and --rules.
bool ResolvePgn(Options& options, std::string& error) {
  if (options.pgnFile.empty()) return true;
  if (!options.position.empty()) return error = "--pgn and --position name two positions: give one", false;
  auto gs = std::make_unique<GameState>();
  gs->rules = options.rules;
  std::string result;
  if (!LoadPgnGame(options.pgnFile, options.pgnGame, *gs, result, error)) {
    error = options.pgnFile + ": " + error;
    return false;
  }
  options.position = FormatPosition(gs->position);
  options.mode = gs->gameMode;
  options.rules = gs->rules;
  return true;
}


}  // namespace

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return error = arg + " needs a value", false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--mode") {
      if (!value(v)) return false;
      if (v != "2d" && v != "3d") return error = "--mode takes 2d or 3d", false;
      options.mode = v == "2d" ? kGame2D : kGame3D;
    } else if (arg == "--rules") {
      if (!value(v)) return false;
      if (v != "tournament" && v != "standard")
        return error = "--rules takes tournament or standard", false;
      options.rules = v == "standard" ? kStandard : kTournament;
    } else if (arg == "--position") {
      if (!value(options.position)) return false;
      if (options.position.find_first_not_of(' ') == std::string::npos)
        return error = "--position needs a position text", false;
    } else if (arg == "--pgn") {
      if (!value(options.pgnFile)) return false;
    } else if (arg == "--game") {
      if (!value(v)) return false;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), options.pgnGame);
      if (ec != std::errc{} || end != v.data() + v.size() || options.pgnGame < 1)
        return error = "--game takes a game number from 1", false;
    } else if (IsValueOption(arg)) {
      // Left for the command, with its value, which must be there.
      if (!value(v)) return false;
      options.rest.push_back(arg);
      options.rest.push_back(v);
    } else if (options.command.empty() && arg.rfind("--", 0) != 0) {
      options.command = arg;
    } else {
      options.rest.push_back(arg);
    }
  }
  return ResolvePgn(options, error);
}

bool TakeOption(Options& options, const std::string& name, std::string& value) {
  for (std::size_t i = 0; i + 1 < options.rest.size(); ++i) {
    if (options.rest[i] == name) {
      value = options.rest[i + 1];
      options.rest.erase(options.rest.begin() + i, options.rest.begin() + i + 2);
      return true;
    }
  }
  return false;
}

}  // namespace torvik::cli
