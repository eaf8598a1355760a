#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gathers the Windows program as it is installed and packs it into gnomora-<version>-win64.exe and
# gnomora-<version>-win64.msi.
# Usage: packaging/windows/make-installer.sh BUILD_DIR OUT_DIR
#   BUILD_DIR  a Windows build (scripts/setup-windows.sh)
#   OUT_DIR    gets program/ (the installed folder) and the installer
# The folder: gnomora.exe and its modules, the toolkit's DLLs and plugins, data\ (what fills each
# user's working folder on the first start, with the manifest of its files' hashes), the toolkit's
# own translations and the icon.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
prefix=$(sed -n 's/^QT_MINGW_PREFIX:PATH=//p' "$build/CMakeCache.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
program=$out/program

rm -rf "$program"
QT_DEPLOY_PLUGINS="platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qgif.dll imageformats/qico.dll" \
  "$prefix/bin/deploy-qt-mingw.sh" "$build/bin/gnomora.exe" "$program" > /dev/null
for module in print jpeg; do
  QT_DEPLOY_PLUGINS= "$prefix/bin/deploy-qt-mingw.sh" "$build/bin/gnomora-$module.dll" "$program" > /dev/null
done
cp -R "$source_dir/data" "$program/data"
cp "$build/bin/data/.gnomora-files.sha256" "$program/data/"  # the shipped files' hashes (Windows.cmake)
# The toolkit's translations and the qt.conf that points at them, as in the build (Windows.cmake).
cp -R "$build/bin/translations" "$build/bin/qt.conf" "$program/"
cp "$here/gnomora.ico" "$program/"

installer=$out/gnomora-$version-win64.exe
makensis -V2 -DVERSION="$version" -DSRCDIR="$program" -DOUTFILE="$installer" \
         -DSIZE_KB="$(du -sk "$program" | cut -f1)" "$here/gnomora.nsi"
echo "$installer"
# The same folder as a Windows Installer package, for deployment through Group Policy or Intune.
"$here/make-msi.sh" "$program" "$version" "$out/gnomora-$version-win64.msi"
echo "$out/gnomora-$version-win64.msi"
