#!/usr/bin/env bash
# feldora --standort DATEI --pdf: the notification's documents, their parts in order, the
# contents' pages, the page numbers, and the table's figures against the site's lines.
# Usage: documents_test.sh FELDORA_BINARY SHIPPED_DATA_DIR FIXTURES_DIR
set -u
bin=$1 data=$2 fixtures=$3
. "$(dirname "$0")/scratch.sh"
cp -r "$fixtures/site" "$work/site"

pdf=$work/Unterlagen.pdf
"$work/feldora" --standort "$work/site/Garten.standort" --pdf "$pdf" >"$work/out" 2>"$work/err"
rc=$?
check "Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "nichts auf stderr" '[ ! -s "$work/err" ]'
check "PDF geschrieben" '[ -s "$pdf" ]'
[ -s "$pdf" ] || exit 1
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
check "Schriften eingebettet" '! pdffonts "$pdf" | tail -n +3 | awk "{ print \$(NF-4) }" | grep -qv yes'
for ((i = 1; i <= pages; i++)); do
  pdftotext -layout -f $i -l $i "$pdf" "$work/p$i.txt"
done

# Each page's kind from what it shows; an antenna's part begins at its first overview page.
antennaOf() { # catalogue name -> antenna of the site's lines
  awk -F';' -v n="$1" 'f && index($3, n) == 1 { print $1; exit } /^Antenne;/ { f = 1 }' "$work/out"
}
: >"$work/kinds"
for ((i = 1; i <= pages; i++)); do
  t=$work/p$i.txt
  if grep -q "Inhalt" "$t" && grep -q "Unterlagen zur Anzeige nach § 9 BEMFV" "$t"; then k="Deckblatt und Inhalt"
  elif grep -q "^Konfigurationstabelle" "$t"; then k=Konfigurationstabelle
  elif grep -q "Ansicht entlang der x-Achse" "$t"; then k=Seitenansichten
  elif grep -q "Maßstab 1:" "$t" && grep -q "Lageplan" "$t"; then k="Lageplan"
  elif grep -q "Übersicht für eine Konfiguration" "$t"; then
    name=$(sed -n 's/^ *AntennenName *: //p' "$t" | sed 's/ *$//')
    k="Antenne $(antennaOf "$name"): Berechnung"
  else k=same
  fi
  if [ "$k" = same ]; then k=$(tail -n 1 "$work/kinds" | cut -d'|' -f2); fi
  echo "$i|$k" >>"$work/kinds"
done
# The real parts: name, first page, number of pages.
awk -F'|' '$2 != last { if (last != "") print last "|" first "|" n; last = $2; first = $1; n = 0 } { n++ }
  END { print last "|" first "|" n }' "$work/kinds" >"$work/real"
# The contents: a line per part, its first page and its count as the two last columns.
awk '/^Inhalt/ { f = 1; next } f && /Seite +Seiten/ { g = 1; next }
  g && NF >= 3 && $(NF) ~ /^[0-9]+$/ && $(NF-1) ~ /^[0-9]+$/ {
    name = $0; sub(/ +[0-9]+ +[0-9]+ *$/, "", name); sub(/^ +/, "", name)
    sub(/, Maßstab 1:[0-9]+$/, "", name); sub(/ \(Draufsicht\)$/, "", name)
    print name "|" $(NF-1) "|" $(NF) }' "$work/p1.txt" >"$work/contents"
check "Inhalt gleich den wirklichen Teilen" 'diff -u "$work/real" "$work/contents"'
check "Teile in der Folge" '[ "$(cut -d"|" -f1 "$work/real" | tr "\n" ,)" = "Deckblatt und Inhalt,Konfigurationstabelle,Lageplan,Seitenansichten,Antenne A: Berechnung,Antenne B: Berechnung,Antenne C: Berechnung," ]'

# Within antenna A (three bands, angle damping): three overview pages, the angle pages, the page
# of every band, then a diagram per band; B and C (no damping) have no diagram.
partPages() { awk -F'|' -v p="$1" '$2 == p { print $1 }' "$work/kinds"; }
sequence() {
  for i in $(partPages "$1"); do
    t=$work/p$i.txt
    if grep -q "Übersicht für eine Konfiguration" "$t"; then echo -n "U$(sed -n 's/^ *Band: *//p' "$t" | head -1) "
    elif grep -q "Übersicht aller Bänder" "$t"; then echo -n "Alle "
    elif grep -q "Strahlungsdiagramm" "$t"; then echo -n "D$(grep -o 'Strahlungsdiagramm [0-9a-z]*' "$t" | cut -d' ' -f2) "
    else echo -n "W "
    fi
  done | sed 's/\(W \)\{1,\}/W /g'
}
check "Antenne A: Übersichten, Winkeltabelle, alle Bänder, Diagramme" '[ "$(sequence "Antenne A: Berechnung")" = "U20m U15m U10m W Alle D20m D15m D10m " ]'
check "Antenne C: Übersicht, Winkeltabelle, alle Bänder" '[ "$(sequence "Antenne C: Berechnung")" = "U80m W Alle " ]'
check "Antenne B ohne Diagramm" '! sequence "Antenne B: Berechnung" | grep -q D'
check "Winkeltabelle von A für 15m, das Band des größten Abstands" 'grep -q "^ *0 *0,00 *4242,5" "$work/p$(partPages "Antenne A: Berechnung" | sed -n 4p).txt"'

# Every page of an angle table starts with its column headings.
for i in $(partPages "Antenne A: Berechnung"); do
  if grep -qE "^ *[0-9]+ +[0-9]+,[0-9]{2} +[0-9]+,[0-9]{2} +[0-9]+,[0-9]{2} *$" "$work/p$i.txt"; then
    check "Winkeltabelle Seite $i mit Überschrift" 'grep -q "Winkel \[°\]" "$work/p$i.txt"'
  fi
done

# "Seite n von m" at the right of every footer.
for ((i = 1; i <= pages; i++)); do
  check "Seite $i von $pages" 'tail -n 3 "$work/p$i.txt" | grep -qE "Seite $i von $pages *$"'
done

# The table's figures are the site's lines: radii, margins, verdicts, safety distance with its band.
squeeze() { tr -s ' ' | sed 's/^ //; s/ $//'; }
row() { grep -E "^$1 {2,}" "$work/p2.txt" | head -1 | squeeze; }
expect() { # label, field of the antenna lines
  awk -F';' -v c="$2" -v l="$1" 'f && /^[ABC];/ { s = s " " $c } /^Antenne;/ { f = 1 } /^Gruppe;/ { f = 0 }
    END { print l s }' "$work/out"
}
for pair in "Höhe:4" "Radius Draufsicht:7" "Radius in Aufenthaltshöhe:8" "Abstand zur Grenze:9" \
  "Abstand zur Grenze in Aufenthaltshöhe:10" "Ergebnis:11"; do
  label=${pair%:*} field=${pair##*:}
  check "Tabelle: $label" '[ "$(row "$label")" = "$(expect "$label" "$field")" ]'
done
check "Tabelle: Sicherheitsabstand mit Band" '[ "$(row Sicherheitsabstand)" = "$(awk -F";" "f && /^[ABC];/ { s = s \" \" \$6 \" (\" \$5 \")\" } /^Antenne;/ { f = 1 } /^Gruppe;/ { f = 0 } END { print \"Sicherheitsabstand\" s }" "$work/out")" ]'
check "Tabelle: Anzeige erforderlich" 'grep -qE "^Standort +4242,54 W +A \(15m\) +ja" "$work/p2.txt"'

# The plan on A4 landscape; an area too wide for A4 at 1:1000 puts it on A3 landscape at 1:1000.
check "Lageplan auf A4 quer" 'pdfinfo -f 3 -l 3 "$pdf" | grep -qE "^Page +3 size: +842 x 595 pts \(A4\)"'
sed 's/^Punkte=0 0; 25 0; 25 18; 0 18$/Punkte=0 0; 250 0; 250 18; 0 18/' "$work/site/Garten.standort" >"$work/site/Weit.standort"
"$work/feldora" --standort "$work/site/Weit.standort" --pdf "$work/weit.pdf" >/dev/null 2>&1
check "weiter Bereich: Lageplan auf A3 quer" 'pdfinfo -f 3 -l 3 "$work/weit.pdf" | grep -qE "^Page +3 size: +1191 x 842 pts \(A3\)"'
check "weiter Bereich: Maßstab 1:1000" 'pdftotext -f 3 -l 3 "$work/weit.pdf" - | grep -q "Maßstab 1:1000"'
check "weiter Bereich: Seitenansichten auf A4 quer" 'pdfinfo -f 4 -l 4 "$work/weit.pdf" | grep -qE "^Page +4 size: +842 x 595 pts \(A4\)"'

# A file that cannot be written: German message, exit 1, nothing left behind.
"$work/feldora" --standort "$work/site/Garten.standort" --pdf "$work/fehlt/u.pdf" >/dev/null 2>"$work/err"
rc=$?
check "nicht schreibbar: Exit 1 (war $rc)" '[ $rc -eq 1 ]'
check "nicht schreibbar: Meldung" 'grep -q "^Fehler: .*u.pdf" "$work/err"'
exit $fail
