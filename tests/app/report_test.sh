#!/usr/bin/env bash
# feldora --bericht without a display: output, messages and exit codes.
# Usage: report_test.sh FELDORA_BINARY SHIPPED_DATA_DIR FIXTURES_DIR
set -u
bin=$1 data=$2 fixtures=$3
. "$(dirname "$0")/scratch.sh"
unset QT_QPA_PLATFORM

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

# Text alone starts no GUI: a display platform that does not exist changes nothing.
QT_QPA_PLATFORM=gibtesnicht "$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --alle-baender >"$work/outq" 2>"$work/errq"
rc=$?
"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --alle-baender >"$work/outa" 2>/dev/null
check "ohne GUI-Plattform: Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "ohne GUI-Plattform: derselbe Bericht" 'cmp -s "$work/outa" "$work/outq"'
check "ohne GUI-Plattform: nichts auf stderr" '[ ! -s "$work/errq" ]'

"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --pdf "$work/doku.pdf" >"$work/out2" 2>"$work/err"
rc=$?
check "--pdf: Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "--pdf: Bericht wie ohne PDF" 'cmp -s "$work/out" "$work/out2"'
check "--pdf: nichts auf stderr" '[ ! -s "$work/err" ]'
pages=$(pdfinfo "$work/doku.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
check "--pdf: Seitenzahl 10, 361 Winkelzeilen (war $pages)" '[ "$pages" = 10 ]'
pdftotext -layout -f 1 -l 1 "$work/doku.pdf" "$work/page1.txt" 2>/dev/null
check "--pdf: Kopfzeile" 'grep -qE "^ *Dokumentation nach §9 BEMFV +DL0XYZ, [0-3][0-9]\.[01][0-9]\.20[0-9][0-9]$" "$work/page1.txt"'
check "--pdf: Überschrift" 'grep -qx " *Übersicht für eine Konfiguration" "$work/page1.txt"'
check "--pdf: EIRP-Zeile" 'grep -qE "^ *EIRP +: 1594,79 W$" "$work/page1.txt"'
check "--pdf: Fußzeile" 'grep -qE "Erstellt mit Feldora v 2\.1\.0 +Seite 1 von 10$" "$work/page1.txt"'

# At 100 m the picture's reach must not fall below the first page's 7,95 m.
sed '4s/>.*\r/>100\r/' "$fixtures/report_yagi2m.txt" >"$work/hoch.txt"
"$work/feldora" --bericht "$work/hoch.txt" --pdf "$work/hoch.pdf" >"$work/out" 2>"$work/err"
pdftotext -raw -f 10 -l 10 "$work/hoch.pdf" "$work/hoch10.txt" 2>/dev/null
check "100 m: Sicherheitsabstand 7,95 m" 'grep -qx "Sicherheitsabstand             : 7,95 m" "$work/out"'
check "100 m: Bild mit Reichweite 8,0 m" 'grep -qx "Reichweite: 8,0 m" "$work/hoch10.txt"'

"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --pdf "$work/fehlt/doku.pdf" >/dev/null 2>"$work/err"
rc=$?
check "--pdf nicht schreibbar: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
check "--pdf nicht schreibbar: Fehler nennt die Datei" 'grep -q "^Fehler: .*fehlt/doku.pdf" "$work/err"'

# Every failed --pdf names its German reason, never the system's English text.
mkdir -p "$work/ordner.pdf"
printf 'alt' >"$work/fest.pdf"
chmod 0444 "$work/fest.pdf"
while IFS='|' read -r target reason; do
  "$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --pdf "$work/$target" >/dev/null 2>"$work/err"
  rc=$?
  check "--pdf $target: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
  check "--pdf $target: Grund „$reason“ ($(cat "$work/err"))" 'grep -qF "$reason" "$work/err"'
  check "--pdf $target: kein englischer Text" '! grep -qiE "no such|directory|not writable|no space|permission" "$work/err"'
done <<'TARGETS'
fehlt/doku.pdf|(Anlegen: Datei oder Ordner nicht vorhanden).
ordner.pdf|(Anlegen: der Name gehört zu einem Ordner).
fest.pdf|(die Datei ist schreibgeschützt). Die bisherige Datei bleibt unverändert.
TARGETS
check "--pdf schreibgeschützt: Datei unverändert" '[ "$(cat "$work/fest.pdf")" = alt ]'
# A full disk: a tiny file system of its own, where the suite may mount one (root, unshare).
mkdir -p "$work/voll"
if [ "$(id -u)" -eq 0 ] && unshare -m true 2>/dev/null; then
  unshare -m sh -c 'mount -t tmpfs -o size=16k tmpfs "$1" && "$2" --bericht "$3" --pdf "$1/doku.pdf"' sh \
    "$work/voll" "$work/feldora" "$fixtures/report_yagi2m.txt" >/dev/null 2>"$work/err"
  rc=$?
  check "--pdf auf volle Platte: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
  check "--pdf auf volle Platte: Grund ($(cat "$work/err"))" 'grep -qF "(Schreiben: kein Platz mehr auf dem Datenträger)." "$work/err"'
else
  echo "Hinweis: volle Platte nicht geprüft (kein eigenes Dateisystem einhängbar)"
fi

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

"$work/feldora" --grenzwerte >"$work/out" 2>"$work/err"
rc=$?
check "--grenzwerte: Exit 0 (war $rc)" '[ $rc -eq 0 ] && [ ! -s "$work/err" ]'
check "--grenzwerte: Kopf und 21 Bänder" '[ "$(head -n1 "$work/out")" = " Band  E[V/m] H[A/m] E[dBm] H[dBm]" ] && [ "$(sed -n 2,22p "$work/out" | wc -l)" -eq 21 ]'
check "--grenzwerte: 20m-Zeile" 'grep -qx "  20m  27,50  0,0730  -41,2  -22,7" "$work/out"'
check "--grenzwerte: UTF-8 ohne CR" 'grep -q "für" "$work/out" && ! grep -q $'"'"'\r'"'"' "$work/out"'
"$work/feldora" --grenzwerte >/dev/full 2>"$work/err"
rc=$?
check "--grenzwerte: Exit 1 bei voller Ausgabe (war $rc)" '[ $rc -eq 1 ] && grep -q "^Fehler: " "$work/err"'

"$work/feldora" --bunt >"$work/out" 2>"$work/err"
rc=$?
check "unbekannte Option: Exit 2 (war $rc)" '[ $rc -eq 2 ]'
check "unbekannte Option: Meldung auf stderr, nichts auf stdout" 'grep -q "^Aufruf:" "$work/err" && [ ! -s "$work/out" ]'

# Pictures of the angle data next to the report.
size_of_png() { od -An -tu1 -j16 -N8 "$1" | tr -s ' ' | sed 's/^ //'; }
"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --diagramm "$work/d.jpg" --seitenansicht "$work/s.png" \
  >"$work/out" 2>"$work/err"
rc=$?
check "Bilder: Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "Bilder: Bericht trotzdem" '[ "$(head -n1 "$work/out")" = "Übersicht für eine Konfiguration" ]'
check "Seitenansicht als PNG 809 x 473" '[ "$(size_of_png "$work/s.png")" = "0 0 3 41 0 0 1 217" ]'
check "Diagramm als JPEG" '[ "$(head -c 3 "$work/d.jpg" | od -An -tx1 | tr -d " ")" = "ffd8ff" ]'
check "Bilder: nichts auf stderr" '[ ! -s "$work/err" ]'

"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --seitenansicht "$work/s.PNG" --diagramm "$work/d.bmp" \
  >"$work/out" 2>"$work/err"
rc=$?
check "falsche Endung: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
check "falsche Endung: Meldung" 'grep -qx "Fehler: Speichern von .PNG-Dateien nicht möglich." "$work/err"'
check "falsche Endung: nichts geschrieben, Diagramm trotzdem" '[ ! -e "$work/s.PNG" ] && [ "$(head -c 2 "$work/d.bmp")" = "BM" ]'

"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --seitenansicht "$work/fehlt/s.png" >"$work/out" 2>"$work/err"
rc=$?
check "Schreibfehler: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
check "Schreibfehler: Meldung nennt die Datei" 'grep -q "^Fehler: .*fehlt/s.png" "$work/err"'

# The table of every band on which the antenna has a catalogue line.
sed -e 's/^\(Antenne\.*>\).*/\1Tribander 3 El.;Beams/' -e 's/^\(Band\/Frequenz\.*>\).*/\120m/' \
  "$fixtures/report_yagi2m.txt" >"$work/tribander.txt"
"$work/feldora" --bericht "$work/tribander.txt" --alle-baender >"$work/out" 2>"$work/err"
rc=$?
check "--alle-baender: Exit 0 (war $rc)" '[ $rc -eq 0 ] && [ ! -s "$work/err" ]'
check "--alle-baender: Kopfzeile" 'grep -qx "Band;Frequenz (MHz);Gewinn (dBi);Dämpfung (dB);EIRP;E-Grenzwert;Sicherheitsabstand;Nahfeldgrenze;Abstand Wiesbeck;größter Abstand Winkel;größte PEP bei 5,00 m" "$work/out"'
check "--alle-baender: drei Bänder danach" '[ "$(sed -n "/^Band;/,\$p" "$work/out" | sed 1d | cut -d";" -f1 | tr "\n" " ")" = "20m 15m 10m " ]'
check "--alle-baender: elf Spalten, Dezimalkomma" '[ "$(grep -c "^[0-9]*m;[0-9]*,[0-9]*;[0-9],[0-9]*;[0-9]*,[0-9]*;[^;]*;[^;]*;[^;]*;[^;]*;[^;]*;[0-9]*,[0-9]* m;[0-9][0-9,]* W$" "$work/out")" = 3 ]'
"$work/feldora" --bericht "$work/tribander.txt" >"$work/out2" 2>/dev/null
check "--alle-baender: Bericht unverändert davor" '[ "$(head -n "$(wc -l <"$work/out2")" "$work/out")" = "$(cat "$work/out2")" ]'

# With --pdf the same rows stand on the PDF's last page.
"$work/feldora" --bericht "$work/tribander.txt" --alle-baender --pdf "$work/alle.pdf" >"$work/out3" 2>"$work/err"
rc=$?
check "--alle-baender --pdf: Exit 0 (war $rc)" '[ $rc -eq 0 ] && [ ! -s "$work/err" ]'
last=$(pdfinfo "$work/alle.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
pdftotext -layout -f "$last" -l "$last" "$work/alle.pdf" - 2>/dev/null | sed -e 's/^ *//' -e 's/  */ /g' >"$work/lastpage"
check "--alle-baender --pdf: letzte Seite ist die Übersicht" 'grep -qx "Übersicht aller Bänder" "$work/lastpage"'
check "--alle-baender --pdf: dieselben Zeilen wie auf stdout" '[ "$(sed -n "/^Band;/,\$p" "$work/out3" | sed 1d | tr ";" " ")" = "$(grep -E "^(20|15|10)m " "$work/lastpage")" ]'
"$work/feldora" --bericht "$work/tribander.txt" --pdf "$work/ohne.pdf" >/dev/null 2>&1
check "--pdf ohne --alle-baender: keine Übersichtsseite" '[ "$(pdfinfo "$work/ohne.pdf" | sed -n "s/^Pages: *//p")" -eq $((last - 1)) ]'

rm -rf "$work/ang"
"$work/feldora" --bericht "$fixtures/report_yagi2m.txt" --diagramm "$work/ohne.png" >"$work/out" 2>"$work/err"
rc=$?
check "ohne Winkeldaten: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
check "ohne Winkeldaten: Meldung, kein Bild" 'grep -q "^Fehler: Keine Winkeldaten" "$work/err" && [ ! -e "$work/ohne.png" ]'

exit $fail
