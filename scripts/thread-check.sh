#!/usr/bin/env bash
# The plug-in query's lock tests under ThreadSanitizer: the tests that take
# the context's lock from a second thread while a filter runs, run a query
# from inside a filter, and throw while the lock is held.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset tsan >/dev/null
cmake --build --preset tsan
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" build/tsan/tests/plugin_query_tests
