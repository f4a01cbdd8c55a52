#!/usr/bin/python3
"""Draws Tarnwick's pictures: the splash at 100, 150 and 200 percent and the
application icon. Everything is drawn four times larger and scaled down, so
edges are smooth; a window background's outline stays hard against its colour
key (the top-left pixel), because the window shape is cut from that colour.

Usage: make_art.py OUTPUT_DIR VERSION
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SUPERSAMPLE = 4
SCALES = {"100": 1.0, "150": 1.5, "200": 2.0}
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

SPLASH_SIZE = (438, 273)
SPLASH_KEY = (0, 128, 0)

NAVY = (14, 52, 86)
TEAL = (10, 112, 140)
BRIGHT = (64, 170, 220)
GREEN = (46, 178, 96)
PALE = (196, 228, 244)
MUTED = (150, 198, 222)
WHITE = (255, 255, 255)


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def vertical_gradient(size, top, bottom):
    width, height = size
    column = Image.new("RGB", (1, height))
    for y in range(height):
        t = y / max(1, height - 1)
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column.resize((width, height))


def chip_logo(draw, box, unit):
    """A circuit chip with a green download badge: hardware plus updates."""
    x0, y0, x1, y1 = box
    size = x1 - x0
    pin = size * 0.09
    pin_len = size * 0.12
    body = (x0 + pin_len, y0 + pin_len, x1 - pin_len, y1 - pin_len)
    for i in range(4):
        offset = body[0] + (body[2] - body[0]) * (0.2 + 0.2 * i) - pin / 2
        draw.rounded_rectangle((offset, y0, offset + pin, body[1] + unit), radius=pin / 3, fill=PALE)
        draw.rounded_rectangle((offset, body[3] - unit, offset + pin, y1), radius=pin / 3, fill=PALE)
        offset = body[1] + (body[3] - body[1]) * (0.2 + 0.2 * i) - pin / 2
        draw.rounded_rectangle((x0, offset, body[0] + unit, offset + pin), radius=pin / 3, fill=PALE)
        draw.rounded_rectangle((body[2] - unit, offset, x1, offset + pin), radius=pin / 3, fill=PALE)
    draw.rounded_rectangle(body, radius=size * 0.1, fill=WHITE)
    inset = size * 0.07
    inner = (body[0] + inset, body[1] + inset, body[2] - inset, body[3] - inset)
    draw.rounded_rectangle(inner, radius=size * 0.06, outline=(210, 226, 236), width=max(1, round(unit * 1.5)))
    cx = (body[0] + body[2]) / 2
    cy = (body[1] + body[3]) / 2
    r = size * 0.24
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=GREEN)
    shaft = r * 0.26
    draw.rectangle((cx - shaft, cy - r * 0.62, cx + shaft, cy + r * 0.05), fill=WHITE)
    head = r * 0.62
    draw.polygon([(cx - head, cy - r * 0.05), (cx + head, cy - r * 0.05), (cx, cy + r * 0.62)], fill=WHITE)


def splash(scale, version):
    s = scale * SUPERSAMPLE
    width, height = round(SPLASH_SIZE[0] * s), round(SPLASH_SIZE[1] * s)
    art = Image.new("RGBA", (width, height), (0, 0, 0, 0))

    card = vertical_gradient((width, height), NAVY, TEAL).convert("RGBA")
    glow = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    ImageDraw.Draw(glow).ellipse((width * 0.55, -height * 0.7, width * 1.3, height * 0.55),
                                 fill=(255, 255, 255, 26))
    card = Image.alpha_composite(card, glow.filter(ImageFilter.GaussianBlur(24 * s)))
    mask = Image.new("L", (width, height), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, width - 1, height - 1), radius=16 * s, fill=255)
    art.paste(card, (0, 0), mask)

    draw = ImageDraw.Draw(art)
    draw.rounded_rectangle((s / 2, s / 2, width - 1 - s / 2, height - 1 - s / 2), radius=16 * s,
                           outline=(46, 134, 181), width=round(s))
    chip_logo(draw, (34 * s, 52 * s, 124 * s, 142 * s), s)
    draw.text((142 * s, 58 * s), "Tarnwick", font=font(round(44 * s), bold=True), fill=WHITE)
    draw.text((145 * s, 116 * s), "Newer drivers for every device", font=font(round(15 * s)), fill=PALE)
    draw.line((34 * s, 172 * s, 404 * s, 172 * s), fill=(46, 134, 181), width=round(s))
    draw.text((34 * s, 186 * s), "Taking the inventory of your hardware\u2026", font=font(round(12 * s)),
              fill=PALE)
    small = font(round(11 * s))
    draw.text((34 * s, 236 * s), "\u00a9 2026 Tarnwick", font=small, fill=MUTED)
    label = "Version " + version
    draw.text((404 * s - draw.textlength(label, font=small), 236 * s), label, font=small, fill=MUTED)

    final = art.resize((round(SPLASH_SIZE[0] * scale), round(SPLASH_SIZE[1] * scale)), Image.LANCZOS)
    return flatten_on_key(final, SPLASH_KEY)


def flatten_on_key(image, key):
    """Opaque where the art covers at least half a pixel, the colour key elsewhere."""
    out = Image.new("RGB", image.size, key)
    alpha = image.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    out.paste(image.convert("RGB"), (0, 0), alpha)
    # The key must not occur inside the art, or holes would appear in the window.
    pixels = out.load()
    for y in range(out.height):
        for x in range(out.width):
            if alpha.getpixel((x, y)) and pixels[x, y] == key:
                pixels[x, y] = (key[0], key[1] + 1, key[2])
    return out


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


def main():
    out_dir, version = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    for suffix, scale in SCALES.items():
        splash(scale, version).save(os.path.join(out_dir, f"splash_{suffix}.bmp"))
    sizes = [16, 20, 24, 32, 40, 48, 64, 256]
    images = [icon_image(size) for size in sizes]
    # Plain bitmaps inside the icon: every Windows version and Wine read them.
    images[-1].save(os.path.join(out_dir, "tarnwick.ico"), sizes=[(n, n) for n in sizes],
                    append_images=images[:-1], bitmap_format="bmp")


if __name__ == "__main__":
    main()
