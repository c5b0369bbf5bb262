#!/usr/bin/env bash
# The command line: the options that answer without a display, usage errors,
# and the arguments the window takes (Qt's own options, the cover to open).
set -u
exe="$1"
root="$2"
samples="$root/data/samples"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

check "--version prints the version" "Discora 2.04" "$("$exe" --version)"
"$exe" --help | grep -q -- "--export-pdf"; check "--help lists the options" 0 $?
"$exe" --help | grep -q -- "--thumbnail OUT.png \[--size N\] COVER.zcv"; check "--help lists --thumbnail" 0 $?
"$exe" --help | grep -q -- "--size N"; check "--help lists --size" 0 $?
"$exe" --help | head -1 | grep -qx "Usage: discora \[COVER.zcv\]"; check "--help starts with the usage" 0 $?

# Usage errors: exit 64 with a short message naming the fault.
usage() { # description, expected part of the message, arguments...
  local what="$1" says="$2"
  shift 2
  "$exe" "$@" >"$work/out" 2>"$work/err"
  check "$what exits 64" 64 $?
  grep -qF -- "$says" "$work/err"; check "$what says so" 0 $?
  check "$what: a short message" 2 "$(wc -l <"$work/err")"
  check "$what: nothing on stdout" "" "$(cat "$work/out")"
}
usage "unknown option" "no-such-option" --no-such-option
usage "--info without a file" "a cover file must be named" --info
usage "--export-png without a folder" "--export-png" --export-png
usage "--export-png with an empty folder name" "--export-png needs a folder" --export-png= a.zcv
usage "--dpi without --export-png" "--dpi goes with --export-png" --dpi 96 a.zcv
usage "--dpi not a number" "--dpi takes a whole number" --export-png /tmp --dpi many a.zcv
usage "paper option without --export-pdf" "--disc-paper goes with --export-pdf" \
  --export-png /tmp --disc-paper X a.zcv
usage "--size without --thumbnail" "--size goes with --thumbnail" --size 64 a.zcv
usage "--size too small" "--size takes a whole number from 8 to 2048" --thumbnail t.png --size 2 a.zcv
usage "--thumbnail without a cover" "a cover file must be named" --thumbnail t.png
usage "two cover files" "only one cover file" a.zcv b.zcv --info
usage "two commands" "cannot be combined" --info --export-pdf out.pdf a.zcv
usage "Qt options with a command" "Unknown option" --info -reverse a.zcv
[ -z "$(ls -A "$XDG_CONFIG_HOME")" ]; check "no settings written" 0 $?

# "--" ends the options: a cover whose name starts with a dash.
"$exe" --info -- "-odd.zcv" >/dev/null 2>"$work/err"
check "a file after -- is a file" 2 $?
grep -qF -- "-odd.zcv" "$work/err"; check "that file is named" 0 $?

# The commands print nothing but their own output, also where the session
# lacks what Qt looks for (no runtime folder).
cover="$samples/standard-cd.zcv"
quiet() { # description, arguments...
  local what="$1"
  shift
  env -u XDG_RUNTIME_DIR TMPDIR="$work" "$@" >"$work/out" 2>"$work/err"
  check "$what succeeds" 0 $?
  check "$what: nothing on stderr" "" "$(cat "$work/err")"
}
quiet "--info" "$exe" --info "$cover"
quiet "--export-png" "$exe" --export-png "$work/png" --dpi 40 "$cover"
check "--export-png: nothing on stdout" "" "$(cat "$work/out")"
quiet "--export-pdf" "$exe" --export-pdf "$work/c.pdf" "$cover"
check "--export-pdf: nothing on stdout" "" "$(cat "$work/out")"
quiet "--thumbnail" "$exe" --thumbnail "$work/t.png" "$cover"
check "--thumbnail: nothing on stdout" "" "$(cat "$work/out")"

# The window: Qt's own options are taken, the first file is opened and
# further ones are ignored with a note. Each start ends after its first
# paint, in a settings folder of its own and a session with a runtime folder.
mkdir -m 700 "$work/runtime"
window() { # arguments...
  env XDG_CONFIG_HOME="$work/window-config" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work" \
    DISCORA_BENCH_EXIT_AFTER_PAINT=1 "$exe" "$@" >"$work/out" 2>"$work/err"
}
window -style fusion -reverse -platform offscreen
check "Qt options open the window" 0 $?
grep -q "first complete paint" "$work/out"; check "the window was painted" 0 $?
check "Qt options: nothing on stderr" "" "$(cat "$work/err")"
window --style=fusion -qwindowgeometry 700x500+10+10 "$cover"
check "Qt options with a cover" 0 $?
grep -q "first complete paint" "$work/out"; check "the window was painted with the cover" 0 $?
window "$cover" "$work/second.zcv" "$work/third.zcv"
check "further files do not stop the window" 0 $?
grep -q "first complete paint" "$work/out"; check "the window opened" 0 $?
check "one line of note" 1 "$(wc -l <"$work/err")"
grep -q "second.zcv, .*third.zcv" "$work/err"; check "the note names the ignored files" 0 $?
if grep -q "standard-cd.zcv" "$work/err"; then r=1; else r=0; fi
check "the first file is not among them" 0 $r
window --no-such-option -style fusion
check "unknown option with the window exits 64" 64 $?
grep -q "no-such-option" "$work/err"; check "unknown option named" 0 $?
grep -q "first complete paint" "$work/out"; check "no window for a usage error" 1 $?
exit $fail
