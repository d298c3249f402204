#!/usr/bin/env bash
# One end-to-end run of the development host under valgrind's memcheck: the
# built-in sample played through the built plug-in, its rows printed. Fails
# on any memory error or on memory definitely lost.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target devhost FileInfoPlugin
valgrind --quiet --error-exitcode=3 --leak-check=full --errors-for-leak-kinds=definite \
  --show-leak-kinds=definite build/default/devhost/devhost --print
