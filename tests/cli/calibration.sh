#!/usr/bin/env bash
# --calibration-page: the stored cover type and papers, the stored
# adjustment, one page per sheet; errors leave no file.
set -u
exe="$1"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

settings() { # key=value... -> the settings store
  printf '[General]\n' >"$XDG_CONFIG_HOME/Tessaly.conf"
  printf '%s\n' "$@" >>"$XDG_CONFIG_HOME/Tessaly.conf"
}
page_size() { # pdf page -> "W x H"
  pdfinfo -f "$2" -l "$2" "$1" | sed -n "s/^Page *$2 size: *\([0-9.]* x [0-9.]*\).*/\1/p"
}
near() { # expected actual -> "ok" within a pixel (the raster is anti-aliased)
  if [ -n "$2" ] && [ $(( $1 - $2 )) -le 1 ] && [ $(( $2 - $1 )) -le 1 ]; then echo ok; else echo "$2"; fi
}
red_left() { # pdf page -> leftmost red column at 100 dpi
  pdftoppm -r 100 -f "$2" -l "$2" -singlefile "$1" "$work/red" 2>/dev/null
  python3 - "$work/red.ppm" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
magic, w, h, maxval, pixels = data.split(maxsplit=4)
w, h = int(w), int(h)
print(min((i // 3) % w for i in range(0, w * h * 3, 3)
          if pixels[i] > 200 and pixels[i + 1] < 80 and pixels[i + 2] < 80))
PY
}

settings Option=1
"$exe" --calibration-page "$work/cd.pdf" --disc-paper "Avery 5692 CD/DVD Labels (Letter)"
check "standard CD test page" 0 $?
check "one page per sheet" 2 "$(pdfinfo "$work/cd.pdf" | awk '/^Pages:/ {print $2}')"
check "covers sheet on A4" "595 x 842" "$(page_size "$work/cd.pdf" 1)"
check "Avery sheet on Letter" "612 x 792" "$(page_size "$work/cd.pdf" 2)"
check "top Avery label at 1.9375 inch" ok "$(near 194 "$(red_left "$work/cd.pdf" 2)")"

settings Option=2 moveDiscMMX=5 moveDiscLeftRight=1 dvdFormatDisc="Neato CD/DVD Labels (A4)"
"$exe" --calibration-page "$work/dvd.pdf" --bottom-disc-label
check "standard DVD test page" 0 $?
check "DVD covers sheet landscape" "842 x 595" "$(page_size "$work/dvd.pdf" 1)"
# Neato's bottom label at 1.796 inch, moved 5 mm right: 1.9928 inch.
check "the stored adjustment moves the label" ok "$(near 199 "$(red_left "$work/dvd.pdf" 2)")"

"$exe" --calibration-page "$work/bad.pdf" --disc-paper "No Such Labels" 2>"$work/err"
check "unknown paper exits 2" 2 $?
grep -q "No Such Labels" "$work/err"; check "unknown paper is named" 0 $?
settings Option=3
"$exe" --calibration-page "$work/other.pdf" 2>"$work/err"
check "cover type Other exits 2" 2 $?
[ ! -e "$work/bad.pdf" ] && [ ! -e "$work/other.pdf" ]; check "no PDF after an error" 0 $?
"$exe" --calibration-page "$work/x.pdf" "$work/cover.zcv" >/dev/null 2>&1
check "a cover file is refused" 64 $?
"$exe" --help | grep -q -- "--calibration-page"; check "--help names it" 0 $?
exit $fail
