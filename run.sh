#!/usr/bin/env bash
# Builds Gnomora and starts it. Installs what is missing on a Debian 12 machine.
# The program works in its own folder (by default ~/.local/share/gnomora), seeded from data/ on
# first start; set GNOMORA_HOME to use another one.
set -euo pipefail
cd "$(dirname "$0")"
source_dir=$(pwd)
scripts/setup.sh --program build

work=${GNOMORA_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/gnomora}
scripts/seed-workdir.sh "$source_dir/data" "$work"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Gnomora is built, but there is no display to show its windows on (DISPLAY is not set)."
  echo "Start it from a desktop session, or try it under Xvfb: xvfb-run ./run.sh"
  exit 1
fi
cd "$work"
exec "$source_dir/build/src/app/gnomora" "$@"
