// Tunes the evaluation's weights to game results (Texel's method): reads
// positions of the 2D game with the result of the game they came from, fits
// the scale K of sigmoid(K x eval) to the results, then lowers the mean
// squared error between result and sigmoid over chosen groups of weights.
//
// A group is one weight of one stage block (moved by adding to it) or a whole
// vector or square table of one stage block (moved by scaling it). Each pass
// measures how every group moves every position's score (one evaluation per
// group and position of its stage), fits the groups on that linear model by
// gradient steps, and then evaluates the new table for real. The last tenth of
// the file is held out and its error printed beside the fitted part's.
//
//   tune_eval DATA [--max N] [--passes P] [--stages 0123] [--only NAME,...] [--split NAME,...]
//             [--range R] [--lambda L] [--mix M] [--write FILE]
//
// --split fits the named tables entry by entry instead of scaling them (a
// square's entry together with its column-mirrored twin), printed as
// `Name[i] stage: old -> new` for the first entry of each pair; --write keeps
// the table they make, for bench/apply_fit.py --squares.
//
// DATA: one position a line, `FEN;RESULT` with RESULT 1, 0.5 or 0 for White,
// or the engine's own games as `torvik-cli selfplay --positions` writes them:
// `TEXT;RESULT;VALUE`, the position in either game's text (3D under Tournament
// rules) and its think's value for White. Such a line's target is the value
// read as a result, sigmoid(kValueScale x VALUE), with --mix M (0.25) of the
// game's result mixed in.
// Prints K, the errors, and each group that moved: its old and new value.
// --write FILE also writes the whole tuned table there, one stage block a line,
// for a trial build to read before its values are written into the source.
// The fit starts from the 3D game's table when every position is of the 3D
// game, else from the 2D game's; --write-2d FILE writes the 2D game's compiled
// table the same way, the base bench/apply_fit.py --game 3d writes the 3D
// game's differences from.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "board/console.h"
#include "engine/coefficients.h"
#include "engine/evaluate.h"
#include "record/position_text.h"

using namespace torvik;

namespace {

struct Sample {
  Position pos;
  float result = 0;  // for White
};

struct Range {
  int first, count;
};

// A group of weights that moves as one.
struct Group {
  std::string name;
  int stage;
  bool scale;                // scaled by a factor, else one weight moved by adding
  std::vector<Range> ranges;
};

// The scalars each stage block has its own value of.
constexpr struct {
  const char* name;
  int index;
} kScalars[] = {
    {"BishopPair", kBishopPair},
    {"KingCastled", kKingCastled},
    {"KnightOutpost", kKnightOutpost},
    {"BishopOutpost", kBishopOutpost},
    {"KnightOutpostSupported", kKnightOutpostSupported},
    {"BishopOutpostSupported", kBishopOutpostSupported},
    {"RookDefended", kRookDefended},
    {"RooksOnSeventh", kRooksOnSeventh},
    {"SameBishopsDraw", kSameBishopsDraw},
    {"QueenEarly", kQueenEarly},
    {"KnightBlocked", kKnightBlocked},
    {"LowMobility", kLowMobility},
    {"DrawBase", kDrawBase},
    {"RookEndingDraw", kRookEndingDraw},
    {"WinsByCaptures", kWinsByCaptures},
    {"ThreatensCaptures", kThreatensCaptures},
    {"PawnUndefended", kPawnUndefended},
    {"PawnNeighbour", kPawnNeighbour},
    {"DoubledPawn", kDoubledPawn},
    {"BackwardPawn", kBackwardPawn},
    {"PasserBlocked", kPasserBlocked},
    {"KingByPasser", kKingByPasser},
    {"EnemyRookBehindPasser", kEnemyRookBehindPasser},
    {"OwnRookBehindPasser", kOwnRookBehindPasser},
    {"BlockedDPawn", kBlockedDPawn},
    {"BlockedEPawn", kBlockedEPawn},
    {"EnemyKingAheadOfPasser", kEnemyKingAheadOfPasser},
    {"IsolatedPawn", kIsolatedPawn},
    {"BackwardOpenColumn", kBackwardOpenColumn},
};

// The vectors and tables, each scaled as a whole.
struct Scaled {
  const char* name;
  std::vector<Range> ranges;
};

std::vector<Scaled> ScaledGroups() {
  return {
      {"KingOffBackRowOpening", {{kKingOffBackRowOpening, 8}}},
      {"KingOffBackRowMiddle", {{kKingOffBackRowMiddle, 8}}},
      {"OfficerNoControl", {{kOfficerNoControl, 8}}},
      {"BishopLineUp", {{kBishopLineUp, 5}}},
      {"KingCentre", {{kKingCentre, 8}}},
      {"RookSquares", {{kRookSquares, 64}}},
      {"KnightSquares", {{kKnightSquares, 64}}},
      {"ControlSquares", {{kControlSquares, 64}}},
      {"KingZones", {{kKingSideZone, 128}}},
      {"KnightMobility", {{kKnightAttacked, 80}, {kKnightControlled, 80}}},
      {"BishopMobility", {{kBishopAttacked, 80}, {kBishopControlled, 80}}},
      {"RookMobility", {{kRookAttacked, 80}, {kRookControlled, 80}}},
      {"QueenMobility", {{kQueenAttacked, 80}, {kQueenControlled, 80}}},
      {"KingMobility", {{kKingAttacked, 80}, {kKingControlled, 80}}},
      {"OverloadedDefender", {{kOverloadedDefender, 15}}},
      {"KingSafety", {{kEngineKingAttackers, 32}, {kOpenColumnByKing, 2}}},
      {"TradeDownPieces", {{kTradeDownPieces, 32}}},
      {"OfficerAttacks", {{kOfficerAttacks, 16}}},
      {"TradeDownPawns", {{kTradeDownPawns, 32}}},
      {"Passers", {{kPassedPath, 21}, {kPassedByRows, 8}, {kConnectedPasser, 6}, {kOpenPawnByRows, 7}}},
      {"PawnSquares", {{kPawnSquares, 64}}},
      {"Shelter", {{kKingSideShelter, 12}}},
      {"BackwardAttacked", {{kBackwardAttacked, 16}}},
  };
}

// The group moved by `amount` (added, or a factor less one) from `base` into `out`.
void Apply(const Group& g, double amount, const CoefficientTables& base, CoefficientTables& out) {
  for (const Range& r : g.ranges) {
    for (int i = r.first; i < r.first + r.count; ++i) {
      const double v = base[g.stage][i];
      out[g.stage][i] = static_cast<int32_t>(std::lround(g.scale ? v * (1 + amount) : v + amount));
    }
  }
}

// The size of one step of a group's amount: a factor of 1 for scaled groups,
// the weight's own size (at least 10 hundredths of a pawn) for added ones.
double Unit(const Group& g, const CoefficientTables& base) {
  if (g.scale) return 1;
  return std::max(std::abs(static_cast<double>(base[g.stage][g.ranges[0].first])), 1000.0);
}

// The White-positive score of a sample under the tables in use.
int32_t Score(const Sample& s) {
  Position work = s.pos;
  EvalBreakdown b;
  const int32_t v = ExplainEvaluation(work, b);
  return WhiteToMove(work) ? v : -v;
}

double Sigmoid(double k, double e) { return 1 / (1 + std::exp(-k * e)); }

// How the engine's values read as results: the K its evaluation fits to 2D
// positions Stockfish judged (a pawn, 10000, is 62%).
constexpr double kValueScale = 4.861e-5;

// Every tenth run of 2000 positions (some twenty games) is held out.
bool Held(size_t i) { return i / 2000 % 10 == 9; }

// The mean squared error over the held-out positions or over the others.
double Error(const std::vector<Sample>& data, const std::vector<double>& scores, double k, bool held) {
  double sum = 0;
  size_t count = 0;
  for (size_t i = 0; i < data.size(); ++i) {
    if (Held(i) != held) continue;
    const double d = data[i].result - Sigmoid(k, scores[i]);
    sum += d * d;
    ++count;
  }
  return sum / std::max<size_t>(count, 1);
}

std::vector<double> ScoreAll(const std::vector<Sample>& data, const CoefficientTables& tables) {
  UseCoefficients(&tables);
  std::vector<double> scores(data.size());
  for (size_t i = 0; i < data.size(); ++i) scores[i] = Score(data[i]);
  UseCoefficients(nullptr);
  return scores;
}

double FitK(const std::vector<Sample>& data, const std::vector<double>& scores) {
  double lo = std::log(1e-7), hi = std::log(1e-3);  // golden section on log K
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int i = 0; i < 60; ++i) {
    const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
    if (Error(data, scores, std::exp(a), false) < Error(data, scores, std::exp(b), false)) hi = b; else lo = a;
  }
  return std::exp((lo + hi) / 2);
}

bool Load(const char* path, size_t max, double mix, std::vector<Sample>& data) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "tune_eval: cannot read %s\n", path);
    return false;
  }
  std::string line, error;
  size_t lines = 0, bad = 0, loud = 0, kept3D = 0;
  auto s = std::make_unique<Sample>();
  while (data.size() < max && std::getline(in, line)) {
    const size_t semi = line.find(';');
    if (semi == std::string::npos) continue;
    ++lines;
    s->pos = Position{};
    s->pos.rules = kTournament;
    const std::string text = line.substr(0, semi);
    const int mode = text.find('/') == std::string::npos ? kGame3D : kGame2D;
    if (!ParsePosition(text, mode, s->pos, error)) {
      if (bad++ == 0) std::fprintf(stderr, "tune_eval: first unreadable line %zu: %s\n", lines, error.c_str());
      continue;
    }
    char* end = nullptr;
    s->result = std::strtof(line.c_str() + semi + 1, &end);
    if (*end == ';') {
      const double value = std::strtod(end + 1, nullptr);
      s->result = float((1 - mix) * Sigmoid(kValueScale, value) + mix * s->result);
    }
    // The engine's side changes which king-safety weights a side reads: half each.
    if (lines & 1) s->pos.flags |= kEngineWhite; else s->pos.flags &= ~kEngineWhite;
    SetGameStage(s->pos, 1);
    Position work = s->pos;
    EvalBreakdown b;
    ExplainEvaluation(work, b);
    // Quiet only: the side to move wins nothing by captures.
    const int sign = WhiteToMove(work) ? 1 : -1;
    if (b.tactics * sign > 0 || (work.flags & kInCheck)) {
      ++loud;
      continue;
    }
    kept3D += mode == kGame3D;
    data.push_back(*s);
  }
  std::printf("read %zu positions: %zu kept (%zu of the 3D game), %zu not quiet, %zu unreadable\n", lines,
              data.size(), kept3D, loud, bad);
  return true;
}

// The entry fitted together with entry i of a range of `count`: a square's
// file-mirrored twin in a square table; in the two king zones, the other
// zone's mirrored square; else the entry itself. A 2D square mirrors its file
// at sq ^ 56; a 3D one at sq ^ 24, within its group of four columns (the
// neutral level and attack boards, the two main levels).
int Twin(int count, int i, bool threeD) {
  const int mirror = threeD ? 24 : 56;
  if (count == 64) return i ^ mirror;
  if (count == 128) return i ^ 64 ^ mirror;
  return i;
}

// Whether `name` is in the comma-framed list `list` (",A,B,").
bool Listed(const std::string& list, const std::string& name) {
  return list.find("," + name + ",") != std::string::npos;
}

// Writes `tables` to `path`, one stage block a line.
bool WriteTable(const std::string& path, const CoefficientTables& tables) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (!out) {
    std::fprintf(stderr, "tune_eval: cannot write %s\n", path.c_str());
    return false;
  }
  for (const CoefficientTable& block : tables) {
    for (int32_t v : block) std::fprintf(out, "%d ", v);
    std::fprintf(out, "\n");
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tune_eval DATA [--max N] [--passes P] [--stages 0123] [--only NAME,...] "
                         "[--split NAME,...] [--range R] [--lambda L] [--mix M] [--write FILE] [--write-2d FILE]\n");
    return 1;
  }
  size_t max = 1u << 30;
  int passes = 2;
  double range = 0.5, lambda = 1e-5, mix = 0.25;
  std::string stages = "0123", only, split, write, write2d;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--max") max = std::strtoul(argv[i + 1], nullptr, 10);
    else if (a == "--passes") passes = std::atoi(argv[i + 1]);
    else if (a == "--stages") stages = argv[i + 1];
    else if (a == "--range") range = std::atof(argv[i + 1]);
    else if (a == "--lambda") lambda = std::atof(argv[i + 1]);
    else if (a == "--mix") mix = std::atof(argv[i + 1]);
    else if (a == "--only") only = "," + std::string(argv[i + 1]) + ",";
    else if (a == "--split") split = "," + std::string(argv[i + 1]) + ",";
    else if (a == "--write") write = argv[i + 1];
    else if (a == "--write-2d") write2d = argv[i + 1];
    else {
      std::fprintf(stderr, "tune_eval: unknown option %s\n", a.c_str());
      return 1;
    }
  }
  auto data = std::make_unique<std::vector<Sample>>();
  {
    ConsoleCapture quiet;  // the library's notes of each new 3D board arrangement it builds
    if (!Load(argv[1], max, mix, *data)) return 1;
  }
  const size_t n = data->size();
  size_t train = 0;
  for (size_t i = 0; i < n; ++i) train += !Held(i);
  std::array<size_t, kStages> perStage{};
  for (const Sample& s : *data) ++perStage[s.pos.eval.stage];
  std::printf("by stage: %zu %zu %zu %zu\n", perStage[0], perStage[1], perStage[2], perStage[3]);

  auto start = std::chrono::steady_clock::now();
  const bool all3D = std::all_of(data->begin(), data->end(), [](const Sample& s) { return Is3D(s.pos); });
  std::printf("starting from the %s game's table\n", all3D ? "3D" : "2D");
  if (!write2d.empty() && !WriteTable(write2d, CompiledCoefficients(kGame2D))) return 1;
  auto table = std::make_unique<CoefficientTables>(CompiledCoefficients(all3D ? kGame3D : kGame2D));
  std::vector<double> scores = ScoreAll(*data, *table);
  const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("one pass over the positions: %.2f s\n", secs);
  const double k = FitK(*data, scores);
  std::printf("K = %.4g (a pawn, 10000, is %.1f%%)\n", k, 100 * Sigmoid(k, 10000));
  std::printf("error: fitted %.6f held out %.6f\n", Error(*data, scores, k, false), Error(*data, scores, k, true));

  std::vector<Group> groups;
  for (char c : stages) {
    const int s = c - '0';
    for (const auto& sc : kScalars) groups.push_back({sc.name, s, false, {{sc.index, 1}}});
    for (const Scaled& sc : ScaledGroups()) {
      if (!Listed(split, sc.name)) {
        groups.push_back({sc.name, s, true, sc.ranges});
        continue;
      }
      for (const Range& r : sc.ranges) {
        for (int i = 0; i < r.count; ++i) {
          const int twin = Twin(r.count, i, all3D);
          if (twin < i) continue;
          std::vector<Range> entries{{r.first + i, 1}};
          if (twin != i) entries.push_back({r.first + twin, 1});
          groups.push_back({std::string(sc.name) + "[" + std::to_string(r.first + i - sc.ranges[0].first) + "]",
                            s, false, entries});
        }
      }
    }
  }
  if (!only.empty()) {
    std::erase_if(groups, [&](const Group& g) { return !Listed(only, g.name.substr(0, g.name.find('['))); });
  }
  const CoefficientTables original = *table;

  for (int pass = 0; pass < passes; ++pass) {
    // How each group moves each position's score, per unit of its amount.
    struct Entry {
      uint32_t sample;
      float slope;
    };
    std::vector<std::vector<Entry>> slopes(groups.size());
    std::vector<double> units(groups.size());
    auto probe = std::make_unique<CoefficientTables>();
    for (size_t gi = 0; gi < groups.size(); ++gi) {
      const Group& g = groups[gi];
      units[gi] = Unit(g, *table);
      const double h = g.scale ? 0.1 : 1000.0 / units[gi];
      *probe = *table;
      Apply(g, h * (g.scale ? 1 : units[gi]), *table, *probe);
      if (*probe == *table) continue;
      UseCoefficients(probe.get());
      for (size_t i = 0; i < n; ++i) {
        if ((*data)[i].pos.eval.stage != g.stage) continue;
        const double d = Score((*data)[i]) - scores[i];
        if (d != 0) slopes[gi].push_back({static_cast<uint32_t>(i), static_cast<float>(d / h)});
      }
      UseCoefficients(nullptr);
    }
    // Gradient steps (Adam) on the linear model over the fitted part, amounts
    // in units and kept within the range; the amounts kept are those where the
    // held-out part's error was least.
    const size_t groupCount = groups.size();
    std::vector<double> x(groupCount, 0), m(groupCount, 0), v(groupCount, 0), best(groupCount, 0);
    std::vector<double> pred(n), dp(n);
    double bestHeld = 1e9;
    for (int it = 1; it <= 1000; ++it) {
      pred = scores;
      for (size_t gi = 0; gi < groupCount; ++gi) {
        if (x[gi] == 0) continue;
        for (const Entry& e : slopes[gi]) pred[e.sample] += e.slope * x[gi];
      }
      double held = 0;
      for (size_t i = 0; i < n; ++i) {
        const double p = Sigmoid(k, pred[i]), d = (*data)[i].result - p;
        if (Held(i)) {
          held += d * d;
          dp[i] = 0;
        } else {
          dp[i] = -2 * d * p * (1 - p) * k / train;
        }
      }
      if (held < bestHeld) {
        bestHeld = held;
        best = x;
      }
      for (size_t gi = 0; gi < groupCount; ++gi) {
        double grad = 2 * lambda * x[gi];
        for (const Entry& e : slopes[gi]) grad += dp[e.sample] * e.slope;
        m[gi] = 0.9 * m[gi] + 0.1 * grad;
        v[gi] = 0.999 * v[gi] + 0.001 * grad * grad;
        const double mh = m[gi] / (1 - std::pow(0.9, it)), vh = v[gi] / (1 - std::pow(0.999, it));
        x[gi] = std::clamp(x[gi] - 0.005 * mh / (std::sqrt(vh) + 1e-12), -range, range);
      }
    }
    x = best;
    auto next = std::make_unique<CoefficientTables>(*table);
    for (size_t gi = 0; gi < groups.size(); ++gi) {
      if (slopes[gi].empty()) continue;
      Apply(groups[gi], groups[gi].scale ? x[gi] : x[gi] * units[gi], *table, *next);
    }
    std::vector<double> now = ScoreAll(*data, *next);
    const double before = Error(*data, scores, k, true), after = Error(*data, now, k, true);
    std::printf("pass %d: fitted %.6f -> %.6f, held out %.6f -> %.6f\n", pass + 1, Error(*data, scores, k, false),
                Error(*data, now, k, false), before, after);
    if (after >= before) break;
    *table = *next;
    scores = now;
  }

  std::printf("\ngroup stage: old -> new (scaled groups: the factor on the old)\n");
  for (const Group& g : groups) {
    const int i = g.ranges[0].first;
    if (g.scale) {
      double num = 0, den = 0;
      for (const Range& r : g.ranges)
        for (int j = r.first; j < r.first + r.count; ++j) {
          num += std::abs(static_cast<double>((*table)[g.stage][j]));
          den += std::abs(static_cast<double>(original[g.stage][j]));
        }
      if (den > 0 && std::abs(num / den - 1) > 0.005)
        std::printf("%-24s %d: x %.3f\n", g.name.c_str(), g.stage, num / den);
    } else if ((*table)[g.stage][i] != original[g.stage][i]) {
      std::printf("%-24s %d: %d -> %d\n", g.name.c_str(), g.stage, original[g.stage][i], (*table)[g.stage][i]);
    }
  }
  std::printf("final error: fitted %.6f held out %.6f\n", Error(*data, scores, k, false),
              Error(*data, scores, k, true));
  if (!write.empty() && !WriteTable(write, *table)) return 1;
  return 0;
}
