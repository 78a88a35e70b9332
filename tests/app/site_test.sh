#!/usr/bin/env bash
# feldora --standort without a display: the site's lines, messages and exit codes.
# Usage: site_test.sh FELDORA_BINARY SHIPPED_DATA_DIR FIXTURES_DIR
set -u
bin=$1 data=$2 fixtures=$3
. "$(dirname "$0")/scratch.sh"
cp -r "$fixtures/site" "$work/site"
export QT_QPA_PLATFORM=gibtesnicht # text alone starts no GUI

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
# The plan as a picture: drawing needs fonts, on no screen.
plan() { env -u QT_QPA_PLATFORM "$work/feldora" --standort "$work/site/Garten.standort" "$@"; }
pngSize() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }

plan --lageplan "$work/plan.png" >"$work/out" 2>"$work/err"
rc=$?
check "PNG: Exit 0 (war $rc), nichts auf stderr" '[ $rc -eq 0 ] && [ ! -s "$work/err" ]'
check "PNG: die Zeilen des Standorts wie ohne Plan" '[ "$(grep -c ";" "$work/out")" -ge 9 ]'
check "PNG: eine PNG-Datei" '[ "$(head -c 8 "$work/plan.png" | od -An -c | tr -d " ")" = "211PNG\r\n032\n" ]'
read -r w20 h20 <<<"$(pngSize "$work/plan.png")"
plan --lageplan "$work/plan10.png" --pixel-pro-meter 10 >/dev/null 2>&1
read -r w10 h10 <<<"$(pngSize "$work/plan10.png")"
# A's zone of 12,98 m around x = 12,5 and 2 m on each side: about 30 m wide.
check "PNG: 20 Pixel je Meter (${w20}x${h20})" '[ "$w20" -ge 598 ] && [ "$w20" -le 640 ] && [ "$h20" -ge 598 ]'
check "PNG: 10 Pixel je Meter halb so groß (${w10}x${h10})" '[ $((w20 - 2 * w10)) -le 1 ] && [ $((2 * w10 - w20)) -le 1 ] && [ $((h20 - 2 * h10)) -le 1 ] && [ $((2 * h10 - h20)) -le 1 ]'
plan --lageplan "$work/plan.png" --pixel-pro-meter 2,5 >/dev/null 2>&1
read -r w h <<<"$(pngSize "$work/plan.png")"
check "PNG: Dezimalkomma bei --pixel-pro-meter (${w}x${h})" '[ $((4 * w - w10)) -le 4 ] && [ $((w10 - 4 * w)) -le 4 ]'

if command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null; then
    plan --lageplan "$work/plan.pdf" >/dev/null 2>"$work/err"
    rc=$?
    check "PDF: Exit 0 (war $rc)" '[ $rc -eq 0 ] && [ ! -s "$work/err" ]'
    check "PDF: A4 quer, Plan und Seitenansichten" 'pdfinfo "$work/plan.pdf" | grep -qE "^Pages: +2$" && pdfinfo "$work/plan.pdf" | grep -qE "^Page size: +84[12](\.[0-9]+)? x 595(\.[0-9]+)? pts \(A4\)"'
    pdftotext -f 1 -l 1 "$work/plan.pdf" "$work/page1.txt"
    check "PDF: der genaueste passende Maßstab" 'grep -q "Maßstab 1:200" "$work/page1.txt"'
    check "PDF: Legende mit den Zahlen der Rechnung" 'grep -q "Sicherheitsabstand 12,98 m (15m)" "$work/page1.txt" && grep -q "größte Summe außerhalb 2,13" "$work/page1.txt"'
    check "PDF: Schriftfeld" 'grep -q "Rufzeichen: DL0XYZ" "$work/page1.txt" && grep -q "Datum: 10.12.2026" "$work/page1.txt"'
    check "PDF: Seitenansichten auf Seite 2" 'pdftotext -f 2 -l 2 "$work/plan.pdf" - | grep -q "Ansicht entlang der x-Achse"'
    plan --lageplan "$work/plan.pdf" --massstab 500 >/dev/null 2>&1
    check "PDF: --massstab 500" 'pdftotext -f 1 -l 1 "$work/plan.pdf" - | grep -q "Maßstab 1:500"'
fi

plan --lageplan "$work/plan.svg" --massstab 250 >/dev/null 2>"$work/err"
rc=$?
check "SVG: Exit 0 (war $rc), ein SVG-Bild" '[ $rc -eq 0 ] && grep -q "<svg" "$work/plan.svg" && grep -q "Maßstab 1:250" "$work/plan.svg"'

plan --lageplan "$work/plan.bmp" >/dev/null 2>"$work/err"
rc=$?
check "BMP: Exit 1 (war $rc), deutsch" '[ $rc -eq 1 ] && grep -q "^Fehler: Speichern von .bmp-Dateien nicht möglich" "$work/err" && [ ! -e "$work/plan.bmp" ]'
plan --lageplan "$work/gross.png" --pixel-pro-meter 1000 >/dev/null 2>"$work/err"
rc=$?
check "zu groß: Exit 1 (war $rc), nichts geschrieben" '[ $rc -eq 1 ] && grep -q "^Fehler: Der Lageplan wäre mit 1000 Pixeln je Meter größer" "$work/err" && [ ! -e "$work/gross.png" ]'
plan --lageplan "$work/fehlt/plan.png" >/dev/null 2>"$work/err"
rc=$?
check "Ordner fehlt: Exit 1 (war $rc)" '[ $rc -eq 1 ] && grep -q "^Fehler: .*fehlt/plan.png" "$work/err"'

# The plan over a background placed by its world file: the plain plan itself, 20 px per metre
# from (-2 m, 20 m), under a copy of the site.
plan --lageplan "$work/site/grund.png" >/dev/null 2>&1
{ cat "$work/site/Garten.standort"
  printf '[Hintergrund]\nDatei=grund.png\nKalibrierung=Weltdatei\nWeltdatei=0,05; 0; 0; -0,05; -1,975; 19,975\n'
} >"$work/site/mitgrund.standort"
"$work/feldora" --standort "$work/site/mitgrund.standort" --lageplan "$work/mitgrund.png" >/dev/null 2>"$work/err"
rc=$?
check "Hintergrund: Exit 0 (war $rc)" '[ $rc -eq 0 ] && [ ! -s "$work/err" ]'
check "Hintergrund: ein anderer Plan als ohne" '[ -s "$work/mitgrund.png" ] && ! cmp -s "$work/mitgrund.png" "$work/site/grund.png"'
sed 's/^Datei=grund.png$/Datei=fehlt.png/' "$work/site/mitgrund.standort" >"$work/site/ohnegrund.standort"
"$work/feldora" --standort "$work/site/ohnegrund.standort" --lageplan "$work/ohnegrund.png" >/dev/null 2>"$work/err"
rc=$?
check "Hintergrund fehlt: Exit 1, Meldung (war $rc)" '[ $rc -eq 1 ] && grep -q "^Fehler: .*fehlt.png.*Der Lageplan wird ohne Hintergrund geschrieben.$" "$work/err"'
check "Hintergrund fehlt: der Plan ohne ihn" 'cmp -s "$work/ohnegrund.png" "$work/site/grund.png"'

for call in "--lageplan" "--lageplan a.png --pixel-pro-meter 0" "--lageplan a.png --pixel-pro-meter viel" \
            "--lageplan a.pdf --massstab 1,5" "--lageplan a.pdf --massstab 0" "--pixel-pro-meter 5" "--massstab 200" \
            "--lageplan a.png --lageplan b.png" "--lageplan a.png --pixel-pro-meter 5 --pixel-pro-meter 6"; do
    plan $call >/dev/null 2>"$work/err"
    rc=$?
    check "\"$call\": Exit 2 (war $rc)" '[ $rc -eq 2 ] && grep -q "^Aufruf:" "$work/err"'
done
exit $fail
