#!/usr/bin/env bash
# The engine's signature: the total node count of `torvik-cli bench`, which is
# the same on every machine and in every run, against the one recorded in
# bench/signature. A change meant to keep the engine's play keeps it; a change
# that alters play records the new count in the same commit.
#   bench/check_signature.sh [BUILD_DIR]     (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/torvik-cli
if [ ! -x "$cli" ]; then
  echo "signature: $cli not built" >&2
  exit 1
fi
expected=$(tr -d '[:space:]' < bench/signature)
if ! last=$("$cli" bench 2>/dev/null | tail -n 1); then
  echo "signature: torvik-cli bench failed" >&2
  exit 1
fi
got=$(sed -n 's/^bench: \([0-9][0-9]*\) nodes .*/\1/p' <<< "$last")
if [ -z "$got" ]; then
  echo "signature: no node count in '$last'" >&2
  exit 1
fi
if [ "$got" != "$expected" ]; then
  echo "signature: torvik-cli bench gives $got nodes, bench/signature says $expected" >&2
  exit 1
fi
echo "signature: $got nodes, as recorded ($last)"
