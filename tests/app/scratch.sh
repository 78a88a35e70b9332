# Sourced by the command-line tests after setting bin and data: a scratch program folder $work
# with the program and the shipped data (removed on exit), no display, and
# check DESCRIPTION CONDITION, which prints a failure and sets $fail.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin" "$work/feldora"
cp -r "$data"/. "$work/"
unset DISPLAY WAYLAND_DISPLAY
fail=0
check() { if ! eval "$2"; then echo "FEHLER: $1"; fail=1; fi; }
