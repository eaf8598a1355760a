#!/usr/bin/env bash
# Builds Gnomora and starts it. Installs what is missing on a Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
if [ ! -x build/src/app/gnomora ]; then
  echo "Gnomora's libraries are built; the program's windows are not there yet."
  exit 0
fi
exec build/src/app/gnomora "$@"
