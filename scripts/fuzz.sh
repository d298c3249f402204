#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each on its seed corpus.
#
#   scripts/fuzz.sh                    each target for 60 seconds
#   scripts/fuzz.sh --seconds 600      each target for ten minutes
#   scripts/fuzz.sh --runs 5000        each target for a fixed number of inputs
#                                      (what CI does)
#   scripts/fuzz.sh ... fuzz_refresh   only the named targets
#
# New inputs that grew coverage are kept in build/fuzz/corpus/<target>; a
# crashing input is written to build/fuzz/findings/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time=60)
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    # A fixed seed too, so that CI's short runs are repeatable.
    --runs) limit=(-runs="$2" -seed=1); shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_scenario fuzz_lookups fuzz_containers fuzz_refresh)

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  seeds="fuzz/corpus/${target#fuzz_}"
  grown="build/fuzz/corpus/${target#fuzz_}"
  mkdir -p "$grown"
  echo "== $target"
  # The first corpus folder receives what the run finds; the seeds stay as
  # committed.
  log="build/fuzz/$target.log"
  status=0
  "build/fuzz/fuzz/$target" "${limit[@]}" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$target-" "$grown" "$seeds" >"$log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "$target found a fault (status $status); the input is in build/fuzz/findings/" >&2
    exit "$status"
  fi
done
