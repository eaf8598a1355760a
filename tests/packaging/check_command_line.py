#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's options, run as a user would type them, with no display at all: --help and
--version answer and exit, anything else is refused before a window could open.

Usage: check_command_line.py PATH_TO_GNOMORA VERSION
"""
import os
import subprocess
import sys
import unittest

PROGRAM, VERSION = sys.argv[1], sys.argv[2]


def run(*arguments):
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    # A program that opened a window instead would wait for it to close: the timeout ends it.
    return subprocess.run([PROGRAM, *arguments], env=environment, capture_output=True, text=True,
                          timeout=60)


class CommandLine(unittest.TestCase):
    def test_version_prints_name_and_version_and_exits(self):
        for option in ("--version", "-v"):
            with self.subTest(option=option):
                result = run(option)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stdout, f"gnomora {VERSION}\n")
                self.assertEqual(result.stderr, "")

    def test_help_lists_the_options_and_exits(self):
        for option in ("--help", "-h"):
            with self.subTest(option=option):
                result = run(option)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertTrue(result.stdout.startswith("Usage: gnomora [options]\n"), result.stdout)
                self.assertIn("--help", result.stdout)
                self.assertIn("--version", result.stdout)
                self.assertIn("shadow stick", result.stdout)
                self.assertEqual(result.stderr, "")

    def test_unknown_options_and_arguments_are_refused_by_name(self):
        cases = [(["--bogus"], "bogus"), (["-x"], "x"), (["Gnomora_Cfg.ini"], "Gnomora_Cfg.ini"),
                 (["--help", "--bogus"], "bogus"), (["--version=2"], "version")]
        for arguments, named in cases:
            with self.subTest(arguments=arguments):
                result = run(*arguments)
                self.assertEqual(result.returncode, 1)
                self.assertEqual(result.stdout, "")
                self.assertTrue(result.stderr.startswith("gnomora: "), result.stderr)
                self.assertIn(named, result.stderr)
                self.assertIn("gnomora --help", result.stderr)

    def test_without_options_the_program_starts_and_wants_a_display(self):
        result = run()
        self.assertEqual(result.returncode, 2)
        self.assertIn("no display", result.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
