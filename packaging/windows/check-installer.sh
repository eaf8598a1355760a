#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Windows installer silently into a fresh Wine prefix, starts the installed program on
# a private Xvfb display and checks that its start window appears (a screenshot is kept), that the
# user's working folder was filled and that a teacher's changed file survives the next start, then
# uninstalls silently and checks that the program is gone and the working folder kept.
# Usage: packaging/windows/check-installer.sh INSTALLER.exe OUT_DIR
# Prints one "RESULT name: ok|failed ..." line per check, then "N passed, N failed".
set -uo pipefail
installer=$(readlink -f "$1")
out=$(mkdir -p "$2" && cd "$2" && pwd)
prefix_dir=$out/wineprefix
rm -rf "$prefix_dir" "$out"/shot-*.png
export WINEPREFIX=$prefix_dir WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
unset GNOMORA_HOME
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
qt_prefix=${GNOMORA_WIN_PREFIX:-/opt/gnomora-qt6-mingw}
passed=0 failed=0
result() {
  if [ "$2" = ok ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  echo "RESULT $1: $2"
}

# A display of our own; wineserver and Xvfb end with the script.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3> "$out/display" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$out/display")
cleanup() { WINEPREFIX=$prefix_dir wineserver -k 2> /dev/null; kill "$xvfb" 2> /dev/null; }
trap cleanup EXIT

"$(dirname "$0")/wine-prefix.sh"
drive=$prefix_dir/drive_c
appdata=$(ls -d "$drive"/users/*/AppData/Roaming | head -n 1)
inst="$drive/Program Files/Gnomora"

"$wine" "$installer" /S
ok=ok
for f in gnomora.exe gnomora-print.dll gnomora-jpeg.dll Qt6Widgets.dll platforms/qwindows.dll \
         data/Gnomora_Cfg.ini data/Gnomo_Language_0.ini uninstall.exe; do
  [ -f "$inst/$f" ] || ok="failed: $f was not installed"
done
result install "$ok"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gnomora'
entry=$("$wine" reg query "$key" 2>&1 | tr -d '\r')
ok=ok
for value in DisplayName DisplayVersion Publisher UninstallString QuietUninstallString DisplayIcon; do
  grep -q "$value" <<< "$entry" || ok="failed: no $value among the installed apps"
done
result uninstall-entry "$ok"
[ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Gnomora.lnk" ] \
  && result start-menu ok || result start-menu "failed: no Start-menu entry"

# --version and --help answer on the output they were started with and make no working folder.
version=$(cd "$drive" && "$wine" 'C:\Program Files\Gnomora\gnomora.exe' --version 2> /dev/null | tr -d '\r')
help=$(cd "$drive" && "$wine" 'C:\Program Files\Gnomora\gnomora.exe' --help 2> /dev/null | tr -d '\r')
expected_version=gnomora\ $(basename "$installer" | sed 's/^gnomora-//; s/-win64\.exe$//')
if [ "$version" != "$expected_version" ]; then
  result version-and-help "failed: --version printed '$version'"
elif ! grep -q -- '--version' <<< "$help"; then
  result version-and-help "failed: --help printed '$help'"
elif [ -e "$appdata/Gnomora" ]; then
  result version-and-help "failed: they made the working folder $appdata/Gnomora"
else
  result version-and-help ok
fi

# The installed program: its start window (the window's title is the program's name) on screen.
start_program() {
  (cd "$drive" && "$wine" 'C:\Program Files\Gnomora\gnomora.exe' > "$out/program.log" 2>&1) &
  for _ in $(seq 120); do
    xdotool search --onlyvisible --name '^Gnomora' > /dev/null 2>&1 && return 0
    sleep 0.5
  done
  return 1
}
if start_program; then
  sleep 2  # let it paint
  import -window root "$out/shot-start-window.png"
  colours=$(convert "$out/shot-start-window.png" -format %k info:)
  [ "$colours" -gt 50 ] && result start-window ok || result start-window "failed: the screen is nearly blank ($colours colours)"
else
  result start-window "failed: no window appeared (see $out/program.log)"
fi
wineserver -k 2> /dev/null; sleep 1
[ -f "$appdata/Gnomora/Gnomora_Cfg.ini" ] && [ -f "$appdata/Gnomora/pictures/place1.jpg" ] \
  && result working-folder ok || result working-folder "failed: $appdata/Gnomora was not filled"

# A teacher's own configuration stays as it is on the next start.
printf 'Place1=Nasza szko\xb3a\r\n' > "$appdata/Gnomora/Gnomora_Cfg.ini"
if start_program; then
  cmp -s "$appdata/Gnomora/Gnomora_Cfg.ini" <(printf 'Place1=Nasza szko\xb3a\r\n') \
    && result teachers-file-kept ok || result teachers-file-kept "failed: the teacher's configuration was replaced"
else
  result teachers-file-kept "failed: no window on the second start"
fi
wineserver -k 2> /dev/null; sleep 1

"$wine" 'C:\Program Files\Gnomora\uninstall.exe' /S
# The uninstaller copies itself away and returns at once: wait for it.
for _ in $(seq 60); do [ -e "$inst" ] || break; sleep 0.5; done
[ ! -e "$inst" ] && result uninstall ok || result uninstall "failed: $(ls "$inst" | head -n 5 | tr '\n' ' ')"
"$wine" reg query "$key" > /dev/null 2>&1 && result uninstall-entry-removed "failed: still listed" \
  || result uninstall-entry-removed ok
[ -f "$appdata/Gnomora/Gnomora_Cfg.ini" ] && result working-folder-kept ok \
  || result working-folder-kept "failed: uninstalling removed the teacher's folder"

# A folder outside Program Files: the installer makes the folders above it that are missing and
# removes them again on uninstalling, while it leaves one that was there before. (Wine keeps no
# access lists on its files, so the list the installer sets there is not seen here.)
installer_win="Z:$(tr / '\\' <<< "$installer")"
install_into() {
  "$wine" cmd /c "$installer_win /S /D=$1" > /dev/null 2>&1
  [ -f "$2/gnomora.exe" ]
}
uninstall_from() {
  "$wine" "$1\\uninstall.exe" /S
  for _ in $(seq 60); do [ -e "$2/uninstall.exe" ] || break; sleep 0.5; done
  sleep 1
}
school="$drive/Programy szkolne"
if install_into 'C:\Programy szkolne\Gnomora' "$school/Gnomora"; then
  uninstall_from 'C:\Programy szkolne\Gnomora' "$school/Gnomora"
  [ ! -e "$school" ] && result made-parent-removed ok || result made-parent-removed "failed: $school stays"
else
  result made-parent-removed "failed: nothing was installed into $school/Gnomora"
fi
mkdir -p "$school" && echo 'timetable' > "$school/plan.txt"
if install_into 'C:\Programy szkolne\Gnomora' "$school/Gnomora"; then
  uninstall_from 'C:\Programy szkolne\Gnomora' "$school/Gnomora"
  [ -f "$school/plan.txt" ] && [ ! -e "$school/Gnomora" ] && result existing-parent-kept ok \
    || result existing-parent-kept "failed: $(ls -A "$school" | tr '\n' ' ')"
else
  result existing-parent-kept "failed: nothing was installed into $school/Gnomora"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
