#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows Installer package under Wine's msiexec, in a fresh Wine prefix on a private
# Xvfb display: a silent per-machine install (files, uninstall entry, Start-menu entry), the
# program's first start filling the working folder, an upgrade to a newer package built here from
# the same program with changed data files (the older version leaves, the program's next start
# replaces the untouched copies, keeps the teacher's text and the configuration, adds the new key),
# an older package refused over the newer one, and a silent uninstall that keeps the working folder.
# Usage: packaging/windows/check-msi.sh MSI PROGRAM_DIR VERSION OUT_DIR
#   PROGRAM_DIR  the folder the package was made from (make-installer.sh's OUT/program)
# Prints one "RESULT name: ok|failed ..." line per check, then "N passed, N failed".
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
msi=$(readlink -f "$1")
program=$(cd "$2" && pwd)
version=$3
out=$(mkdir -p "$4" && cd "$4" && pwd)
prefix_dir=$out/wineprefix
rm -rf "$prefix_dir" "$out"/shot-*.png "$out/next"
export WINEPREFIX=$prefix_dir WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
unset GNOMORA_HOME
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
passed=0 failed=0
result() {
  if [ "$2" = ok ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  echo "RESULT $1: $2"
}

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3> "$out/display" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$out/display")
cleanup() { WINEPREFIX=$prefix_dir wineserver -k 2> /dev/null; kill "$xvfb" 2> /dev/null; }
trap cleanup EXIT

"$here/wine-prefix.sh"
drive=$prefix_dir/drive_c
appdata=$(ls -d "$drive"/users/*/AppData/Roaming | head -n 1)
work=$appdata/Gnomora
inst="$drive/Program Files/Gnomora"
# Windows puts a per-machine package's Start-menu entry into the menu of all users; Wine 8's msiexec
# puts it into the menu of the user who installs.
shortcuts=("$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Gnomora.lnk"
           "$appdata/Microsoft/Windows/Start Menu/Programs/Gnomora.lnk")
start_menu_entry() { [ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ]; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

msiexec() { "$wine" msiexec "$@" > /dev/null 2>&1; }
# The uninstall entries named Gnomora, one "version publisher" line each.
entries() {
  "$wine" reg query "$uninstall_key" /s 2> /dev/null | tr -d '\r' | awk '
    /^HKEY/ { if (name == "Gnomora") print version, publisher; name = version = publisher = "" }
    $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 } $1 == "Publisher" { publisher = $3 }
    END { if (name == "Gnomora") print version, publisher }'
}
# Starts the installed program, waits for its window (the start window, or the message that the
# working folder was updated, titled as the program), keeps a screenshot, and ends it.
run_program() {
  (cd "$drive" && "$wine" 'C:\Program Files\Gnomora\gnomora.exe' > "$out/program.log" 2>&1) &
  local shown=1
  for _ in $(seq 120); do
    xdotool search --onlyvisible --name '^Gnomora' > /dev/null 2>&1 && { shown=0; break; }
    sleep 0.5
  done
  [ "$shown" -eq 0 ] && sleep 2 && import -window root "$out/shot-$1.png"
  wineserver -k 2> /dev/null; sleep 1
  return "$shown"
}

msiexec /i "$msi" /qn
ok=ok
for f in gnomora.exe gnomora-print.dll gnomora-jpeg.dll Qt6Widgets.dll platforms/qwindows.dll \
         data/Gnomora_Cfg.ini data/Gnomo_Language_0.ini data/.gnomora-files.sha256; do
  [ -f "$inst/$f" ] || ok="failed: $f was not installed"
done
result msi-install "$ok"
[ "$(entries)" = "$version Gnomora" ] && result msi-uninstall-entry ok \
  || result msi-uninstall-entry "failed: entries '$(entries)', expected '$version Gnomora'"
start_menu_entry && result msi-start-menu ok || result msi-start-menu "failed: no Start-menu entry"

run_program first-start && [ -f "$work/Gnomo_Language_0.ini" ] && [ -f "$work/.gnomora-files.sha256" ] \
  && result msi-working-folder ok || result msi-working-folder "failed: $work was not filled (see $out/program.log)"

# The teacher changes a text of the language in use; then a newer release arrives whose data files
# differ: the Polish file's text and a new key, the English file, a picture and the configuration.
sed -i 's/^btnStartEnter=.*/btnStartEnter=Zaczynamy\r/' "$work/Gnomo_Language_0.ini"
teachers_cfg=$(sha256sum < "$work/Gnomora_Cfg.ini")
IFS=. read -r major minor patch <<< "$version"
next_version=$major.$minor.$((patch + 1))
next=$out/next
cp -R "$program" "$next"
sed -i 's/^btnStartEnter=.*/btnStartEnter=Start!\r/' "$next/data/Gnomo_Language_0.ini"
printf 'msgUpgradeCheck=Nowy tekst\r\n' >> "$next/data/Gnomo_Language_0.ini"
printf 'msgUpgradeCheck=New text\r\n' >> "$next/data/Gnomo_Language_1.ini"
cp "$next/data/pictures/place2.jpg" "$next/data/pictures/place1.jpg"
printf 'Place1=Nowa szko\xb3a\r\n' >> "$next/data/Gnomora_Cfg.ini"
cmake -DDATA="$next/data" -DOUTPUT="$next/data/.gnomora-files.sha256" -P "$here/../shipped-manifest.cmake"
"$here/make-msi.sh" "$next" "$next_version" "$out/gnomora-$next_version-win64.msi"

msiexec /i "$out/gnomora-$next_version-win64.msi" /qn
if [ "$(entries)" = "$next_version Gnomora" ] && cmp -s "$inst/data/Gnomo_Language_1.ini" "$next/data/Gnomo_Language_1.ini"; then
  result msi-upgrade ok
else
  result msi-upgrade "failed: entries '$(entries | tr '\n' ';')', expected only '$next_version Gnomora'"
fi
ok=ok
if run_program after-upgrade; then
  grep -q $'^btnStartEnter=Zaczynamy\r$' "$work/Gnomo_Language_0.ini" || ok="failed: the teacher's text was replaced"
  grep -q $'^msgUpgradeCheck=Nowy tekst\r$' "$work/Gnomo_Language_0.ini" || ok="failed: no new key in the teacher's file"
  cmp -s "$work/Gnomo_Language_1.ini" "$next/data/Gnomo_Language_1.ini" || ok="failed: an untouched language file was kept old"
  cmp -s "$work/pictures/place1.jpg" "$next/data/pictures/place1.jpg" || ok="failed: an untouched picture was kept old"
  [ "$(sha256sum < "$work/Gnomora_Cfg.ini")" = "$teachers_cfg" ] || ok="failed: the configuration was replaced"
else
  ok="failed: no window after the upgrade (see $out/program.log)"
fi
result msi-working-folder-upgrade "$ok"

# An older package is refused while the newer one is installed.
msiexec /i "$msi" /qn
[ "$(entries)" = "$next_version Gnomora" ] && cmp -s "$inst/data/Gnomo_Language_1.ini" "$next/data/Gnomo_Language_1.ini" \
  && result msi-downgrade-refused ok || result msi-downgrade-refused "failed: entries '$(entries | tr '\n' ';')'"

msiexec /x "$out/gnomora-$next_version-win64.msi" /qn
ok=ok
[ -e "$inst/gnomora.exe" ] && ok="failed: $(ls "$inst" | head -n 5 | tr '\n' ' ')"
[ -n "$(entries)" ] && ok="failed: still listed"
start_menu_entry && ok="failed: the Start-menu entry stayed"
result msi-uninstall "$ok"
[ -f "$work/Gnomora_Cfg.ini" ] && grep -q 'Zaczynamy' "$work/Gnomo_Language_0.ini" && result msi-working-folder-kept ok \
  || result msi-working-folder-kept "failed: uninstalling removed the teacher's folder"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
