#!/usr/bin/env bash
# Makes the .deb from the build folder given, unpacks it with dpkg-deb -x into a
# temporary root, and checks what an installation gets: the files in their
# places, Depends computed from the libraries, a menu entry and metainfo that
# validate, a program that starts from the root on a fresh home and creates its
# program folder, and lintian without errors.
# Usage: test_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
command -v dpkg-deb >/dev/null || { echo "dpkg-deb missing: skipped"; exit 77; }

app=tr.com.brenvo.ceksenet
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

start=$(date +%s)
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/ceksenet_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single .deb in $(ls "$work/out")"
deb=${debs[0]}
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB, made in $(($(date +%s) - start)) s)"

# The control fields.
[ "$(dpkg-deb -f "$deb" Package)" = ceksenet ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names() { sed 's/([^)]*)//g; s/[|,]/ /g' <<<"$1" | tr -s ' ' '\n' | grep -v '^$'; }
grep -qx xdg-utils <(names "$depends") || fail "Depends lacks xdg-utils"

# The files, where the desktop looks for them.
root=$work/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/ceksenet \
         usr/share/applications/$app.desktop \
         usr/share/metainfo/$app.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$app.svg \
         usr/share/icons/hicolor/48x48/apps/$app.png \
         usr/share/icons/hicolor/128x128/apps/$app.png \
         usr/share/icons/hicolor/256x256/apps/$app.png \
         usr/share/man/man1/ceksenet.1.gz \
         usr/share/doc/ceksenet/copyright \
         usr/share/doc/ceksenet/changelog.gz; do
  [ -f "$root/$f" ] || fail "missing /$f"
done
[ -x "$root/usr/bin/ceksenet" ] || fail "/usr/bin/ceksenet not executable"
# Nothing outside /usr, and nothing of the user's program folder.
[ "$(ls "$root")" = usr ] || fail "files outside /usr: $(ls "$root")"
# Each PNG has the size its folder names.
for s in 48 128 256; do
  png=$root/usr/share/icons/hicolor/${s}x${s}/apps/$app.png
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${s}x${s}" ] || fail "$s px icon is $dims"
done
# Icon loaders (gdk-pixbuf through GIO) recognise an SVG by its first bytes: the
# <svg> element must start there, or menus show no icon.
head -c 256 "$root/usr/share/icons/hicolor/scalable/apps/$app.svg" | grep -q "<svg " ||
  fail "the SVG icon's <svg> element does not start in its first 256 bytes"
# The menu entry starts the installed program and shows the installed icon.
desktop=$root/usr/share/applications/$app.desktop
grep -qx "Exec=ceksenet" "$desktop" || fail "Exec of the menu entry"
grep -qx "Icon=$app" "$desktop" || fail "Icon of the menu entry"
grep -qx "Name=Brenvo Çek Senet Takip" "$desktop" || fail "Name of the menu entry"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app.metainfo.xml" ||
  fail "metainfo has no release $version"
zcat "$root/usr/share/doc/ceksenet/changelog.gz" | head -1 | grep -q "^ceksenet ($version)" ||
  fail "changelog's first entry is not $version"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate missing: not run"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app.metainfo.xml" ||
    fail "appstreamcli validate"
else
  echo "appstreamcli missing: not run"
fi

# Every library the program links is there by the package that holds it: the
# Depends come from dpkg-shlibdeps, not from a list that can fall behind.
needed=$(readelf -d "$root/usr/bin/ceksenet" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "no NEEDED entry read from the program"
for so in $needed; do
  owners=$(dpkg -S "*/$so" 2>/dev/null | cut -d: -f1 | tr ',' '\n' | tr -d ' ' | sort -u)
  [ -n "$owners" ] || fail "no installed package holds $so"
  found=no
  for o in $owners; do grep -qx "$o" <(names "$depends") && found=yes; done
  [ $found = yes ] || fail "Depends lacks the package of $so ($owners)"
done

# The installed program: no search path into the build, no path of the build
# compiled in.
if readelf -d "$root/usr/bin/ceksenet" | grep -qE 'RPATH|RUNPATH'; then
  fail "the installed program has an RPATH: $(readelf -d "$root/usr/bin/ceksenet" | grep -E 'RPATH|RUNPATH')"
fi
src=$(cd "$(dirname "$0")/../.." && pwd)
for p in "$src" "$build"; do
  ! grep -qF "$p" "$root/usr/bin/ceksenet" || fail "the installed program names $p"
done

# It prints its version and exits cleanly.
out=$("$root/usr/bin/ceksenet" --version) || fail "--version exited with $?"
grep -q "$version" <<<"$out" || fail "--version printed '$out'"

# Started from the root on a fresh home, it creates the program folder and
# shows the login window (it keeps running); the user's own folders stay
# untouched.
home=$work/home
export HOME=$work/user XDG_DATA_HOME=$work/user/.local/share CEKSENET_HOME=
mkdir -p "$HOME"
"$root/usr/bin/ceksenet" --home "$home" >"$work/run.log" 2>&1 &
pid=$!
expected=(AnaData/CekFirmalar.mdb AnaData/CekSenet.mdb AnaData/Kasa.mdb CekSenet.mdb Kasa.mdb Data Yedek ygiris)
for _ in $(seq 1 300); do
  complete=yes
  for f in "${expected[@]}"; do [ -e "$home/$f" ] || complete=no; done
  [ $complete = yes ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
for f in "${expected[@]}"; do [ -e "$home/$f" ] || { cat "$work/run.log"; fail "the program folder lacks $f"; }; done
# Give it the moment it needs to build its windows, then it must still run.
sleep 1
kill -0 "$pid" 2>/dev/null || { wait "$pid" && rc=0 || rc=$?; cat "$work/run.log"; fail "the program ended with $rc"; }
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
[ ! -e "$XDG_DATA_HOME/ceksenet" ] || fail "--home was not used: $XDG_DATA_HOME/ceksenet was made"
# The databases are SQLite files with the registry's tables.
head -c 15 "$home/AnaData/CekFirmalar.mdb" | grep -q "SQLite format 3" || fail "CekFirmalar.mdb is no SQLite file"

if command -v lintian >/dev/null; then
  lstart=$(date +%s)
  # Root is where CI runs; lintian only warns about it.
  lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v "running with root privileges" | tee "$work/lintian.log" ||
    true
  ! grep -q "^E:" "$work/lintian.log" || fail "lintian reports errors"
  echo "lintian: $(grep -c '^W:' "$work/lintian.log" || true) warnings, $(($(date +%s) - lstart)) s"
else
  echo "lintian missing: not run"
fi
echo "package test passed in $(($(date +%s) - start)) s"
