#!/usr/bin/env bash
# paquete.sh CPACK BUILD SOURCE SCRATCH: builds the Debian package from the build
# tree, unpacks it into a scratch root and runs what it installed there.
set -euo pipefail
cpack=$1 build=$2 fuentes=$3 raiz=$4
falla() { echo "$*"; exit 1; }

rm -rf "$raiz"
mkdir -p "$raiz/paquetes"
# gzip rather than xz: the test wants the package, not the smallest one.
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$raiz/paquetes" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$raiz/cpack.log" ||
  { cat "$raiz/cpack.log"; falla "cpack failed"; }
debs=("$raiz"/paquetes/hidrela_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || falla "no package: ${debs[*]}"
deb=${debs[0]}
dpkg-deb -x "$deb" "$raiz/raiz"
r=$raiz/raiz/usr

for f in bin/hidrela bin/Zevode bin/hidrela-calc share/applications/hidrela.desktop share/mime/packages/hidrela.xml \
         share/man/man1/hidrela.1.gz share/man/man1/hidrela-calc.1.gz share/man/man1/Zevode.1.gz \
         share/bash-completion/completions/hidrela share/bash-completion/completions/hidrela-calc \
         share/doc/hidrela/copyright share/doc/hidrela/changelog.gz; do
  [ -e "$r/$f" ] || falla "not in the package: /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6-sqlite; do
  [[ $depends == *"$lib"* ]] || falla "Depends names no $lib: $depends"
done

version=$("$r/bin/hidrela-calc" --version)
[[ $version == "hidrela-calc "[0-9]* ]] || falla "hidrela-calc --version: $version"
# The packaged calculator answers the packaged sample as the built one does.
diff <("$r/bin/hidrela-calc" "$r/share/doc/hidrela/examples/ejemplo.hidrela") \
     <("$build/src/calc/hidrela-calc" "$fuentes/resources/ejemplo.hidrela") || falla "different answers"
# No display and no platform: the window program answers without either.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$r/bin/hidrela" --version)
[[ $version == "hidrela "[0-9]* ]] || falla "hidrela --version: $version"
echo "$(basename "$deb"): Depends: $depends"
