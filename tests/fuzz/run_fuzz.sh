#!/usr/bin/env bash
# Runs every fuzz target of a TEMURA_FUZZ build for the given number of seconds, as many at a
# time as there are jobs, each from its committed corpus (never written to: new inputs go to a
# work corpus in the build folder). With --merge it then folds the work corpus into the
# committed one, keeping only inputs that reach code no other input does (SECONDS 0: only that).
#   tests/fuzz/run_fuzz.sh BUILD_FOLDER SECONDS [JOBS] [--merge]
# TARGETS="reg_tree catalogue" picks some of the targets.
set -uo pipefail
cd "$(dirname "$0")/../.."

build=${1:?build folder}
seconds=${2:?seconds per target}
jobs=${3:-2}
merge=${4:-}
all_targets="ini_document reg_tree settings_file catalogue command_line hour_min day_month
  stopwatch_reading"
read -r -a targets <<<"$(echo ${TARGETS:-$all_targets})"
declare -A dicts=([ini_document]=ini [settings_file]=ini [catalogue]=ini [reg_tree]=reg_tree
  [command_line]=command_line [hour_min]=numbers [day_month]=numbers
  [stopwatch_reading]=numbers)

out=$build/fuzz-run
mkdir -p "$out"

run_one() {
  local name=$1
  local work=$out/work/$name artifacts=$out/artifacts/$name/
  mkdir -p "$work" "$artifacts"
  "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts" \
    -dict="tests/fuzz/dict/${dicts[$name]}.dict" \
    "$work" "tests/fuzz/corpus/$name" >"$out/$name.log" 2>&1
}

for name in "${targets[@]}"; do
  if [ ! -x "$build/tests/fuzz/fuzz_$name" ]; then
    echo "no fuzz_$name in $build: configure it with -DTEMURA_FUZZ=ON" >&2
    exit 2
  fi
done

if [ "$seconds" -gt 0 ]; then
  echo "Fuzzing ${#targets[@]} targets for ${seconds}s each, $jobs at a time; logs in $out"
  declare -A pids
  for name in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
    run_one "$name" &
    pids[$name]=$!
  done

  failed=0
  for name in "${targets[@]}"; do
    if wait "${pids[$name]}"; then status=ok; else status=FAILED; failed=1; fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log" | tail -1)
    printf '%-20s %12s executions  %s\n' "$name" "${runs:-?}" "$status"
    if [ "$status" = FAILED ]; then
      grep -E 'ERROR|SUMMARY|property failed|runtime error' "$out/$name.log" | head -5 | sed 's/^/    /'
      ls "$out/artifacts/$name/" 2>/dev/null | sed 's/^/    artifact: /'
    fi
  done
  [ "$failed" -eq 0 ] || exit 1
fi

if [ "$merge" = --merge ]; then
  for name in "${targets[@]}"; do
    merged=$out/merged/$name
    rm -rf "$merged" && mkdir -p "$merged"
    # Inputs with names of their own (seeds, the inputs of faults found) always stay; libFuzzer
    # names the ones it finds by their SHA-1.
    find "tests/fuzz/corpus/$name" -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' -exec cp {} "$merged/" \;
    # Edges only, not hit counts: one input per piece of code keeps the committed corpus small.
    "$build/tests/fuzz/fuzz_$name" -merge=1 -use_counters=0 "$merged" "tests/fuzz/corpus/$name" \
      "$out/work/$name" >"$out/$name.merge.log" 2>&1 || { echo "merge of $name failed" >&2; exit 1; }
    rm -f "tests/fuzz/corpus/$name"/*
    cp "$merged"/* "tests/fuzz/corpus/$name/"
    echo "$name: $(ls "tests/fuzz/corpus/$name" | wc -l) inputs kept"
  done
fi
