#!/usr/bin/env bash
# The main job: installs what is missing, builds the development host and the
# plug-in, and runs the host on its defaults, showing the plug-in's window.
#
#   scripts/run.sh                      on this display, or as a PNG without one
#   scripts/run.sh --screenshot w.png   any devhost options (devhost --help)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target devhost FileInfoPlugin

devhost=build/default/devhost/devhost
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No display to show the window on: write what it would show instead.
  "$devhost" --screenshot devhost-window.png
  echo "No display: the window was written to $(pwd)/devhost-window.png"
else
  exec "$devhost" "$@"
fi
