#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks its files and relations.
set -euo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/zel4_*.deb)
fail=0
check() { if ! eval "$2"; then echo "FAILED: $1"; fail=1; fi; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/zel4 ./usr/bin/zel4-admin \
         ./usr/share/applications/ru.zel.Zel4.desktop \
         ./usr/share/metainfo/ru.zel.Zel4.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/zel4.svg \
         ./usr/share/icons/hicolor/48x48/apps/zel4.png \
         ./usr/share/icons/hicolor/256x256/apps/zel4.png \
         ./usr/share/zel4/mssql/01_schema.sql ./usr/share/zel4/mssql/02_procedures.sql \
         ./usr/share/zel4/mssql/03_security.sql ./usr/share/zel4/mssql/README.md \
         ./usr/share/doc/zel4/admin-handbook.md; do
  check "package holds $f" "grep -qxF '$f' <<<\"\$files\""
done
# Nothing from the build tree, the tests or a demo database.
check "no test programs" "! grep -qE '/tst_|/bench_|demo\.db' <<<\"\$files\""

field() { dpkg-deb -f "$deb" "$1"; }
check "name zel4" "[ \"\$(field Package)\" = zel4 ]"
check "version $version" "[[ \"\$(field Version)\" == $version* ]]"
depends=$(field Depends)
for d in libqt6widgets6 libqt6network6 libsqlite3-0 libjpeg62-turbo libodbc2 libc6 libqt6gui6 qt6-wayland qt6-translations-l10n; do
  check "depends on $d" "grep -q '$d' <<<\"\$depends\""
done
recommends=$(field Recommends)
check "recommends tdsodbc and unixodbc" "grep -q tdsodbc <<<\"\$recommends\" && grep -q 'unixodbc' <<<\"\$recommends\""
check "no maintainer scripts" "! dpkg-deb -I \"$deb\" | grep -qE ' (pre|post)(inst|rm) '"
# The installed program file is usable: zel4-admin runs from the package.
mkdir -p "$out/root"
dpkg-deb -x "$deb" "$out/root"
check "zel4-admin help runs" "\"$out/root/usr/bin/zel4-admin\" help | grep -q '^  backup'"

if [ "$fail" -ne 0 ]; then
  echo "Depends: $depends"; echo "Recommends: $recommends"; echo "$files"
  exit 1
fi
echo "package $(basename "$deb") checked"
