"""The navigation buttons' 24-unit icons. Bitmaps have no transparency, so each
icon is drawn onto the very face it appears on: light onto the resting and
highlighted faces, dark onto the pressed one.
"""
import math

from artkit import NAVY, WHITE, Canvas, crop
from faces import nav_face

ICON_SIZE = 24
# Where the program puts the icon on a navigation face.
ICON_AT = (14, 8)
CLEAR = (0, 0, 0, 0)
# Tone: the face the icon sits on, and the glyph's colour.
TONES = {"light": ("normal", NAVY), "hot": ("hot", NAVY), "dark": ("pressed", WHITE)}


def scan(pen, ink):
    """A magnifier over a small chip."""
    pen.rect((2.5, 2.5, 15.5, 15.5), outline=ink, width=2, radius=2.5)
    pen.rect((6.5, 6.5, 11.5, 11.5), fill=ink, radius=1)
    for at in (6.5, 11.5):
        pen.line([(at, 0.6), (at, 2.5)], 1.8, ink)
        pen.line([(0.6, at), (2.5, at)], 1.8, ink)
        pen.line([(at, 15.5), (at, 17.4)], 1.8, ink)
        pen.line([(15.5, at), (17.4, at)], 1.8, ink)
    # A gap around the lens keeps the two shapes apart.
    pen.ellipse(16.5, 16.5, 7.3, fill=CLEAR)
    pen.ring(16.5, 16.5, 4.5, 2.2, ink)
    pen.line([(19.8, 19.8), (22.4, 22.4)], 2.8, ink)


def download(pen, ink):
    """An arrow down into a tray."""
    pen.line([(12, 3), (12, 14.5)], 2.2, ink)
    pen.line([(7.4, 10), (12, 14.6), (16.6, 10)], 2.2, ink)
    pen.line([(3.5, 14.5), (3.5, 20), (20.5, 20), (20.5, 14.5)], 2.2, ink)


def settings(pen, ink):
    """A gear with eight teeth."""
    for tooth in range(8):
        angle = tooth * math.pi / 4
        ux, uy = math.cos(angle), math.sin(angle)
        vx, vy = -uy, ux
        pen.polygon([(12 + ux * 6 + vx * s * 1.9, 12 + uy * 6 + vy * s * 1.9) for s in (-1, 1)]
                    + [(12 + ux * 10.4 + vx * s * 1.5, 12 + uy * 10.4 + vy * s * 1.5) for s in (1, -1)],
                    fill=ink)
    pen.ellipse(12, 12, 7.6, fill=ink)
    pen.ellipse(12, 12, 3.1, fill=CLEAR)


def about(pen, ink):
    """The letter i in a circle."""
    pen.ring(12, 12, 9.2, 2.1, ink)
    pen.ellipse(12, 7.6, 1.45, fill=ink)
    pen.line([(12, 11.2), (12, 16.6)], 2.3, ink)


GLYPHS = {"navicon_scan": scan, "navicon_download": download, "navicon_settings": settings,
          "navicon_about": about}


def nav_icon(glyph, tone, scale):
    face, ink = TONES[tone]
    under = crop(nav_face(face, scale), scale, *ICON_AT, ICON_SIZE, ICON_SIZE)
    canvas = Canvas.over(under, scale)
    layer = canvas.glyph_layer()
    glyph(layer, ink)
    canvas.place(layer)
    return canvas.finish()
