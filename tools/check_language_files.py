#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the shipped language files and the sample configuration.

Every data/Gnomo_Language_<n>.ini must hold exactly the text keys that the program
looks up (the catalogue below) plus the display name "Language", each once, each
with a real text, as Windows-1250 bytes, or as UTF-8 after the UTF-8 byte-order
mark, with CR LF after every line. A text the program fills in holds exactly its
placeholders (%1 ...). The texts must
also fit the controls and the printed sheet that show them: each key belongs to a
box with a character limit (always checked) and a width in pixels or millimetres
(checked with --measure, which renders the text with ImageMagick in the DejaVu
faces that stand in for Tahoma, Verdana and MS Sans Serif on Linux).

data/Gnomora_Cfg.ini must hold the 46 configuration keys with usable values; with
--measure its place and person names must fit the step-1 lists and the result sheet.
The data files must also be what tools/build_data_files.py makes of their UTF-8
sources in tools/lang-src/.

Usage: tools/check_language_files.py [--measure] [--print] [--write-catalogue] [--data DIR]
  --measure          also measure every text against its box (needs ImageMagick's convert)
  --print            print every language file decoded, numbered, for proofreading
  --write-catalogue  rewrite tests/lang/catalogue_keys.txt from the catalogue below
  --data DIR         check the files in DIR instead of data/ (skips the source comparison)
Exit status 0 when everything passes, 1 otherwise.
"""
import pathlib
import re
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DATA = ROOT / "data"
CATALOGUE_FILE = ROOT / "tests" / "lang" / "catalogue_keys.txt"
CODEPAGE = "cp1250"
UTF8_MARK = b"\xef\xbb\xbf"
DISPLAY_NAME_KEY = "Language"
# The language of the toolkit's own texts (message-box buttons, the print preview); optional.
LOCALE_KEY = "Locale"
NUL = b"\x00"
PLACEHOLDER = "."  # what the program writes for a key it looked up and did not find


def lines_of(base, count):
    """Keys of a multi-line text: base_00, base_01 ... (the program's line-key rule)."""
    return [f"{base}_{i:02d}" if i <= 9 else f"{base}_{i}" for i in range(count)]


# The keys the program looks up, spelled exactly as it builds them (irregular
# spellings such as btnSetp2Next, BtnStep2Back, labNooNHei2 and labApplyniChanges2
# included), grouped by where the text is shown.
START_WINDOW = ["StartForm", *lines_of("edStartText", 7), "btnStartEnter", "cbSaveConfig"]
MAIN_WINDOW = ["MainForm"]
STEP_BUTTON_NAMES = ["imgStep0", "imgStep1", "imgStep2", "imgStep3", "imgStep4", "imgStep5", "imgTech"]
STEP_BUTTONS = [key for name in STEP_BUTTON_NAMES for key in lines_of(name, 3)]
INTRO = [f"labDescr{n}" for n in range(1, 27) if n != 20]
STEP1 = ["labPlacesDescr1", "labPlacesDescr2", "labPlaceSelect1", "labPersonSelect1", "labPersonSelect2",
         "labPlaceSelect2", "btnStep1Back", "btnStep1Next", "btnClearAll"]
STEP2 = ["labEnterTime", "labEnterHeight", "labShadow", "labStick", "labCalcNoon", "labHeightAngle",
         "labNoonAngle", "btnAcceptTime", "btnAcceptHeight", "btnCalcNoon", "BtnStep2Back", "btnSetp2Next"]
# Units and the hour and minute marks beside the boxes, on the panels and in the result sheet.
UNITS = ["unitMm", "unitKm", "markHour", "markMinute"]
STEP4 = ["labStep4Heading", "LabNoonHei1", "labNooNHei2", "labHeiDiff", "labDistance", "labDistance2",
         "btnAcceptDistance", "btnCalcEarth", "btnStep4Back", "btnStep4Next"]
STEP5 = ["labPrintCopies", "btnPrint", "btnReset", "btnPanel5Back", "btnPreview"]
TECH_TABS = ["LanguagePage", "TechPagePlaces", "TechSessions"]
TECH_LANGUAGE = ["labSelectLang", "labApplyIniChanges", "labApplyniChanges2", "bOKChooseLang", "bOKLangIniChanges"]
TECH_PLACES = ([f"labPlace{n}" for n in range(1, 6)]
               + [f"labPerson{n}{k}" for n in range(1, 6) for k in (1, 2)]
               + ["labPlacesDescr", "labPlacesAndPersons", "labNoonTime", "labJpgName", "btnSavePlaces"])
MESSAGES = ["msgNoPlaces", "msgNoAngleCalculated", "msgNoEarthCalculated", "msgAreYouSure", "msgSunTooHigh",
            "msgSunTooHigh2080", "msgTwoLattitudes", "msgLattitudeYes", "msgLattitudeNo", "msgNoDistance",
            "msgNoAngleDiff"]
# The working folder and the configuration file: another copy of the program, a file not read.
FOLDER_MESSAGES = ["msgFolderInUse", "msgFolderInUseNotSaved", "msgFolderLockElsewhere", "msgFolderLockUnreadable",
                   "msgFolderLockRefused", "msgReplaceUnreadCfg", "msgFilesReplaced", "msgLangTextsAdded",
                   "msgFilesNotUpdated"]
# A name typed into the places editor that Windows-1250 cannot hold.
ENCODING_MESSAGES = ["msgSaveCfgAsUtf8"]
COMPASS = ["North", "South", "East", "West"]
RESULT_SHEET = ["PrintRow1", "PrintRow2", "PrintRow3", "PrintRow3a", "PrintRow4", "PrintRow5", "PrintRow6",
                "PrintResults1", "PrintResults2", "PrintResults3", "PrintResults3a", "PrintResults4",
                "PrintResults5", "PrintResults6", "PrintResults7", "PrintResults8", "PrintResults8a",
                "PrintResults9", "PrintResults10", "PrintResults11", "PrintResults12", "PrintResults13",
                "PrintResults14", "PrintFooter1", "PrintFooter2"]

# What a screen reader says: names of the controls that show no text of their own, and what the
# pictures show (%1, %2 ... are filled in by the program).
ACCESSIBLE_NAMES = ["accPupil", "accHour", "accMinute", "accPersonName", "accNoonHour", "accNoonMinute",
                    "accPlacePhotoFile", "accPersonPhotoFile", "accTechPages", "accLongitude", "accPlacePhoto", "accPersonPhoto",
                    "accIntroPicture", "accShadowScene", "accShadowDay", "accEarthSection", "accSolarNoon", "accStartText",
                    "accPreviewPage", "accPreviewPageNumber", "accCalendarButton", "accCalendar", "accProportion",
                    "accEarthUnknown"]
PICTURE_DESCRIPTIONS = ["picShadowScene", "picShadowSceneMeasured", "picShadowSceneNoon", "picEarthSection",
                        "picShadowDay", "picShadowDayAllDay", "picShadowDayNoon", "picShadowDayReadings"]
# Texts written into the pictures.
PICTURE_TEXTS = ["plotNoonShadow", "plotReading"]
# When the class goes outside: a chosen place's true noon on the measurement day, or its noon as set.
NOON_TEXTS = ["labTrueNoonToday", "labTrueNoonOn", "labNoonSet"]
# Refusals of typed values that are not numbers the box takes, and of a circumference too large.
# Texts of the program's own that are no control's caption: the latitude captions of the technical
# panel and the printing messages.
PROGRAM_TEXTS = ["LatitudeCaption1", "LatitudeCaption2", "msgNoPrinter", "msgPrinting", "msgPrintFailed",
                 "labPrintTarget", "labPrintSent", "labPrintNoPrinter"]
INPUT_MESSAGES = ["msgBadTimeH", "msgBadTimeM", "msgBadShadow", "msgBadStick", "msgBadDistance", "msgBadCopies",
                  "msgBadNoonH", "msgBadNoonM", "msgEarthTooLarge"]
# The teacher's tools: the measurement date, the latitude on the measurement panel, the deviation
# from the meridian's length, true noon from the longitude, and the lesson kept between runs.
TEACHER = (["labMeasureDate", "labLatitude", "labDeviation"] + [f"labLongitude{n}" for n in range(1, 6)]
           + [f"btnSolarNoon{n}" for n in range(1, 6)])
TEACHER_MESSAGES = ["msgBadLongitude", "msgContinueLesson", "msgLessonRefused", "msgNoonOutsideHours",
                    "msgBadDate", "msgChangeMeasureDate", "msgReplaceLesson", "msgOtherLessonKept"]
# The general error report: a file error is "msgFileError" with the file and the reason of its kind.
FILE_ERRORS = ["msgFileError", "msgLangFileSkipped", "msgOutOfMemory", "errMissing", "errFolder",
               "errNotRegularFile", "errTooLarge", "errReadFailed", "errWriteFailed", "errSizeLimit", "errNotUtf8",
               "errNulByte", "errUtf16", "errInUse", "errNotReadAtStart", "errNoExtension", "errUnknownExtension",
               "errNoReader", "errTooManyPixels", "errTooManyScans", "errNotAPicture", "errDamaged", "errOutOfMemory",
               "errNotLoadable", "errModuleNotRegularFile", "errModuleCutShort", "errModuleEntryMissing",
               "errModuleOtherVersion", "errModuleWritableByOthers", "errModuleForeignOwner", "errModuleAltered"]
# Repeated shadow readings with their uncertainty, and the virtual partner of a class working alone.
READINGS = ["PrintRow5Alone", "PrintRow6Alone", "labUncertaintyIncludes", "labVirtualDistanceNorth",
            "labVirtualDistanceSouth", "VirtualPartnerPlace", "picShadowSceneVirtual", "PrintVirtualPartner", "labShadowReadingsText",
            "hintShadowReadings", "msgBadShadowReadings", "labUncertainty", "labUncertaintyText",
            "labMeridianInside", "labMeridianOutside"]
# The partner school's reading as a file, and the results as a table for a spreadsheet.
PARTNER = ["btnSaveReading", "btnLoadReading", "btnExportResults", "dlgReadingFiles", "dlgResultFiles",
           "PrintReadingFrom", "fileReading", "fileResults"]
PARTNER_MESSAGES = ["msgReadingRefused", "msgReadingOtherDate", "dlgAllFiles", "msgReadingForOtherPlace",
                    "msgReadingReplaces", "msgFileSaved"]
RESULTS_TABLE = ["csvShadowReading", "csvShadowError", "csvDate", "csvPlace", "csvTime", "csvStick", "csvShadows", "csvElevation", "csvLatitude",
                 "csvNoonElevation", "csvDistance", "csvDifference", "csvCircumference", "csvUncertainty",
                 "csvDeviation"]
CATALOGUE = (START_WINDOW + MAIN_WINDOW + STEP_BUTTONS + INTRO + STEP1 + STEP2 + STEP4 + STEP5 + TECH_TABS
             + TECH_LANGUAGE + TECH_PLACES + MESSAGES + COMPASS + RESULT_SHEET + FOLDER_MESSAGES
             + INPUT_MESSAGES + PROGRAM_TEXTS + ENCODING_MESSAGES + TEACHER + TEACHER_MESSAGES + NOON_TEXTS + FILE_ERRORS
             + ACCESSIBLE_NAMES + PICTURE_DESCRIPTIONS + PICTURE_TEXTS + UNITS + READINGS + PARTNER
             + PARTNER_MESSAGES + RESULTS_TABLE)
CATALOGUE_SIZE = 325
# What the program puts into a text at its placeholders; every other text holds none.
PLACEHOLDERS = {
    # The measurement date stands in whichever of the statement's two lines the language puts it.
    "PrintRow5": [{"%1"}, set()], "PrintRow6": [{"%1"}, set()],
    "PrintRow5Alone": [{"%1"}, set()], "PrintRow6Alone": [{"%1"}, set()],
    "labVirtualDistanceNorth": {"%1", "%2"}, "labVirtualDistanceSouth": {"%1", "%2"},  # the school, the latitude
    "csvShadowReading": {"%1"},  # the reading's number
    "msgSaveCfgAsUtf8": {"%1"},  # the texts that Windows-1250 cannot hold
    "msgPrintFailed": {"%1"},    # the printer's name
    "labTrueNoonToday": {"%1"},  # the true noon
    "labTrueNoonOn": {"%1", "%2"},  # the true noon, the measurement date
    "labNoonSet": {"%1"},  # the noon configured
    "msgNoonOutsideHours": {"%1"},     # the true noon
    "msgReplaceLesson": {"%1", "%2", "%3", "%4"},  # the other lesson's date, its places, its name beside this one
    "msgOtherLessonKept": {"%1"},      # where the older lessons lie
    "msgReadingRefused": {"%1", "%2"},        # the file, the line at fault
    "msgReadingOtherDate": {"%1", "%2", "%3"},  # the file, its date, the measurement date
    "msgReadingForOtherPlace": {"%1", "%2", "%3", "%4"},  # the file, its school, the place it is, the place shown
    "msgReadingReplaces": {"%1", "%2", "%3", "%4", "%5", "%6", "%7"},  # the place, its school, time, stick,
    # shadows; the file's school, the file
    "PrintReadingFrom": {"%1"},               # the file
    "LatitudeCaption1": {"%1"},  # the latitude
    "LatitudeCaption2": {"%1"},
    "msgFileError": {"%1", "%2"},        # the file, the reason
    "msgLangFileSkipped": {"%1", "%2"},  # the file, the reason
    "msgFolderLockElsewhere": {"%1", "%2"},  # the computer, the process
    "msgFolderLockUnreadable": {"%1"},       # the lock file
    "msgFilesReplaced": {"%1"}, "msgLangTextsAdded": {"%1"}, "msgFilesNotUpdated": {"%1"},  # the files
    "errTooLarge": {"%1"}, "errReadFailed": {"%1"}, "errWriteFailed": {"%1"}, "errSizeLimit": {"%1"},
    "errNotUtf8": {"%1"},
    "errNulByte": {"%1"}, "errUtf16": {"%1"},  # the line
    "errNotLoadable": {"%1"}, "errModuleEntryMissing": {"%1"},
    "errModuleWritableByOthers": {"%1"}, "errModuleForeignOwner": {"%1"},  # the file or folder
    "errUnknownExtension": {"%1"}, "errNoReader": {"%1"}, "errTooManyPixels": {"%1", "%2"},
    "errTooManyScans": {"%1"}, "errNotAPicture": {"%1", "%2"}, "errDamaged": {"%1"}, "errOutOfMemory": {"%1"},
    # What a screen reader says, with the values the program fills in.
    "accPupil": {"%1", "%2"},
    "accLongitude": {"%1"},
    "accSolarNoon": {"%1"},
    "accPersonName": {"%1", "%2"},
    "accNoonHour": {"%1"},
    "accNoonMinute": {"%1"},
    "accPlacePhotoFile": {"%1"},
    "accPersonPhotoFile": {"%1", "%2"},
    "accPlacePhoto": {"%1"},
    "accPersonPhoto": {"%1", "%2"},
    "picShadowScene": {"%1", "%2"},
    "picShadowSceneMeasured": {"%1", "%2", "%3", "%4"},
    "picShadowSceneNoon": {"%1"},
    "picEarthSection": {"%1", "%2", "%3", "%4", "%5"},
    "picShadowDay": {"%1", "%2", "%3", "%4"},  # the place, the stick, sunrise, sunset
    "picShadowDayAllDay": {"%1", "%2"},
    "picShadowDayNoon": {"%1", "%2"},  # true noon, the shortest shadow
    "picShadowDayReadings": {"%1", "%2"},  # the time, the lengths read then
    "plotNoonShadow": {"%1", "%2"},
    "picShadowSceneVirtual": {"%1"},  # the place
    "labShadowReadingsText": {"%1", "%2", "%3"},  # the readings, their mean, its standard error
    "labUncertaintyText": {"%1", "%2"},  # the circumference, its uncertainty
    "fileReading": {"%1", "%2"},  # the place, the date
    "fileResults": {"%1", "%2", "%3"},  # place 1, place 2, the date
    "msgFileSaved": {"%1"},  # the file's full path
    "labPrintTarget": {"%1", "%2"},  # the printer, the copies
    "labPrintSent": {"%1", "%2"},
    "accProportion": {"%1", "%2", "%3", "%4"},  # the distance, the circumference, the difference, 360°
}

# Faces used by --measure. DejaVu Sans is what fontconfig puts in for the Windows
# faces on Linux, and it runs wider than Tahoma, so a text that fits here fits there.
SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SANS_OBLIQUE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf"
MM_PER_POINT = 25.4 / 72


class Box:
    """Room for one text: a character limit and, for --measure, a face, a size and a width.

    Screen boxes give size and width in pixels; printed boxes give the size in points
    and the width in millimetres (printed=True)."""

    def __init__(self, max_chars, face=SANS, size=13, width=None, printed=False):
        self.max_chars, self.face, self.size, self.width, self.printed = max_chars, face, size, width, printed


def px(max_chars, width, size=13, face=SANS):
    return Box(max_chars, face, size, width)


def mm(max_chars, width, points, face=SANS):
    return Box(max_chars, face, points, width, printed=True)


# Widths follow the window layouts: a label's room runs from its left edge to the next
# control or to the panel's edge (the panels are 747 pixels wide left of the step
# buttons); a button's room is its width less about 12 pixels of frame.
BOXES = {}
BOXES.update({"StartForm": px(45, 380), "btnStartEnter": px(10, 67), "cbSaveConfig": px(22, 157)})
BOXES.update({k: px(48, 370) for k in lines_of("edStartText", 7)})
BOXES["MainForm"] = px(80, 900)
# Step buttons: bold text in a 17-pixel cell, from x = 10 on a button as wide as the column.
BOXES.update({k: Box(20, SANS_BOLD, 17, 218) for k in STEP_BUTTONS})
# Introduction: a 16-pixel font from x = 32; lines 1 to 12 end before the picture at x = 504.
BOXES.update({k: px(55, 470 if int(k[8:]) <= 12 else 680, size=16) for k in INTRO})
BOXES.update({k: px(48, 336) for k in ["labPlacesDescr1", "labPlacesDescr2", "labPlaceSelect1",
                                       "labPersonSelect1", "labPlaceSelect2", "labPersonSelect2"]})
BOXES.update({"btnStep1Back": px(12, 93), "btnStep1Next": px(13, 101), "btnClearAll": px(26, 197)})
BOXES.update({"labEnterTime": px(28, 195), "labEnterHeight": px(28, 195)})
BOXES.update({k: px(26, 180) for k in ["labShadow", "labStick", "labHeightAngle", "labCalcNoon", "labNoonAngle"]})
BOXES.update({k: px(22, 157) for k in ["btnAcceptTime", "btnAcceptHeight", "btnCalcNoon",
                                       "btnAcceptDistance", "btnCalcEarth", "btnSavePlaces"]})
BOXES.update({"BtnStep2Back": px(12, 93), "btnSetp2Next": px(13, 101),
              "btnStep4Back": px(12, 93), "btnStep4Next": px(13, 101)})
BOXES["labStep4Heading"] = Box(62, SANS_BOLD, 13, 530)
BOXES.update({k: px(27, 190) for k in ["LabNoonHei1", "labNooNHei2", "labHeiDiff", "labDistance", "labDistance2"]})
BOXES.update({"labPrintCopies": px(13, 88), "btnPanel5Back": px(15, 119), "btnPreview": px(24, 183),
              "btnPrint": px(24, 189), "btnReset": px(55, 405)})
BOXES.update({k: px(30, 250) for k in TECH_TABS})
BOXES.update({"labSelectLang": px(40, 300), "bOKChooseLang": px(9, 60), "bOKLangIniChanges": px(9, 60),
              "labApplyIniChanges": px(52, 373), "labApplyniChanges2": px(52, 373)})
BOXES.update({"labPlacesDescr": px(85, 597), "labPlacesAndPersons": px(34, 250),
              "labNoonTime": px(28, 210), "labJpgName": px(30, 220)})
BOXES.update({k: px(14, 100) for k in TECH_PLACES if k.startswith(("labPlace", "labPerson")) and k[-1].isdigit()})
# Message boxes wrap their text; the limit only catches a runaway line.
BOXES.update({k: Box(300) for k in MESSAGES + FOLDER_MESSAGES + INPUT_MESSAGES + ENCODING_MESSAGES
              + ["msgNoPrinter", "msgPrinting", "msgPrintFailed"]})
# The latitude captions run on to the angle, on the technical panel's 400-pixel labels.
BOXES.update({k: px(40, 330) for k in ["LatitudeCaption1", "LatitudeCaption2"]})
BOXES.update({"msgLattitudeYes": Box(40), "msgLattitudeNo": Box(40)})
# Compass words: 8-point face on the picture; "North" ends at x = 76, "South" starts 77 pixels from the right edge.
BOXES.update({k: px(12, 75, size=11) for k in COMPASS})
# Result sheet: face size in points, box width in millimetres.
BOXES.update({k: mm(40, 140, 15) for k in ["PrintRow1", "PrintRow2", "PrintRow3", "PrintRow3a"]})
BOXES.update({k: mm(45, 140, 14) for k in ["PrintRow4", "PrintRow5", "PrintRow6"]})
BOXES["PrintResults1"] = mm(50, 114.83, 12)
BOXES.update({k: mm(22, 44.98, 11) for k in ["PrintResults2", "PrintResults7"]})
BOXES.update({k: mm(21, 40.48, 11) for k in ["PrintResults3", "PrintResults3a", "PrintResults8", "PrintResults8a"]})
BOXES.update({k: mm(24, 47.10, 11) for k in ["PrintResults4", "PrintResults5", "PrintResults6",
                                            "PrintResults9", "PrintResults10"]})
BOXES["PrintResults11"] = mm(22, 47.10, 12)
BOXES.update({k: mm(28, 59.27, 12) for k in ["PrintResults12", "PrintResults13", "PrintResults14"]})
# Footer lines share their rows with the first place's name and the date on the right.
BOXES.update({k: mm(36, 70, 9, SANS_OBLIQUE) for k in ["PrintFooter1", "PrintFooter2"]})
BOXES[DISPLAY_NAME_KEY] = px(20, 140)
BOXES[LOCALE_KEY] = Box(6)
# The teacher's tools: the date's caption ends at its box (x 176); the latitude's caption leaves room
# for its value before the panel's edge; longitude captions end at their box (x 400).
BOXES.update({"labMeasureDate": px(22, 132), "labLatitude": px(18, 125), "labDeviation": px(27, 190)})
BOXES.update({f"labLongitude{n}": px(14, 92) for n in range(1, 6)})
BOXES.update({f"btnSolarNoon{n}": px(22, 149) for n in range(1, 6)})
BOXES.update({k: Box(300) for k in TEACHER_MESSAGES + FILE_ERRORS})
# Under the shadow scene, left of the back button: four lines of 416 pixels.
BOXES.update({k: Box(230) for k in NOON_TEXTS})
# Units stand after their box; the hour mark before its box has 30 pixels from the column's left
# edge, the minute mark 26 between the hour's box and the minute's.
BOXES.update({"unitMm": px(4, 40), "unitKm": px(4, 40), "markHour": px(6, 30), "markMinute": px(4, 26)})
# Under the measurement panel's back and next buttons, 297 pixels wide; on the print page 195.
BOXES.update({"btnSaveReading": px(48, 285), "btnLoadReading": px(48, 285), "btnExportResults": px(26, 183)})
# Dialog filters, message boxes and the headings of a table: the limit only catches a runaway line.
BOXES.update({k: Box(300) for k in ["dlgReadingFiles", "dlgResultFiles"] + PARTNER_MESSAGES + RESULTS_TABLE})
# Proposed file names (a file system takes 255 characters, the places' names come on top).
BOXES.update({"fileReading": Box(40), "fileResults": Box(40)})
# The print page's status line: two lines of 601 pixels.
BOXES.update({k: Box(140) for k in ["labPrintTarget", "labPrintSent", "labPrintNoPrinter"]})
# The second line of a place's name on the result sheet.
BOXES["PrintReadingFrom"] = mm(60, 44.98, 11)
# Spoken, never drawn: the limit only catches a runaway line.
BOXES.update({k: Box(300) for k in ACCESSIBLE_NAMES + PICTURE_DESCRIPTIONS})
# Above the day's shadow plot, beside the top of its length axis: the 8-point face of the pictures.
BOXES["plotNoonShadow"] = px(24, 150, size=11)
BOXES["plotReading"] = px(24, 120, size=11)

# The virtual partner's name stands in the place lists (249 pixels less the arrow); the readings
# under the place's name take two lines of 480 pixels; the uncertainty's three lines end at the
# panel's edge; the sheet's shadow box of 29.90 mm.
BOXES.update({"VirtualPartnerPlace": px(40, 225), "labShadowReadingsText": Box(140), "hintShadowReadings": Box(300),
              "msgBadShadowReadings": Box(300), "picShadowSceneVirtual": Box(300), "labUncertainty": px(27, 190),
              "labUncertaintyText": px(20, 174), "labMeridianInside": px(40, 190), "labMeridianOutside": px(40, 190),
              "PrintVirtualPartner": mm(14, 29.90, 11), "labUncertaintyIncludes": Box(300),
              "labVirtualDistanceNorth": Box(300), "labVirtualDistanceSouth": Box(300),
              "PrintRow5Alone": mm(45, 140, 14), "PrintRow6Alone": mm(45, 140, 14)})

CONFIG_KEYS = ["LangFileName"] + [key for n in range(1, 6) for key in (
    f"Place{n}", f"Person{n}1", f"Person{n}2", f"Place{n}Jpg", f"Person{n}1Jpg", f"Person{n}2Jpg",
    f"NoonH{n}", f"NoonM{n}", f"Longitude{n}")]
LANGUAGE_FILE_NAME = re.compile(r"Gnomo_Language_(0|[1-9][0-9]?)\.ini")


class Report:
    def __init__(self):
        self.errors = 0

    def error(self, where, text):
        self.errors += 1
        print(f"ERROR {where}: {text}")

    def warn(self, where, text):
        print(f"warning {where}: {text}")


def read_lines(path, report):
    """The file's lines decoded from Windows-1250, or from UTF-8 after the byte-order mark,
    or None when the bytes are unusable."""
    raw = path.read_bytes()
    name = path.name
    encoding, encoding_name = CODEPAGE, "Windows-1250"
    if raw.startswith(UTF8_MARK):
        raw = raw[len(UTF8_MARK):]
        encoding, encoding_name = "utf-8", "UTF-8"
        if raw.startswith(UTF8_MARK):
            report.error(name, "a second byte-order mark follows the first; the program would read it as part of the first key")
    if NUL in raw:
        report.error(name, f"holds a NUL byte at offset {raw.index(NUL)}; the program stops reading there")
        return None
    if not raw.endswith(b"\r\n"):
        report.error(name, "the last line does not end with CR LF")
    chunks = raw.split(b"\r\n")
    if chunks[-1] == b"":
        chunks.pop()
    lines = []
    for number, chunk in enumerate(chunks, start=1):
        if b"\r" in chunk or b"\n" in chunk:
            report.error(f"{name}:{number}", "line end is not CR LF (a lone CR or LF)")
        try:
            lines.append(chunk.decode(encoding))
        except UnicodeDecodeError as e:
            report.error(f"{name}:{number}", f"byte 0x{chunk[e.start]:02X} is not a {encoding_name} character")
            lines.append(chunk.decode(encoding, errors="replace"))
    return lines


def key_value_lines(lines):
    """(line number, key, value) for each line with "="; key before the first "=", nothing trimmed."""
    for number, line in enumerate(lines, start=1):
        if "=" in line:
            key, value = line.split("=", 1)
            yield number, key, value


def check_language_file(path, report, display_names):
    name = path.name
    if not LANGUAGE_FILE_NAME.fullmatch(name):
        report.error(name, "the program lists only Gnomo_Language_<n>.ini with n from 0 to 99 and no leading zeros")
    lines = read_lines(path, report)
    if lines is None:
        return {}
    expected = {k.lower(): k for k in CATALOGUE + [DISPLAY_NAME_KEY, LOCALE_KEY]}
    texts, first_line = {}, {}
    for number, line in enumerate(lines, start=1):
        if "=" not in line and not line.startswith(";"):
            report.error(f"{name}:{number}", f"line without '=' that is not a ';' comment: {line!r}")
    for number, key, value in key_value_lines(lines):
        where = f"{name}:{number}"
        folded = key.lower()
        if folded in first_line:
            report.error(where, f"key {key!r} repeats line {first_line[folded]}; the program reads only the first")
            continue
        first_line[folded] = number
        if folded not in expected:
            hint = " (blanks around '=' belong to the key)" if key != key.strip() else ""
            report.error(where, f"unknown key {key!r}{hint}")
            continue
        if key != expected[folded]:
            report.error(where, f"key {key!r} should be spelled {expected[folded]!r}")
        texts[expected[folded]] = value
        if value == "":
            report.error(where, f"{key}: empty text")
        elif value == PLACEHOLDER:
            report.error(where, f"{key}: still the placeholder '{PLACEHOLDER}' that the program writes for a missing key")
        elif value != value.strip():
            report.error(where, f"{key}: text starts or ends with a blank")
        if any(ord(c) < 32 for c in value):
            report.error(where, f"{key}: text holds a control character")
        placeholders = set(re.findall(r"%\d+", value))
        wanted = PLACEHOLDERS.get(expected[folded], set())
        if value != PLACEHOLDER and placeholders not in (wanted if isinstance(wanted, list) else [wanted]):
            report.error(where, f"{key}: placeholders {sorted(placeholders)}, the program fills in {sorted(wanted)}")
        box = BOXES.get(expected[folded])
        if box and len(value) > box.max_chars:
            report.error(where, f"{key}: {len(value)} characters, at most {box.max_chars} fit: {value!r}")
    for key in CATALOGUE + [DISPLAY_NAME_KEY]:
        if key not in texts and key.lower() not in first_line:
            report.error(name, f"key {key!r} is missing")
    locale = texts.get(LOCALE_KEY)
    if locale is not None and not re.fullmatch(r"[a-z]{2,3}(_[A-Z]{2})?", locale):
        report.error(name, f"Locale {locale!r} is no locale name such as pl, en or de_AT")
    display = texts.get(DISPLAY_NAME_KEY)
    if display:
        if display in display_names:
            report.error(name, f"display name {display!r} is also used by {display_names[display]}")
        display_names[display] = name
    return texts


def check_catalogue_file(report, write):
    if len(CATALOGUE) != CATALOGUE_SIZE or len(set(k.lower() for k in CATALOGUE)) != CATALOGUE_SIZE:
        report.error("catalogue", f"{len(CATALOGUE)} keys listed, {CATALOGUE_SIZE} distinct keys expected")
    missing_box = [k for k in CATALOGUE if k not in BOXES]
    if missing_box:
        report.error("catalogue", f"keys without a box: {missing_box}")
    wanted = "".join(k + "\n" for k in CATALOGUE)
    if write:
        CATALOGUE_FILE.parent.mkdir(parents=True, exist_ok=True)
        CATALOGUE_FILE.write_text(wanted, encoding="ascii", newline="\n")
        print(f"wrote {CATALOGUE_FILE.relative_to(ROOT)}")
    elif not CATALOGUE_FILE.exists() or CATALOGUE_FILE.read_text(encoding="ascii") != wanted:
        report.error(str(CATALOGUE_FILE.relative_to(ROOT)), "differs from the catalogue; run with --write-catalogue")


def check_config(report, language_files):
    path = DATA / "Gnomora_Cfg.ini"
    name = path.name
    if not path.exists():
        report.error(name, "missing")
        return
    lines = read_lines(path, report)
    if lines is None:
        return
    values, first_line = {}, {}
    allowed = {k.lower(): k for k in CONFIG_KEYS}
    for number, key, value in key_value_lines(lines):
        where = f"{name}:{number}"
        folded = key.lower()
        if folded in first_line:
            report.error(where, f"key {key!r} repeats line {first_line[folded]}")
            continue
        first_line[folded] = number
        if folded not in allowed:
            report.error(where, f"unknown key {key!r} (a comment line must not contain '=')")
            continue
        if key != allowed[folded]:
            report.error(where, f"key {key!r} should be spelled {allowed[folded]!r}")
        if value == "" or value != value.strip():
            report.error(where, f"{key}: empty text or blanks around it")
        values[allowed[folded]] = value
    for key in CONFIG_KEYS:
        if key not in values and key.lower() not in first_line:
            report.error(name, f"key {key!r} is missing")
    lang = values.get("LangFileName", "")
    if lang and (not LANGUAGE_FILE_NAME.fullmatch(lang) or lang not in language_files):
        report.error(name, f"LangFileName {lang!r} names no shipped language file")
    places = [values.get(f"Place{n}", "") for n in range(1, 6)]
    missing_pictures = []
    if len(set(places)) != len(places):
        report.error(name, "two places share a name; step 1 could not tell them apart")
    for n in range(1, 6):
        hour, minute = values.get(f"NoonH{n}", ""), values.get(f"NoonM{n}", "")
        if not (hour.isdigit() and 1 <= int(hour) <= 24):
            report.error(name, f"NoonH{n} {hour!r} is not a whole hour from 1 to 24; the program would reset it to 12")
        if not (minute == "00" or (minute.isdigit() and 1 <= int(minute) <= 59)):
            report.error(name, f"NoonM{n} {minute!r} is neither \"00\" nor a minute from 1 to 59")
        longitude = values.get(f"Longitude{n}", "")
        if not (re.fullmatch(r"[+-]?\d{1,3}([.,]\d{1,9})?", longitude) and abs(float(longitude.replace(",", "."))) <= 180):
            report.error(name, f"Longitude{n} {longitude!r} is not a number of degrees from -180 to 180")
        for key in (f"Place{n}Jpg", f"Person{n}1Jpg", f"Person{n}2Jpg"):
            picture = values.get(key, "")
            if picture and not re.fullmatch(r"[^\\/:]+(/[^\\/:]+)*\.(jpg|jpeg)", picture, re.IGNORECASE):
                report.error(name, f"{key} {picture!r} is not a relative JPEG file name")
            elif picture and not (DATA / picture).exists():
                missing_pictures.append(picture)
    if missing_pictures:
        report.warn(name, f"{len(missing_pictures)} picture file(s) not in data/ yet, first {missing_pictures[0]}")


def check_sources(report):
    """The data files must be what tools/build_data_files.py makes of their UTF-8 sources."""
    sys.path.insert(0, str(ROOT / "tools"))
    sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
    import build_data_files
    for source, target in build_data_files.targets():
        try:
            wanted = build_data_files.convert(source)
        except ValueError as e:
            report.error(source.name, str(e))
            continue
        if not target.exists() or target.read_bytes() != wanted:
            report.error(target.name, f"differs from tools/lang-src/{source.name}; run tools/build_data_files.py")


def rendered_width(text, box):
    """Width of the text in the box's face: pixels, or millimetres for a printed box.

    Rendered ten times larger and scaled back, so that the result follows the face's
    own advance widths (as Qt lays text out) rather than small-size pixel rounding.
    ImageMagick sizes its canvas by the text's bytes first, so a long line of
    two-byte letters (Cyrillic, Greek) may exceed its width limit: then smaller."""
    for scale in (10, 5, 2, 1):
        run = subprocess.run(["convert", "-font", box.face, "-pointsize", str(box.size * scale), "label:" + text,
                              "-format", "%w", "info:"], capture_output=True, text=True)
        if run.returncode == 0:
            width = int(run.stdout.strip()) / scale
            return width * MM_PER_POINT if box.printed else width
    raise RuntimeError(f"ImageMagick cannot render {text!r}: {run.stderr.strip()}")


def measure(path, texts, report):
    for key, text in texts.items():
        box = BOXES.get(key)
        if not box or box.width is None:
            continue
        width = rendered_width(text, box)
        if width > box.width:
            unit = "mm" if box.printed else "px"
            report.error(path.name, f"{key}: {width:.0f} {unit} wide, the box holds {box.width:.0f} {unit}: {text!r}")


# Place names appear in the step-1 lists (249-pixel drop-down lists less the arrow)
# and in the place columns of the result sheet; person names in 249-pixel edit fields.
CONFIG_BOXES = {"place list": px(0, 225), "result sheet": mm(0, 44.98, 11), "person field": px(0, 240)}


def measure_config(report):
    path = DATA / "Gnomora_Cfg.ini"
    lines = read_lines(path, Report()) if path.exists() else None
    for _, key, value in key_value_lines(lines or []):
        if re.fullmatch(r"Place\d", key):
            boxes = ["place list", "result sheet"]
        elif re.fullmatch(r"Person\d\d", key):
            boxes = ["person field"]
        else:
            continue
        for where in boxes:
            box = CONFIG_BOXES[where]
            width = rendered_width(value, box)
            if width > box.width:
                unit = "mm" if box.printed else "px"
                report.error(path.name, f"{key}: {width:.0f} {unit} wide, the {where} holds {box.width:.0f} {unit}: {value!r}")


def main(argv):
    global DATA
    args = argv[1:]
    if "--data" in args:
        at = args.index("--data")
        if at + 1 >= len(args):
            print("--data needs a folder")
            return 2
        DATA = pathlib.Path(args[at + 1]).resolve()
        del args[at:at + 2]
    unknown = [a for a in args if a not in ("--measure", "--print", "--write-catalogue")]
    if unknown:
        print(__doc__)
        return 2
    own_data = DATA == ROOT / "data"
    report = Report()
    check_catalogue_file(report, "--write-catalogue" in args)
    language_paths = sorted(DATA.glob("Gnomo_Language_*.ini"), key=lambda p: (len(p.name), p.name))
    if not any(p.name == "Gnomo_Language_0.ini" for p in language_paths):
        report.error("data", "the default language file Gnomo_Language_0.ini is missing")
    display_names = {}
    measure_ok = "--measure" in args and shutil.which("convert") and pathlib.Path(SANS).exists()
    if "--measure" in args and not measure_ok:
        report.error("--measure", "needs ImageMagick's convert and the DejaVu fonts")
    for path in language_paths:
        texts = check_language_file(path, report, display_names)
        if measure_ok:
            measure(path, texts, report)
        if "--print" in args:
            print(f"----- {path.name} -----")
            for number, line in enumerate(read_lines(path, Report()) or [], start=1):
                print(f"{number:4} {line}")
    check_config(report, {p.name for p in language_paths})
    if measure_ok:
        measure_config(report)
    if own_data:
        check_sources(report)
    checked = ", ".join(p.name for p in language_paths)
    print(f"{len(CATALOGUE)} catalogue keys; checked {checked}, Gnomora_Cfg.ini: "
          + ("OK" if report.errors == 0 else f"{report.errors} error(s)"))
    return 0 if report.errors == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
