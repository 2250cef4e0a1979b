#!/usr/bin/env bash
# Makes the .deb into a folder of its own and checks what it holds.
set -euo pipefail
cpack=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && "$cpack" -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/Sumberlaras ./usr/bin/x86/libpdfium.so ./usr/bin/fa-solid-900.ttf \
    ./usr/share/applications/id.sumberlaras.Sumberlaras.desktop \
    ./usr/share/metainfo/id.sumberlaras.Sumberlaras.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/id.sumberlaras.Sumberlaras.svg \
    ./usr/share/icons/hicolor/48x48/apps/id.sumberlaras.Sumberlaras.png \
    ./usr/share/icons/hicolor/256x256/apps/id.sumberlaras.Sumberlaras.png \
    ./usr/share/doc/sumberlaras/licenses/PDFium.txt; do
    grep -q " $f\$" <<<"$contents" || { echo "missing from the package: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6webenginewidgets6 libqt6widgets6 libcurl4 fonts-dejavu-core; do
    grep -q "$d" <<<"$depends" || { echo "not among the dependencies: $d ($depends)"; exit 1; }
done
echo "ok: $(basename "$deb")"
