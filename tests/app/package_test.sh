#!/usr/bin/env bash
# The Debian package as a user's package manager would get it: built with cpack from this build,
# unpacked into a scratch root and its program started with a scratch home; desktop entry,
# software-centre entry, file types, control fields and lintian checked.
# Usage: package_test.sh CPACK BUILD_DIR VERSION
set -u
cpack=$1 build=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { if ! eval "$2"; then echo "FEHLER: $1"; fail=1; fi; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1
rc=$?
deb=$(ls "$work/out"/feldora_*.deb 2>/dev/null | head -n1)
check "cpack (war $rc): $(tail -n 5 "$work/cpack.log")" '[ $rc -eq 0 ] && [ -f "$deb" ]'
[ -f "$deb" ] || exit 1
arch=$(dpkg --print-architecture)
check "Dateiname $(basename "$deb")" '[ "$(basename "$deb")" = "feldora_${version}_${arch}.deb" ]'

# Control fields.
dpkg-deb -I "$deb" >"$work/info"
field() { dpkg-deb -f "$deb" "$1"; }
check "Version $(field Version)" '[ "$(field Version)" = "$version" ]'
check "Section hamradio" '[ "$(field Section)" = hamradio ]'
check "Priority optional" '[ "$(field Priority)" = optional ]'
check "Maintainer mit Adresse" 'field Maintainer | grep -q "<.*@.*>"'
check "Kurzbeschreibung englisch" 'field Description | head -n1 | grep -q "amateur radio"'
for dep in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 fonts-liberation2 \
           qt6-translations-l10n qt6-image-formats-plugins qt6-image-formats-plugin-pdf xdg-utils; do
  check "Depends nennt $dep" 'grep -E "^ Depends:" "$work/info" | grep -qE "(: |, )$dep( |,|$)"'
done

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
check "Programm" '[ -x "$root/usr/bin/feldora" ]'
check "nur unter /usr" '[ "$(ls "$root")" = usr ]'
for page in man/man1 man/de/man1; do
  check "Handbuchseite $page gepackt" 'gzip -t "$share/$page/feldora.1.gz" && zcat "$share/$page/feldora.1.gz" | grep -q "^\.TH FELDORA 1 .*Feldora $version"'
done
check "bash-Ergänzung" 'grep -q "complete -F _feldora feldora" "$share/bash-completion/completions/feldora"'
check "copyright und changelog" '[ -f "$share/doc/feldora/copyright" ] && zcat "$share/doc/feldora/changelog.gz" | head -n1 | grep -qF "feldora ($version)"'

# The extracted program, with its shipped example, as a user without any Feldora files.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
mkdir -p "$HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM USERPROFILE
check "feldora --version" '[ "$("$root/usr/bin/feldora" --version)" = "Feldora v $version" ]'
example=$share/doc/feldora/examples/Yagi\ 2m.txt
"$root/usr/bin/feldora" --bericht "$example" >"$work/report" 2>"$work/err"
rc=$?
check "--bericht mit dem Beispiel: Exit 0 (war $rc, $(cat "$work/err"))" '[ $rc -eq 0 ]'
check "--bericht: Sicherheitsabstand" 'grep -qx "Sicherheitsabstand             : 7,95 m" "$work/report"'
check "--bericht: Kataloge im Datenordner" '[ -f "$XDG_DATA_HOME/Feldora/Antennen.txt" ]'
"$root/usr/bin/feldora" --standort "$share/doc/feldora/examples/Garten.standort" >"$work/site" 2>"$work/err"
rc=$?
check "--standort mit dem Beispiel: Exit 0 (war $rc, $(cat "$work/err"))" '[ $rc -eq 0 ]'
check "--standort: drei Antennen" '[ "$(grep -cE "^[ABC];" "$work/site")" = 3 ]'

# Desktop entry: valid, its program, icon and file types shipped alongside.
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$share"/metainfo/*.metainfo.xml)
desktop=$share/applications/$id.desktop
check "Desktop-Datei $id.desktop" '[ -f "$desktop" ]'
check "desktop-file-validate ohne Befund: $(desktop-file-validate "$desktop" 2>&1)" '[ -z "$(desktop-file-validate "$desktop" 2>&1)" ]'
check "Exec nimmt eine Datei" 'grep -qx "Exec=feldora %f" "$desktop"'
icon=$(sed -n 's/^Icon=//p' "$desktop")
check "Symbol $icon" 'grep -q "<svg" "$share/icons/hicolor/scalable/apps/$icon.svg"'
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
  check "Dateityp $type beschrieben" 'grep -q "<mime-type type=\"$type\">" "$share/mime/packages/feldora.xml"'
done

# Software-centre entry: valid offline, this release, launched by this desktop entry.
metainfo=$share/metainfo/$id.metainfo.xml
check "appstreamcli validate: $(appstreamcli validate --no-net "$metainfo" 2>&1 | tail -n 3)" 'appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1'
check "Ausgabe $version im metainfo" 'grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo"'
check "launchable" 'grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"'
shot=$(sed -n 's:.*<image[^>]*>.*/\([^/]*\)</image>.*:\1:p' "$metainfo")
check "Bildschirmfoto $shot mitgeliefert" '[ -n "$shot" ] && [ -f "$share/doc/feldora/$shot" ]'

# File types as a desktop tells them apart: a configuration by its content, other text stays
# text, a site file by its name.
mkdir -p "$work/mime/mime/packages" "$work/files"
cp "$share/mime/packages/feldora.xml" "$work/mime/mime/packages/"
update-mime-database "$work/mime/mime" >/dev/null 2>&1
cp "$example" "$work/files/Station.txt"
printf 'Einkaufsliste\n' >"$work/files/Notiz.txt"
printf '[Standort]\n' >"$work/files/Garten.standort"
typeof() { XDG_DATA_DIRS=$work/mime:/usr/share gio info -a standard::content-type "$work/files/$1" | sed -n 's/.*content-type: //p'; }
check "Konfiguration erkannt ($(typeof Station.txt))" '[ "$(typeof Station.txt)" = application/x-feldora-config ]'
check "andere Textdatei bleibt Text ($(typeof Notiz.txt))" '[ "$(typeof Notiz.txt)" = text/plain ]'
check "Standortdatei erkannt ($(typeof Garten.standort))" '[ "$(typeof Garten.standort)" = application/x-feldora-standort ]'

# lintian: no error; the remaining findings are printed for the record.
lintian --info "$deb" >"$work/lintian" 2>&1
cat "$work/lintian"
check "lintian ohne Fehler" '! grep -q "^E: " "$work/lintian"'
exit $fail
