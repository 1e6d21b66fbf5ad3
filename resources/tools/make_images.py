#!/usr/bin/env python3
"""Draws the editor's images and writes them as XPM text into resources/images/.

Run from anywhere: python3 resources/tools/make_images.py
The small glyphs are pixel art written out below; the icon and the logo's tiles are drawn with a
few shapes; only the logo's lettering is rasterised by ImageMagick (`convert`, DejaVu Sans Condensed Bold).

Glyph convention: every button glyph has a background colour in its bottom-left pixel that appears
nowhere in the drawing (magenta), because the button takes that pixel's colour as transparent.
"""

import math
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "images")

TRANSPARENT = None  # an XPM "None" pixel (cursor and icon only)

# The classic 16-colour palette; glyphs use these only.
VGA = {
    "black": (0, 0, 0), "maroon": (128, 0, 0), "green": (0, 128, 0), "olive": (128, 128, 0),
    "navy": (0, 0, 128), "purple": (128, 0, 128), "teal": (0, 128, 128), "silver": (192, 192, 192),
    "gray": (128, 128, 128), "red": (255, 0, 0), "lime": (0, 255, 0), "yellow": (255, 255, 0),
    "blue": (0, 0, 255), "magenta": (255, 0, 255), "aqua": (0, 255, 255), "white": (255, 255, 255),
}
GLYPH_BACKGROUND = VGA["magenta"]


class Image:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def fill_rect(self, x0, y0, x1, y1, colour):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def paste(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                if other.get(x, y) is not TRANSPARENT:
                    self.set(x + dx, y + dy, other.get(x, y))


def from_art(rows, key):
    """Builds an image from rows of characters; `key` maps each character to a colour."""
    width = len(rows[0])
    for number, row in enumerate(rows):
        if len(row) != width:
            sys.exit(f"art row {number} is {len(row)} wide, expected {width}: {row!r}")
    image = Image(width, len(rows), TRANSPARENT)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            image.set(x, y, key[ch])
    return image


def coverage_mask(width, height, inside, samples=4):
    """Fraction of each pixel covered by the shape `inside(x, y)`, by supersampling."""
    mask = [[0.0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                        hits += 1
            mask[y][x] = hits / (samples * samples)
    return mask


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def in_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1, d2, d3 = side((px, py), a, b), side((px, py), b, c), side((px, py), c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


# ---------------------------------------------------------------------------------------------
# 16 x 16 glyphs in 16 colours

GLYPH_KEY = {
    ".": GLYPH_BACKGROUND, "X": VGA["black"], "W": VGA["white"], "s": VGA["silver"],
    "g": VGA["gray"], "Y": VGA["yellow"], "O": VGA["olive"], "N": VGA["navy"], "B": VGA["blue"],
}

NEW_ART = [
    "................",
    "..XXXXXXXXX.....",
    "..XWWWWWWXsX....",
    "..XWWWWWWXssX...",
    "..XWWWWWWXsssX..",
    "..XWWWWWWXXXXX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XWWWWWWWWWWX..",
    "..XXXXXXXXXXXX..",
    "................",
]

OPEN_ART = [
    "................",
    "................",
    "................",
    "..XXXX..........",
    ".XYWYWX.........",
    ".XWYWYWXXXXXX...",
    ".XYOOOOOOOOOX...",
    ".XOOOOOOOOOOX...",
    ".XOOOXXXXXXXXXXX",
    ".XOOXYYYYYYYYYX.",
    ".XOXYYYYYYYYYX..",
    ".XXYYYYYYYYYX...",
    ".XYYYYYYYYYX....",
    ".XXXXXXXXXXX....",
    "................",
    "................",
]

SAVE_ART = [
    "................",
    ".XXXXXXXXXXXXX..",
    ".XNWWWWWWWWWWNX.",
    ".XNWWWWWWWWWWNX.",
    ".XNWggggggggWNX.",
    ".XNWWWWWWWWWWNX.",
    ".XNWggggggggWNX.",
    ".XNWWWWWWWWWWNX.",
    ".XNNNNNNNNNNNNX.",
    ".XNNsssssssNNNX.",
    ".XNNsXXsssssNNX.",
    ".XNNsXXsssssNNX.",
    ".XNNsXXsssssNNX.",
    ".XNNsssssssNNNX.",
    ".XXXXXXXXXXXXXX.",
    "................",
]


def rename_glyph():
    """A navy arrow that runs along the top of a circle, left to right, and points down."""
    cx, cy = 7.0, 10.0
    inner, outer = 3.2, 5.8

    def on_arc(x, y):
        r = math.hypot(x - cx, y - cy)
        angle = math.degrees(math.atan2(cy - y, x - cx))  # y grows downwards
        tail = x < cx and y <= cy + 2.5  # the left end runs a little way down, cut square
        return inner <= r <= outer and (angle >= 0 or tail)

    head = ((cx + 0.9, cy), (cx + 8.1, cy), (cx + 4.5, cy + 4.8))
    mask = coverage_mask(16, 16, lambda x, y: on_arc(x, y) or in_triangle(x, y, *head))
    image = Image(16, 16, GLYPH_BACKGROUND)
    for y in range(16):
        for x in range(16):
            if mask[y][x] >= 0.5:
                image.set(x, y, VGA["navy"])
    # A blue highlight along the middle of the arc gives the stroke some body.
    for y in range(16):
        for x in range(16):
            r = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if image.get(x, y) == VGA["navy"] and abs(r - (inner + outer) / 2) < 0.45 and y < cy:
                image.set(x, y, VGA["blue"])
    return image


def cancel_glyph():
    """A dark red diagonal cross, three pixels thick."""
    image = Image(16, 16, GLYPH_BACKGROUND)
    for y in range(3, 13):
        for x in range(3, 13):
            if abs(x - y) <= 1 or abs(x + y - 15) <= 1:
                image.set(x, y, VGA["maroon"])
    return image


# ---------------------------------------------------------------------------------------------
# OK strip: two 18 x 18 images, a green check mark and an embossed grey one

def check_mask():
    points = ((3.5, 9.5), (7.5, 13.5), (14.5, 4.5))
    return coverage_mask(
        18, 18, lambda x, y: min(distance_to_segment(x, y, *points[0], *points[1]),
                                 distance_to_segment(x, y, *points[1], *points[2])) <= 1.6)


def ok_strip():
    mask = check_mask()
    strip = Image(36, 18, GLYPH_BACKGROUND)
    dark_green, green = (0, 100, 0), (0, 168, 0)
    for y in range(18):
        for x in range(18):
            if mask[y][x] < 0.5:
                continue
            # Pixels at the stroke's edge are drawn darker, the core brighter.
            edge = any(mask[y + dy][x + dx] < 0.5
                       for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1))
                       if 0 <= x + dx < 18 and 0 <= y + dy < 18)
            strip.set(x, y, dark_green if edge else green)
    for y in range(18):
        for x in range(18):
            if mask[y][x] >= 0.5:
                strip.set(18 + x + 1, y + 1, VGA["white"])
    for y in range(18):
        for x in range(18):
            if mask[y][x] >= 0.5:
                strip.set(18 + x, y, VGA["gray"])
    return strip


# ---------------------------------------------------------------------------------------------
# Link cursor: 32 x 32, black and white on transparent, an arrow to the upper left above "WWW"

def www_cursor():
    arrow = [
        "B.......",
        "BB......",
        "BWB.....",
        "BWWB....",
        "BWWWB...",
        "BWWWWB..",
        "BWWWWWB.",
        "BWWWWWWB",
        "BWWBBBBB",
        "BWB.....",
        "BB......",
        "B.......",
    ]
    letter_w = [
        "B.....B",
        "B.....B",
        "B..B..B",
        "B..B..B",
        "B.B.B.B",
        "BB...BB",
        "B.....B",
    ]
    key = {"B": VGA["black"], "W": VGA["white"], ".": TRANSPARENT}
    cursor = Image(32, 32, TRANSPARENT)
    cursor.paste(from_art(arrow, key), 0, 0)
    letters = Image(32, 32, TRANSPARENT)
    w = from_art(letter_w, key)
    for i in range(3):
        letters.paste(w, 2 + i * 9, 15)
    # A white halo around the letters keeps them readable on dark and light backgrounds.
    halo = Image(32, 32, TRANSPARENT)
    for y in range(32):
        for x in range(32):
            if letters.get(x, y) is TRANSPARENT:
                continue
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    halo.set(x + dx, y + dy, VGA["white"])
    cursor.paste(halo, 0, 0)
    cursor.paste(letters, 0, 0)
    return cursor


# ---------------------------------------------------------------------------------------------
# Tiles for the icon and the logo

IVORY, IVORY_SHADE = (246, 238, 214), (214, 202, 170)
SIDE, SIDE_DARK = (34, 139, 96), (18, 92, 62)
OUTLINE = (40, 40, 40)


def draw_tile(image, x, y, w, h, depth, mark):
    """A game tile seen slightly from above: ivory face, green sides below and right."""
    # Sides first, offset by the tile's depth.
    for d in range(depth, 0, -1):
        image.fill_rect(x + d, y + d, x + w - 1 + d, y + h - 1 + d, SIDE if d < depth else SIDE_DARK)
    image.fill_rect(x, y, x + w - 1, y + h - 1, IVORY)
    # Soft shade at the face's bottom and right edge, outline around it.
    for i in range(w):
        image.set(x + i, y + h - 1, IVORY_SHADE)
    for j in range(h):
        image.set(x + w - 1, y + j, IVORY_SHADE)
    for i in range(-1, w + 1):
        image.set(x + i, y - 1, OUTLINE)
    for j in range(-1, h + 1):
        image.set(x - 1, y + j, OUTLINE)
    mark(image, x, y, w, h)


def mark_dots(colour, count):
    def draw(image, x, y, w, h):
        cx = x + w // 2
        spacing = max(2, h // (count + 1))
        top = y + (h - spacing * (count - 1)) // 2 - 1
        for k in range(count):
            cy = top + k * spacing
            image.fill_rect(cx - 1, cy, cx, cy + 1, colour)
    return draw


def mark_bar(colour):
    def draw(image, x, y, w, h):
        image.fill_rect(x + 2, y + h // 2 - 1, x + w - 3, y + h // 2, colour)
        image.fill_rect(x + w // 2 - 1, y + 2, x + w // 2, y + h - 3, colour)
    return draw


RED, BLUE_MARK, GREEN_MARK = (196, 30, 30), (30, 70, 170), (20, 120, 60)


def icon():
    image = Image(32, 32, TRANSPARENT)
    draw_tile(image, 3, 12, 12, 16, 3, mark_dots(RED, 3))
    draw_tile(image, 16, 12, 12, 16, 3, mark_bar(BLUE_MARK))
    draw_tile(image, 9, 2, 12, 16, 3, mark_dots(GREEN_MARK, 2))
    return image


def lettering(text, width, height, x, y, pointsize, colour):
    """Rasterises text with ImageMagick onto black; returns rows of RGB tuples."""
    command = [
        "convert", "-size", f"{width}x{height}", "xc:black", "-font", "DejaVu-Sans-Condensed-Bold",
        "-pointsize", str(pointsize), "-fill", "#%02x%02x%02x" % colour,
        "-annotate", f"+{x}+{y}", text, "-depth", "8", "ppm:-",
    ]
    data = subprocess.run(command, check=True, capture_output=True).stdout
    # Binary PPM: "P6\n<w> <h>\n255\n" then the pixels.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    pixels = data[pos:]
    return [[tuple(pixels[(row * width + col) * 3:(row * width + col) * 3 + 3])
             for col in range(width)] for row in range(height)]


def logo():
    width, height = 99, 32
    image = Image(width, height, (0, 0, 0))
    rows = lettering("Tilvaro", width, height, 33, 22, 17, (236, 214, 150))
    for y in range(height):
        for x in range(width):
            image.set(x, y, rows[y][x])
    # Three small tiles, two below and one on top, as on a layered board.
    draw_tile(image, 3, 14, 9, 12, 2, mark_dots(RED, 2))
    draw_tile(image, 14, 14, 9, 12, 2, mark_bar(BLUE_MARK))
    draw_tile(image, 8, 5, 9, 12, 2, mark_dots(GREEN_MARK, 1))
    # A thin line under the lettering.
    for x in range(34, 96):
        image.set(x, 26, (0, 128, 128))
    return image


# ---------------------------------------------------------------------------------------------
# XPM output

XPM_CHARS = (".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
             "+@$%&*=-;:>,<1'/()[]{}!~^_`|?")


def write_xpm(image, name, max_colours, hotspot=None):
    colours = []
    for row in image.pixels:
        for colour in row:
            if colour not in colours:
                colours.append(colour)
    if len(colours) > max_colours:
        sys.exit(f"{name}: {len(colours)} colours, at most {max_colours} allowed")
    per_pixel = 1 if len(colours) <= len(XPM_CHARS) - 1 else 2

    def code(index):
        if per_pixel == 1:
            return " " if colours[index] is TRANSPARENT else XPM_CHARS[index]
        return XPM_CHARS[index // len(XPM_CHARS)] + XPM_CHARS[index % len(XPM_CHARS)]

    codes = {colour: code(i) for i, colour in enumerate(colours)}
    variable = name.replace("-", "_").replace(".", "_")
    header = f"{image.width} {image.height} {len(colours)} {per_pixel}"
    if hotspot is not None:
        header += f" {hotspot[0]} {hotspot[1]}"
    lines = ["/* XPM */", f"static const char *const {variable}[] = {{", f'"{header}",']
    for colour in colours:
        value = "None" if colour is TRANSPARENT else "#%02X%02X%02X" % colour
        lines.append(f'"{codes[colour]} c {value}",')
    for y, row in enumerate(image.pixels):
        end = "," if y + 1 < image.height else ""
        lines.append('"' + "".join(codes[c] for c in row) + '"' + end)
    lines.append("};")
    with open(os.path.join(OUT, name), "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


def check_glyph_background(image, name):
    """The bottom-left pixel's colour is taken as transparent: it must not occur in the drawing."""
    background = image.get(0, image.height - 1)
    if background != GLYPH_BACKGROUND:
        sys.exit(f"{name}: bottom-left pixel is not the glyph background")


def main():
    os.makedirs(OUT, exist_ok=True)
    glyphs = {
        "new.xpm": from_art(NEW_ART, GLYPH_KEY),
        "open.xpm": from_art(OPEN_ART, GLYPH_KEY),
        "save.xpm": from_art(SAVE_ART, GLYPH_KEY),
        "rename.xpm": rename_glyph(),
        "cancel.xpm": cancel_glyph(),
    }
    for name, image in glyphs.items():
        check_glyph_background(image, name)
        write_xpm(image, name, 16)
    strip = ok_strip()
    check_glyph_background(strip, "ok.xpm")
    write_xpm(strip, "ok.xpm", 256)
    write_xpm(www_cursor(), "www-cursor.xpm", 3, hotspot=(0, 0))
    write_xpm(icon(), "icon.xpm", 256)
    write_xpm(logo(), "logo.xpm", 256)


if __name__ == "__main__":
    main()
