#!/usr/bin/env bash
# Prepares Gnomora's working folder: the language files, the sample configuration and its
# pictures are copied from the seed folder on first start. Files already there (a teacher's own
# places, translations or photos) are never overwritten.
# Usage: seed-workdir.sh SEED_DIR WORK_DIR
set -euo pipefail
seed=$1
work=$2
mkdir -p "$work"
cp -R -n "$seed"/. "$work"/
