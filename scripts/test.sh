#!/usr/bin/env bash
# Installs what is missing, checks the layering of the includes and the
# layout of the sources, builds both presets and runs every test: the native
# unit tests, then the end-to-end tests of the real exes under Wine on a
# virtual display. Ends with the line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
KESTRUN_ROOT=$(pwd)

scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
log_dir=build/test-logs
mkdir -p "$log_dir"

# Adds the counts of one CTest run ("N% tests passed, F tests failed out of T").
count_ctest() {
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  fails=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.*failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

# Runs one step; a step that fails to build counts as one failure.
build() {
  local name=$1; shift
  if ! "$@" >"$log_dir/$name.log" 2>&1; then
    echo "== $name failed:"; tail -n 60 "$log_dir/$name.log"
    failed=$((failed + 1))
    return 1
  fi
}

# Runs one check script; it counts as one test and prints one line: its own
# summary when it passes, the first thing it found and its log when it fails.
check() {
  local name=$1 script=$2 log="$log_dir/$1.log"
  if "$script" >"$log" 2>&1; then
    echo "$name: $(tail -n 1 "$log")"
    passed=$((passed + 1))
  else
    echo "$name FAILED: $(tail -n 1 "$log"); first: $(head -n 1 "$log"); all in $log"
    failed=$((failed + 1))
  fi
}

echo "== source checks"
check check-layers scripts/check-layers.sh
check check-format scripts/check-format.sh
check check-guide scripts/check-guide.sh

jobs=$(nproc)
export CTEST_PARALLEL_LEVEL=1
export GTEST_COLOR=no

echo "== native build and unit tests"
if build configure-linux cmake --preset linux && build build-linux cmake --build --preset linux -j "$jobs"; then
  ctest --preset linux --timeout 120 -j "$jobs" 2>&1 | tee "$log_dir/ctest-linux.log" | grep -E 'tests passed|\*\*\*|Failed|Timeout' || true
  count_ctest "$log_dir/ctest-linux.log"
fi

echo "== sanitizer build and unit tests"
if build configure-sanitize cmake --preset linux-sanitize && build build-sanitize cmake --build --preset linux-sanitize -j "$jobs"; then
  # The million-tick soak is left to the native run above, where it takes
  # seconds; the fifty-thousand-tick soak runs here.
  (cd build/linux-sanitize && ./unit_tests --gtest_brief=1 --gtest_filter=-RunSoakTest.EveryKindForAMillionTicks) \
    >"$log_dir/sanitize.log" 2>&1
  if [ $? -eq 0 ]; then
    echo "sanitizer unit tests clean"
  else
    echo "sanitizer unit tests FAILED:"; tail -n 40 "$log_dir/sanitize.log"
    failed=$((failed + 1))
  fi
fi

echo "== fuzz targets: a short fixed pass on each seed corpus"
# Each target counts as one test: a fixed number of inputs from a fixed seed,
# starting from its seed corpus in fuzz/corpus (new inputs go to a scratch
# folder, never into the repository). The long runs are in docs/robustness.md.
fuzz_runs=20000
if build configure-fuzz cmake --preset fuzz && build build-fuzz cmake --build --preset fuzz -j "$jobs"; then
  for corpus in fuzz/corpus/*/; do
    target=$(basename "$corpus")
    scratch=build/fuzz/scratch/$target
    rm -rf "$scratch" && mkdir -p "$scratch"
    if "build/fuzz/${target}_fuzz" -runs=$fuzz_runs -seed=1 -timeout=5 -rss_limit_mb=2048 \
        -artifact_prefix="$scratch/" "$scratch" "$corpus" >"$log_dir/fuzz-$target.log" 2>&1; then
      echo "fuzz $target: $fuzz_runs runs clean"
      passed=$((passed + 1))
    else
      echo "fuzz $target FAILED:"; grep -E 'ERROR|runtime error|SUMMARY|#[0-9]+ 0x.* in [a-z]' "$log_dir/fuzz-$target.log" | head -n 20
      failed=$((failed + 1))
    fi
  done
fi

echo "== windows build and end-to-end tests under Wine"
if build configure-windows cmake --preset windows && build build-windows cmake --build --preset windows -j "$jobs"; then
  check package scripts/check-package.sh
  # shellcheck source=wine-env.sh
  source scripts/wine-env.sh
  wine_env_start fresh
  ctest --preset windows --timeout 180 2>&1 | tee "$log_dir/ctest-windows.log" | grep -E 'tests passed|\*\*\*|Failed|Timeout' || true
  count_ctest "$log_dir/ctest-windows.log"
  wine_env_stop
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
