#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the installed program's folder into a Windows Installer package with Debian's wixl
# (package wixl, beside msitools).
# Usage: packaging/windows/make-msi.sh PROGRAM_DIR VERSION OUT.msi
#   PROGRAM_DIR  the folder as installed (make-installer.sh gathers it)
#   VERSION      major.minor.patch: a package of a higher version replaces an installed lower one
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(cd "$1" && pwd)
version=$2
out=$3
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# wixl takes the files' names relative to the folder it runs in.
ln -s "$program" "$work/program"
cp "$here/gnomora.wxs" "$work/"
cd "$work"
# Every file of the folder, one component each, under the install folder.
(cd program/ && find . -type f | sed 's|^\./||' | LC_ALL=C sort | sed 's|^|program/|') |
  wixl-heat -p program/ --directory-ref INSTALLDIR --component-group ProgramFiles --var var.SourceDir \
            --win64 > files.wxs
wixl --arch x64 -D Version="$version" -D SourceDir=program -D Win64=yes -o "$out" gnomora.wxs files.wxs
