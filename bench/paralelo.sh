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
# "wall cpu" seconds of one run, cpu being user and system time of every
# process. The answers (about 1.1 GB) are thrown away, but parallel still
# holds each block's answers in a file until its turn.
segundos() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" <"$f" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }'
}
menor() { printf '%s\n' "$@" | sort -g | head -1; }
# Three runs of each, taken in turns, on a machine that others may share:
# the least wall and cpu time of each.
declare -a uw uc rw rc
for _ in 1 2 3; do
  read -r w c < <(segundos "$calc" --lines -j 2) && uw+=("$w") uc+=("$c")
  read -r w c < <(segundos parallel --will-cite --pipe --keep-order -j 2 --block 10M "$calc" --lines -j 1) &&
    rw+=("$w") rc+=("$c")
done
printf '%d lines, %s MB; wall times: %s | %s\n' "$lineas" "$(($(stat -c %s "$f") / 1000000))" "${uw[*]}" "${rw[*]}"
printf '%-46s %8s %8s\n' "" "wall s" "cpu s"
printf '%-46s %8.2f %8.2f\n' "hidrela-calc --lines -j 2" "$(menor "${uw[@]}")" "$(menor "${uc[@]}")"
printf '%-46s %8.2f %8.2f\n' "parallel -j 2 --block 10M hidrela-calc -j 1" "$(menor "${rw[@]}")" "$(menor "${rc[@]}")"
printf '%-46s %8.2f %8.2f\n' "ratio parallel / -j 2" \
  "$(awk -v a="$(menor "${rw[@]}")" -v b="$(menor "${uw[@]}")" 'BEGIN { print a / b }')" \
  "$(awk -v a="$(menor "${rc[@]}")" -v b="$(menor "${uc[@]}")" 'BEGIN { print a / b }')"
