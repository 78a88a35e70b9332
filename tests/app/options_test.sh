#!/usr/bin/env bash
# The options of "feldora --help", of the manual page and of the bash completion are the same.
# Usage: options_test.sh FELDORA MANPAGE COMPLETION
set -u
feldora=$1 manpage=$2 completion=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

"$feldora" --help | grep -o -- '--[a-z][a-z-]*' | sort -u >"$work/help"
# Each option of the page is the head line of a tagged paragraph: ".TP" then ".B \-\-x" or
# ".BR \-h \", \" \-\-help"; the long forms are compared.
awk 'tp { print } { tp = ($0 == ".TP") }' "$manpage" | sed 's/\\-/-/g' | grep -o -- '--[a-z][a-z-]*' | sort -u >"$work/man"
# Every option the completion offers: first, after "--bericht DATEI" and after "--standort DATEI".
bash -c '
  source "$1"
  offer() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _feldora; printf "%s\n" "${COMPREPLY[@]}"; }
  offer feldora --
  offer feldora --bericht a.txt --
  offer feldora --standort a.standort --' _ "$completion" | sort -u >"$work/completion"

if [ ! -s "$work/help" ]; then echo "FEHLER: keine Optionen in --help"; fail=1; fi
if ! diff -u --label "feldora --help" --label "Handbuchseite" "$work/help" "$work/man"; then
  echo "FEHLER: Handbuchseite und --help nennen verschiedene Optionen"; fail=1
fi
if ! diff -u --label "feldora --help" --label "bash-Ergänzung" "$work/help" "$work/completion"; then
  echo "FEHLER: bash-Ergänzung und --help nennen verschiedene Optionen"; fail=1
fi
# The page's roff is clean: no warning from groff.
groff -k -man -Tutf8 -ww -z "$manpage" 2>"$work/groff"
if [ -s "$work/groff" ]; then echo "FEHLER: groff warnt:"; cat "$work/groff"; fail=1; fi
exit $fail
