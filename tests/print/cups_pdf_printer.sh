#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a real print queue for the printing tests: a local CUPS server whose default printer
# "GnomoraPDF" is a cups-pdf queue, so a printed job ends up as a PDF file that a test can inspect.
# Run as root (cupsd and lpadmin need it). Idempotent: safe to run again.
# Prints the folder where cups-pdf writes the jobs of the calling user as its last line,
#   e.g.  export GNOMORA_PRINT_OUTPUT_DIR=$(tests/print/cups_pdf_printer.sh | tail -n 1)
set -euo pipefail

queue=GnomoraPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
conf=/etc/cups/cups-pdf.conf

if [ "$(id -u)" -ne 0 ]; then
  echo "cups_pdf_printer.sh: must run as root" >&2
  exit 1
fi
for tool in /usr/sbin/cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || { echo "cups_pdf_printer.sh: $tool is missing (install cups)" >&2; exit 1; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -f "$ppd" ] ||
  { echo "cups_pdf_printer.sh: cups-pdf is missing (install printer-driver-cups-pdf)" >&2; exit 1; }

# Start the scheduler unless one already answers.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  mkdir -p /run/cups
  /usr/sbin/cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.2
  done
  lpstat -r 2>/dev/null | grep -q "is running" || { echo "cups_pdf_printer.sh: cupsd did not start" >&2; exit 1; }
fi

# cups-pdf's own driver asks for copies with a PostScript setting that ghostscript's PDF output
# ignores, so two copies would give a one-page PDF. Marking the copies as made by CUPS
# (cupsManualCopies) makes the filters repeat the pages, and the PDF shows the copy count.
driver=$(mktemp /tmp/gnomora-cups-pdf.XXXXXX.ppd)
trap 'rm -f "$driver"' EXIT
sed '/^\*PCFileName/a *cupsManualCopies: True' "$ppd" >"$driver"
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$driver" 2> >(grep -v "drivers are deprecated" >&2)
cupsenable "$queue"
cupsaccept "$queue"
lpadmin -d "$queue"

# cups-pdf writes into the folder named by "Out" in its configuration; ${HOME} there is the home
# folder of the job's owner, i.e. the user who runs the tests (root here).
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' "$conf" 2>/dev/null | tail -n 1)
out=${out:-'${HOME}/PDF'}
owner_home=$(getent passwd "${SUDO_USER:-$(id -un)}" | cut -d: -f6)
out=${out//'${HOME}'/$owner_home}
mkdir -p "$out"
lpstat -d
echo "$out"
