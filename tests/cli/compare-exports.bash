#!/usr/bin/env bash
# Compares what two builds of discora export for every sample cover: PNG
# faces byte for byte, PDFs with the creation date masked and as rasters.
# For a change that must not alter what is drawn, run it with the build of
# the change's parent and the change's own build:
#
#   tests/cli/compare-exports.bash OLD_DISCORA NEW_DISCORA [COVER.zcv ...]
#
# Exits 0 when every output is the same, 1 otherwise.
set -u
old="$1"
new="$2"
shift 2
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
covers=("$@")
if ((${#covers[@]} == 0)); then covers=("$root"/data/samples/*.zcv); fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0 XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
differ=0
same() { # description, file a, file b
  if cmp -s "$2" "$3"; then echo "same: $1"; else echo "DIFFERENT: $1"; differ=1; fi
}
masked() { # the PDF without its creation date
  sed -E 's/CreationDate \(D:[^)]*\)/CreationDate ()/' "$1"
}

for cover in "${covers[@]}"; do
  name="$(basename "$cover" .zcv)"
  for side in old new; do
    exe="$old"; [ "$side" = new ] && exe="$new"
    for dpi in 96 300; do
      "$exe" --export-png "$work/$side/$name-$dpi" --dpi "$dpi" "$cover" 2>/dev/null
    done
    "$exe" --export-pdf "$work/$side/$name.pdf" "$cover" 2>/dev/null
    masked "$work/$side/$name.pdf" >"$work/$side/$name.masked"
    pdftoppm -r 100 -png "$work/$side/$name.pdf" "$work/$side/$name-page"
  done
  for png in "$work/old/$name"-*/*.png; do
    rel="${png#"$work/old/"}"
    same "$rel" "$png" "$work/new/$rel"
  done
  [ "$(cd "$work/old" && find "$name"-*/ -type f | sort)" = \
    "$(cd "$work/new" && find "$name"-*/ -type f | sort)" ] ||
    { echo "DIFFERENT: the files of $name"; differ=1; }
  same "$name.pdf (date masked)" "$work/old/$name.masked" "$work/new/$name.masked"
  for page in "$work/old/$name"-page*.png; do
    same "$(basename "$page")" "$page" "$work/new/$(basename "$page")"
  done
done
exit "$differ"
