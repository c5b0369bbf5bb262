#!/usr/bin/env bash
# The manual page: renders without warnings, documents every option the
# program's --help lists, the files and exit codes, and shows each command.
set -u
exe="$1"
root="$2"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
build="$(cd "$(dirname "$exe")/.." && pwd)"
page="$build/man/discora.1"

[ -s "$page" ]; check "the build made the page" 0 $?
warnings="$(groff -ww -man -Tutf8 "$page" 2>&1 >/dev/null)"
check "groff renders it without warnings" "" "$warnings"
cmp -s "$page" <(gzip -dc "$page.gz"); check "the installed page is the same, compressed" 0 $?
grep -q "Discora $("$exe" --version | cut -d' ' -f2)" "$page"; check "the page names the version" 0 $?

text="$(groff -man -Tascii -P-c -P-b -P-u "$page" 2>/dev/null)"
options="$("$exe" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)"
[ -n "$options" ]; check "--help lists options" 0 $?
for option in $options; do
  grep -q -- "$option\b" <<<"$text"; check "the page has $option" 0 $?
done
for section in SYNOPSIS OPTIONS "EXIT STATUS" FILES EXAMPLES; do
  grep -qx "$section" <<<"$text"; check "section $section" 0 $?
done
for file in "~/.config/Tessaly.conf" "~/.local/share/discora/recovery/" "/usr/share/discora/CLIPART/"; do
  grep -qF -- "$file" <<<"$text"; check "names $file" 0 $?
done
examples="$(sed -n '/^EXAMPLES$/,/^SEE ALSO$/p' <<<"$text")"
for command in "" --info --export-png --export-pdf --calibration-page --thumbnail --help --version; do
  pattern="^ +discora ${command}( |$)"
  [ -n "$command" ] || pattern="^ +discora [^ -]"
  grep -Eq "$pattern" <<<"$examples"; check "an example of discora $command" 0 $?
done
exit $fail
