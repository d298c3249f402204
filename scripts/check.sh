#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#
#   scripts/check.sh              the default configuration (Qt 6)
#   scripts/check.sh asan qt5     the named configurations, one after another
#
# Configurations are the presets in CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default)

for preset in "${presets[@]}"; do
  echo "== ${preset}: configure"
  cmake --preset "$preset"
  echo "== ${preset}: build"
  cmake --build --preset "$preset"
  echo "== ${preset}: test"
  ctest --preset "$preset"
done
