#!/bin/bash
# Runs every fuzz target of a libFuzzer build, one worker per core.
#   tools/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
# Each worker fuzzes for SECONDS; with FUZZ_RUNS set, the workers instead
# share that many executions between them (a campaign of a fixed size).
# FUZZ_JOBS sets the number of workers (default: one per core), FUZZ_TIMEOUT
# the seconds an input may take before it counts as a hang (default 1; give
# more on a machine loaded by other work, where a stall is no hang).
# New corpus entries go to BUILD_DIR/corpus/<target>/, the workers' logs to
# BUILD_DIR/logs/<target>/, and an input that crashes, hangs (see above),
# leaks or allocates over 256 MiB at once to BUILD_DIR/findings/<target>/.
# Seeds: the corpus made by the build, fuzz/seeds/ and the saved
# reproducers in tests/fuzz-regressions/.
set -euo pipefail
build=$(cd "${1:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}" && pwd)
seconds=${2:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
cores=${FUZZ_JOBS:-$(nproc)}
if [ $# -eq 0 ]; then
  set -- $(cd "$root/fuzz/dict" && ls *.dict | sed 's/\.dict$//')
fi
if [ -n "${FUZZ_RUNS:-}" ]; then
  limit=(-runs=$(( (FUZZ_RUNS + cores - 1) / cores )))
else
  limit=(-max_total_time="$seconds")
fi
status=0
for target in "$@"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  logs="$build/logs/$target"
  rm -rf "$logs"
  mkdir -p "$corpus" "$findings" "$logs"
  inputs=("$build/fuzz/seeds/$target" "$root/fuzz/seeds/$target")
  [ -d "$root/tests/fuzz-regressions/$target" ] && inputs+=("$root/tests/fuzz-regressions/$target")
  echo "== $target: $cores workers, ${limit[*]}"
  (cd "$logs" && "$build/fuzz/fuzz_$target" "$corpus" "${inputs[@]}" \
      -dict="$root/fuzz/dict/$target.dict" \
      -jobs="$cores" -workers="$cores" "${limit[@]}" \
      -timeout="${FUZZ_TIMEOUT:-1}" -rss_limit_mb=2048 -malloc_limit_mb=256 \
      -artifact_prefix="$findings/" -print_final_stats=1 > /dev/null 2>&1) || true
  runs=$(cat "$logs"/fuzz-*.log | awk '/^stat::number_of_executed_units/ {n += $2} END {print n + 0}')
  cov=$(cat "$logs"/fuzz-*.log | grep -o 'cov: [0-9]*' | awk '{print $2}' | sort -n | tail -1)
  found=$(ls "$findings" | wc -l)
  echo "== $target: $runs executions, coverage ${cov:-0} edges, $found findings"
  [ "$found" -eq 0 ] || status=1
done
exit $status
