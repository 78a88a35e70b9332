#!/usr/bin/env bash
# The installed program: cmake --install into a scratch prefix, feldora --bericht with a scratch
# home; settings and catalogues appear in the user's folders, a user's catalogue is kept.
# Usage: install_test.sh CMAKE BUILD_DIR FIXTURES_DIR
set -u
cmake=$1 build=$2 fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail=0
check() { if ! eval "$2"; then echo "FEHLER: $1"; fail=1; fi; }

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1
check "cmake --install (siehe Protokoll)" '[ $? -eq 0 ] || { cat "$work/install.log"; false; }'
check "Programm installiert" '[ -x "$prefix/bin/feldora" ]'
check "Katalog installiert" '[ -f "$prefix/share/feldora/Antennen.txt" ] && [ -f "$prefix/share/feldora/AntUser.txt" ]'
check "Winkeldateien installiert" 'ls "$prefix/share/feldora/ang/"*.ang >/dev/null 2>&1'
check "Anleitung installiert" 'head -c 5 "$prefix/share/doc/feldora/Feldora_Bedienung.pdf" | grep -q "%PDF-"'
desktop=$prefix/share/applications/de.feldora.Feldora.desktop
check "Desktop-Datei" 'grep -qx "Categories=Network;HamRadio;" "$desktop" && grep -qx "Exec=feldora %f" "$desktop" && grep -q "^Comment\[de\]=" "$desktop"'
# Errors and hints alike: a launcher the menus may misfile is not clean.
if command -v desktop-file-validate >/dev/null; then
  check "desktop-file-validate ohne Befund: $(desktop-file-validate "$desktop" 2>&1)" '[ -z "$(desktop-file-validate "$desktop" 2>&1)" ]'
else
  echo "FEHLER: desktop-file-validate fehlt (Paket desktop-file-utils)"; fail=1
fi
check "Symbol" 'grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/feldora.svg"'

export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
mkdir -p "$HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM USERPROFILE
run() { "$prefix/bin/feldora" --bericht "$fixtures/report_yagi2m.txt" >"$work/out" 2>"$work/err"; }

run
rc=$?
check "erster Start: Exit 0 (war $rc, $(cat "$work/err"))" '[ $rc -eq 0 ]'
check "erster Start: Bericht" 'grep -qx "Sicherheitsabstand             : 7,95 m" "$work/out"'
check "Einstellungen im Konfigurationsordner" 'grep -q "^\[Fensterpositionen\]" "$XDG_CONFIG_HOME/Feldora/Feldora.ini"'
check "Kataloge im Datenordner" 'cmp -s "$prefix/share/feldora/Antennen.txt" "$XDG_DATA_HOME/Feldora/Antennen.txt" && [ -f "$XDG_DATA_HOME/Feldora/AntUser.txt" ]'
check "Winkeldateien im Datenordner" '[ "$(ls "$XDG_DATA_HOME/Feldora/ang" | wc -l)" -eq "$(ls "$prefix/share/feldora/ang" | wc -l)" ]'
check "nichts neben dem Programm" '[ ! -e "$prefix/bin/Feldora.ini" ]'

printf '[DL0XYZ]\r\nEigene,Yagi,144,11.5,7,#\r\n' >>"$XDG_DATA_HOME/Feldora/AntUser.txt"
cp "$XDG_DATA_HOME/Feldora/AntUser.txt" "$work/edited"
rm "$XDG_DATA_HOME/Feldora/ang/"*"Moxon 6m.ang"
run
rc=$?
check "zweiter Start: Exit 0 (war $rc)" '[ $rc -eq 0 ]'
check "bearbeiteter Katalog bleibt" 'cmp -s "$work/edited" "$XDG_DATA_HOME/Feldora/AntUser.txt"'
check "fehlende Winkeldatei ergänzt" 'ls "$XDG_DATA_HOME/Feldora/ang/"*"Moxon 6m.ang" >/dev/null 2>&1'
exit $fail
