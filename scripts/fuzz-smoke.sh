#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The continuous-integration sized fuzz run: builds the fuzzers, replays every seed and earlier
# finding in fuzz/corpus/ and fuzzes each target a few seconds from the seeds alone, so that the
# run does not depend on what earlier runs found. Exits non-zero on a crash or failed invariant.
# The first run also builds libjpeg-turbo for the JPEG harness (scripts/fuzz-libjpeg.sh, about a
# minute); where its source cannot be had, the harness uses the system libjpeg and says so.
# Usage: scripts/fuzz-smoke.sh [SECONDS_EACH]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
GNOMORA_FUZZ_FRESH=1 GNOMORA_FUZZ_JPEG_MAX_LEN=${GNOMORA_FUZZ_JPEG_MAX_LEN:-65536} \
  exec scripts/fuzz-run.sh "${1:-5}"
