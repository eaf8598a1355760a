#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed inputs of the fuzzers, a few small files per folder <target>/seed-*.

The harnesses read their inputs with FuzzedDataProvider: a text runs up to a lone backslash
(a doubled backslash stands for one), and fixed-size numbers are taken from the end of the input.
The JPEG seeds are drawn with ImageMagick's convert and recoded with libjpeg's jpegtran. Files found by fuzzing (crash-*, regression-*)
are kept beside the seeds and never written here. Run from anywhere: python3 fuzz/corpus/make-seeds.py
"""
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    os.makedirs(os.path.join(HERE, target), exist_ok=True)
    with open(os.path.join(HERE, target, "seed-" + name), "wb") as f:
        f.write(data)


def text(s):
    """A FuzzedDataProvider string: Windows-1250 bytes, backslashes doubled, ended by a lone one."""
    return s.encode("cp1250").replace(b"\\", b"\\\\") + b"\\ "


CONFIG = ("; sample\r\nLangFileName=Gnomo_Language_0.ini\r\nPlace1=SP nr 7 w Krakowie\r\n"
          "Person11=Ola Słoneczna\r\nPlace1Jpg=pictures/place1.jpg\r\nNoonH1=11\r\nNoonM1=40\r\n"
          "Place2=SP nr 3 w Gdańsku\r\nNoonH2=11\r\nNoonM2=45\r\n")

# name=value files
put("name_value_list", "config", CONFIG.encode("cp1250"))
put("name_value_list", "line-ends", b"a=1\nB=2\rc=3\r\n\r\n[section]\nA=again\n=empty key\nlast=no end")
put("name_value_list", "nul", b"key=value\r\nafter\x00hidden=1\r\n")
put("name_value_list", "edits", text("Place1=x\r\nplace1=y\r\n") + text("Place1") + text("Kraków")
    + text("PLACE1") + text("") + text("new") + text("v") + text("place1") + bytes([3, 0, 2, 0]))

# text to number: the text, then 13 bytes of numbers and the mode byte (decimal separator, decoding)
for i, (s, mode) in enumerate([("-3", 0), ("+2147483647", 0), ("-2147483648", 0), ("2147483648", 0),
                               ("12,5", 1), ("1.5E-5", 0), ("-0,000015e+3", 1), (" 5", 0), ("1e400", 0),
                               ("4.9E-324", 0), (".5", 0), ("5.", 0), ("łódź", 2), ("", 3)]):
    put("text_to_number", f"{i:02d}", s.encode("utf-8") + bytes(13) + bytes([mode]))

# language lookup: the file, then lookups (a key, and from the end an operation byte each)
LANG = ("Language=English\r\nStartForm=Gnomora\r\nedStartText_00=Welcome\r\nedStartText_01=to\r\n"
        "edStartText_02=Gnomora\r\nEmpty=\r\nlower=small\r\nKey =blank\r\n; comment\r\n")
put("lang_lookup", "file", text(LANG) + text("StartForm") + text("EMPTY") + text("missing")
    + text("edStartText") + bytes([0x11, 0, 0, 0]))
put("lang_lookup", "lines", text("a_00=\r\na_01=one\r\na_10=ten\r\n") + text("a") + bytes([2 * 20 + 1]))

# session record: configuration, record, answers; from the end the mode byte and the day
RECORD = {
    "PlaceSelect1": "0", "PlaceSelect2": "1", "PlaceState": "1", "Person11": "Ola",
    "EarthState": "2", "HeiDiff": "0.0436", "EarthDistance": "480", "EarthSize": "40000",
}
for n, noon in ((1, "0.7156"), (2, "0.6720")):
    RECORD.update({f"HeiState{n}": "3", f"HeiEditedTimH{n}": "15", f"HeiEditedTimM{n}": "56",
                   f"HeiTimH{n}": "15", f"HeiTimM{n}": "56", f"HeiEditedStick{n}": "1000",
                   f"HeiEditedShadow{n}": "1800", f"HeiStick{n}": "1000", f"HeiShadow{n}": "1800",
                   f"HeiCurrTimeAngle{n}": "1.0297442586766", f"HeiSunHeightAtCurrTime{n}": "0.507098504392337",
                   f"HeiSunPlaneAngle{n}": "0.6283", f"HeiNoonHeightAngle{n}": noon,
                   f"HeiEquinoxAngle{n}": "1.58", f"HeiEquinoxDispl{n}": "0.398", f"HeiEquinoxRadius{n}": "0.917"})
record = "".join(f"{k}={v}\r\n" for k, v in RECORD.items())
put("session_restore", "measured", text(CONFIG) + text(record) + bytes([0, 1]) + bytes([0x5c, 0x00, 0x7f]))
put("session_restore", "comma", text(CONFIG) + text(record.replace(".", ",")) + bytes([0, 0, 0x7d]))
put("session_restore", "empty", text("") + text("") + bytes([0, 0, 0x7c]))
put("session_restore", "extreme", text(CONFIG) + text("PlaceSelect1=2147483647\r\nHeiState1=3\r\n"
    "HeiNoonHeightAngle1=1.7976931348623157e308\r\nHeiNoonHeightAngle2=-1e308\r\nHeiStick1=-2147483648\r\n"
    "HeiShadow1=2147483647\r\nHeiTimH1=2147483647\r\nHeiSunPlaneAngle1=1e300\r\nEarthDistance=2147483647\r\n")
    + bytes([0, 0, 0xff]))


# JPEG pictures: two bytes of visible size (0: whole), then the file. ImageMagick draws it; libjpeg's
# jpegtran then rewrites it losslessly where the coding differs (arithmetic, scan scripts, restarts).
def jpeg(name, visible, *args, recode=(), patch=None, target="picture_jpeg"):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "p.jpg")
        subprocess.run(["convert", *args, "-strip", out], check=True)
        if recode:
            recoded = os.path.join(tmp, "r.jpg")
            scans = [a.replace("SCANS", os.path.join(tmp, "scans.txt")) for a in recode]
            with open(os.path.join(tmp, "scans.txt"), "w") as f:
                f.write(SEQUENTIAL_SCANS)
            subprocess.run(["jpegtran", "-copy", "all", *scans, "-outfile", recoded, out], check=True)
            out = recoded
        with open(out, "rb") as f:
            data = f.read()
        put(target, name, bytes(visible) + (patch(data) if patch else data))


def adobe_transform(data, transform):
    """The Adobe marker's colour transform set: 0 has the four channels read as plain CMYK."""
    at = data.index(b"Adobe")
    assert data[at - 4:at - 2] == b"\xff\xee"
    flag = at + 5 + 2 + 2 + 2  # after "Adobe", the version, flags0 and flags1
    return data[:flag] + bytes([transform]) + data[flag + 1:]


def without_adobe(data):
    """The file without its Adobe marker: CMYK whose bytes hold the ink itself."""
    at = data.index(b"Adobe") - 4
    assert data[at:at + 2] == b"\xff\xee"
    length = int.from_bytes(data[at + 2:at + 4], "big")
    return data[:at] + data[at + 2 + length:]


# One component per scan, each scan whole: a sequential file that is not interleaved.
SEQUENTIAL_SCANS = "0;\n1;\n2;\n"

jpeg("grey", (0, 0), "-size", "16x16", "gradient:black-white", "-colorspace", "Gray")
jpeg("colour-420", (9, 5), "-size", "35x21", "-seed", "1", "plasma:fractal", "-sampling-factor", "2x2")
jpeg("colour-444", (17, 0), "-size", "24x16", "gradient:red-blue", "-sampling-factor", "1x1")
jpeg("progressive", (0, 7), "-size", "20x20", "gradient:yellow-green", "-interlace", "JPEG")
jpeg("cmyk", (5, 5), "-size", "12x12", "gradient:cyan-magenta", "-colorspace", "CMYK")
jpeg("restarts", (40, 3), "-size", "48x16", "gradient:white-navy", "-define", "jpeg:restart-interval=1")
PLASMA = ("-size", "40x24", "-seed", "2", "plasma:fractal")
jpeg("colour-422", (21, 0), *PLASMA, "-sampling-factor", "2x1")
jpeg("progressive-420", (19, 9), *PLASMA, "-sampling-factor", "2x2", "-interlace", "JPEG")
jpeg("progressive-grey", (0, 0), "-size", "24x24", "-seed", "3", "plasma:fractal", "-colorspace", "Gray",
     "-interlace", "JPEG")
jpeg("progressive-cmyk", (7, 11), *PLASMA, "-colorspace", "CMYK", recode=("-progressive",))
jpeg("progressive-restarts", (0, 17), *PLASMA, "-sampling-factor", "2x2", recode=("-progressive", "-restart", "1B"))
jpeg("arithmetic", (0, 0), *PLASMA, "-sampling-factor", "2x2", recode=("-arithmetic",))
jpeg("arithmetic-444", (33, 5), *PLASMA, "-sampling-factor", "1x1", recode=("-arithmetic", "-restart", "2B"))
jpeg("arithmetic-progressive", (13, 0), *PLASMA, "-sampling-factor", "2x2", recode=("-arithmetic", "-progressive"))
jpeg("arithmetic-grey", (0, 5), "-size", "24x24", "-seed", "3", "plasma:fractal", "-colorspace", "Gray",
     recode=("-arithmetic", "-progressive"))
jpeg("arithmetic-cmyk", (0, 0), *PLASMA, "-colorspace", "CMYK", recode=("-arithmetic",))
# ImageMagick writes CMYK as YCCK (Adobe transform 2); the other two kinds are made from that.
jpeg("cmyk-plain", (9, 0), *PLASMA, "-colorspace", "CMYK", patch=lambda data: adobe_transform(data, 0))
jpeg("cmyk-no-adobe", (0, 3), *PLASMA, "-colorspace", "CMYK", patch=without_adobe)
jpeg("sequential-scans", (25, 13), *PLASMA, "-sampling-factor", "2x2", recode=("-scans", "SCANS"))

# Photographs fitted into their boxes: the box's width and height less 1, a byte choosing the pixel
# ratio (0: 1, 1: 1.5, 2: 2), then the file. Pictures that fit, and larger ones that are decoded at
# 1/2, 1/4 or 1/8 of their size and scaled down.
PHOTO = ("-size", "320x200", "-seed", "4", "plasma:fractal")
jpeg("fits", (39, 23, 0), *PLASMA, "-sampling-factor", "2x2", target="picture_fit")
jpeg("fits-at-2", (19, 11, 2), *PLASMA, "-sampling-factor", "2x1", target="picture_fit")
jpeg("half", (159, 99, 0), *PHOTO, "-quality", "40", target="picture_fit")
jpeg("eighth-grey", (31, 19, 1), *PHOTO, "-colorspace", "Gray", "-quality", "40", target="picture_fit")
jpeg("quarter-progressive", (79, 79, 1), *PHOTO, "-quality", "40", "-interlace", "JPEG", target="picture_fit")
jpeg("tall-cmyk", (9, 200, 2), "-size", "24x96", "gradient:cyan-magenta", "-colorspace", "CMYK",
     target="picture_fit")
jpeg("arithmetic-scaled", (15, 15, 0), *PLASMA, "-sampling-factor", "2x2", recode=("-arithmetic",),
     target="picture_fit")

# Kept lessons: a mode byte (1: "," as the decimal separator), the configuration, then the file.
def lesson(values, separator="."):
    lines = ["LessonRecord=1"] + [f"{k}={v}" for k, v in values.items()]
    return "".join(line + "\r\n" for line in lines).replace(".", separator)


def lesson_values(**changes):
    values = {"PlaceSelect1": "0", "PlaceName1": "SP nr 7 w Krakowie", "Person11": "Ola Słoneczna",
              "Person12": "", "Person13": "", "Person14": "", "PlaceSelect2": "1",
              "PlaceName2": "SP nr 3 w Gdańsku", "Person21": "", "Person22": "", "Person23": "",
              "Person24": "", "PlaceState": "1"}
    for n, noon in ((1, "0.71560000000000"), (2, "0.67200000000000")):
        values.update({f"HeiState{n}": "3", f"HeiNoonTimeAngle{n}": "0", f"HeiCurrTimeAngle{n}": "1.0297442586766",
                       f"HeiSunOnCurrTimeAngle{n}": "0.0436", f"HeiEquinoxAngle{n}": "1.58",
                       f"HeiEquinoxDispl{n}": "0.398", f"HeiEquinoxRadius{n}": "0.917", f"HeiEditedTimH{n}": "11",
                       f"HeiEditedTimM{n}": "56", f"HeiTimH{n}": "11", f"HeiTimM{n}": "56",
                       f"HeiEditedStick{n}": "1000", f"HeiEditedShadow{n}": "1800", f"HeiStick{n}": "1000",
                       f"HeiShadow{n}": "1800", f"HeiSunHeightAtCurrTime{n}": "0.507098504392337",
                       f"HeiSunAzimuthHeightAtCurrTime{n}": "0.2", f"HeiSunPlaneAngle{n}": "0.6283",
                       f"HeiNoonHeightAngle{n}": noon})
    values.update({"EarthState": "2", "HeiDiff": "0.0436", "EarthDistance": "480", "EarthSize": "39633",
                   "MeasureDate": "2013-06-20"})
    values.update(changes)
    return values


FRESH = {f"Hei{k}{n}": "0" for k in ("State", "NoonTimeAngle", "CurrTimeAngle", "SunOnCurrTimeAngle",
                                     "EquinoxAngle", "EquinoxDispl", "EquinoxRadius", "EditedTimH",
                                     "EditedTimM", "TimH", "TimM", "EditedStick", "EditedShadow", "Stick",
                                     "Shadow", "SunHeightAtCurrTime", "SunAzimuthHeightAtCurrTime",
                                     "SunPlaneAngle", "NoonHeightAngle") for n in (1, 2)}
# The partner school's reading file as the program saves it: Windows-1250, UTF-8 with its mark
# for a name Windows-1250 cannot hold, repeated readings, and a foreign name=value file.
READING = ("GnomoraReading=1\r\nVersion=0.1.0\r\nPlace=SP nr 7 w Krakowie\r\nDate=2026-03-20\r\n"
           "TimeH=12\r\nTimeM=5\r\nStick=1000\r\nShadow1=800\r\nNoonH=11\r\nNoonM=40\r\nLongitude=19.94\r\n")
put("partner_reading", "krakow", READING.encode("cp1250"))
put("partner_reading", "kyiv-utf8", b"\xef\xbb\xbf" + READING.replace("SP nr 7 w Krakowie", "Київ").encode("utf-8"))
put("partner_reading", "five-shadows", READING.replace("Shadow1=800\r\n", "".join(
    "Shadow%d=%d\r\n" % (i, 800 + i) for i in range(1, 6))).encode("cp1250"))
put("partner_reading", "not-a-reading", CONFIG.encode("cp1250"))

put("lesson_record", "measured", bytes([0]) + text(CONFIG) + lesson(lesson_values()).encode("cp1250"))
put("lesson_record", "comma", bytes([1]) + text(CONFIG) + lesson(lesson_values(), ",").encode("cp1250"))
put("lesson_record", "utf8", bytes([0]) + text(CONFIG) + b"\xef\xbb\xbf"
    + lesson(lesson_values(Person11="Олена")).encode("utf-8"))
put("lesson_record", "fresh", bytes([0]) + text("") + lesson(lesson_values(**FRESH, EarthState="0",
    HeiDiff="0", EarthDistance="0", EarthSize="0")).encode("cp1250"))
put("lesson_record", "half", bytes([0]) + text(CONFIG) + lesson(lesson_values(HeiState2="1", EarthState="0"))
    .encode("cp1250"))
put("lesson_record", "run-place", bytes([0]) + text(CONFIG) + lesson(lesson_values(
    PlaceSelect2="5", PlaceName2="Lwów", HeiReadingFrom2="lwow.txt", RunPlace6="Lwów", RunNoonH6="11",
    RunNoonM6="20")).encode("cp1250"))
put("lesson_record", "not-a-lesson", bytes([0]) + text(CONFIG) + CONFIG.encode("cp1250"))
