#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's own pictures with ImageMagick's `convert` (vector drawing commands, MVG):

  src/ui/resources/intro.jpg     the introduction's grey-scale illustration, 225 x 314
  data/pictures/place<n>.jpg     a drawn school for each of the five sample places, 321 x 193
  data/pictures/person<n><k>.jpg two cartoon pupils for each place, 80 x 100

Everything is drawn from shapes here; nothing is copied from photographs. The sizes are those of the
image controls, which show a picture at its own size from the top-left corner without stretching.
The place image of place 2 is only 185 pixels high, so nothing important stands below y = 185.

Run from anywhere:  python3 tools/make_pictures.py
"""
import math
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PICTURES = os.path.join(ROOT, "data", "pictures")
INTRO = os.path.join(ROOT, "src", "ui", "resources", "intro.jpg")

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
MAX_BYTES = 40 * 1024


def group(*commands):
    """Drawing commands whose fill, stroke and font settings do not leak into the next ones."""
    return "\n".join(["push graphic-context", *commands, "pop graphic-context"])


def render(path, width, height, canvas, drawing, grey=False, quality=88):
    command = ["convert", "-size", f"{width}x{height}", canvas, "-draw", drawing, "-strip",
               "-quality", str(quality)]
    command += ["-colorspace", "Gray", "-type", "Grayscale"] if grey else ["-sampling-factor", "2x2"]
    command.append(path)
    subprocess.run(command, check=True)
    size = os.path.getsize(path)
    if size > MAX_BYTES:
        sys.exit(f"{path}: {size} bytes, more than {MAX_BYTES}")
    print(f"{os.path.relpath(path, ROOT)}: {size} bytes")


def pt(x, y):
    return f"{x:.1f},{y:.1f}"


# ------------------------------------------------------------------------------------------------
# Places: a school building in a town, the sun, and a stick with its shadow in the school yard.

W, H = 321, 193
GROUND = 150


def sun(cx, cy, r):
    rays = []
    for i in range(12):
        a = math.radians(i * 30 + 15)
        rays.append(f"line {pt(cx + (r + 4) * math.cos(a), cy + (r + 4) * math.sin(a))} "
                    f"{pt(cx + (r + 11) * math.cos(a), cy + (r + 11) * math.sin(a))}")
    return group("stroke '#f4a300'", "stroke-width 2.5", "stroke-linecap round", *rays,
                 "fill '#ffd93d'", "stroke-width 2", f"circle {pt(cx, cy)} {pt(cx + r, cy)}")


def ground(colour="#7cc45a"):
    return group(f"fill '{colour}'", f"rectangle 0,{GROUND} {W},{H}",
                 "fill '#d9c7a0'", f"path 'M 150,{H} L 178,{GROUND + 2} L 206,{GROUND + 2} L 234,{H} Z'")


def stick_and_shadow():
    """The measuring stick in the yard; the sun stands up and right, so the shadow falls left."""
    return group("stroke '#3d5e2c'", "stroke-width 4", "stroke-linecap round", "stroke-opacity 0.7",
                 "line 30,172 6,178",
                 "stroke '#6b4423'", "stroke-width 3", "stroke-opacity 1", "line 30,172 30,134",
                 "fill '#c0392b'", "stroke-width 1", "circle 30,133 30,130")


def banner(town):
    return group("fill white", "fill-opacity 0.88", "stroke '#1d3557'", "stroke-width 1.5",
                 "roundrectangle 6,6 132,36 8,8",
                 f"font '{FONT_BOLD}'", "font-size 19", "fill '#1d3557'", "fill-opacity 1", "stroke none",
                 f"text 14,28 '{town}'")


def windows(x0, y0, columns, rows, dx, dy, w=16, h=14, frame="white", glass="#a8dcf5"):
    out = [f"fill '{glass}'", f"stroke '{frame}'", "stroke-width 2"]
    for r in range(rows):
        for c in range(columns):
            x, y = x0 + c * dx, y0 + r * dy
            out.append(f"rectangle {x},{y} {x + w},{y + h}")
            out.append(f"line {x + w / 2},{y} {x + w / 2},{y + h}")
    return group(*out)


def door_and_sign(cx, bottom, board="#1d3557"):
    return group("fill '#7a4a2a'", "stroke '#4a2c17'", "stroke-width 1.5",
                 f"rectangle {cx - 11},{bottom - 28} {cx + 11},{bottom}",
                 f"line {cx},{bottom - 28} {cx},{bottom}",
                 f"fill '{board}'", "stroke white", "stroke-width 1",
                 f"roundrectangle {cx - 27},{bottom - 43} {cx + 27},{bottom - 31} 3,3",
                 f"font '{FONT_BOLD}'", "font-size 9", "fill white", "stroke none",
                 f"text {cx - 23},{bottom - 33.5} 'SZKOŁA'")


def place_krakow():
    # Brick school with a clock tower and a green copper spire.
    body = group("fill '#c0533a'", "stroke '#7d2e1f'", "stroke-width 1.5", "rectangle 96,88 284,150",
                 "fill '#6b2f25'", "polygon 90,90 190,66 290,90",
                 "fill '#c0533a'", "rectangle 176,40 204,90",
                 "fill '#4f9a7f'", "stroke '#2f6b55'", "polygon 172,42 190,8 208,42",
                 "fill white", "stroke '#333333'", "circle 190,58 190,49",
                 "stroke-width 1.5", "line 190,58 190,52", "line 190,58 195,59")
    return "\n".join([sun(292, 32, 15), ground(), body,
                      windows(106, 96, 3, 2, 24, 24), windows(220, 96, 3, 2, 24, 24),
                      door_and_sign(190, 150), stick_and_shadow(), banner("Kraków")])


def place_gdansk():
    # Narrow gabled houses by the sea, a sailing boat and two gulls.
    sea = group("fill '#2f7fbf'", f"rectangle 0,126 {W},{GROUND}",
                "stroke white", "stroke-width 1", "stroke-opacity 0.6",
                "line 10,134 40,134", "line 60,142 95,142", "line 250,131 280,131",
                "fill '#8b5a2b'", "stroke none", "stroke-opacity 1", "polygon 40,126 76,126 70,132 46,132",
                "fill white", "stroke '#555555'", "stroke-width 1", "polygon 58,124 58,96 76,124",
                "line 58,124 58,94")
    gulls = group("fill none", "stroke '#34495e'", "stroke-width 1.8", "stroke-linecap round",
                  "path 'M 150,30 Q 155,25 160,30 Q 165,25 170,30'",
                  "path 'M 178,44 Q 182,40 186,44 Q 190,40 194,44'")
    houses = []
    for i, (wall, trim) in enumerate([("#f2c14e", "#b8860b"), ("#5fb3a1", "#2e7d6b"), ("#e07a5f", "#a3472f")]):
        x = 112 + i * 58
        houses += [f"fill '{wall}'", f"stroke '{trim}'", "stroke-width 1.5",
                   f"polygon {x},150 {x},78 {x + 8},78 {x + 8},68 {x + 16},68 {x + 16},58 {x + 24},58 "
                   f"{x + 24},48 {x + 32},48 {x + 32},58 {x + 40},58 {x + 40},68 {x + 48},68 {x + 48},78 "
                   f"{x + 56},78 {x + 56},150"]
    body = group(*houses)
    panes = []
    for i in range(3):
        x = 112 + i * 58
        panes += [windows(x + 21, 62, 1, 1, 0, 0, w=14, h=11), windows(x + 8, 84, 2, 1, 26, 0, w=14)]
        if i != 1:
            panes.append(windows(x + 8, 110, 2, 1, 26, 0, w=14))
    return "\n".join([sun(292, 32, 15), ground("#8fcf6a"), sea, gulls, body, *panes,
                      door_and_sign(198, 150, board="#14506e"), stick_and_shadow(), banner("Gdańsk")])


def gnome(x, y):
    """A little town gnome standing on the grass, feet at (x, y)."""
    return group("fill '#3a6ea5'", "stroke '#24466b'", "stroke-width 1", f"rectangle {x - 7},{y - 16} {x + 7},{y}",
                 "fill '#333333'", f"ellipse {x - 4},{y} 4,2 0,360", f"ellipse {x + 4},{y} 4,2 0,360",
                 "fill '#f6c9a0'", "stroke '#b07850'", f"circle {x},{y - 21} {x + 6},{y - 21}",
                 "fill white", "stroke '#aaaaaa'", f"polygon {x - 6},{y - 20} {x + 6},{y - 20} {x},{y - 9}",
                 "fill '#d62828'", "stroke '#8b1a1a'", f"polygon {x - 8},{y - 25} {x + 8},{y - 25} {x + 2},{y - 44}",
                 "fill '#333333'", "stroke none", f"circle {x - 2},{y - 22} {x - 1},{y - 22}",
                 f"circle {x + 2},{y - 22} {x + 3},{y - 22}")


def place_wroclaw():
    # Orange school with a hipped roof by the river, and a town gnome.
    river = group("fill '#3c8dcb'", "path 'M 0,180 Q 80,172 160,180 T 321,178 L 321,193 L 0,193 Z'",
                  "fill none", "stroke white", "stroke-width 1", "stroke-opacity 0.7",
                  "path 'M 40,186 q 6,-3 12,0 q 6,3 12,0'", "path 'M 200,187 q 6,-3 12,0 q 6,3 12,0'")
    body = group("fill '#f4a259'", "stroke '#b5651d'", "stroke-width 1.5", "rectangle 92,84 272,150",
                 "fill '#8c3b2b'", "polygon 84,86 110,56 254,56 280,86",
                 "fill '#f4a259'", "stroke '#b5651d'", "polygon 166,86 182,62 198,86")
    return "\n".join([sun(292, 32, 15), ground("#84c25e"), river, body,
                      windows(102, 94, 3, 2, 22, 24, w=14), windows(214, 94, 3, 2, 22, 24, w=14),
                      windows(176, 72, 1, 1, 0, 0, w=12, h=10),
                      door_and_sign(182, 150, board="#6a2c70"), gnome(298, 166),
                      stick_and_shadow(), banner("Wrocław")])


def pine(x, y, scale=1.0):
    s = scale
    return group("fill '#6b4423'", f"rectangle {x - 3 * s},{y - 8 * s} {x + 3 * s},{y}",
                 "fill '#2d6a4f'", "stroke '#1b4332'", "stroke-width 1",
                 f"polygon {x - 20 * s},{y - 8 * s} {x},{y - 38 * s} {x + 20 * s},{y - 8 * s}",
                 f"polygon {x - 16 * s},{y - 28 * s} {x},{y - 56 * s} {x + 16 * s},{y - 28 * s}",
                 f"polygon {x - 11 * s},{y - 46 * s} {x},{y - 72 * s} {x + 11 * s},{y - 46 * s}")


def place_bialystok():
    # Light blue school with a flat roof among the pines of the great forest.
    body = group("fill '#8ecae6'", "stroke '#3b7ea1'", "stroke-width 1.5", "rectangle 104,74 262,150",
                 "fill '#3b7ea1'", "rectangle 100,68 266,76",
                 "stroke '#555555'", "stroke-width 1.5", "line 183,68 183,36",
                 "fill white", "stroke '#999999'", "stroke-width 0.5", "rectangle 184,37 204,43",
                 "fill '#dc143c'", "rectangle 184,43 204,49")
    return "\n".join([sun(292, 32, 15), ground("#6fbf55"),
                      pine(80, 152, 1.0), pine(292, 156, 1.1), pine(60, 150, 0.7),
                      body, windows(114, 84, 3, 2, 22, 28, w=14, frame="#f1faee"),
                      windows(206, 84, 3, 2, 22, 28, w=14, frame="#f1faee"),
                      door_and_sign(183, 150, board="#023047"), stick_and_shadow(), banner("Białystok")])


def place_zakopane():
    # Wooden school with a steep roof below snowy mountain peaks.
    mountains = group("fill '#8d99ae'", "stroke '#5c677d'", "stroke-width 1",
                      f"polygon 0,{GROUND} 0,118 56,58 100,100 150,70 184,96 236,48 282,92 321,70 321,{GROUND}",
                      "fill white", "stroke none",
                      "polygon 56,58 44,70 52,67 58,74 64,66 70,72",
                      "polygon 236,48 222,62 231,59 238,67 245,59 252,64",
                      "polygon 321,70 311,80 318,79 321,82")
    planks = [f"line 112,{y} 256,{y}" for y in range(96, 150, 9)]
    body = group("fill '#b07d4f'", "stroke '#6e4b2a'", "stroke-width 1.5", "rectangle 112,90 256,150",
                 "stroke-width 1", "stroke-opacity 0.5", *planks, "stroke-opacity 1",
                 "fill '#4a3728'", "stroke '#2e2219'", "stroke-width 1.5", "polygon 100,94 184,32 268,94",
                 "fill '#e9d8a6'", "stroke '#6e4b2a'", "polygon 170,86 184,64 198,86")
    shutters = group("fill '#9b2226'", "stroke none",
                     *[f"rectangle {x - 5},100 {x - 1},114" for x in (122, 148, 214, 240)],
                     *[f"rectangle {x + 15},100 {x + 19},114" for x in (122, 148, 214, 240)])
    return "\n".join([sun(292, 32, 15), mountains, ground("#79b85a"), body, shutters,
                      windows(122, 100, 2, 1, 26, 0, w=14), windows(214, 100, 2, 1, 26, 0, w=14),
                      windows(178, 70, 1, 1, 0, 0, w=12, h=10),
                      door_and_sign(184, 150, board="#4a3728"), stick_and_shadow(), banner("Zakopane")])


# ------------------------------------------------------------------------------------------------
# Persons: friendly cartoon pupils, 80 x 100, head and shoulders.

PW, PH = 80, 100


def face(skin, hair, style, shirt, background, extra=""):
    head = (40, 46)
    parts = []
    # Long hair falls behind the head and the shoulders.
    if style in ("long", "bow", "beanie"):
        parts.append(group(f"fill '{hair}'", "stroke none", "roundrectangle 15,24 65,80 14,14"))
    if style == "pigtails":
        parts.append(group(f"fill '{hair}'", "stroke none", "circle 14,52 22,52", "circle 66,52 74,52",
                           "fill '#e63946'", "circle 19,44 22,44", "circle 61,44 64,44"))
    if style == "braid":
        parts.append(group(f"fill '{hair}'", "stroke '#00000033'", "stroke-width 1",
                           "circle 60,70 66,70", "circle 62,80 67,80", "circle 63,89 67,89"))
    # Shirt, neck, ears, head.
    parts.append(group(f"fill '{shirt}'", "stroke '#00000040'", "stroke-width 1", "ellipse 40,108 36,30 0,360",
                       f"fill '{skin}'", "stroke none", "rectangle 34,64 46,80",
                       "stroke '#00000030'", "stroke-width 1",
                       "circle 18,49 23,49", "circle 62,49 67,49",
                       f"circle {head[0]},{head[1]} {head[0]},{head[1] + 22}"))
    # Hair on top of the head.
    if style in ("short", "spiky", "long", "bow", "pigtails", "braid"):
        cap = "path 'M 17,48 Q 16,22 40,22 Q 64,22 63,48 Q 58,36 48,34 Q 40,40 30,34 Q 22,38 17,48 Z'"
        if style == "spiky":
            cap = ("path 'M 17,46 L 16,30 L 24,32 L 24,20 L 32,26 L 38,16 L 44,25 L 52,18 L 54,28 "
                   "L 63,26 L 63,46 Q 56,34 40,33 Q 24,34 17,46 Z'")
        parts.append(group(f"fill '{hair}'", "stroke '#00000030'", "stroke-width 1", cap))
    if style == "bow":
        parts.append(group("fill '#e63946'", "stroke '#9d0208'", "stroke-width 1",
                           "polygon 50,24 62,18 62,32", "polygon 50,24 40,16 42,32", "circle 50,24 53,24"))
    if style == "beanie":
        parts.append(group("fill '#ff70a6'", "stroke '#c9184a'", "stroke-width 1",
                           "path 'M 16,36 Q 16,14 40,14 Q 64,14 64,36 Z'",
                           "fill '#ffd6e8'", "rectangle 15,32 65,38",
                           "fill white", "circle 40,12 40,6"))
    # Eyes, brows, nose, smile, cheeks.
    parts.append(group("fill white", "stroke '#333333'", "stroke-width 0.8",
                       "ellipse 32,48 4.5,5 0,360", "ellipse 48,48 4.5,5 0,360",
                       "fill '#2b2d42'", "stroke none", "circle 32.5,49 32.5,51.3", "circle 48.5,49 48.5,51.3",
                       "fill white", "circle 33.3,47.8 33.3,48.6", "circle 49.3,47.8 49.3,48.6",
                       "fill none", "stroke '#4a3b30'", "stroke-width 1.5", "stroke-linecap round",
                       "path 'M 28,41 Q 32,39 36,41'", "path 'M 44,41 Q 48,39 52,41'",
                       "path 'M 39,52 Q 37,56 40,57'",
                       "stroke '#9d0208'", "stroke-width 2", "path 'M 32,60 Q 40,67 48,60'",
                       "fill '#ff8fa3'", "stroke none", "fill-opacity 0.55",
                       "circle 26,57 26,60.5", "circle 54,57 54,60.5"))
    if extra:
        parts.append(extra)
    return "\n".join(parts)


def glasses():
    return group("fill none", "stroke '#1d3557'", "stroke-width 1.6",
                 "circle 32,48 32,55", "circle 48,48 48,55", "line 39,48 41,48",
                 "line 25,47 19,45", "line 55,47 61,45")


def gnome_hat():
    return group("fill '#d62828'", "stroke '#8b1a1a'", "stroke-width 1",
                 "path 'M 14,36 Q 40,26 66,36 L 48,4 Q 44,0 40,6 Z'",
                 "fill white", "stroke '#cccccc'", "roundrectangle 13,32 67,40 4,4")


def badge_sun():
    return group("fill '#ffd93d'", "stroke '#f4a300'", "stroke-width 1", "circle 40,90 40,85",
                 "line 40,82 40,80", "line 48,90 50,90", "line 32,90 30,90", "line 46,84 47,83", "line 34,84 33,83")


def stripes():
    return group("fill none", "stroke '#1d4e89'", "stroke-width 2.5",
                 "line 10,86 70,86", "line 6,93 74,93", "line 5,100 75,100",
                 "fill '#1d4e89'", "stroke none", "polygon 30,78 50,78 40,88")


def leaf_badge():
    return group("fill '#95d5b2'", "stroke '#1b4332'", "stroke-width 1",
                 "path 'M 34,94 Q 36,82 48,82 Q 46,94 34,94 Z'", "line 34,94 46,84")


def mountain_badge():
    return group("fill white", "stroke '#023047'", "stroke-width 1", "polygon 28,96 38,84 44,90 48,86 56,96")


def cap():
    return group("fill '#2a9d8f'", "stroke '#1d6b62'", "stroke-width 1",
                 "path 'M 16,38 Q 16,18 40,18 Q 64,18 64,38 Z'", "path 'M 40,36 L 70,36 Q 68,42 56,40 Z'")


PERSONS = {
    # place 1, Kraków: Ola (sunny, blonde pigtails) and Kuba (brown hair, glasses)
    "person11": dict(skin="#f6c9a0", hair="#e9c46a", style="pigtails", shirt="#ffbe0b", background="#fff3c4",
                     extra=badge_sun()),
    "person12": dict(skin="#eab68c", hair="#6f4518", style="short", shirt="#3a86ff", background="#d7e9ff",
                     extra=glasses()),
    # place 2, Gdańsk: Maja (amber hair) and Franek (sailor shirt)
    "person21": dict(skin="#f3c7a5", hair="#c8641e", style="long", shirt="#2a9d8f", background="#d8f3ef"),
    "person22": dict(skin="#e0a882", hair="#2b2118", style="spiky", shirt="#ffffff", background="#cfe8ff",
                     extra=stripes()),
    # place 3, Wrocław: Zosia (black hair, red bow) and Antek (gnome hat)
    "person31": dict(skin="#f1c27d", hair="#1b1b1b", style="bow", shirt="#8e44ad", background="#f3e1ff"),
    "person32": dict(skin="#f6cfae", hair="#b5461f", style="short", shirt="#52b788", background="#e6f7d9",
                     extra=gnome_hat()),
    # place 4, Białystok: Hania (braid) and Staś (forest green, leaf badge)
    "person41": dict(skin="#eebb95", hair="#7b4b2a", style="braid", shirt="#f77f00", background="#ffe5cc"),
    "person42": dict(skin="#f6c9a0", hair="#f1d27a", style="spiky", shirt="#2d6a4f", background="#dff5e6",
                     extra=leaf_badge()),
    # place 5, Zakopane: Lena (pink beanie) and Wojtek (cap, mountain badge)
    "person51": dict(skin="#f3c7a5", hair="#a47148", style="beanie", shirt="#9d4edd", background="#fde2f3"),
    "person52": dict(skin="#d9a07a", hair="#2b2118", style="short", shirt="#e63946", background="#e0f0ff",
                     extra=cap() + "\n" + mountain_badge()),
}


# ------------------------------------------------------------------------------------------------
# The introduction: one stick and its shadow, then the same sun over two sticks on the round Earth.

IW, IH = 225, 314


def arc_path(cx, cy, r, a0, a1):
    """An arc of radius r around (cx, cy) from angle a0 to a1 (degrees, y pointing down)."""
    x0, y0 = cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0))
    x1, y1 = cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1))
    sweep = 1 if a1 > a0 else 0
    return f"path 'M {pt(x0, y0)} A {r},{r} 0 0,{sweep} {pt(x1, y1)}'"


def intro():
    ink = "#202020"
    parts = []
    # Upper scene: sun, ray over the top of the stick to the end of its shadow.
    top, base, tip = (96, 84), (96, 152), (150, 152)
    d = (tip[0] - top[0], tip[1] - top[1])
    length = math.hypot(*d)
    u = (d[0] / length, d[1] / length)
    sun_c = (top[0] - 62 * u[0], top[1] - 62 * u[1])
    rays = [f"line {pt(sun_c[0] + 17 * math.cos(math.radians(a)), sun_c[1] + 17 * math.sin(math.radians(a)))} "
            f"{pt(sun_c[0] + 24 * math.cos(math.radians(a)), sun_c[1] + 24 * math.sin(math.radians(a)))}"
            for a in range(0, 360, 30)]
    parts.append(group("fill '#f0f0f0'", "stroke none", "rectangle 0,0 225,168"))
    parts.append(group(f"stroke '{ink}'", "stroke-width 2", "stroke-linecap round", *rays,
                       "fill '#d8d8d8'", f"circle {pt(*sun_c)} {pt(sun_c[0] + 13, sun_c[1])}"))
    # ground with hatching
    hatch = [f"line {x},152 {x - 6},160" for x in range(14, 222, 10)]
    parts.append(group(f"stroke '{ink}'", "stroke-width 2", "line 6,152 219,152", "stroke-width 1", *hatch))
    # parallel rays, the one through the stick's top drawn strong
    for off in (-26, 26):
        nx, ny = -u[1] * off, u[0] * off
        a = (sun_c[0] + 26 * u[0] + nx, sun_c[1] + 26 * u[1] + ny)
        t = (152 - a[1]) / u[1]
        parts.append(group("fill none", "stroke '#707070'", "stroke-width 1.3", "stroke-dasharray 5,4",
                           f"line {pt(*a)} {pt(a[0] + t * u[0], a[1] + t * u[1])}"))
    start = (sun_c[0] + 26 * u[0], sun_c[1] + 26 * u[1])
    parts.append(group(f"stroke '{ink}'", "stroke-width 1.6", f"line {pt(*start)} {pt(*tip)}"))
    # shadow on the ground, then the stick
    parts.append(group("stroke '#505050'", "stroke-width 6", f"line {pt(*base)} {pt(*tip)}"))
    parts.append(group(f"stroke '{ink}'", "stroke-width 4", "stroke-linecap round", f"line {pt(*top)} {pt(*base)}"))
    # the angle between the stick and the ray at the top of the stick
    ray_angle = math.degrees(math.atan2(u[1], u[0]))
    parts.append(group("fill none", f"stroke '{ink}'", "stroke-width 1.5", arc_path(*top, 22, ray_angle, 90)))
    mid = math.radians((ray_angle + 90) / 2)
    parts.append(group(f"font '{FONT}'", "font-size 17", f"fill '{ink}'",
                       f"text {pt(top[0] + 28 * math.cos(mid) - 2, top[1] + 28 * math.sin(mid) + 6)} 'α'"))
    # right angle at the foot of the stick
    parts.append(group("fill none", f"stroke '{ink}'", "stroke-width 1", "polyline 96,144 104,144 104,152"))

    # Lower scene: the round Earth, parallel sunbeams, two sticks.
    c, r = (112, 300), 92
    ray_dir = (math.sin(math.radians(25)), math.cos(math.radians(25)))  # beams from the upper left
    p1_angle, p2_angle = -115, -60  # positions on the circle (degrees, y down)
    p1 = (c[0] + r * math.cos(math.radians(p1_angle)), c[1] + r * math.sin(math.radians(p1_angle)))
    p2 = (c[0] + r * math.cos(math.radians(p2_angle)), c[1] + r * math.sin(math.radians(p2_angle)))
    out1 = ((p1[0] - c[0]) / r, (p1[1] - c[1]) / r)
    out2 = ((p2[0] - c[0]) / r, (p2[1] - c[1]) / r)
    t1 = (p1[0] + 20 * out1[0], p1[1] + 20 * out1[1])
    t2 = (p2[0] + 20 * out2[0], p2[1] + 20 * out2[1])
    parts.append(group("fill '#e4e4e4'", f"stroke '{ink}'", "stroke-width 2",
                       f"circle {pt(*c)} {pt(c[0] + r, c[1])}"))
    # Parallel beams from the upper left: the first arrives along the first stick (no shadow
    # there), the second passes over the top of the second stick and ends at its shadow's tip.
    def hit_earth(start, direction):
        fx, fy = start[0] - c[0], start[1] - c[1]
        b = fx * direction[0] + fy * direction[1]
        disc = b * b - (fx * fx + fy * fy - r * r)
        s = -b - math.sqrt(disc)
        return (start[0] + s * direction[0], start[1] + s * direction[1])

    shadow_tip = hit_earth(t2, ray_dir)
    middle = (c[0] + r * math.cos(math.radians(-88)), c[1] + r * math.sin(math.radians(-88)))
    parts.append(group("fill '#e4e4e4'", f"stroke '{ink}'", "stroke-width 2",
                       f"circle {pt(*c)} {pt(c[0] + r, c[1])}"))
    tip_angle = math.degrees(math.atan2(shadow_tip[1] - c[1], shadow_tip[0] - c[0]))
    parts.append(group("fill none", "stroke '#505050'", "stroke-width 5", arc_path(*c, r, p2_angle, tip_angle)))
    for end in (t1, shadow_tip, middle):
        start = (end[0] - 200 * ray_dir[0], end[1] - 200 * ray_dir[1])
        k = (184 - start[1]) / ray_dir[1]
        start = (start[0] + k * ray_dir[0], start[1] + k * ray_dir[1])
        head_l = (end[0] - 8 * ray_dir[0] - 3 * ray_dir[1], end[1] - 8 * ray_dir[1] + 3 * ray_dir[0])
        head_r = (end[0] - 8 * ray_dir[0] + 3 * ray_dir[1], end[1] - 8 * ray_dir[1] - 3 * ray_dir[0])
        parts.append(group(f"stroke '{ink}'", "stroke-width 1.4", f"line {pt(*start)} {pt(*end)}",
                           f"fill '{ink}'", f"polygon {pt(*head_l)} {pt(*end)} {pt(*head_r)}"))
    # radii from the centre to the two sticks, dashed
    parts.append(group("fill none", "stroke '#606060'", "stroke-width 1.2", "stroke-dasharray 4,3",
                       f"line {pt(*c)} {pt(*p1)}", f"line {pt(*c)} {pt(*p2)}"))
    # the two sticks
    parts.append(group(f"stroke '{ink}'", "stroke-width 3.5", "stroke-linecap round",
                       f"line {pt(*p1)} {pt(*t1)}", f"line {pt(*p2)} {pt(*t2)}"))
    # The angle between the beam and the stick's upward line at the second stick equals the
    # angle between the two sticks at the centre.
    up = (t2[0] + 20 * out2[0], t2[1] + 20 * out2[1])
    parts.append(group("fill none", "stroke '#606060'", "stroke-width 1.2", "stroke-dasharray 3,3",
                       f"line {pt(*t2)} {pt(*up)}"))
    beam_back = math.degrees(math.atan2(-ray_dir[1], -ray_dir[0]))
    stick_up = math.degrees(math.atan2(out2[1], out2[0]))
    parts.append(group("fill none", f"stroke '{ink}'", "stroke-width 1.5",
                       arc_path(*t2, 13, beam_back, stick_up), arc_path(*c, 22, p1_angle, p2_angle)))
    label = math.radians((beam_back + stick_up) / 2)
    parts.append(group(f"font '{FONT}'", "font-size 15", f"fill '{ink}'",
                       f"text {pt(t2[0] + 23 * math.cos(label) - 4, t2[1] + 23 * math.sin(label) + 5)} 'α'",
                       f"text {pt(c[0] - 5, c[1] - 27)} 'α'"))
    # small sun in the corner the beams come from
    parts.append(group(f"stroke '{ink}'", "stroke-width 1.6", "fill '#d8d8d8'", "circle 22,192 31,192",
                       *[f"line {pt(22 + 12 * math.cos(math.radians(a)), 192 + 12 * math.sin(math.radians(a)))} "
                         f"{pt(22 + 17 * math.cos(math.radians(a)), 192 + 17 * math.sin(math.radians(a)))}"
                         for a in range(0, 360, 45)]))
    parts.append(group(f"stroke '{ink}'", "stroke-width 1", "fill none", "rectangle 0.5,0.5 224.5,313.5"))
    return "\n".join(parts)


def main():
    os.makedirs(PICTURES, exist_ok=True)
    os.makedirs(os.path.dirname(INTRO), exist_ok=True)
    skies = ["#7cc8f8", "#8fd0ff", "#84c9f5", "#9ad5ff", "#6fbef2"]
    for n, draw in enumerate([place_krakow, place_gdansk, place_wroclaw, place_bialystok, place_zakopane], 1):
        render(os.path.join(PICTURES, f"place{n}.jpg"), W, H, f"gradient:{skies[n - 1]}-#eef9ff", draw())
    for name, look in PERSONS.items():
        render(os.path.join(PICTURES, f"{name}.jpg"), PW, PH, f"xc:{look['background']}", face(**look))
    render(INTRO, IW, IH, "xc:white", intro(), grey=True, quality=90)


if __name__ == "__main__":
    main()
