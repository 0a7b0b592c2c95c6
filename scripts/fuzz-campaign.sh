#!/usr/bin/env bash
# Long fuzzing runs, for the figures of docs/robustness.md.
#
#   bash scripts/fuzz-campaign.sh SECONDS [TARGET...]
#
# Runs each target (all of fuzz/ when none is named), one after the other,
# for SECONDS each, from its seed corpus in fuzz/corpus/<target> plus the
# working corpus of earlier campaigns on this machine (build/fuzz/campaign/).
# Run two at a time on a machine of two cores, with different targets, or
# with the same target under different worker names:
#
#   FUZZ_WORKER=b bash scripts/fuzz-campaign.sh SECONDS TARGET
#
# gives the run its own working corpus (build/fuzz/campaign/<target>-b), so
# the two fuzzers do not take each other's files; their merges take turns.
#
# Inputs slower than a second (about 20 to 50 ms natively: the sanitizers and
# the fuzzer's tracing cost that much) are written to the artifact folder
# instead of stopping the run; a crash, a sanitizer report or an input slower
# than the timeout stops it. The grown working corpus stays outside the
# repository, in build/fuzz/campaign/. At the end the seed corpus and the
# working corpus are merged into an empty folder (libFuzzer -merge=1), which
# then replaces fuzz/corpus/<target>: the repository keeps only inputs that
# add coverage, and the next campaign, here or on another machine, starts
# where this one stopped. Inputs with a name of their own (not a 40-digit
# hash) are hand-written seeds or kept regression inputs and always stay.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz-campaign.sh SECONDS [TARGET...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for corpus in fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

mkdir -p build
# Two campaigns started together build one after the other.
(flock 9 && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null) 9>build/.fuzz-build.lock || exit 1

# Text readers learn nothing from inputs longer than a kilobyte that shorter
# ones do not show (long lines and huge files are unit tests), and run twice
# as fast without them. Pictures and plans carry 40 x 40 bitmaps of 4854 bytes.
max_len_of() {
  case "$1" in
    picture | plan_file) echo 16384 ;;
    *) echo 1024 ;;
  esac
}

# Replaces fuzz/corpus/TARGET by the inputs of it and of WORK/corpus that add
# coverage; the named seeds are put in first, so the merge keeps them.
minimise() {
  local target=$1 work=$2 seed="fuzz/corpus/$1" merged="$2/merged"
  rm -rf "$merged" && mkdir -p "$merged"
  find "$seed" -maxdepth 1 -type f ! -regex '.*/[0-9a-f]\{40\}' -exec cp {} "$merged/" \;
  "build/fuzz/${target}_fuzz" -merge=1 -timeout=10 -max_len="$(max_len_of "$target")" \
    "$merged" "$seed" "$work/corpus" >"$work/merge.log" 2>&1 || return 1
  [ -n "$(ls -A "$merged")" ] || return 1
  rm -f "$seed"/* && cp "$merged"/* "$seed/"
}

for target in "${targets[@]}"; do
  work=build/fuzz/campaign/$target${FUZZ_WORKER:+-$FUZZ_WORKER}
  mkdir -p "$work/corpus" "$work/artifacts"
  log=$work/$(date +%Y%m%d-%H%M%S).log
  "build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -report_slow_units=1 \
    -max_len="$(max_len_of "$target")" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "fuzz/corpus/$target" >"$log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
  [ -z "$runs" ] && runs=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#')
  slow=$(ls "$work/artifacts" | grep -c '^slow-unit-' || true)
  echo "$target: ${runs:-0} executions in $seconds s, exit $status, $slow slow inputs kept; log $log"
  (flock 8 && minimise "$target" "$work") 8>"build/fuzz/campaign/$target.merge.lock"
done
