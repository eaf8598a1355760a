#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The start window's welcome text as a screen reader gets it: the program on a private Xvfb display
and D-Bus session, its lines read over the accessibility bus (AT-SPI) line by line, in Polish and in
English; the text offers no editable text. Usage: check_screen_reader.py GNOMORA DATA_DIR
Exit status 77 (skipped) when Xvfb, dbus-run-session or the Atspi bindings are missing."""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM, DATA = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2]).resolve()
SYSTEM_PYTHON = "/usr/bin/python3"  # where python3-gi and gir1.2-atspi-2.0 install the bindings
try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError) as missing:
    if os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON) and os.path.exists(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON, *sys.argv])
    print(f"skipped: the Atspi bindings are missing ({missing})")
    sys.exit(77)
# A session bus of its own, which starts the accessibility bus on demand.
if "GNOMORA_PRIVATE_SESSION_BUS" not in os.environ:
    if not shutil.which("dbus-run-session") or not shutil.which("Xvfb"):
        print("skipped: dbus-run-session or Xvfb is missing")
        sys.exit(77)
    os.environ["GNOMORA_PRIVATE_SESSION_BUS"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])


def language_texts(file_name):
    raw = (DATA / file_name).read_bytes()
    text = raw[3:].decode("utf-8") if raw.startswith(b"\xef\xbb\xbf") else raw.decode("cp1250")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def find(accessible, name, depth=0):
    if accessible is None or depth > 12:
        return None
    if accessible.get_name() == name:
        return accessible
    children = (accessible.get_child_at_index(i) for i in range(accessible.get_child_count()))
    return next((found for child in children if (found := find(child, name, depth + 1))), None)


def read_lines(text):
    """Line after line, as a screen reader says them (the toolkit's bridge answers the boundary form)."""
    lines, offset = [], 0
    while offset < Atspi.Text.get_character_count(text):
        line = Atspi.Text.get_text_at_offset(text, offset, Atspi.TextBoundaryType.LINE_START)
        lines.append(line.content.rstrip("\n"))
        offset = max(line.end_offset, offset + 1)
    return lines


class ScreenReader(unittest.TestCase):
    def test_the_welcome_lines_are_read_over_the_accessibility_bus(self):
        read_end, write_end = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp"],
                                  pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.addCleanup(server.wait)
        self.addCleanup(server.terminate)
        display = ":" + os.fdopen(read_end).readline().strip()
        for language_file in ("Gnomo_Language_0.ini", "Gnomo_Language_1.ini"):
            with self.subTest(language=language_file), tempfile.TemporaryDirectory() as folder:
                shutil.copytree(DATA, folder, dirs_exist_ok=True)
                config = pathlib.Path(folder, "Gnomora_Cfg.ini")
                config.write_bytes(config.read_bytes().replace(b"Gnomo_Language_0.ini", language_file.encode()))
                # The bridge is on from the start, as on a desktop where a screen reader runs.
                environment = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=folder,
                                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
                program = subprocess.Popen([PROGRAM], cwd=folder, env=environment,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                try:
                    texts = language_texts(language_file)
                    welcome = self.find_on_bus(program, texts["accStartText"])
                    self.assertIn("Text", welcome.get_interfaces())
                    self.assertNotIn("EditableText", welcome.get_interfaces())
                    self.assertEqual(read_lines(welcome), [texts[f"edStartText_0{n}"] for n in range(7)])
                finally:
                    program.kill()
                    program.wait()

    def find_on_bus(self, program, name):
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and program.poll() is None:
            desktop = Atspi.get_desktop(0)
            for application in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count())):
                if application is not None and application.get_process_id() == program.pid:
                    if found := find(application, name):
                        return found
            time.sleep(0.2)
        self.fail(f"no object named {name!r} reached the accessibility bus")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
