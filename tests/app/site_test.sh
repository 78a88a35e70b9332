#!/usr/bin/env bash
# feldora --standort without a display: the site's lines, messages and exit codes.
# Usage: site_test.sh FELDORA_BINARY SHIPPED_DATA_DIR FIXTURES_DIR
set -u
bin=$1 data=$2 fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin" "$work/feldora"
cp -r "$data"/. "$work/"
cp -r "$fixtures/site" "$work/site"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=gibtesnicht # text alone starts no GUI
fail=0
check() { if ! eval "$2"; then echo "FEHLER: $1"; fail=1; fi; }

"$work/feldora" --standort "$work/site/Garten.standort" >"$work/out" 2>"$work/err"
rc=$?
check "Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "nichts auf stderr" '[ ! -s "$work/err" ]'
check "Kopf und Zeile des Standorts" '[ "$(sed -n 1,2p "$work/out")" = "Standort;Rufzeichen;Betreiber;Anschrift;Datum
Garten.standort;DL0XYZ;Erika Musterfrau;Musterweg 1, 12345 Musterstadt;10.12.2026" ]'
check "drei Antennen" '[ "$(grep -cE "^[ABC];" "$work/out")" = 3 ]'
check "Gruppe 1 aus A und B" 'grep -qE "^1;A,B;[0-9]+,[0-9]{2};[-0-9,]+ [-0-9,]+ [-0-9,]+;" "$work/out"'
check "Anzeige" 'grep -qE "^Standort;[0-9]+,[0-9]{2} W;A;15m;ja$" "$work/out"'
check "keine CR, kein Dezimalpunkt" '! grep -q $'"'"'\r'"'"' "$work/out" && ! grep -qE "[0-9]\.[0-9]+ (W|m)" "$work/out"'
check "kein Feldora.ini geschrieben" '[ ! -e "$work/Feldora.ini" ]'

# From the site's own folder the configurations are found as well.
(cd "$work/site" && "$work/feldora" --standort Garten.standort) >"$work/out2" 2>/dev/null
check "relativ aufgerufen: dieselben Zeilen" 'cmp -s "$work/out" "$work/out2"'

sed 's/^Punkte=12,5 9$/Punkte=12,5 neun/' "$work/site/Garten.standort" >"$work/site/kaputt.standort"
"$work/feldora" --standort "$work/site/kaputt.standort" >"$work/out" 2>"$work/err"
rc=$?
check "keine Zahl: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
check "keine Zahl: Datei, Zeile, Abschnitt, Schlüssel" 'grep -qx "Fehler: .*kaputt.standort, Zeile 14, \[Antenne A\] Punkte: „neun“ ist keine Zahl." "$work/err"'
check "keine Zahl: nichts ausgegeben" '[ ! -s "$work/out" ]'

sed 's/^Konfiguration=Dipol 80m.txt$/Konfiguration=fehlt.txt/' "$work/site/Garten.standort" >"$work/site/fehlt.standort"
"$work/feldora" --standort "$work/site/fehlt.standort" >"$work/out" 2>"$work/err"
rc=$?
check "fehlende Konfiguration: Exit 1 (war $rc)" '[ $rc -eq 1 ] && grep -q "^Fehler: .*Zeile 25, \[Antenne C\] Konfiguration: „fehlt.txt“" "$work/err"'

"$work/feldora" --standort "$work/gibtsnicht.standort" >/dev/null 2>"$work/err"
rc=$?
check "fehlende Standortdatei: Exit 1 (war $rc)" '[ $rc -eq 1 ] && grep -q "^Fehler: .*gibtsnicht.standort" "$work/err"'

for call in "--standort" "--standort a b"; do
    "$work/feldora" $call >/dev/null 2>"$work/err"
    rc=$?
    check "\"$call\": Exit 2 (war $rc)" '[ $rc -eq 2 ] && grep -q "^Aufruf:" "$work/err"'
done
exit $fail
