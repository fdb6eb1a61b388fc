#!/usr/bin/env bash
# paralelo.sh HIDRELA_CALC SCRATCH: 20,000 requests spread by GNU parallel
# over two calculators, a block each at a time, answer byte for byte as one
# calculator does. Skipped (status 77) without parallel.
set -euo pipefail
calc=$1 dir=$2
command -v parallel >/dev/null || { echo "parallel is not installed: skipped"; exit 77; }
rm -rf "$dir" && mkdir -p "$dir"

# Sites, storms, series and years that vary from line to line, with a line
# that is no JSON and a refused site among them: their errors keep their place.
awk 'BEGIN {
  for (i = 0; i < 20000; ++i) {
    if (i == 7777) { print "{not json"; continue }
    ni = i == 12345 ? 101 : 40 + i % 57
    printf "{\"site\":{\"NAC\":%d,\"NI\":%d,\"NR\":%d,\"SI\":%d,\"SR\":%g,\"CAPA\":%d}", 45 + i % 50, ni, 30 + i % 41, 2 + i % 13, 0.5 + (i % 7) / 4, 10 + i % 90
    printf ",\"storm\":{\"P\":%g,\"condition\":%d}", 5 + (i % 997) / 9, 1 + i % 3
    if (i % 5 == 0) printf ",\"series\":[{\"P\":%d,\"condition\":1},{\"P\":%g,\"condition\":3}]", 10 + i % 40, (i % 300) / 7
    if (i % 11 == 0) {
      printf ",\"year\":{\"case\":%d,\"months\":[", 1 + i % 3
      for (m = 0; m < 12; ++m) printf "%s[%d,%d,%d]", m ? "," : "", 40 + (i + m) % 60, 20 + m, 4 + m % 5
      printf "]}"
    }
    print "}"
  }
}' >"$dir/peticiones.jsonl"

estado=0
"$calc" --lines -j 1 <"$dir/peticiones.jsonl" >"$dir/una.jsonl" || estado=$?
[ "$estado" -eq 2 ] || { echo "one run: status $estado, not 2 for the refused lines"; exit 1; }
# Small blocks, so that twenty-odd of them pass through two jobs out of turn.
estado=0
parallel --will-cite --pipe --keep-order -j 2 --block 100k "$calc" --lines -j 1 \
  <"$dir/peticiones.jsonl" >"$dir/repartidas.jsonl" || estado=$?
[ "$estado" -ne 0 ] || { echo "parallel: status 0 despite the refused lines"; exit 1; }
[ "$(wc -l <"$dir/una.jsonl")" -eq 20000 ] || { echo "not one answer per request"; exit 1; }
sin_numero() { sed -E 's/^(\{"error":.*"malformed JSON on line )[0-9]+:/\1N:/' "$1"; }
cmp <(sin_numero "$dir/una.jsonl") <(sin_numero "$dir/repartidas.jsonl")
[ "$(diff "$dir/una.jsonl" "$dir/repartidas.jsonl" | grep -c '^<')" -eq 1 ] || { echo "more than the line number differs"; exit 1; }
