#!/usr/bin/env bash
# Runs the table engine's fuzz targets (libFuzzer, with AddressSanitizer and
# UndefinedBehaviorSanitizer) for a chosen time each. Needs clang and
# libclang-rt-14-dev. The normal test run only replays the corpus.
#   scripts/db-fuzz.sh [seconds per target, default 60] [target ...]
# Inputs that crash are written to build-fuzz/crashes/<target>/; once the
# fault is mended, copy each into tests/platform/db/fuzz/corpus/<target>/ so
# that ctest replays it from then on.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SECONDS_EACH=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(table filter values tags journal batch replace)
if ! command -v clang++ >/dev/null; then
  echo "db-fuzz: clang++ is missing (apt-get install clang libclang-rt-14-dev)" >&2
  exit 1
fi
BUILD="$ROOT/build-fuzz"
FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DTARNWICK_FUZZ=ON -DTARNWICK_BUILD_TESTS=ON -DTARNWICK_BUILD_BENCHMARKS=OFF \
  >/dev/null
cmake --build "$BUILD" -j4 --target $(printf 'tw_db_fuzz_%s ' "${TARGETS[@]}")
status=0
for t in "${TARGETS[@]}"; do
  work="$BUILD/corpus/$t"
  crashes="$BUILD/crashes/$t"
  mkdir -p "$work" "$crashes"
  echo "== $t for ${SECONDS_EACH}s"
  if ! "$BUILD/tests/platform/db/fuzz/tw_db_fuzz_$t" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 \
      -artifact_prefix="$crashes/" "$work" "$ROOT/tests/platform/db/fuzz/corpus/$t"; then
    echo "db-fuzz: $t found a crash; see $crashes" >&2
    status=1
  fi
done
exit $status
