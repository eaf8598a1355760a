#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the Debian package from a build folder with CPack and checks it with Debian's own tools:
lintian, desktop-file-validate and appstreamcli (offline), plus what those tools cannot know: the
screenshots and the changelog belong to this project, and the copyright file names every picture
and icon that is shipped.

Usage: check_package.py CPACK BUILD_DIR SOURCE_DIR   (exit status 77: a tool is missing)
"""
import fnmatch
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CPACK, BUILD_DIR, SOURCE_DIR = sys.argv[1:4]
TOOLS = ("lintian", "desktop-file-validate", "appstreamcli", "dpkg-deb", "dpkg-parsechangelog")
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
METAINFO = "usr/share/metainfo/org.gnomora.gnomora.metainfo.xml"
# Folders whose files are pictures, icons and data that the package ships.
ASSET_FOLDERS = ("data", "packaging/icons", "src/ui/resources")


def output_of(*command, cwd=None):
    result = subprocess.run(command, capture_output=True, text=True, cwd=cwd)
    return result.returncode, result.stdout + result.stderr


def dep5_file_patterns(copyright_text):
    """The Files: patterns of a machine-readable copyright file, with continuation lines."""
    patterns, in_files = [], False
    for line in copyright_text.splitlines():
        if line.startswith("Files:"):
            patterns += line[len("Files:"):].split()
            in_files = True
        elif in_files and line.startswith(" "):
            patterns += line.split()
        else:
            in_files = False
    return patterns


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="gnomora-package.")
        status, log = output_of(CPACK, "-G", "DEB", "--config",
                                os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", cls.work)
        debs = [name for name in os.listdir(cls.work) if name.endswith(".deb")]
        if status != 0 or len(debs) != 1:
            raise RuntimeError(f"cpack made no package:\n{log}")
        cls.deb = os.path.join(cls.work, debs[0])
        cls.root = os.path.join(cls.work, "root")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def installed(self, path):
        return os.path.join(self.root, path)

    def field(self, name):
        return subprocess.run(["dpkg-deb", "-f", self.deb, name], capture_output=True, text=True,
                              check=True).stdout.strip()

    def test_lintian_reports_no_error_and_no_warning(self):
        status, report = output_of("lintian", "--fail-on", "error,warning", "--display-info",
                                   self.deb)
        print(report)
        tags = [line for line in report.splitlines() if re.match(r"[EW]: ", line)]
        self.assertEqual(tags, [])
        self.assertEqual(status, 0)

    def test_package_depends_on_debians_qt_and_libjpeg(self):
        depends = self.field("Depends")
        for library in ("libqt6widgets6", "libqt6printsupport6", "libjpeg62-turbo", "qt6-translations-l10n"):
            self.assertIn(library, depends)

    def test_desktop_entry_validates_without_hints(self):
        status, report = output_of("desktop-file-validate",
                                   self.installed("usr/share/applications/gnomora.desktop"))
        self.assertEqual((status, report), (0, ""))

    def test_metainfo_validates_offline_with_the_installed_desktop_entry(self):
        status, report = output_of("appstreamcli", "validate", "--no-net", "--pedantic",
                                   self.installed(METAINFO))
        self.assertEqual(status, 0, report)
        self.assertNotRegex(report, r"(?m)^[EWIP]: ")
        # The tree check follows the launchable to the desktop entry and its icon in the package.
        status, report = output_of("appstreamcli", "validate-tree", "--no-net", self.root)
        self.assertEqual(status, 0, report)
        self.assertNotRegex(report, r"(?m)^[EW]: ")

    def test_package_texts_name_every_shipped_language_and_file(self):
        # The languages are those of the shipped language files, by their "Locale" key.
        locales = set()
        for name in os.listdir(os.path.join(SOURCE_DIR, "data")):
            if re.fullmatch(r"Gnomo_Language_\d+\.ini", name):
                with open(os.path.join(SOURCE_DIR, "data", name), "rb") as language:
                    found = re.search(rb"(?m)^Locale=(\w+)", language.read())
                locales.add(found.group(1).decode())
        with open(self.installed("usr/share/applications/gnomora.desktop"), encoding="utf-8") as entry:
            desktop = entry.read()
        for locale in locales - {"en"}:
            for key in ("Name", "GenericName", "Comment", "Keywords"):
                with self.subTest(key=key, locale=locale):
                    self.assertRegex(desktop, rf"(?m)^{key}\[{locale}\]=.+")
        english = {"pl": "Polish", "en": "English", "de": "German", "uk": "Ukrainian"}
        with gzip.open(self.installed("usr/share/man/man1/gnomora.1.gz"), "rt") as manual:
            page = manual.read()
        for locale in locales:
            with self.subTest(locale=locale):
                self.assertIn(english[locale], self.field("Description"))
                self.assertIn(english[locale], page.replace("\n", " "))
        files = page.split(".SH FILES", 1)[1].split(".SH ", 1)[0]
        for name in ("Gnomora_Cfg.ini", "Gnomo_Language_", "Gnomora_Lesson.ini", ".gnomora.lock",
                     r".gnomora\-files.sha256"):
            with self.subTest(file=name):
                self.assertIn(name, files)

    def test_installed_files_are_those_their_manifest_lists(self):
        # The program compares the working folder's copies by it: it names every installed data
        # file with the hash of its bytes, as sha256sum checks it.
        seed = self.installed("usr/share/gnomora")
        manifest = ".gnomora-files.sha256"
        status, report = output_of("sha256sum", "--check", "--strict", manifest, cwd=seed)
        self.assertEqual(status, 0, report)
        with open(os.path.join(seed, manifest), encoding="utf-8") as listed:
            names = {line.split("  ", 1)[1].rstrip("\n") for line in listed}
        installed = {os.path.relpath(os.path.join(folder, name), seed)
                     for folder, _, files in os.walk(seed) for name in files} - {manifest}
        self.assertEqual(names, installed)

    def test_metainfo_describes_in_polish_english_and_german(self):
        component = ElementTree.parse(self.installed(METAINFO)).getroot()
        for tag in ("summary", "description/p", "description/ul/li", "screenshots/screenshot/caption"):
            texts = component.findall(tag)
            english = [t for t in texts if XML_LANG not in t.attrib]
            with self.subTest(tag=tag):
                self.assertTrue(english)
                for language in ("pl", "de"):
                    self.assertEqual(len([t for t in texts if t.get(XML_LANG) == language]),
                                     len(english), language)

    def test_metainfo_screenshots_are_the_projects_own(self):
        component = ElementTree.parse(self.installed(METAINFO)).getroot()
        images = component.findall("screenshots/screenshot/image")
        self.assertGreaterEqual(len(images), 3)
        for image in images:
            name = image.text.strip().rsplit("/", 1)[-1]
            path = os.path.join(SOURCE_DIR, "docs", "screenshots", name)
            with self.subTest(image=name):
                self.assertTrue(image.text.strip().startswith("https://"))
                self.assertTrue(os.path.isfile(path))
                with open(path, "rb") as png:
                    header = png.read(24)
                self.assertEqual((int(image.get("width")), int(image.get("height"))),
                                 (int.from_bytes(header[16:20], "big"),
                                  int.from_bytes(header[20:24], "big")))

    def test_changelog_manual_pages_and_metainfo_name_the_packaged_version(self):
        version = self.field("Version")
        with gzip.open(self.installed("usr/share/doc/gnomora/changelog.gz"), "rt") as changelog:
            text = changelog.read()
        self.assertEqual(subprocess.run(["dpkg-parsechangelog", "-l-", "-SVersion"], input=text,
                                        capture_output=True, text=True, check=True).stdout.strip(),
                         version)
        for page in ("gnomora", "gnomora-launcher"):
            with gzip.open(self.installed(f"usr/share/man/man1/{page}.1.gz"), "rt") as manual:
                title = next(line for line in manual if line.startswith(".TH"))
            self.assertIn(f'"Gnomora {version}"', title, page)
        component = ElementTree.parse(self.installed(METAINFO)).getroot()
        self.assertEqual(component.find("releases/release").get("version"), version)

    def test_copyright_names_every_shipped_picture_icon_and_data_file(self):
        with open(self.installed("usr/share/doc/gnomora/copyright"), encoding="utf-8") as copyright:
            text = copyright.read()
        self.assertIn("License: GPL-3.0-or-later", text)
        # The catch-all "*" names nothing in particular: each asset needs its own paragraph.
        patterns = [p for p in dep5_file_patterns(text) if p != "*"]
        for folder in ASSET_FOLDERS:
            for directory, _, files in os.walk(os.path.join(SOURCE_DIR, folder)):
                for name in files:
                    path = os.path.relpath(os.path.join(directory, name), SOURCE_DIR)
                    with self.subTest(path=path):
                        self.assertTrue(any(fnmatch.fnmatchcase(path, p) for p in patterns))


if __name__ == "__main__":
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print("skipped: not installed: " + " ".join(missing) + " (scripts/setup.sh installs them)")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1], verbosity=2)
