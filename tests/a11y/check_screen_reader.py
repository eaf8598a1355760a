#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The start window's welcome text as a screen reader gets it: the program runs on a private Xvfb
display with a private D-Bus session, and this script reads the text over the accessibility bus
(AT-SPI, through the Atspi bindings a screen reader uses), line by line, in the shipped Polish and
in English. The text is read-only: it offers text, never editable text.

Usage: check_screen_reader.py PATH_TO_GNOMORA DATA_DIR
Exit status 77 (skipped) when Xvfb, dbus-run-session or the Atspi bindings are missing.
"""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM, DATA = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2]).resolve()
SKIPPED = 77

# The bindings come with the system's Python (python3-gi, gir1.2-atspi-2.0), which may not be the
# one that runs this script.
try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError) as missing:
    if os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3") and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])
    print(f"skipped: the Atspi bindings are missing ({missing})")
    sys.exit(SKIPPED)

# Everything runs inside a session bus of its own, where the accessibility bus is started on demand.
if "GNOMORA_PRIVATE_SESSION_BUS" not in os.environ:
    if not shutil.which("dbus-run-session") or not shutil.which("Xvfb"):
        print("skipped: dbus-run-session or Xvfb is missing")
        sys.exit(SKIPPED)
    os.environ["GNOMORA_PRIVATE_SESSION_BUS"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])


def language_texts(file_name):
    """The keys and texts of a shipped language file (Windows-1250, or UTF-8 after its mark)."""
    raw = (DATA / file_name).read_bytes()
    text = raw[3:].decode("utf-8") if raw.startswith(b"\xef\xbb\xbf") else raw.decode("cp1250")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def start_display():
    """A private Xvfb display; returns the server and the display's name."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x900x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    return server, f":{number}"


def find(accessible, name, depth=0):
    """The first object under accessible with this accessible name."""
    if accessible is None or depth > 12:
        return None
    if accessible.get_name() == name:
        return accessible
    for index in range(accessible.get_child_count()):
        found = find(accessible.get_child_at_index(index), name, depth + 1)
        if found:
            return found
    return None


def read_lines(text):
    """The text's lines, as a screen reader reads them one after another."""
    lines, offset, count = [], 0, Atspi.Text.get_character_count(text)
    while offset < count:
        # The toolkit's bridge answers the older boundary form of the question, not the granularity one.
        line = Atspi.Text.get_text_at_offset(text, offset, Atspi.TextBoundaryType.LINE_START)
        lines.append(line.content.rstrip("\n"))
        if line.end_offset <= offset:
            break
        offset = line.end_offset
    return lines


class ScreenReader(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server, cls.display = start_display()

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait()

    def start_program(self, language_file):
        folder = pathlib.Path(self.enterContext(tempfile.TemporaryDirectory()))
        shutil.copytree(DATA, folder, dirs_exist_ok=True)
        config = folder / "Gnomora_Cfg.ini"
        config.write_bytes(config.read_bytes().replace(b"LangFileName=Gnomo_Language_0.ini",
                                                       f"LangFileName={language_file}".encode()))
        environment = dict(os.environ, DISPLAY=self.display, XDG_RUNTIME_DIR=str(folder),
                           # The bridge is on from the start, as on a desktop where a screen reader runs.
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        environment.pop("QT_QPA_PLATFORM", None)
        program = subprocess.Popen([PROGRAM], cwd=folder, env=environment,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(program.wait)
        self.addCleanup(program.kill)
        return program

    def welcome_text(self, program, name):
        """The welcome text's object on the bus, once the program's start window is there."""
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and program.poll() is None:
            desktop = Atspi.get_desktop(0)
            for index in range(desktop.get_child_count()):
                application = desktop.get_child_at_index(index)
                if application is not None and application.get_process_id() == program.pid:
                    found = find(application, name)
                    if found:
                        return found
            time.sleep(0.2)
        self.fail(f"no object named {name!r} reached the accessibility bus")

    def test_the_welcome_lines_are_read_over_the_accessibility_bus(self):
        for language_file in ("Gnomo_Language_0.ini", "Gnomo_Language_1.ini"):
            with self.subTest(language=language_file):
                texts = language_texts(language_file)
                program = self.start_program(language_file)
                welcome = self.welcome_text(program, texts["accStartText"])
                expected = [texts[f"edStartText_0{line}"] for line in range(7)]
                interfaces = welcome.get_interfaces()
                self.assertIn("Text", interfaces)
                self.assertNotIn("EditableText", interfaces)
                self.assertEqual(read_lines(welcome), expected)
                self.assertEqual(Atspi.Text.get_text(welcome, 0, -1), "\n".join(expected))
                program.kill()
                program.wait()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
