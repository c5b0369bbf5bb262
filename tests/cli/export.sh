#!/usr/bin/env bash
# --export-png and --export-pdf: exit codes, messages and what is left behind.
set -u
exe="$1"
root="$2"
samples="$root/data/samples"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

png_size() { # file -> WxH from the PNG header
  od -An -tu1 -j16 -N8 "$1" | awk '{printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'
}

"$exe" --export-png "$work/cd" --dpi 96 "$samples/standard-cd.zcv"
check "standard CD exports" 0 $?
check "files of a standard CD" "back.png disc.png front.png" "$(ls "$work/cd" | tr '\n' ' ' | sed 's/ $//')"
check "front at 96 dpi" "454x454" "$(png_size "$work/cd/front.png")"
check "back at 96 dpi" "568x444" "$(png_size "$work/cd/back.png")"
check "disc at 96 dpi" "449x449" "$(png_size "$work/cd/disc.png")"

"$exe" --export-png "$work/dvd" "$samples/standard-dvd.zcv"
check "default resolution is 300 dpi" "3219x2160" "$(png_size "$work/dvd/cover.png")"

"$exe" --export-png "$work/missing" "$work/nothing.zcv" 2>"$work/err"
check "missing cover exits 2" 2 $?
grep -q "no such cover" "$work/err"; check "missing cover is named" 0 $?
[ ! -e "$work/missing" ]; check "nothing made for a missing cover" 0 $?

printf 'not a cover\n' >"$work/junk.zcv"
"$exe" --export-pdf "$work/junk.pdf" "$work/junk.zcv" 2>"$work/err"
check "invalid cover exits 2" 2 $?
[ -s "$work/err" ]; check "invalid cover says why" 0 $?
[ ! -e "$work/junk.pdf" ]; check "no PDF for an invalid cover" 0 $?

"$exe" --export-pdf "$work/cd.pdf" --disc-paper "Avery 5931 CD/DVD Labels (Letter)" \
  --bottom-disc-label "$samples/standard-cd.zcv"
check "PDF export" 0 $?
check "two pages" "2" "$(pdfinfo "$work/cd.pdf" | awk '/^Pages:/ {print $2}')"
pdfinfo -f 1 -l 2 "$work/cd.pdf" | grep -Eq "Page +1 size: +595 x 842 pts \(A4\)"; check "covers on A4" 0 $?
pdfinfo -f 1 -l 2 "$work/cd.pdf" | grep -Eq "Page +2 size: +612 x 792 pts \(letter\)"; check "Avery disc on Letter" 0 $?

"$exe" --export-pdf "$work/both.pdf" --disc-paper "Neato CD/DVD Labels (A4)" \
  --both-disc-labels "$samples/standard-cd.zcv"
check "both labels of a label sheet" 0 $?
check "both labels on one disc page" "2" "$(pdfinfo "$work/both.pdf" | awk '/^Pages:/ {print $2}')"
rm -f "$work/both.pdf"
refused() { # what, options...: --both-disc-labels refused as a usage error
  local what="$1"; shift
  "$exe" --export-pdf "$work/both.pdf" --both-disc-labels "$@" "$samples/standard-cd.zcv" \
    2>"$work/err"
  check "both labels refused $what" 64 $?
  grep -q -- "--both-disc-labels" "$work/err"; check "the refusal names the option ($what)" 0 $?
  [ ! -e "$work/both.pdf" ]; check "no PDF when both labels are refused ($what)" 0 $?
}
refused "on plain paper" --disc-paper "Plain Paper"
refused "beside the bottom label" --bottom-disc-label --disc-paper "Neato CD/DVD Labels (A4)"

# Text cut off is a warning per face; the export still succeeds.
sed 's/\[dCoverTitle\]=[^[]*\[ENDdCoverTitle\]/[dCoverTitle]=Provence and the Mediterranean Coast with the Gorges du Verdon[ENDdCoverTitle]/' \
  "$samples/standard-cd.zcv" >"$work/long.zcv"
"$exe" --export-pdf "$work/long.pdf" "$work/long.zcv" 2>"$work/err"
check "cut text still exports" 0 $?
check "one warning for the cut face" "discora: disc: the title is wider than the disc" "$(cat "$work/err")"
"$exe" --export-png "$work/fits" "$samples/standard-cd.zcv" 2>"$work/err"
check "no warning when all text fits" "" "$(cat "$work/err")"
"$exe" --info "$work/long.zcv" 2>"$work/err" >/dev/null
check "--info warns of nothing" "" "$(cat "$work/err")"
rm -rf "$work/long.zcv" "$work/long.pdf" "$work/fits"

"$exe" --export-pdf "$work/bad.pdf" --disc-paper "No Such Labels" "$samples/standard-cd.zcv" 2>"$work/err"
check "unknown paper exits 2" 2 $?
grep -q "No Such Labels" "$work/err"; check "unknown paper is named" 0 $?
[ ! -e "$work/bad.pdf" ]; check "no PDF for an unknown paper" 0 $?
[ -z "$(ls -A "$work" | grep -v -e '^cd$' -e '^dvd$' -e '^cd.pdf$' -e '^err$' -e '^junk.zcv$' -e '^config$')" ]
check "no temporary files left" 0 $?
exit $fail
