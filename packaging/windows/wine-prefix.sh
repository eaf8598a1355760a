#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prepares the Wine prefix named by WINEPREFIX for Gnomora's tests and screenshots: a headless
# prefix with Wine's own fonts (the toolchain's wine-run.sh --setup-prefix), and Verdana, which the
# result sheet prints the pupils' names in and which Wine lacks, drawn with DejaVu Sans, as
# fontconfig does on Linux. Windows itself ships Verdana.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=}
qt_prefix=${GNOMORA_WIN_PREFIX:-/opt/gnomora-qt6-mingw}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
"$qt_prefix/bin/wine-run.sh" --setup-prefix
if ! grep -q '"Verdana"="DejaVu Sans"' "$WINEPREFIX/user.reg" 2> /dev/null; then
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /d 'DejaVu Sans' /f > /dev/null 2>&1
  # Wine writes its registry to disk when its server ends.
  WINEPREFIX=$WINEPREFIX wineserver -w
fi
