#!/usr/bin/env bash
# Soak: the engine against itself, game after game, in each game mode (2D, 3D
# under the tournament rules, 3D under the standard rules): first at Easy with
# the sanitizer build, then at Hard with the plain build. Fails on an illegal
# move, a resignation (the engine finding no move where the rules see one), a
# crash or a sanitizer report. For each run it prints the games, the
# time, the tally of how they ended, and the engine process's peak resident
# size early on and at the end, so that memory that grows game by game shows.
# Run by hand (it takes hours at the defaults); not part of CI.
#
#   bench/soak.sh [EASY_GAMES [HARD_GAMES]]       defaults 1000 and 100 per mode
#
# Environment: SOAK_SEED (1) the first game's seed; PLAIN_BUILD (build) and
# ASAN_BUILD (build-asan) where the two builds of torvik-cli are made; SOAK_LOGS
# (/tmp/torvik-soak) where each run's output is kept.
set -uo pipefail
cd "$(dirname "$0")/.."

easy_games=${1:-1000}
hard_games=${2:-100}
seed=${SOAK_SEED:-1}
plain=${PLAIN_BUILD:-build}
asan=${ASAN_BUILD:-build-asan}
logs=${SOAK_LOGS:-${TMPDIR:-/tmp}/torvik-soak}
jobs=$(nproc 2>/dev/null || echo 2)

build() {
  if [ "$easy_games" -gt 0 ]; then
    make --no-print-directory sanitize-configure ASAN_BUILD="$asan" || return 1
    cmake --build "$asan" -j "$jobs" --target torvik-cli > /dev/null || return 1
  fi
  if [ "$hard_games" -gt 0 ]; then
    make --no-print-directory configure BUILD="$plain" || return 1
    cmake --build "$plain" -j "$jobs" --target torvik-cli > /dev/null || return 1
  fi
}
build || { echo "soak: build failed"; exit 2; }
mkdir -p "$logs"

# VmHWM (peak resident size, kB) of a live process; empty once it has exited.
peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }
running() { [ -r "/proc/$1/status" ] && ! grep -q '^State:.*Z' "/proc/$1/status" 2>/dev/null; }

failures=0
# soak LABEL CLI DIFFICULTY GAMES MODE [RULES]
soak() {
  local label=$1 cli=$2 difficulty=$3 games=$4 mode=$5 rules=${6:-}
  [ "$games" -gt 0 ] || return 0
  local out="$logs/$label.out" err="$logs/$label.err"
  local args=(selfplay --mode "$mode" --games "$games" --difficulty "$difficulty" --seed "$seed")
  [ -n "$rules" ] && args+=(--rules "$rules")
  local early=$(( games / 20 > 0 ? games / 20 : 1 ))  # "early": after the first 5% of the games
  local start end played peak first_peak="" last_peak="" rc
  start=$(date +%s.%N)
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$cli" "${args[@]}" > "$out" 2> "$err" &
  local pid=$!
  while running "$pid"; do
    peak=$(peak_kb "$pid")
    if [ -n "$peak" ]; then
      last_peak=$peak
      played=$(grep -c '^game ' "$out" 2>/dev/null)
      if [ -z "$first_peak" ] && [ "${played:-0}" -ge "$early" ]; then first_peak=$peak; fi
    fi
    sleep 0.5
  done
  wait "$pid"; rc=$?
  end=$(date +%s.%N)
  [ -n "$first_peak" ] || first_peak=$last_peak
  local tally
  tally=$(grep '^games ' "$out" | tail -1)
  printf '%-14s %-6s %5s games %8.1f s  peak RSS after %d games %s MB, at the end %s MB\n' \
    "$label" "$difficulty" "$games" "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" "$early" \
    "$(( ${first_peak:-0} / 1024 ))" "$(( ${last_peak:-0} / 1024 ))"
  echo "               ${tally:-no tally: the run did not finish}"
  # The engine resigns only when it finds no move where the rules see one: a failure too.
  if [ "$rc" -ne 0 ] || [ -z "$tally" ] || [[ "$tally" == *resigned* ]] ||
      grep -qE 'Sanitizer|runtime error' "$err"; then
    echo "soak: $label FAILED (exit status $rc); the end of $err and $out:"
    tail -n 30 "$err"
    grep -A3 -E 'illegal|resigned' "$out" | tail -n 20
    failures=$(( failures + 1 ))
  fi
}

# every_mode DIFFICULTY CLI GAMES: the 2D game and the 3D game under both rule sets
every_mode() {
  soak "$1-2d" "$2" "$1" "$3" 2d
  soak "$1-3d-tourn" "$2" "$1" "$3" 3d tournament
  soak "$1-3d-std" "$2" "$1" "$3" 3d standard
}

echo "soak: seed $seed; logs in $logs"
every_mode easy "$asan/torvik-cli" "$easy_games"
if [ "$easy_games" -gt 0 ]; then
  echo "               (the sanitizer build's sizes include AddressSanitizer's quarantine of freed"
  echo "               memory, up to 256 MB; a leak is reported by LeakSanitizer at the end of a run)"
fi
every_mode hard "$plain/torvik-cli" "$hard_games"

if [ "$failures" -ne 0 ]; then
  echo "soak: $failures run(s) failed"
  exit 1
fi
echo "soak: every run ended without an illegal move, a crash or a sanitizer report"
