#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The launcher of the installed program, run against a stand-in for the program.

The stand-in records the folder it was started in and the environment it was given, so the
test sees what the real program would: the working folder made and entered, the installed
copies named for the program to fill it from (the program's own tests check the filling), and
a folder that cannot be made handed to the program to show in a window (the desktop's menu
starts the launcher without a terminal).

Usage: check_launcher.py LAUNCHER
"""
import os
import pathlib
import shutil
import stat
import subprocess
import sys
import tempfile

STAND_IN = """#!/bin/sh
{ pwd; echo "unprepared=${GNOMORA_UNPREPARED_FOLDER:-}"; echo "seed=${GNOMORA_SEED_FOLDER:-}"; echo "args=$*"; } > "$RECORD"
[ -n "${GNOMORA_UNPREPARED_FOLDER:-}" ] && exit 1
exit 0
"""


def install(root: pathlib.Path, launcher: str) -> pathlib.Path:
    """A prefix like /usr: bin/gnomora-launcher, bin/gnomora (the stand-in), share/gnomora/."""
    bin_dir = root / "bin"
    bin_dir.mkdir(parents=True)
    shutil.copy(launcher, bin_dir / "gnomora-launcher")
    (bin_dir / "gnomora").write_text(STAND_IN)
    for f in bin_dir.iterdir():
        f.chmod(f.stat().st_mode | stat.S_IXUSR)
    seed = root / "share" / "gnomora"
    seed.mkdir(parents=True)
    (seed / "Gnomora_Cfg.ini").write_bytes(b"Place1=Seeded\r\n")
    (seed / "Gnomo_Language_0.ini").write_bytes(b"Language=Polski\r\n")
    return bin_dir / "gnomora-launcher"


def run(launcher: pathlib.Path, home: pathlib.Path, record: pathlib.Path, work: str, *arguments: str):
    env = dict(os.environ, HOME=str(home), GNOMORA_HOME=work, RECORD=str(record))
    env.pop("XDG_DATA_HOME", None)
    result = subprocess.run([str(launcher), *arguments], env=env, capture_output=True, text=True, timeout=60)
    lines = record.read_text().splitlines() if record.exists() else []
    return result, lines


def main() -> int:
    failures = []

    def check(condition, what):
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        launcher = install(root / "usr", sys.argv[1])
        record = root / "record"

        # A working folder that exists with the teacher's own configuration, and one still to be made.
        work = root / "class-4b"
        work.mkdir()
        (work / "Gnomora_Cfg.ini").write_bytes(b"Place1=Own school\r\n")
        for folder in (work, root / "new" / "class-4c"):
            record.unlink(missing_ok=True)
            result, lines = run(launcher, root, record, str(folder))
            check(result.returncode == 0, f"a good start ends with the program's status, got {result.returncode}")
            check(lines[:1] == [str(folder)], f"the program runs in the working folder: {lines}")
            check("unprepared=" in lines, f"no failure is handed on: {lines}")
            seed = (root / "usr" / "share" / "gnomora").resolve()
            check(any(l.startswith("seed=") and pathlib.Path(l[5:]).resolve() == seed for l in lines),
                  f"the program is told where the installed copies are: {lines}")
            check("args=" in lines, f"the program is started without arguments: {lines}")
        check((work / "Gnomora_Cfg.ini").read_bytes() == b"Place1=Own school\r\n", "the teacher's file was overwritten")

        # A folder that cannot be made (a file stands where a folder is needed, even for root).
        blocker = root / "not-a-folder"
        blocker.write_text("")
        record.unlink()
        bad = str(blocker / "gnomora")
        result, lines = run(launcher, root, record, bad)
        check(result.returncode == 1, f"a folder that cannot be made ends with status 1, got {result.returncode}")
        check(f"unprepared={bad}" in lines, f"the program is told which folder failed, to show it: {lines}")
        check("seed=" in lines, f"nothing is to be filled then: {lines}")
        check(bad in result.stderr, f"the failure is also on the standard error: {result.stderr!r}")

        # --help and --version are answered by the program without any working folder.
        for option in ("--version", "--help"):
            record.unlink()
            fresh = root / f"fresh{option}"
            result, lines = run(launcher, root, record, str(fresh), option)
            check(result.returncode == 0, f"{option} ends with the program's status, got {result.returncode}")
            check(f"args={option}" in lines, f"{option} reaches the program: {lines}")
            check(not fresh.exists(), f"{option} made the working folder {fresh}")

    for f in failures:
        print("FAIL:", f)
    print("launcher checks:", "OK" if not failures else f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
