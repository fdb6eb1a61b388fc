#!/usr/bin/env bash
# manuales.sh MANUAL [PROGRAM [COMPLETION]]: the manual page has its sections
# and reads without a roff warning; the options PROGRAM --help lists, those of
# the page's OPTIONS and those the bash completion offers are the same.
set -euo pipefail
manual=$1 programa=${2:-} completado=${3:-}

for s in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' FILES EXAMPLES; do
  grep -qxF ".SH $s" "$manual" || { echo "$manual: no section $s"; exit 1; }
done
if command -v groff >/dev/null; then
  avisos=$(groff -man -ww -z -Tutf8 "$manual" 2>&1)
  [ -z "$avisos" ] || { echo "$manual: $avisos"; exit 1; }
fi
[ -n "$programa" ] || exit 0

# An option starts a word with - or --; "M1-M2" and "curve-number" are none.
opciones() { grep -oP '(?<![[:alnum:]-])--?[a-z][a-z-]*' | sort -u; }
ayuda=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$programa" --help | opciones)
pagina=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$manual" | sed 's/\\-/-/g; s/\\f[BIRP]//g' | opciones)
[ -n "$ayuda" ] || { echo "--help lists no option"; exit 1; }
diff -u <(echo "$ayuda") <(echo "$pagina") || { echo "--help and $manual's OPTIONS differ"; exit 1; }
if [ -n "$completado" ]; then
  bash -n "$completado"
  ofrece=$(grep -o "compgen -W '-[^']*'" "$completado" | tr ' ' '\n' | opciones)
  diff -u <(echo "$ayuda") <(echo "$ofrece") || { echo "--help and $completado differ"; exit 1; }
fi
