#!/usr/bin/python3
"""Draws Tarnwick's pictures at 100, 150 and 200 percent, the application icon,
and pictures.rc, which names them as resources (NAME_<percent>, the name in
upper case). Everything is drawn four times larger and scaled down, so edges
are smooth; a window background's outline stays hard against its colour key
(the top-left pixel), because the window shape is cut from that colour.

Usage: make_art.py OUTPUT_DIR VERSION
"""
import functools
import os
import sys

from PIL import Image, ImageDraw

from artkit import PANEL, SCALES, SUPERSAMPLE, TEAL, WHITE, chip_logo, vertical_gradient
import backgrounds
import class_icons
import faces
import nav_icons

ICON_FILE = "tarnwick.ico"


def pictures(version):
    """Every bitmap by name: a function from scale to picture."""
    catalogue = {
        "splash": functools.partial(backgrounds.splash, version=version),
        "main_bg": backgrounds.main_bg,
        "scan_bg": backgrounds.scan_bg,
        "scanning_bg": backgrounds.scanning_bg,
        "download_bg": backgrounds.download_bg,
        "about_bg": backgrounds.about_bg,
        "settings_header": backgrounds.settings_header,
        "settings_decor": backgrounds.settings_decor,
        "prompt_bg": backgrounds.prompt_bg,
        "warning_banner": backgrounds.warning_banner,
        "row_bg": backgrounds.row_bg,
        "header_bg": backgrounds.header_bg,
        "info_mark": faces.info_mark,
        "class_icons": class_icons.class_icons,
    }
    for state in ("normal", "hot", "pressed"):
        catalogue["nav_" + state] = functools.partial(faces.nav_face, state)
        for kind in ("close", "min"):
            catalogue[f"btn_{kind}_{state}"] = functools.partial(faces.window_button, kind, state)
        catalogue["btn_promptclose_" + state] = functools.partial(faces.prompt_close_button, state)
        for name in faces.TALL_BUTTONS:
            catalogue[f"{name}_{state}"] = functools.partial(faces.tall_button, name, state)
    for state in ("normal", "hot", "pressed", "disabled"):
        catalogue["bigbtn_" + state] = functools.partial(faces.big_button, state)
        catalogue["midbtn_" + state] = functools.partial(faces.mid_button, state)
        catalogue["rowbtn_" + state] = functools.partial(faces.row_button, state)
    # Check boxes sit on white in lists and on the panel colour on pages.
    for place, background in (("", WHITE), ("_panel", PANEL)):
        for checked in (False, True):
            for hot in (False, True):
                name = "check_" + ("checked" if checked else "unchecked") + ("_hot" if hot else "") + place
                catalogue[name] = functools.partial(faces.check_box, checked, hot, background)
    for icon, glyph in nav_icons.GLYPHS.items():
        for tone in nav_icons.TONES:
            catalogue[f"{icon}_{tone}"] = functools.partial(nav_icons.nav_icon, glyph, tone)
    return catalogue


def icon_image(size):
    s = SUPERSAMPLE
    big = size * s
    art = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(art)
    back = vertical_gradient((big, big), (24, 96, 150), TEAL).convert("RGBA")
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, big - 1, big - 1), radius=big * 0.2, fill=255)
    art.paste(back, (0, 0), mask)
    margin = big * (0.12 if size <= 24 else 0.14)
    chip_logo(draw, (margin, margin, big - margin, big - margin), s * max(1, size / 32))
    return art.resize((size, size), Image.LANCZOS)


def write_icon(out_dir):
    sizes = [16, 20, 24, 32, 40, 48, 64, 256]
    images = [icon_image(size) for size in sizes]
    # Plain bitmaps inside the icon: every Windows version and Wine read them.
    images[-1].save(os.path.join(out_dir, ICON_FILE), sizes=[(n, n) for n in sizes],
                    append_images=images[:-1], bitmap_format="bmp")


def main():
    out_dir, version = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    write_icon(out_dir)
    lines = []
    for name, draw in pictures(version).items():
        for suffix, scale in SCALES.items():
            file_name = f"{name}_{suffix}.bmp"
            draw(scale).save(os.path.join(out_dir, file_name))
            lines.append(f'{name.upper()}_{suffix} BITMAP "{file_name}"')
    header = ["// Written by art/make_art.py with the pictures it names.", f'MAINICON ICON "{ICON_FILE}"']
    with open(os.path.join(out_dir, "pictures.rc"), "w", newline="\n") as rc:
        rc.write("\n".join(header + sorted(lines)) + "\n")


if __name__ == "__main__":
    main()
