#!/usr/bin/env bash
# Installs the build tree (`install`) or builds and unpacks its Debian
# package (`deb`) into a temporary root, checks that the program, its tool,
# the shipped files, the desktop entry, the AppStream file and the icon are
# in their places, then starts the installed program on an empty data folder
# and waits until it has seeded the folder with the shipped files and waits
# on its first screen.
set -u
how=$1
build=$2
work=$(mktemp -d)
program=
trap '[ -n "$program" ] && kill $program 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

case $how in
  install)
    cmake --install "$build" --prefix "$work/root/usr" >"$work/install.log" 2>&1 ||
      { cat "$work/install.log"; fail "cmake --install failed"; }
    ;;
  deb)
    (cd "$build" && cpack -G DEB -B "$work/package") >"$work/cpack.log" 2>&1 ||
      { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
    deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n 1)
    [ -n "$deb" ] || fail "cpack made no .deb"
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libqt6widgets6 qt6-qpa-plugins libqt6svg6 libc6; do
      case $depends in *"$needed"*) ;; *) fail "Depends lacks $needed: $depends" ;; esac
    done
    [ "$(dpkg-deb -f "$deb" Package)" = korvela ] || fail "the package is not named korvela"
    dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
    ;;
  *) fail "usage: $0 install|deb BUILDDIR" ;;
esac

root=$work/root/usr
for f in bin/korvela bin/korvela-data share/korvela/rs.dat share/korvela/foods.dat \
         share/korvela/Help.dat share/korvela/GDDB.DAT share/korvela/SAA.DAT \
         share/korvela/splash.jpg share/applications/org.korvela.Korvela.desktop \
         share/metainfo/org.korvela.Korvela.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.korvela.Korvela.svg \
         share/doc/korvela/copyright share/korvela/screenshots/main-window.png; do
  [ -e "$root/$f" ] || fail "missing $f"
done
# The licence in Debian's machine-readable form: the program under the GPL,
# the USDA food data in the public domain.
copyright=$root/share/doc/korvela/copyright
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
grep -A 2 -x 'Files: \*' "$copyright" | grep -qx 'License: GPL-3.0-or-later' ||
  fail "the copyright file does not put the program under GPL-3.0-or-later"
grep -A 12 -x 'Files: data/usda-sr-foods.tsv' "$copyright" | grep -qx 'License: public-domain' ||
  fail "the copyright file does not name the USDA data as public domain"

home=$work/home
mkdir -p "$home"
KORVELA_HOME=$home "$root/bin/korvela" >"$work/run.log" 2>&1 &
program=$!
for _ in $(seq 150); do
  [ -e "$home/korvela.lock" ] && [ -e "$home/rs.dat" ] && [ -e "$home/foods.dat" ] && break
  kill -0 "$program" 2>/dev/null || { cat "$work/run.log"; fail "the installed program ended"; }
  sleep 0.2
done
for f in rs.dat foods.dat Help.dat GDDB.DAT SAA.DAT; do
  [ -e "$home/$f" ] || { cat "$work/run.log"; fail "the data folder lacks $f"; }
done
cmp -s "$home/rs.dat" "$root/share/korvela/rs.dat" || fail "rs.dat differs from the shipped one"
sleep 1
kill -0 "$program" 2>/dev/null || { cat "$work/run.log"; fail "the installed program ended"; }
echo "ok: $how"
