# Shared by the shell tests (sourced, not run): the check helper and a
# sandbox with its own settings folder and no display.
fail=0
check() { # description, expected, actual
  if [ "$2" != "$3" ]; then echo "FAIL: $1: expected [$2], got [$3]"; fail=1; else echo "ok: $1"; fi
}
unset DISPLAY WAYLAND_DISPLAY
work="$(mktemp -d)"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
trap 'rm -rf "$work"' EXIT
