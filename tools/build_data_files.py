#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the shipped data files from their UTF-8 sources.

The program reads its language files and its configuration as bytes in the
Windows-1250 code page with CR LF line ends, or as UTF-8 when a file begins with
the UTF-8 byte-order mark. Those bytes are awkward to edit and to review, so the
texts are kept as UTF-8 files with plain LF line ends in tools/lang-src/ and
turned into data/<name>.ini by this script:

    tools/lang-src/Gnomo_Language_0.txt  ->  data/Gnomo_Language_0.ini
    tools/lang-src/Gnomora_Cfg.txt       ->  data/Gnomora_Cfg.ini

A data file is Windows-1250 unless its name is listed in UTF8_WITH_MARK (a
language whose letters Windows-1250 lacks): then it is UTF-8 beginning with the
mark. In a Windows-1250 file a character that the code page cannot hold stops the
build with the file, line and character named (the program itself would write it
as "?").

Usage: tools/build_data_files.py [--check]
  --check  build nothing; exit 1 if a data file differs from what its source gives.
"""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "tools" / "lang-src"
DATA = ROOT / "data"
CODEPAGE = "cp1250"
UTF8_MARK = b"\xef\xbb\xbf"
# Data files written as UTF-8 with the byte-order mark, by name without ".ini".
UTF8_WITH_MARK = {"Gnomo_Language_3"}  # Ukrainian


def convert(source: pathlib.Path) -> bytes:
    """The bytes of the data file that the UTF-8 source describes."""
    text = source.read_text(encoding="utf-8")
    if text.startswith("\ufeff"):
        raise ValueError(f"{source}: starts with a byte-order mark; the program would read it as part of the first key")
    if "\r" in text:
        raise ValueError(f"{source}: holds a carriage return; sources use LF line ends only")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if source.stem in UTF8_WITH_MARK:
        return UTF8_MARK + b"".join(line.encode("utf-8") + b"\r\n" for line in lines)
    out = bytearray()
    for number, line in enumerate(lines, start=1):
        try:
            out += line.encode(CODEPAGE)
        except UnicodeEncodeError as error:
            bad = line[error.start]
            raise ValueError(f"{source}:{number}: character {bad!r} (U+{ord(bad):04X}) is not in Windows-1250") from None
        out += b"\r\n"
    return bytes(out)


def targets():
    """(source, data file) pairs, one per source file."""
    return [(s, DATA / (s.stem + ".ini")) for s in sorted(SOURCES.glob("*.txt"))]


def main(argv):
    check_only = "--check" in argv[1:]
    stale = []
    try:
        for source, target in targets():
            wanted = convert(source)
            current = target.read_bytes() if target.exists() else None
            if current == wanted:
                continue
            if check_only:
                stale.append(target)
            else:
                target.parent.mkdir(parents=True, exist_ok=True)
                target.write_bytes(wanted)
                print(f"wrote {target.relative_to(ROOT)}")
    except ValueError as error:
        print(f"error: {error}", file=sys.stderr)
        return 2
    for target in stale:
        print(f"{target.relative_to(ROOT)} differs from its source; run tools/build_data_files.py", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
