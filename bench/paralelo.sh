#!/usr/bin/env bash
# paralelo.sh HIDRELA_CALC DIR [LINES]: the same JSON Lines file (10^6 lines
# by default) through GNU parallel with two calculators of one thread each,
# and through one calculator with two threads, as whole processes; prints the
# wall time of each and their ratio.
set -euo pipefail
calc=$1 dir=$2 lineas=${3:-1000000}
command -v parallel >/dev/null || { echo "parallel is not installed: no comparison"; exit 0; }
mkdir -p "$dir"
f=$dir/plan-$lineas.jsonl
if [ ! -s "$f" ]; then
  awk -v n="$lineas" 'BEGIN { for (i = 0; i < n; ++i)
    printf "{\"site\":{\"NAC\":%d,\"NI\":%d,\"NR\":%d,\"SI\":%d,\"SR\":2,\"CAPA\":50},\"storm\":{\"P\":%g,\"condition\":%d}}\n",
           45 + i % 50, 40 + i % 57, 30 + i % 41, 2 + i % 13, 5 + (i % 997) / 9, 1 + i % 3 }' >"$f"
fi
segundos() {
  local t0 t1
  t0=$(date +%s.%N)
  "$@" <"$f" >"$dir/salida"
  t1=$(date +%s.%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }'
}
uno=$(segundos "$calc" --lines -j 2)
repartido=$(segundos parallel --will-cite --pipe --keep-order -j 2 --block 10M "$calc" --lines -j 1)
printf '%d lines, %s MB\n' "$lineas" "$(($(stat -c %s "$f") / 1000000))"
printf 'hidrela-calc --lines -j 2:                       %8.2f s\n' "$uno"
printf 'parallel -j 2 --block 10M hidrela-calc -j 1:    %8.2f s\n' "$repartido"
printf 'ratio parallel / -j 2:                          %8.2f\n' "$(awk -v a="$repartido" -v b="$uno" 'BEGIN { print a / b }')"
