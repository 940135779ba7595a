#!/usr/bin/env bash
# Runs each fuzz target built in BUILD_DIR for SECONDS, from a copy of its seed
# corpus in fuzz/corpus/<target> (so the repository is left as it was).
# Fails when a target crashes; the input that did is kept in BUILD_DIR/fuzz/findings.
#   fuzz/run.sh BUILD_DIR [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: fuzz/run.sh BUILD_DIR [SECONDS] [TARGET...]}
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in fuzz/corpus/*/; do
    t=$(basename "$t")
    if [ -x "$build/fuzz/fuzz_$t" ]; then
      targets+=("$t")
    else
      echo "fuzz: fuzz_$t not built, skipped"
    fi
  done
fi

work="$build/fuzz/work"
findings="$build/fuzz/findings"
mkdir -p "$findings"
failed=()
for t in "${targets[@]}"; do
  rm -rf "$work/$t"
  mkdir -p "$work/$t"
  cp fuzz/corpus/"$t"/* "$work/$t"/
  dict=()
  if [ -f "fuzz/$t.dict" ]; then dict=(-dict="fuzz/$t.dict"); fi
  echo "fuzz: $t for ${seconds}s from $(ls "$work/$t" | wc -l) seeds"
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$findings/$t-" "${dict[@]}" "$work/$t" > "$build/fuzz/$t.log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/fuzz/$t.log" | tr '\n' ' '
    echo "$(tail -n +1 "$build/fuzz/$t.log" | grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9/]+[a-zA-Z]*' | tail -1)"
  else
    echo "fuzz: $t FAILED; its log:"
    tail -n 60 "$build/fuzz/$t.log"
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: crashes in ${failed[*]} (inputs in $findings)"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a crash"
