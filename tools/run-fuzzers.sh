#!/bin/bash
# Runs every fuzz target of a libFuzzer build for a while, on all cores.
#   tools/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
# New corpus entries go to BUILD_DIR/corpus/<target>/; a crash, hang, leak or
# out-of-memory input is kept in BUILD_DIR/findings/<target>/ and stops that
# target. Seeds: the corpus made by the build, fuzz/seeds/ and the saved
# reproducers in tests/fuzz-regressions/.
set -euo pipefail
build=${1:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
seconds=${2:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
cores=$(nproc)
if [ $# -eq 0 ]; then
  set -- $(cd "$root/fuzz/dict" && ls *.dict | sed 's/\.dict$//')
fi
status=0
for target in "$@"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  inputs=("$build/fuzz/seeds/$target" "$root/fuzz/seeds/$target")
  [ -d "$root/tests/fuzz-regressions/$target" ] && inputs+=("$root/tests/fuzz-regressions/$target")
  echo "== $target: $seconds s on $cores cores"
  if ! "$build/fuzz/fuzz_$target" "$corpus" "${inputs[@]}" \
        -dict="$root/fuzz/dict/$target.dict" \
        -fork="$cores" -max_total_time="$seconds" \
        -timeout=1 -rss_limit_mb=2048 -malloc_limit_mb=256 \
        -artifact_prefix="$findings/" -print_final_stats=1; then
    echo "== $target: FINDING, see $findings/"
    status=1
  fi
done
exit $status
