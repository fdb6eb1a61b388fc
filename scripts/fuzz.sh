#!/usr/bin/env bash
# fuzz.sh BUILD SECONDS JOBS: runs every fuzz target for SECONDS, JOBS at a
# time. The corpus grows in BUILD/corpus/<target>; an input that fails is
# kept in BUILD/hallazgos/<target> (copy it to fuzz/regresiones/<target> once
# it is fixed). Fails when any target found something.
set -uo pipefail
build=$1 segundos=${2:-600} jobs=${3:-2}
raiz=$(cd "$(dirname "$0")/.." && pwd)
objetivos=(numero calc anual catalogo lluvia documento)

corre() {
  local t=$1
  mkdir -p "$build/corpus/$t" "$build/hallazgos/$t"
  "$build/fuzz/fuzz_$t" -max_total_time="$segundos" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/hallazgos/$t/" "$build/corpus/$t" "$raiz/fuzz/semillas/$t" \
    $( [ -d "$raiz/fuzz/regresiones/$t" ] && echo "$raiz/fuzz/regresiones/$t" ) >"$build/fuzz_$t.log" 2>&1
}

declare -A pids
fallos=0
for t in "${objetivos[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  echo "fuzzing $t for ${segundos}s (log: $build/fuzz_$t.log)"
  corre "$t" &
  pids[$t]=$!
done
for t in "${objetivos[@]}"; do
  if wait "${pids[$t]}"; then
    echo "$t: clean, $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz_$t.log" | grep -o '[0-9]*$') runs"
  else
    echo "$t: FAILED, see $build/fuzz_$t.log and $build/hallazgos/$t"
    fallos=1
  fi
done
exit $fallos
