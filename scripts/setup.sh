#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Safe to run again: packages already present are left as they are, and the
# package lists are refreshed only when something is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  # Qt 6 Widgets (default) and Qt 5.15 (the qt5 configuration)
  qt6-base-dev qt6-tools-dev qt6-l10n-tools
  qtbase5-dev qttools5-dev qttools5-dev-tools
  # the context's recursive mutex
  libboost-thread-dev
  # media files in the development host
  libavformat-dev libavcodec-dev libavutil-dev
  # readable text in offscreen screenshots; a real display for desktop runs
  fonts-dejavu-core xvfb xauth
  # the fuzz targets (clang with libFuzzer) and the memory check
  clang libclang-rt-14-dev valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages already installed"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}" >&2
  echo "setup: run this script as root to install them" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
