#!/usr/bin/env bash
# feldora --bericht without a display: output, messages and exit codes.
# Usage: report_test.sh FELDORA_BINARY SHIPPED_DATA_DIR FIXTURES_DIR
set -u
bin=$1 data=$2 fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin" "$work/feldora"
cp -r "$data"/. "$work/"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail=0
check() { if ! eval "$2"; then echo "FEHLER: $1"; fail=1; fi; }

"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" >"$work/out" 2>"$work/err"
rc=$?
check "Exit 0 bei gültiger Datei (war $rc)" '[ $rc -eq 0 ]'
check "erste Zeile" '[ "$(head -n1 "$work/out")" = "Übersicht für eine Konfiguration" ]'
check "EIRP-Zeile" 'grep -qx "EIRP                          : 1594,79 W" "$work/out"'
check "Sicherheitsabstand" 'grep -qx "Sicherheitsabstand             : 7,95 m" "$work/out"'
check "Wiesbeck-Block" 'grep -qx "Wiesbeck-Sicherheitsabstand: 3,62 m" "$work/out"'
check "Winkeltabelle" 'grep -q "^ Winkel \[°\]" "$work/out"'
check "keine CR" '! grep -q $'"'"'\r'"'"' "$work/out"'
check "kein Dezimalpunkt in Zahlen" '! grep -qE "[0-9]\.[0-9]+ (W|m|dB)" "$work/out"'
check "nichts auf stderr" '[ ! -s "$work/err" ]'
check "kein Feldora.ini geschrieben" '[ ! -e "$work/Feldora.ini" ]'

# Numbers at the edge of their ranges, each a change of the example: a value beyond its range
# stops the opening at its line (status 1, never an abort); one at the edge gives a report
# without INF, NAN or runaway digits.
while IFS='|' read -r change want stderr_has; do
  sed "$change" "$fixtures/report_yagi2m.txt" >"$work/edge.txt"
  "$work/feldora" --bericht "$work/edge.txt" >"$work/out" 2>"$work/err"
  rc=$?
  check "$change: Exit $want (war $rc)" '[ $rc -eq $want ]'
  check "$change: Meldung" '{ [ "$stderr_has" = - ] && [ ! -s "$work/err" ]; } || grep -q "$stderr_has" "$work/err"'
  check "$change: kein INF/NAN" '! grep -qiE "inf|nan" "$work/out"'
  check "$change: keine überlangen Zahlen" '! grep -qE "[0-9]{16}" "$work/out"'
done <<'EDGES'
13s/>.*\r/>1,7976931348623157E308\r/|1|^Warnung: Zeile 13 (Pers. Sich. Fakt)
13s/>.*\r/>1E308 dB\r/|1|^Warnung: Zeile 13
5s/>.*\r/>1,7976931348623157E308\r/|1|^Warnung: Zeile 5 (Leistung
5s/>.*\r/>1E300\r/|1|^Warnung: Zeile 5 (Leistung
11s/>.*\r/>1E308\r/|1|^Warnung: Zeile 11
12s/>.*\r/>-1E308\r/|1|^Warnung: Zeile 12
19s/>.*\r/>1E308\r/|1|^Warnung: Zeile 19
5s/>.*\r/>4,9E-324\r/|0|-
5s/>.*\r/>1000000\r/|0|-
5s/>.*\r/>0\r/;13s/>.*\r/>1000 dB\r/|0|-
19s/>.*\r/>1000\r/;18s/>.*\r/>-1\r/|0|-
11s/>.*\r/>10000\r/|0|-
EDGES

"$work/feldora" --bericht "$work/fehlt.txt" >"$work/out" 2>"$work/err"
rc=$?
check "Exit 1 bei fehlender Datei (war $rc)" '[ $rc -eq 1 ]'
check "Meldung mit Fehler:" 'grep -q "^Fehler: " "$work/err"'

"$work/feldora" --bericht >"$work/out" 2>"$work/err"
rc=$?
check "Exit 2 bei falschem Aufruf (war $rc)" '[ $rc -eq 2 ]'
check "Aufruf-Text" 'grep -q "^Aufruf:" "$work/err"'

"$work/feldora" --help >"$work/out" 2>"$work/err"
rc=$?
check "--help: Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "--help: Aufruf auf stdout" 'grep -q "^Aufruf:" "$work/out" && [ ! -s "$work/err" ]'

"$work/feldora" -v >"$work/out" 2>"$work/err"
rc=$?
check "-v: Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "-v: Versionszeile" '[ "$(cat "$work/out")" = "Feldora v 2.1.0" ] && [ ! -s "$work/err" ]'

"$work/feldora" --bunt >"$work/out" 2>"$work/err"
rc=$?
check "unbekannte Option: Exit 2 (war $rc)" '[ $rc -eq 2 ]'
check "unbekannte Option: Meldung auf stderr, nichts auf stdout" 'grep -q "^Aufruf:" "$work/err" && [ ! -s "$work/out" ]'

exit $fail
