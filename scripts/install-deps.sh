#!/usr/bin/env bash
# Installs the Debian packages the build needs; does nothing when all are there.
# With "fuzz", also clang and its fuzzer runtime; with "package", lintian.
set -euo pipefail

paquetes=(cmake g++ make qt6-base-dev libqt6sql6-sqlite qt6-svg-dev qt6-charts-dev libgl-dev libbenchmark-dev libsimdjson-dev
          qt6-translations-l10n desktop-file-utils appstream poppler-utils dpkg-dev file parallel)
[ "${1:-}" = fuzz ] && paquetes+=(clang libclang-rt-14-dev)
[ "${1:-}" = package ] && paquetes+=(lintian)

faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan+=("$p")
  fi
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Installing: ${faltan[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${faltan[@]}"
