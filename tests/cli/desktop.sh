#!/usr/bin/env bash
# Desktop integration: the launcher, the cover file type, the icon and the
# software-centre description validate, agree with each other, and install.
set -u
exe="$1"
src="$2"
desk="$src/data/desktop"
fail=0
check() { # description, expected, actual
  if [ "$2" != "$3" ]; then echo "FAIL: $1: expected [$2], got [$3]"; fail=1; else echo "ok: $1"; fi
}
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

out="$(desktop-file-validate "$desk/discora.desktop" 2>&1)"
check "desktop-file-validate passes" "0:" "$?:$out"
out="$(appstreamcli validate --no-net "$desk/example.tessaly.discora.metainfo.xml" 2>&1)"
rc=$?
check "appstreamcli validate passes" 0 $rc
[ $rc -eq 0 ] || echo "$out"

grep -qx 'Exec=discora %f' "$desk/discora.desktop"; check "launcher passes the file" 0 $?
grep -qx 'MimeType=application/x-discora-cover;' "$desk/discora.desktop"; check "launcher opens covers" 0 $?
grep -q '<mediatype>application/x-discora-cover</mediatype>' "$desk/example.tessaly.discora.metainfo.xml"
check "metainfo provides the cover type" 0 $?
grep -q '<launchable type="desktop-id">discora.desktop</launchable>' "$desk/example.tessaly.discora.metainfo.xml"
check "metainfo launches the launcher" 0 $?

thumb="$desk/discora.thumbnailer"
check "thumbnailer entry" "[Thumbnailer Entry]" "$(head -1 "$thumb")"
grep -qx 'TryExec=discora' "$thumb"; check "thumbnailer needs the program" 0 $?
grep -qx 'Exec=discora --thumbnail %o --size %s %i' "$thumb"; check "thumbnailer command" 0 $?
mime="$(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$desk/discora-mime.xml")"
grep -qx "MimeType=$mime;" "$thumb"; check "thumbnailer takes the cover type" 0 $?

# The file type as the desktop sees it once installed.
mkdir -p "$tmp/mime/packages"
cp "$desk/discora-mime.xml" "$tmp/mime/packages/discora.xml"
update-mime-database "$tmp/mime" >/dev/null 2>&1; check "update-mime-database accepts the type" 0 $?
grep -q '^50:application/x-discora-cover:\*\.zcv$' "$tmp/mime/globs2"; check "*.zcv is a Discora cover" 0 $?
grep -q 'Discora cover' "$tmp/mime/application/x-discora-cover.xml"; check "type comment" 0 $?

# Install into a scratch prefix and look for every piece.
build="$(cd "$(dirname "$exe")/.." && pwd)"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null 2>&1; check "cmake --install" 0 $?
for f in bin/discora share/applications/discora.desktop share/mime/packages/discora.xml \
  share/icons/hicolor/scalable/apps/discora.svg share/icons/hicolor/256x256/apps/discora.png \
  share/metainfo/example.tessaly.discora.metainfo.xml share/discora/freeimage-license.txt \
  share/thumbnailers/discora.thumbnailer share/man/man1/discora.1.gz; do
  [ -s "$tmp/prefix/$f" ]; check "installed $f" 0 $?
done
grep -q 'FreeImage Public License - Version 1.0' "$tmp/prefix/share/discora/freeimage-license.txt"
check "FreeImage licence text shipped" 0 $?
exit $fail
