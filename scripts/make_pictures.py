#!/usr/bin/env python3
"""Draws the pictures that ship in the program folder.

  data/images/pirumi.bmp    ピルミちゃん: a pink round creature with floppy ears and a ribbon
  data/images/topopo.bmp    トポちゃん: a brown mole peeking out of its hill
  data/images/kurotopo.bmp  クロトポちゃん: the same mole in black, with a red ribbon
  data/user/Background.jpg  a soft, light, tileable dot pattern (128 x 128)

Each mascot is drawn at four times its size with ImageMagick's drawing
language (passed to `convert -draw`), then scaled down by averaging to 48 x 60 and written as a 24-bit
bitmap. Run from anywhere: python3 scripts/make_pictures.py
Needs ImageMagick's `convert` on the PATH; the output does not change from run
to run, so the committed files only change when this script does.
"""

import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGES = os.path.join(ROOT, "data", "images")
USER = os.path.join(ROOT, "data", "user")

SCALE = 4
WIDTH, HEIGHT = 48, 60  # the main window's picture area
INK = "#3b3440"  # outlines


def s(v):
    """Design units (pixels of the final picture) to drawing pixels."""
    return round(v * SCALE, 2)


def pt(x, y):
    return f"{s(x)},{s(y)}"


class Drawing:
    """Collects ImageMagick draw commands in design units."""

    def __init__(self):
        self.lines = []

    def style(self, fill="none", stroke=INK, width=1.0):
        self.lines.append(f"fill '{fill}'")
        self.lines.append(f"stroke '{stroke}'")
        self.lines.append(f"stroke-width {s(width)}")
        self.lines.append("stroke-linejoin round")
        self.lines.append("stroke-linecap round")
        return self

    def ellipse(self, cx, cy, rx, ry, fill, stroke=INK, width=1.0):
        self.style(fill, stroke, width)
        self.lines.append(f"ellipse {pt(cx, cy)} {s(rx)},{s(ry)} 0,360")
        return self

    def circle(self, cx, cy, r, fill, stroke=INK, width=1.0):
        return self.ellipse(cx, cy, r, r, fill, stroke, width)

    def path(self, d, fill, stroke=INK, width=1.0):
        """d: path commands with coordinates in design units."""
        out = []
        for tok in d.split():
            if "," in tok:
                x, y = tok.split(",")
                out.append(pt(float(x), float(y)))
            else:
                out.append(tok)
        self.style(fill, stroke, width)
        self.lines.append("path '" + " ".join(out) + "'")
        return self

    def line(self, x1, y1, x2, y2, stroke=INK, width=1.0):
        self.style("none", stroke, width)
        self.lines.append(f"line {pt(x1, y1)} {pt(x2, y2)}")
        return self

    def arc(self, cx, cy, rx, ry, start, end, stroke=INK, width=1.0):
        self.style("none", stroke, width)
        self.lines.append(f"ellipse {pt(cx, cy)} {s(rx)},{s(ry)} {start},{end}")
        return self

    def text(self):
        return "\n".join(self.lines) + "\n"


def render(drawing, top, bottom, out_path):
    """Draws on a vertical gradient from `top` to `bottom`, scales down, saves."""
    subprocess.run(
        [
            "convert",
            "-size", f"{WIDTH * SCALE}x{HEIGHT * SCALE}",
            f"gradient:{top}-{bottom}",
            "-draw", drawing.text(),
            "-filter", "box", "-resize", f"{WIDTH}x{HEIGHT}!",
            "-alpha", "off", "-type", "TrueColor", "-strip",
            f"BMP3:{out_path}",
        ],
        check=True,
    )


def eyes(d, y, left_x, right_x, size=2.6, color=INK):
    """Big round eyes with two highlights each."""
    for x in (left_x, right_x):
        d.ellipse(x, y, size * 0.8, size, color, "none")
        d.circle(x - size * 0.3, y - size * 0.4, size * 0.34, "white", "none")
        d.circle(x + size * 0.3, y + size * 0.45, size * 0.16, "white", "none")


def cheeks(d, y, left_x, right_x, color="#ff8fa8"):
    for x in (left_x, right_x):
        d.ellipse(x, y, 3.0, 1.8, color, "none")


def pirumi():
    """A round pink creature with floppy ears and a ribbon."""
    d = Drawing()
    body, body_dark, inner = "#ffb3cf", "#f08ab0", "#ffe1ec"
    # Shadow on the ground.
    d.ellipse(24, 55.5, 15, 2.2, "#e8c4d2", "none")
    # Floppy ears, hanging to the sides.
    d.path("M 15,23 C 7,17 0,24 1.5,35 C 2.5,41 7.5,42 9,37 C 10,32 12,29 17,27 Z", body)
    d.path("M 33,23 C 41,17 48,24 46.5,35 C 45.5,41 40.5,42 39,37 C 38,32 36,29 31,27 Z", body)
    d.path("M 13,24.5 C 7.5,21.5 3.5,26 4,34 C 4.5,38 7,38.5 7.8,35.5 C 8.8,31 11,28 14.5,26.5 Z",
           inner, "none")
    d.path("M 35,24.5 C 40.5,21.5 44.5,26 44,34 C 43.5,38 41,38.5 40.2,35.5 C 39.2,31 37,28 "
           "33.5,26.5 Z", inner, "none")
    # Feet.
    d.ellipse(17, 53, 4.5, 2.6, body_dark)
    d.ellipse(31, 53, 4.5, 2.6, body_dark)
    # Round body.
    d.ellipse(24, 36, 17.5, 17, body)
    d.path("M 11,44 C 15,52 33,52 37,44 C 31,49 17,49 11,44 Z", body_dark, "none")
    # A little heart floating above.
    d.path("M 9,13 C 5,10 5,6.5 7.2,6.3 C 8.2,6.2 8.8,6.9 9,7.6 C 9.2,6.9 9.8,6.2 10.8,6.3 "
           "C 13,6.5 13,10 9,13 Z", "#ff7aa0", INK, 0.8)
    # Ribbon on the head.
    d.path("M 30,20.5 L 25.5,16.5 L 25.5,23 Z", "#ff5c8a")
    d.path("M 30,20.5 L 34.5,16 L 35,22.5 Z", "#ff5c8a")
    d.circle(30, 20.5, 1.6, "#ff7aa0")
    # Face.
    eyes(d, 33, 18, 30, 2.7)
    cheeks(d, 38, 13.5, 34.5)
    d.path("M 21.6,38.6 C 22.4,40.2 23.6,40.2 24,38.9 C 24.4,40.2 25.6,40.2 26.4,38.6",
           "none", INK, 0.8)
    # Little arms.
    d.ellipse(9.5, 41, 3, 2.4, body)
    d.ellipse(38.5, 41, 3, 2.4, body)
    return d


def mole(fur, fur_dark, face, nose, claw, ribbon=None):
    """A mole peeking out of its hill, waving a paw."""
    d = Drawing()
    # Body rising from the hill.
    d.path("M 9,50 C 8,34 12,16 24,16 C 36,16 40,34 39,50 Z", fur)
    d.path("M 33,22 C 37,28 38,38 38.5,48 L 35,48 C 35,38 34,28 31,21 Z", fur_dark, "none")
    # Face patch.
    d.ellipse(24, 33, 11, 9.5, face, "none")
    # Small eyes and the big round nose.
    eyes(d, 28.5, 19, 29, 1.7)
    cheeks(d, 34.5, 14.5, 33.5, "#ff9db0")
    d.ellipse(24, 33, 4.2, 3.3, nose)
    d.circle(22.6, 31.9, 1.0, "white", "none")
    # Mouth under the nose.
    d.path("M 22,37.4 C 22.8,38.8 23.7,38.8 24,37.8 C 24.3,38.8 25.2,38.8 26,37.4",
           "none", INK, 0.8)
    # Whiskers.
    for dy in (-0.8, 1.2):
        d.line(17.5, 33 + dy, 13, 32 + dy * 1.6, INK, 0.6)
        d.line(30.5, 33 + dy, 35, 32 + dy * 1.6, INK, 0.6)
    # The hill in front.
    d.path("M 0,52 C 6,44 16,45 24,47 C 32,45 42,44 48,52 L 48,60 L 0,60 Z", "#b88552")
    for x, y in ((8, 55), (17, 52.5), (29, 55.5), (39, 53), (45, 57.5), (22, 58)):
        d.ellipse(x, y, 1.3, 0.8, "#8e6238", "none")
    # Paws resting on the hill, pink with claws; the right one waving.
    d.ellipse(14, 47, 4.2, 3.0, claw)
    for x in (12, 14, 16):
        d.line(x, 48.6, x, 50.2, INK, 0.7)
    d.path("M 36,40 C 38,36 41,34 43.5,35.5 C 45.5,37 44,40 41,41.5 C 39,42.5 37,42 36,40 Z",
           claw)
    for a, b in (((41.5, 34.8), (42.3, 33.0)), ((43.3, 35.6), (44.6, 34.2)),
                 ((44.2, 37.4), (45.8, 36.6))):
        d.line(a[0], a[1], b[0], b[1], INK, 0.7)
    # A ribbon on the head, if it wears one.
    if ribbon:
        d.path("M 29,19 L 24.5,14.5 L 24,21 Z", ribbon)
        d.path("M 29,19 L 33.5,14 L 34.5,20.5 Z", ribbon)
        d.circle(29, 19, 1.5, ribbon)
    # Motion marks beside the waving paw.
    d.arc(42, 37, 5.5, 5.5, 280, 330, "#8a7f90", 0.7)
    return d


def topopo():
    return mole(fur="#9a6a44", fur_dark="#7c5234", face="#e8c9a4",
                nose="#ff8fa8", claw="#ffc4cf")


def kurotopo():
    return mole(fur="#34323a", fur_dark="#1f1d24", face="#8a8794",
                nose="#ff7f9c", claw="#ffc4cf", ribbon="#e84a5f")


def background(out_path):
    """Pale cream with small pastel dots on a staggered grid; tiles seamlessly."""
    size = 128
    colors = ["#ffd9e4", "#d6f0e0", "#fff0b8", "#d8e8ff"]
    lines = ["stroke none"]
    step = 32
    for row in range(size // step):
        for col in range(size // step):
            x = 8 + col * step + (16 if row % 2 else 0)
            y = 8 + row * step
            c = colors[(row + col) % len(colors)]
            lines.append(f"fill '{c}'")
            lines.append(f"circle {x},{y} {x + 5},{y}")
            # A tiny four-pointed sparkle halfway to the next dot.
            sx, sy = (x + 16) % size, y + 16
            if 4 <= sx <= size - 4 and sy <= size - 4:
                lines.append("fill '#f4e6c8'")
                lines.append(
                    f"polygon {sx},{sy - 3} {sx + 1},{sy - 1} {sx + 3},{sy} {sx + 1},{sy + 1} "
                    f"{sx},{sy + 3} {sx - 1},{sy + 1} {sx - 3},{sy} {sx - 1},{sy - 1}")
    subprocess.run(
        ["convert", "-size", f"{size}x{size}", "xc:#fdf9f1", "-draw", "\n".join(lines),
         "-strip", "-sampling-factor", "1x1", "-quality", "92", out_path],
        check=True,
    )


def main():
    os.makedirs(IMAGES, exist_ok=True)
    os.makedirs(USER, exist_ok=True)
    render(pirumi(), "#fff8fb", "#ffe6ef", os.path.join(IMAGES, "pirumi.bmp"))
    render(topopo(), "#f2fbff", "#dff1e4", os.path.join(IMAGES, "topopo.bmp"))
    render(kurotopo(), "#f8f5ff", "#e6e0f4", os.path.join(IMAGES, "kurotopo.bmp"))
    background(os.path.join(USER, "Background.jpg"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
