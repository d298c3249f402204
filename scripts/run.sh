#!/usr/bin/env bash
# The main job: installs what is missing, builds the development host and the
# plug-in, and plays the built-in sample, showing the plug-in's window.
#
#   scripts/run.sh                    on this display; without one, the rows
#                                     are printed and the window written as
#                                     devhost-window.png
#   scripts/run.sh [options] [file]   any devhost arguments (devhost --help)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target devhost FileInfoPlugin

devhost=build/default/devhost/devhost

if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  "$devhost" --print --screenshot devhost-window.png
  echo "No display: the window was written to $(pwd)/devhost-window.png"
else
  exec "$devhost" "$@"
fi
