#!/usr/bin/env bash
# The Debian package: built with cpack, clean under lintian, and - when the
# test runs as root on a system without Discora installed - installed,
# used, and purged without leaving a file behind.
set -u
exe="$1"
root="$2"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
build="$(cd "$(dirname "$exe")/.." && pwd)"
version="$("$exe" --version | cut -d' ' -f2)"
deb="$build/discora_${version}_$(dpkg --print-architecture).deb"

rm -f "$deb"
(cd "$build" && cpack --config "$build/CPackConfig.cmake" -B "$build" >"$work/cpack.log" 2>&1)
check "cpack builds the package" 0 $?
[ -s "$deb" ] || { echo "no $deb"; cat "$work/cpack.log"; exit 1; }
rm -rf "$build/_CPack_Packages"

field() { dpkg-deb -f "$deb" "$1"; }
check "section" graphics "$(field Section)"
check "home page" "$(sed -n 's/.*"\(https\?:\/\/[^"]*\)".*/\1/p' "$root/document/ProductInfo.h")" "$(field Homepage)"
for dep in fonts-liberation2 fonts-dejavu-core libqt6widgets6 libfreeimage3; do
  grep -q "\b$dep\b" <<<"$(field Depends)"; check "depends on $dep" 0 $?
done
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/discora ./usr/share/discora/help.chm ./usr/share/man/man1/discora.1.gz \
  ./usr/share/applications/discora.desktop ./usr/share/mime/packages/discora.xml \
  ./usr/share/thumbnailers/discora.thumbnailer ./usr/share/metainfo/example.tessaly.discora.metainfo.xml \
  ./usr/share/doc/discora/copyright ./usr/share/doc/discora/changelog.gz \
  ./usr/share/icons/hicolor/scalable/apps/discora.svg; do
  grep -qx -- "$f" <<<"$contents"; check "package holds $f" 0 $?
done
for size in 16 22 24 32 48 64 128 256; do
  grep -qx -- "./usr/share/icons/hicolor/${size}x${size}/apps/discora.png" <<<"$contents"
  check "icon at $size" 0 $?
done

lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1
check "lintian finds no errors" 0 $?
cat "$work/lintian.log"

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing the package needs root"
  exit $((fail ? 1 : 77))
fi
if dpkg-query -W -f='${Status}' discora 2>/dev/null | grep -q "ok installed"; then
  echo "skipped: Discora is installed on this system already; it is left alone"
  exit $((fail ? 1 : 77))
fi

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q -o DPkg::Lock::Timeout=300 "$deb" >"$work/apt.log" 2>&1
check "apt-get installs the package" 0 $?
listed="$(dpkg -L discora 2>/dev/null)"
check "the installed program's version" "Discora $version" "$(/usr/bin/discora --version)"
readelf -S /usr/bin/discora | grep -q '\.debug_info\|\.symtab'
check "the program is stripped" 1 $?
/usr/bin/discora --export-pdf "$work/cd.pdf" "$root/data/samples/standard-cd.zcv"
check "the installed program exports a PDF" 0 $?
check "the PDF has its pages" 2 "$(pdfinfo "$work/cd.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')"
/usr/bin/discora --thumbnail "$work/t.png" --size 64 "$root/data/samples/standard-dvd.zcv"
check "the installed program writes a thumbnail" 0 $?
[ -s "$work/t.png" ]; check "the thumbnail is there" 0 $?
[ -s /usr/share/discora/help.chm ] && [ -n "$(ls /usr/share/discora/CLIPART)" ]
check "the data folder where the program looks (bin/../share/discora)" 0 $?
grep -q '^[0-9]*:application/x-discora-cover:\*\.zcv$' /usr/share/mime/globs2
check "the MIME database knows .zcv" 0 $?
[ -s /usr/share/applications/discora.desktop ]; check "the launcher is installed" 0 $?
grep -q 'application/x-discora-cover=.*discora.desktop' /usr/share/applications/mimeinfo.cache
check "the launcher opens covers" 0 $?
man -w discora >/dev/null 2>&1; check "man finds the page" 0 $?

apt-get remove --purge -y -q -o DPkg::Lock::Timeout=300 discora >>"$work/apt.log" 2>&1
check "apt-get purges the package" 0 $?
left=""
while IFS= read -r f; do
  [ -n "$f" ] && [ ! -d "$f" ] && [ -e "$f" ] && left="$left $f"
done <<<"$listed"
check "no file of the package is left" "" "$left"
grep -q 'x-discora-cover' /usr/share/mime/globs2; check "the MIME database forgot .zcv" 1 $?
[ $fail -eq 0 ] || cat "$work/apt.log"
exit $fail
