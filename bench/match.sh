#!/usr/bin/env bash
# Plays Torvik's UCI engine (torvik-cli uci, the 2D game) against another chess
# engine, with xboard as the match runner (through polyglot for UCI engines),
# from the balanced openings in bench/openings.pgn, each opening twice with the
# colours swapped. Prints Torvik's wins, draws and losses and the Elo difference
# with its 95% margin; keeps the games, xboard's log and Torvik's log in a
# folder under bench/match-results/. With --mode 3d two builds of torvik-cli
# play the 3D game instead, from bench/openings-3d.txt, refereed by the
# program's own rules (bench/uci_match.py, which also plays a UCI opponent
# at a fixed time a move, which xboard cannot give below a second).
#
#   bench/match.sh --opponent stockfish:1350 --games 20
#   bench/match.sh --opponent fairymax --tc 0:30 --inc 0.3 --games 40
#   bench/match.sh --opponent phalanx --st 1 --difficulty medium
#   bench/match.sh --mode 3d --opponent torvik:/tmp/torvik-old --rules standard --st 0.1
#
# See bench/README.md for the packages it needs and how long a run takes.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

usage() {
  cat <<EOF
usage: bench/match.sh [options]

  --opponent NAME   stockfish[:ELO]  Stockfish with UCI_LimitStrength at UCI_Elo ELO
                                     (default 1350, its weakest in Debian's 15.1)
                    stockfish-skill:N Stockfish at Skill Level N (0..20)
                    fairymax          Fairy-Max (an xboard engine)
                    phalanx[:EASY]    Phalanx (xboard engine), easy level 0..100
                                      (0, full strength, by default; no book)
                    torvik:PATH       another build of torvik-cli (a baseline, to
                                      measure a change), named Baseline
                    (default stockfish:1350)
  --games N         games to play, rounded up to an even number (default 20)
  --tc T            base time per game, xboard's form: minutes or M:SS (default 0:10)
  --inc S           increment in seconds per move (default 0.1)
  --mps N           moves per time control, 0 for the whole game (default 0)
  --st S            fixed seconds per move instead of a clock (go movetime;
                    whole seconds for an xboard engine)
  --difficulty D    Torvik's Difficulty option: easy, medium or hard (default hard)
  --mode 2d|3d      the game (default 2d); 3d plays torvik:PATH only
                    (3d, and --st against a UCI engine, run without xboard:
                    bench/uci_match.py, refereed by torvik-cli referee)
  --rules R         the 3D rule set: tournament or standard (default tournament)
  --first N         the first opening to play, 1..number of openings (default 1)
  --engine PATH     torvik-cli to run (default build-match/torvik-cli, else build/torvik-cli)
  --openings FILE   PGN of openings (default bench/openings.pgn; in 3d, move lists,
                    default bench/openings-3d.txt)
  --out DIR         where the results go (default bench/match-results/OPPONENT-DATE)
  --timeout S       give up after S seconds (default: 2.5 x the longest a match can take)
  --help            this text
EOF
}

opponent=stockfish:1350
games=20
tc=0:10
inc=0.1
mps=0
st=""
difficulty=hard
first=1
engine=""
openings=""
mode=2d
rules=tournament
out=""
timeout_s=""

while [ $# -gt 0 ]; do
  case "$1" in
    --opponent) opponent=$2; shift 2 ;;
    --games) games=$2; shift 2 ;;
    --tc) tc=$2; shift 2 ;;
    --inc) inc=$2; shift 2 ;;
    --mps) mps=$2; shift 2 ;;
    --st) st=$2; shift 2 ;;
    --difficulty) difficulty=$2; shift 2 ;;
    --mode) mode=$2; shift 2 ;;
    --rules) rules=$2; shift 2 ;;
    --first) first=$2; shift 2 ;;
    --engine) engine=$2; shift 2 ;;
    --openings) openings=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --help|-h) usage; exit 0 ;;
    *) echo "match.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
  esac
done

case "$difficulty" in easy|medium|hard) ;; *)
  echo "match.sh: --difficulty is easy, medium or hard" >&2; exit 2 ;;
esac
case "$mode" in 2d|3d) ;; *) echo "match.sh: --mode is 2d or 3d" >&2; exit 2 ;; esac
case "$rules" in tournament|standard) ;; *) echo "match.sh: --rules is tournament or standard" >&2; exit 2 ;; esac
games=$(( (games + 1) / 2 * 2 ))

# The 3D game, and a fixed time a move against a UCI engine (xboard's -st
# counts whole seconds, and polyglot passes no fraction of one), go without
# xboard: bench/uci_match.py speaks UCI to both engines and has torvik-cli
# referee judge every move.
direct=no
[ "$mode" = 3d ] && direct=yes
case "$opponent" in stockfish*|torvik:*) [ -n "$st" ] && direct=yes ;; esac
if [ "$direct" = yes ]; then
  case "$opponent" in
    torvik:?*) [ -x "${opponent#torvik:}" ] || { echo "match.sh: torvik:PATH needs an executable torvik-cli" >&2; exit 2; }
      opponent=torvik:$(cd "$(dirname "${opponent#torvik:}")" && pwd)/$(basename "${opponent#torvik:}") ;;
    stockfish|stockfish:*|stockfish-skill|stockfish-skill:*)
      [ "$mode" = 2d ] || { echo "match.sh: the 3D game is played against torvik:PATH only" >&2; exit 2; }
      PATH="$PATH:/usr/games" command -v stockfish >/dev/null || { echo "match.sh: missing stockfish" >&2; exit 3; } ;;
    *) echo "match.sh: $opponent does not speak UCI; the 3D game is played against torvik:PATH only" >&2; exit 2 ;;
  esac
  [ -z "$engine" ] && for e in "$root/build-match/torvik-cli" "$root/build/torvik-cli"; do
    [ -x "$e" ] && { engine=$e; break; }
  done
  [ -n "$engine" ] && [ -x "$engine" ] || { echo "match.sh: no torvik-cli; build one" >&2; exit 3; }
  engine=$(cd "$(dirname "$engine")" && pwd)/$(basename "$engine")
  if [ -n "$st" ]; then
    clock_label="${st}s-per-move"; clock_direct=(--st "$st")
  else
    clock_label="${tc}+${inc}"
    clock_direct=(--tc "$(python3 -c "m, _, s = '$tc'.partition(':'); print(float(m) * 60 + float(s or 0))")" --inc "$inc")
  fi
  label=${opponent//:/-}
  case "$opponent" in torvik:*) label=torvik-base ;; esac
  [ "$mode" = 3d ] && label="3d-$rules-$label"
  [ -z "$out" ] && out="$here/match-results/${label}-${clock_label//[:\/]/_}-$difficulty-$(date +%Y%m%d-%H%M%S)"
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
  opening_args=()
  [ -n "$openings" ] && opening_args=(--openings "$openings")
  {
    echo "Torvik:    $engine, Difficulty $difficulty"
    echo "opponent:  $opponent"
    echo "game:      $mode$([ "$mode" = 3d ] && echo ", $rules rules")"
    echo "clock:     $clock_label"
    echo "games:     $games, each opening twice, colours alternating; refereed by torvik-cli referee"
    echo "started:   $(date -Is)"
  } | tee "$out/match.txt"
  set +e
  python3 "$here/uci_match.py" --engine "$engine" --opponent "$opponent" --mode "$mode" --rules "$rules" \
    --games "$games" --first "$first" --difficulty "$difficulty" --out "$out" "${clock_direct[@]}" \
    "${opening_args[@]}" 2>&1 | tee -a "$out/match.txt"
  status=${PIPESTATUS[0]}
  set -e
  echo "finished:  $(date -Is) (status $status); games: $out/games.pgn" | tee -a "$out/match.txt"
  exit "$status"
fi
[ -z "$openings" ] && openings="$here/openings.pgn"

# Debian puts the engines and xboard in /usr/games.
export PATH="$PATH:/usr/games"

missing=()
for tool in xboard polyglot python3; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
opp_kind=${opponent%%:*}
opp_arg=""
[ "$opp_kind" != "$opponent" ] && opp_arg=${opponent#*:}
case "$opp_kind" in
  stockfish|stockfish-skill) command -v stockfish >/dev/null || missing+=(stockfish) ;;
  fairymax) command -v fairymax >/dev/null || missing+=(fairymax) ;;
  phalanx) command -v phalanx >/dev/null || missing+=(phalanx) ;;
  torvik) [ -x "$opp_arg" ] || { echo "match.sh: torvik:PATH needs an executable torvik-cli" >&2; exit 2; }
    opp_arg=$(cd "$(dirname "$opp_arg")" && pwd)/$(basename "$opp_arg") ;;
  *) echo "match.sh: unknown opponent $opponent" >&2; usage >&2; exit 2 ;;
esac
if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || missing+=(xvfb)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "match.sh: missing ${missing[*]}; install with" >&2
  echo "  apt-get install -y --no-install-recommends xboard polyglot xvfb xauth stockfish fairymax phalanx" >&2
  exit 3
fi

if [ -z "$engine" ]; then
  for e in "$root/build-match/torvik-cli" "$root/build/torvik-cli"; do
    [ -x "$e" ] && { engine=$e; break; }
  done
fi
if [ -z "$engine" ] || [ ! -x "$engine" ]; then
  echo "match.sh: no torvik-cli; build it with" >&2
  echo "  cmake -S . -B build-match -DCMAKE_BUILD_TYPE=Release && cmake --build build-match -j2 --target torvik-cli" >&2
  exit 3
fi
engine=$(cd "$(dirname "$engine")" && pwd)/$(basename "$engine")
torvik_name=$(printf 'uci\nquit\n' | timeout 10 "$engine" uci 2>/dev/null | sed -n 's/^id name //p' | head -n1 || true)
if [ -z "$torvik_name" ]; then
  echo "match.sh: $engine uci gave no 'id name': is the UCI front end there?" >&2
  exit 3
fi

openings=$(cd "$(dirname "$openings")" && pwd)/$(basename "$openings")
n_openings=$(grep -c '^\[Event ' "$openings")
if [ "$first" -lt 1 ] || [ "$first" -gt "$n_openings" ]; then
  echo "match.sh: --first is 1..$n_openings" >&2; exit 2
fi

if [ -n "$st" ]; then
  clock_label="${st}s-per-move"
  case "$st" in
    *[!0-9]*) echo "match.sh: xboard takes whole seconds a move (--st $st)" >&2; exit 2 ;;
  esac
  clock_args=(-st "0:$st")  # xboard's minutes:seconds
  per_game=$(python3 -c "print(int(2 * 80 * $st + 10))")
else
  clock_label="${tc}+${inc}"
  [ "$mps" != 0 ] && clock_label="${mps}-in-${tc}"
  clock_args=(-tc "$tc" -inc "$inc" -mps "$mps")
  # Seconds a game may take: both clocks run out, 80 moves of increments.
  per_game=$(python3 -c "
m, _, s = '$tc'.partition(':')
base = float(m) * 60 + float(s or 0)
print(int(2 * (base * (1 if $mps == 0 else 80 / $mps) + 80 * $inc) + 10))")
fi
[ -z "$timeout_s" ] && timeout_s=$(( per_game * games * 5 / 2 + 120 ))

stamp=$(date +%Y%m%d-%H%M%S)
if [ -z "$out" ]; then
  label=${opponent//:/-}
  [ "$opp_kind" = torvik ] && label=torvik-base
  out="$here/match-results/${label}-${clock_label//[:\/]/_}-$difficulty-$stamp"
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

# The openings, from the chosen one on and round again to the one before.
awk -v first="$first" '
  /^\[Event / { n++ }
  { if (n >= first) head = head $0 "\n"; else tail = tail $0 "\n" }
  END { printf "%s\n%s", head, tail }' "$openings" > "$out/openings.pgn"

# Torvik through a wrapper, so that its log lands in a file of its own.
cat > "$out/torvik-engine.sh" <<EOF
#!/bin/sh
exec "$engine" uci 2>>"$out/torvik-stderr.log"
EOF
chmod +x "$out/torvik-engine.sh"

# A UCI engine's options go as xboard's "option NAME=VALUE", which polyglot
# turns into setoption: a check option's value is 1 or 0 there (polyglot
# drops "true" without a word). Hash and threads are not options in xboard's
# protocol: xboard sends memory (-defaultHashSize) and cores (1), which
# polyglot passes on as Hash and Threads.
opp_args=()
opp_uci=""       # the opponent's command and options, when it speaks UCI
opp_options=""
case "$opp_kind" in
  stockfish)
    elo=${opp_arg:-1350}
    opp_uci=stockfish
    opp_options="UCI_LimitStrength=1,UCI_Elo=$elo"
    ;;
  stockfish-skill)
    opp_uci=stockfish
    opp_options="Skill Level=${opp_arg:-0}"
    ;;
  fairymax)
    opp_args=(-scp fairymax)
    ;;
  phalanx)
    # No book, no learning file, no pondering; -e is its easy level.
    opp_args=(-scp "phalanx -b- -l- -p- -e ${opp_arg:-0}")
    ;;
  torvik)
    cat > "$out/torvik-base.sh" <<EOF
#!/bin/sh
exec "$opp_arg" uci 2>>"$out/torvik-base-stderr.log"
EOF
    chmod +x "$out/torvik-base.sh"
    opp_uci=$out/torvik-base.sh
    opp_options="Difficulty=$difficulty"
    opp_args=(-sn Baseline)
    ;;
esac
[ -n "$opp_uci" ] && opp_args=(-scp "$opp_uci" -sUCI -secondOptions "$opp_options" "${opp_args[@]}")

# The options must reach the engines: polyglot is run once on each UCI engine
# as xboard will run it, and its log says what the engine was sent.
check_options() {
  if ! (cd "$out" && python3 "$here/check_uci_options.py" --engine "$1" --options "$2" --dir "$out"); then
    echo "match.sh: the options $2 do not reach $1; no match" >&2
    exit 3
  fi
}
options_applied="Torvik: $(check_options "$out/torvik-engine.sh" "Difficulty=$difficulty")"
[ -n "$opp_uci" ] && options_applied="$options_applied; opponent: $(check_options "$opp_uci" "$opp_options")"

# -ponderNextMove false: no engine thinks on the other's time, which would take
# the CPU from the engine that is thinking.
xboard_args=(
  -noGUI -matchMode true -matchGames "$games"
  "${clock_args[@]}" -autoCallFlag true -ponderNextMove false
  -fcp "$out/torvik-engine.sh" -fn Torvik -fd "$out" -fUCI -firstOptions "Difficulty=$difficulty"
  -defaultHashSize 16
  "${opp_args[@]}" -sd "$out"
  -loadGameFile "$out/openings.pgn" -loadGameIndex -2 -rewindIndex "$n_openings"
  -saveGameFile "$out/games.pgn" -pgnExtendedInfo true
  -testClaims true -checkMates true -materialDraws true -trivialDraws false
  -ruleMoves 50 -repeatsToDraw 3 -adjudicateDrawMoves 400
  -popupExitMessage false -popupMoveErrors false
  -settingsFile /dev/null -saveSettingsOnExit false -soundProgram ""
  -debug -nameOfDebugFile "$out/xboard-debug.log"
)
{
  echo "Torvik:    $torvik_name ($engine), Difficulty $difficulty"
  echo "opponent:  $opponent"
  echo "options:   $options_applied"
  echo "clock:     $clock_label"
  echo "games:     $games from $n_openings openings ($openings), colours alternating"
  echo "started:   $(date -Is)"
} | tee "$out/match.txt"

echo "xboard ${xboard_args[*]}" > "$out/xboard-command.txt"
(
  cd "$out"
  launch=(sh -c 'echo $$ > "$0/xboard.pid"; exec xboard "$@"' "$out" "${xboard_args[@]}")
  if [ -n "${DISPLAY:-}" ]; then
    "${launch[@]}"
  else
    xvfb-run -a "${launch[@]}"
  fi
) > "$out/xboard-output.log" 2>&1 &
runner=$!

# xboard prints the final score at the end of a match but stays open with
# -noGUI, so the script ends it; it also ends a match that overruns.
start=$(date +%s)
done_games=0
status=finished
while kill -0 "$runner" 2>/dev/null; do
  sleep 2
  if grep -q 'final score' "$out/xboard-output.log" 2>/dev/null; then
    sleep 2
    break
  fi
  if grep -qiE "can't have a match|could not|failed to start" "$out/xboard-output.log" 2>/dev/null; then
    status="xboard gave up: $(grep -iE "can't have a match|could not|failed to start" "$out/xboard-output.log" | head -n1)"
    echo "match.sh: $status" >&2
    break
  fi
  now=$(grep -c '^\[Result ' "$out/games.pgn" 2>/dev/null || true)
  if [ "${now:-0}" != "$done_games" ]; then
    done_games=${now:-0}
    echo "  $done_games/$games games played ($(( $(date +%s) - start )) s)"
  fi
  if [ $(( $(date +%s) - start )) -gt "$timeout_s" ]; then
    status="stopped after $timeout_s s"
    echo "match.sh: the match overran $timeout_s s; stopping it" >&2
    break
  fi
done
if [ -s "$out/xboard.pid" ]; then
  xpid=$(cat "$out/xboard.pid")
  kill "$xpid" 2>/dev/null || true
fi
wait "$runner" 2>/dev/null || true

{
  echo "finished:  $(date -Is) ($status, $(( $(date +%s) - start )) s)"
  grep 'final score' "$out/xboard-output.log" | head -n1 || true
  if [ -s "$out/games.pgn" ]; then
    python3 "$here/elo.py" "$out/games.pgn" --engine Torvik
  else
    echo "no games were saved; see $out/xboard-output.log and $out/xboard-debug.log"
  fi
  if [ -s "$out/torvik-stderr.log" ] && grep -qiE 'error|illegal|abort|assert' "$out/torvik-stderr.log"; then
    echo "Torvik's log has errors: $out/torvik-stderr.log"
  fi
  echo "games: $out/games.pgn"
} | tee -a "$out/match.txt"
