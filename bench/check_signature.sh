#!/usr/bin/env bash
# The engine's signature: the total node count of `torvik-cli bench`, which is
# the same on every machine and in every run, and the hash of the evaluation's
# scores it prints, against the two recorded in bench/signature (first line the
# nodes, second the hash). A change meant to keep the engine's play keeps the
# count; one meant to keep every score keeps the hash too; a change that alters
# either records the new figure in the same commit.
#   bench/check_signature.sh [BUILD_DIR]     (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/torvik-cli
if [ ! -x "$cli" ]; then
  echo "signature: $cli not built" >&2
  exit 1
fi
expected=$(sed -n 1p bench/signature | tr -d '[:space:]')
expected_hash=$(sed -n 2p bench/signature | tr -d '[:space:]')
if ! out=$("$cli" bench 2>/dev/null); then
  echo "signature: torvik-cli bench failed" >&2
  exit 1
fi
last=$(tail -n 1 <<< "$out")
hash=$(sed -n 's/^evaluation: \([0-9a-f]*\) over .*/\1/p' <<< "$out")
got=$(sed -n 's/^bench: \([0-9][0-9]*\) nodes .*/\1/p' <<< "$last")
if [ -z "$got" ]; then
  echo "signature: no node count in '$last'" >&2
  exit 1
fi
if [ "$got" != "$expected" ]; then
  echo "signature: torvik-cli bench gives $got nodes, bench/signature says $expected" >&2
  exit 1
fi
if [ "$hash" != "$expected_hash" ]; then
  echo "signature: torvik-cli bench gives evaluation hash '$hash', bench/signature says $expected_hash" >&2
  exit 1
fi
echo "signature: $got nodes and evaluation $hash, as recorded ($last)"
