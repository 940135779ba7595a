#!/usr/bin/env bash
# Installs the Debian packages Torvik needs to build, run and test; only the missing ones.
set -euo pipefail

packages=(
  g++ make cmake
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libx11-dev
  libgtest-dev
  xvfb xdotool
  zenity
  polyglot
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
