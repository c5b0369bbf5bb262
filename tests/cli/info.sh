#!/usr/bin/env bash
# discora --info: one JSON object per cover, and the exit codes.
set -u
exe="$1"
root="$2"
corpus="$root/tests/data/coverfile-corpus"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export TMPDIR="$work/tmp"
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR"

# Prints one member of the JSON on stdin; fails unless it is one valid object.
member() {
  python3 -c '
import json, sys
doc = json.load(sys.stdin)
value = doc[sys.argv[1]]
print(json.dumps(value) if not isinstance(value, str) else value)' "$1"
}

"$exe" --info "$corpus/valid-standard-cd.zcv" >"$work/cd.json" 2>"$work/err"
check "valid cover exits 0" 0 $?
python3 -c 'import json,sys; json.load(sys.stdin)' <"$work/cd.json"
check "output is JSON" 0 $?
check "nothing on stderr" "" "$(cat "$work/err")"
check "covertype" 1 "$(member covertype <"$work/cd.json")"
check "colour as a number" 16777215 "$(member fBGColor <"$work/cd.json")"
check "bool" true "$(member fShowBorder <"$work/cd.json")"
check "alignment as a number" 1 "$(member dCoverAlign <"$work/cd.json")"
check "print-over flag as 0/1" 0 "$(member bBackPrintOverSpines <"$work/cd.json")"
check "title" "Greatest Hits" "$(member fCoverTitle <"$work/cd.json")"
check "text with line breaks" '"Line one\r\nLine two"' \
  "$(python3 -c 'import json,sys; print(json.dumps(json.load(sys.stdin)["fCoverText"]))' <"$work/cd.json")"
check "font weight" 700 "$(member fCoverTextFontWeight <"$work/cd.json")"
sizes="$(python3 - "$corpus/valid-standard-cd.zcv" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
sizes = []
for n in range(1, 5):
    o, c = data.find(b'[IMAGE%d]' % n), data.find(b'[ENDIMAGE%d]' % n)
    sizes.append(max(0, c - o - 8) if o >= 0 and c >= 0 else 0)
print('[' + ', '.join(map(str, sizes)) + ']')
PY
)"
check "picture sizes" "$sizes" "$(member pictureBytes <"$work/cd.json")"

# Every entry of the file, in the file's order, then pictureBytes.
keys="$(python3 -c '
import json, sys
print(" ".join(json.load(sys.stdin, object_pairs_hook=lambda pairs: [k for k, _ in pairs])))' <"$work/cd.json")"
expected="covertype fBGColor bBGColor dBGColor fShowBorder bShowBorder dShowBorder CoverOption fImagePath bImagePath sImagePath dImagePath fCoverAlign bCoverAlign dCoverAlign fCoverText bCoverText dCoverText fCoverTitle bCoverTitle dCoverTitle fCoverTextFontName bCoverTextFontName dCoverTextFontName fCoverTextColor bCoverTextColor dCoverTextColor fCoverTextFontFace bCoverTextFontFace dCoverTextFontFace fCoverTextFontHeight bCoverTextFontHeight dCoverTextFontHeight fCoverTextFontWeight bCoverTextFontWeight dCoverTextFontWeight fCoverTextFontItalic bCoverTextFontItalic dCoverTextFontItalic fCoverTextFontStrikeout bCoverTextFontStrikeout dCoverTextFontStrikeout fCoverTextFontUnderline bCoverTextFontUnderline dCoverTextFontUnderline bFrontPrintOverSpines bBackPrintOverSpines printOverInnerCircleDisc frontCoverSpinesOn backCoverSpinesOn frontCoverSpineText backCoverSpineText fImageFit fImageZoom fImageCenterX fImageCenterY fImageRotation bImageFit bImageZoom bImageCenterX bImageCenterY bImageRotation sImageFit sImageZoom sImageCenterX sImageCenterY sImageRotation dImageFit dImageZoom dImageCenterX dImageCenterY dImageRotation fShrinkText bShrinkText dShrinkText dCurvedText fTitleFontFace fTitleFontHeight fTitleFontWeight fTitleFontItalic fTitleColor bTitleFontFace bTitleFontHeight bTitleFontWeight bTitleFontItalic bTitleColor dTitleFontFace dTitleFontHeight dTitleFontWeight dTitleFontItalic dTitleColor pictureBytes"
check "members in file order" "$expected" "$keys"
# A file written before the picture placements shows its pictures stretched.
check "placement of an older file" 0 "$(member fImageFit <"$work/cd.json")"
check "an older file's text along a straight line" false "$(member dCurvedText <"$work/cd.json")"
check "an older file's title drawn like its text" "" "$(member fTitleFontFace <"$work/cd.json")"
check "zoom of an older file" 100 "$(member dImageZoom <"$work/cd.json")"

# The picture copy is the block's bytes, in a private folder.
front="$(member fImagePath <"$work/cd.json")"
case "$front" in "$TMPDIR"/*/tmpfront.png) r=0 ;; *) r=1 ;; esac
check "front picture copy path" 0 $r
check "copy folder removed at exit" 1 "$([ -e "$front" ] && echo 0 || echo 1)"

# Windows-1252 text is decoded; control bytes are escaped.
"$exe" --info "$corpus/valid-windows-1252.zcv" >"$work/w.json"
check "Windows-1252 title" "Schöne Grüße" "$(member fCoverTitle <"$work/w.json")"
printf '[BEGIN][fCoverTitle]=a"b\\c\001\ttab[ENDfCoverTitle][dCoverTitle]=\xc3\xa9t\xc3\xa9[ENDdCoverTitle][END]' >"$work/esc.zcv"
"$exe" --info "$work/esc.zcv" >"$work/esc.json"
check "escaped title" '"a\"b\\c\u0001\ttab"' \
  "$(python3 -c 'import json,sys; print(json.dumps(json.load(sys.stdin)["fCoverTitle"]))' <"$work/esc.json")"
check "UTF-8 title" "été" "$(member dCoverTitle <"$work/esc.json")"
# A CD's track listing is decoded cell by cell; a DVD's back text is plain text.
for type in 1 2; do
  printf '[BEGIN][covertype]=%s[ENDcovertype][bCoverText]=[DELIM]Caf\xe9[/DELIM][DELIM]\xce\xa9mega[/DELIM][ENDbCoverText][END]' "$type" >"$work/mixed$type.zcv"
done
check "listing with cells in both encodings" "[DELIM]Café[/DELIM][DELIM]Ωmega[/DELIM]" \
  "$("$exe" --info "$work/mixed1.zcv" | member bCoverText)"
check "DVD back text decoded whole" "[DELIM]Café[/DELIM][DELIM]Î©mega[/DELIM]" \
  "$("$exe" --info "$work/mixed2.zcv" | member bCoverText)"
check "empty file: no disc entries give the defaults" 16777215 "$(member dBGColor <"$work/esc.json")"
check "colours are unsigned" 4294967295 "$(printf '[BEGIN][fBGColor]=-1[ENDfBGColor][END]' >"$work/c.zcv"; "$exe" --info "$work/c.zcv" | member fBGColor)"

# Failures.
"$exe" --info "$work/missing.zcv" >"$work/out" 2>"$work/err"
check "missing file exits 2" 2 $?
check "missing file: nothing on stdout" "" "$(cat "$work/out")"
grep -q "missing.zcv" "$work/err"; check "missing file is named on stderr" 0 $?
"$exe" --info "$corpus/invalid-no-end.zcv" >"$work/out" 2>"$work/err"
check "file without [END] exits 2" 2 $?
grep -q "Unable to load a cover from the file you specified." "$work/err"
check "invalid-file message on stderr" 0 $?
grep -q "was created using Discora." "$work/err"; check "message names the product" 0 $?
check "invalid file: nothing on stdout" "" "$(cat "$work/out")"
"$exe" --info >/dev/null 2>&1; check "no file exits 64" 64 $?
"$exe" --info a.zcv b.zcv >/dev/null 2>&1; check "two files exit 64" 64 $?

# Reading for --info leaves the settings store alone.
check "no settings written" "" "$(ls -A "$XDG_CONFIG_HOME")"
exit $fail
