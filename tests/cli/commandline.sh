#!/usr/bin/env bash
# The options that answer without a display.
set -u
exe="$1"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

check "--version prints the version" "Discora 2.04" "$("$exe" --version)"
"$exe" --help | grep -q -- "--export-pdf"; check "--help lists the options" 0 $?
"$exe" --no-such-option >/dev/null 2>&1; check "unknown option exits 64" 64 $?
"$exe" --info >/dev/null 2>&1; check "--info without a file exits 64" 64 $?
"$exe" --export-png >/dev/null 2>&1; check "--export-png without a folder exits 64" 64 $?
"$exe" --dpi 96 a.zcv >/dev/null 2>&1; check "--dpi without --export-png exits 64" 64 $?
"$exe" --export-png /tmp --dpi many a.zcv >/dev/null 2>&1; check "--dpi not a number exits 64" 64 $?
"$exe" a.zcv b.zcv --info >/dev/null 2>&1; check "two cover files exit 64" 64 $?
[ -z "$(ls -A "$XDG_CONFIG_HOME")" ]; check "no settings written" 0 $?
exit $fail
