"""Window and page backgrounds: the splash, the main window and its pages, and
the pieces the driver list is built from. Places that the program fills at run
time (headings, lists, buttons, instructions) are left plain on purpose.
"""
import functools
import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from artkit import (BRIGHT, CARD_EDGE, GREEN, KEY, MUTED, NAVY, PALE, PANEL, SUPERSAMPLE, TEAL, WHITE,
                    Canvas, chip_logo, flatten_on_key, font, mix, rounded_mask, vertical_gradient)
import class_icons

SPLASH_SIZE = (438, 273)

WINDOW_SIZE = (930, 689)
WINDOW_RADIUS = 12
BAND_HEIGHT = 123
COLUMN_WIDTH = 184
COLUMN_TOP = (232, 240, 250)
COLUMN_BOTTOM = (206, 222, 242)
WINDOW_EDGE = (78, 122, 166)

PROMPT_SIZE = (450, 350)
PROMPT_BAND_HEIGHT = 96

PAGE_SIZE = (740, 542)
SETTINGS_HEADER_SIZE = (739, 170)
SETTINGS_CARD = (20, 20, 719, 100)
SETTINGS_DECOR_SIZE = (232, 220)
BANNER_SIZE = (711, 67)
AMBER_TOP = (255, 214, 102)
AMBER_BOTTOM = (250, 180, 60)


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
    return flatten_on_key(final, KEY)


def column_ease(t):
    # Nearly flat where the navigation buttons sit, so one button face blends
    # in at any of their heights; the shading gathers towards the bottom.
    return t * t


def title_band(canvas):
    """The band with the logo, the name and faint rings."""
    canvas.gradient((0, 0, WINDOW_SIZE[0], BAND_HEIGHT), NAVY, TEAL)
    free = canvas.at(0, 0)
    # The rings spill below the band; the column and the content area are
    # painted over them. The corner with the window buttons stays plain so
    # the buttons' faces match it.
    for radius, alpha in ((150, 6), (112, 7), (76, 8)):
        free.ellipse(700, 150, radius, fill=(255, 255, 255, alpha))
    canvas.rect((0, BAND_HEIGHT - 1, WINDOW_SIZE[0], BAND_HEIGHT), fill=mix(TEAL, NAVY, 0.35))
    free.logo(24, 28, 64)
    free.text(104, 30, "Tarnwick", 34, WHITE, bold=True)
    free.text(106, 76, "Newer drivers for every device", 13, PALE)


def window_shape(canvas, picture):
    """Cuts a finished window background out along its rounded outline."""
    shape = rounded_mask(canvas.image.size, WINDOW_RADIUS * canvas.unit)
    picture.putalpha(shape.reduce(SUPERSAMPLE))
    return flatten_on_key(picture, KEY)


@functools.lru_cache(maxsize=None)
def main_bg(scale):
    width, height = WINDOW_SIZE
    canvas = Canvas(WINDOW_SIZE, scale, PANEL)
    title_band(canvas)
    canvas.rect((COLUMN_WIDTH, BAND_HEIGHT, width, height), fill=PANEL)
    canvas.gradient((0, BAND_HEIGHT, COLUMN_WIDTH, height), COLUMN_TOP, COLUMN_BOTTOM, ease=column_ease)
    canvas.rect((COLUMN_WIDTH, BAND_HEIGHT, COLUMN_WIDTH + 1, height), fill=(186, 204, 228))
    canvas.rect((0, 0, width, height), outline=WINDOW_EDGE, radius=WINDOW_RADIUS)
    return window_shape(canvas, canvas.finish())


def card(canvas, box, radius=10):
    """A white card with a hairline edge and a one-pixel shadow below it."""
    x0, y0, x1, y1 = box
    canvas.rect((x0, y0 + 1, x1, y1 + 1), fill=mix(CARD_EDGE, NAVY, 0.08), radius=radius)
    canvas.rect(box, fill=WHITE, outline=CARD_EDGE, radius=radius)


def soft_circles(canvas, cx, cy, radius):
    """Layered pale discs behind an illustration."""
    for factor, colour in ((1.0, (204, 223, 248)), (0.78, (193, 216, 245)), (0.56, (182, 209, 242))):
        canvas.ellipse(cx, cy, radius * factor, fill=colour)
    canvas.ellipse(cx - radius * 0.95, cy - radius * 0.7, radius * 0.07, fill=GREEN)
    canvas.ellipse(cx + radius * 1.02, cy - radius * 0.08, radius * 0.05, fill=BRIGHT)
    canvas.ellipse(cx + radius * 0.75, cy + radius * 0.95, radius * 0.04, fill=MUTED)


def app_tile(pen, x, y, size):
    """The application icon's tile, for decoration."""
    pen.gradient((x, y, x + size, y + size), (24, 96, 150), TEAL, radius=size * 0.2)
    margin = size * 0.14
    pen.logo(x + margin, y + margin, size - 2 * margin)


def monitor(pen, x, y, width, height):
    """A monitor with the chip logo on its screen, standing on a foot."""
    foot = (150, 172, 198)
    pen.polygon([(x + width * 0.44, y + height), (x + width * 0.56, y + height),
                 (x + width * 0.6, y + height + 26), (x + width * 0.4, y + height + 26)], fill=foot)
    pen.rect((x + width * 0.26, y + height + 24, x + width * 0.74, y + height + 33), fill=foot, radius=4.5)
    pen.rect((x, y, x + width, y + height), fill=NAVY, radius=10)
    pen.gradient((x + 9, y + 9, x + width - 9, y + height - 9), TEAL, BRIGHT, radius=4)
    logo = height * 0.62
    pen.logo(x + (width - logo) / 2, y + (height - logo) / 2, logo)


def magnifier(pen, cx, cy, r):
    """A magnifying glass with a light lens and a handle towards the lower right."""
    reach = r * 0.7071
    pen.line([(cx + reach * 1.25, cy + reach * 1.25), (cx + reach * 2.0, cy + reach * 2.0)], r * 0.42, NAVY)
    pen.line([(cx + reach * 1.5, cy + reach * 1.5), (cx + reach * 1.95, cy + reach * 1.95)], r * 0.3, TEAL)
    pen.ellipse(cx, cy, r, fill=(226, 242, 252, 215))
    pen.ring(cx, cy, r, r * 0.2, NAVY)
    pen.ring(cx, cy, r * 0.66, r * 0.08, WHITE, 200, 250)


def device_tile(pen, x, y, size, drawer):
    """A white tile with a device class icon, floating around the scan picture."""
    pen.rect((x, y + 1.5, x + size, y + size + 1.5), fill=(188, 208, 234), radius=size * 0.24)
    pen.rect((x, y, x + size, y + size), fill=WHITE, radius=size * 0.24)
    inset = size * 0.2
    drawer(pen.at(x + inset, y + inset, (size - 2 * inset) / class_icons.ICON))


def scan_bg(scale):
    canvas = Canvas(PAGE_SIZE, scale, PANEL)
    card(canvas, (20, 20, 720, 160))
    free = canvas.at(0, 0)
    soft_circles(free, 582, 392, 140)
    device_tile(free, 404, 318, 46, class_icons.sound)
    device_tile(free, 420, 410, 40, class_icons.camera)
    device_tile(free, 672, 248, 42, class_icons.printer)
    monitor(free, 466, 292, 232, 146)
    magnifier(free, 656, 434, 42)
    return canvas.finish()


def scanning_bg(scale):
    canvas = Canvas(PAGE_SIZE, scale, PANEL)
    card(canvas, (12, 75, 727, 419))
    return canvas.finish()


def download_bg(scale):
    canvas = Canvas(PAGE_SIZE, scale, PANEL)
    card(canvas, (12, 150, 727, 508))
    return canvas.finish()


def about_bg(scale):
    canvas = Canvas(PAGE_SIZE, scale, PANEL)
    card(canvas, (20, 20, 720, 300))
    free = canvas.at(0, 0)
    soft_circles(free, 600, 420, 96)
    app_tile(free, 546, 366, 108)
    return canvas.finish()


def warning_sign(pen, x, y, size):
    """A rounded warning triangle with an exclamation mark."""
    corners = [(x + size / 2, y + size * 0.1), (x + size * 0.04, y + size * 0.9), (x + size * 0.96, y + size * 0.9)]
    # Tracing the outline with a thick round line rounds the corners.
    pen.line(corners + corners[:1], size * 0.12, WHITE)
    pen.polygon(corners, fill=WHITE)
    ink = (160, 96, 10)
    pen.line([(x + size / 2, y + size * 0.38), (x + size / 2, y + size * 0.62)], size * 0.1, ink)
    pen.ellipse(x + size / 2, y + size * 0.76, size * 0.06, fill=ink)


@functools.lru_cache(maxsize=None)
def warning_banner(scale):
    width, height = BANNER_SIZE
    canvas = Canvas(BANNER_SIZE, scale, PANEL)
    canvas.rect((0, 1, width, height), fill=(226, 166, 60), radius=8)
    canvas.gradient((0, 0, width, height - 1), AMBER_TOP, AMBER_BOTTOM, radius=8)
    canvas.rect((0, 0, width, height - 1), outline=(236, 170, 52), radius=8)
    canvas.rect((8, 1, width - 8, 2), fill=(255, 232, 160))
    warning_sign(canvas.at(0, 0), 16, (height - 40) / 2, 40)
    return canvas.finish()


def row_bg(scale):
    width, height = 636, 80
    canvas = Canvas((width, height), scale, WHITE)
    canvas.rect((0, 0, 43, height - 1), fill=(246, 249, 253))
    canvas.rect((0, 0, 3, height - 1), fill=(205, 224, 242))
    canvas.rect((0, height - 1, width, height), fill=(226, 232, 240))
    return canvas.finish()


def header_bg(scale):
    width, height = 645, 27
    canvas = Canvas((width, height), scale, WHITE)
    # Square on the right: the program stretches the bar to the list's width.
    canvas.gradient((0, 0, width, height), (236, 242, 250), (222, 232, 246), radius=5,
                    corners=(True, False, False, True))
    return canvas.finish()


@functools.lru_cache(maxsize=None)
def prompt_bg(scale):
    """The small prompt window: a title band and a white body whose middle the program fills."""
    width, height = PROMPT_SIZE
    canvas = Canvas(PROMPT_SIZE, scale, WHITE)
    canvas.gradient((0, 0, width, PROMPT_BAND_HEIGHT), NAVY, TEAL)
    free = canvas.at(0, 0)
    # Low enough that the top-right corner under the close button stays plain.
    for radius, alpha in ((100, 6), (76, 7), (52, 8)):
        free.ellipse(300, 118, radius, fill=(255, 255, 255, alpha))
    canvas.rect((0, PROMPT_BAND_HEIGHT, width, height), fill=WHITE)
    canvas.rect((0, PROMPT_BAND_HEIGHT - 1, width, PROMPT_BAND_HEIGHT), fill=mix(TEAL, NAVY, 0.35))
    free.logo(24, 22, 52)
    free.text(90, 32, "Tarnwick", 26, WHITE, bold=True)
    canvas.rect((0, 0, width, height), outline=WINDOW_EDGE, radius=WINDOW_RADIUS)
    return window_shape(canvas, canvas.finish())


def gear(pen, cx, cy, radius, teeth, fill, phase=0):
    """A gear with rounded teeth reaching radius and a hole through its middle.

    The hole is cut, so draw it on a glyph layer. A tooth points at angle
    phase (radians, clockwise from the right), the others evenly after it.
    """
    body = radius * 0.78
    step = 2 * math.pi / teeth
    rounding = radius * 0.05

    def polar(r, angle):
        return cx + math.cos(angle) * r, cy + math.sin(angle) * r

    for k in range(teeth):
        angle = phase + k * step
        corners = [polar(body * 0.9, angle - step * 0.28), polar(radius - rounding, angle - step * 0.17),
                   polar(radius - rounding, angle + step * 0.17), polar(body * 0.9, angle + step * 0.28)]
        pen.polygon(corners, fill)
        # Tracing the outline rounds the tooth's corners.
        pen.line(corners + corners[:1], rounding * 2, fill)
    pen.ellipse(cx, cy, body, fill=fill)
    pen.ellipse(cx, cy, radius * 0.32, fill=(0, 0, 0, 0))


def gear_pair(pen, cx, cy, radius, small, angle, big_fill, small_fill):
    """A gear and a smaller one meshing with it towards angle (degrees, clockwise from the right)."""
    teeth = 12
    small_teeth = max(6, round(teeth * small / radius))
    towards = math.radians(angle)
    # A little further apart than where the teeth are half deep, so each tooth sits loosely in a gap.
    distance = (radius + small) * 0.92
    gear(pen, cx, cy, radius, teeth, big_fill, towards + math.pi / teeth)
    gear(pen, cx + math.cos(towards) * distance, cy + math.sin(towards) * distance, small, small_teeth,
         small_fill, towards + math.pi)


def shield_outline(cx, top, width):
    """A shield's corners: a gently dipped top, straight flanks, curving in to a point."""
    half, height = width / 2, width * 1.16
    right = [(cx + half * u, top + height * 0.08 * u * u) for u in (i / 6 for i in range(7))]
    for i in range(1, 13):
        u = i / 12
        # A quadratic curve from halfway down the flank, pulled towards (half, 0.85), to the point.
        right.append((cx + half * ((1 - u) ** 2 + 2 * u * (1 - u)),
                      top + height * ((1 - u) ** 2 * 0.5 + 2 * u * (1 - u) * 0.85 + u * u)))
    return [(2 * cx - x, y) for x, y in reversed(right[1:])] + right


def shield(pen, cx, top, width):
    """A green shield with a white check mark; a white rim sets it off from what lies behind."""
    outer = shield_outline(cx, top, width)
    pen.line(outer + outer[:1], width * 0.14, WHITE)
    edge = mix(GREEN, NAVY, 0.25)
    # The thin trace rounds the corners.
    pen.line(outer + outer[:1], width * 0.04, edge)
    pen.polygon(outer, fill=edge)
    inset = width * 0.08
    pen.polygon(shield_outline(cx, top + inset, width - 2 * inset), fill=GREEN)
    height = width * 1.16
    pen.line([(cx - width * 0.19, top + height * 0.47), (cx - width * 0.04, top + height * 0.61),
              (cx + width * 0.2, top + height * 0.35)], width * 0.1, WHITE)


def settings_header(scale):
    """The settings page's header card; the program writes the heading and a sentence into it."""
    canvas = Canvas(SETTINGS_HEADER_SIZE, scale, PANEL)
    card(canvas, SETTINGS_CARD)
    layer = canvas.glyph_layer()
    gear_pair(layer, 654, 98, 44, 22, -58, (220, 232, 248), (206, 226, 246))
    # Cut off by the card's lower edge, the gears stay low, clear of the text.
    clip = Image.new("L", layer.image.size, 0)
    left, top, right, bottom = (round(v) for v in canvas.box(*SETTINGS_CARD))
    clip.paste(rounded_mask((right - left + 1, bottom - top + 1), 10 * canvas.unit), (left, top))
    layer.image.putalpha(ImageChops.multiply(layer.image.getchannel("A"), clip))
    canvas.place(layer)
    return canvas.finish()


def settings_decor(scale):
    """A gear guarded by a shield, for the lower right of the settings page."""
    canvas = Canvas(SETTINGS_DECOR_SIZE, scale, PANEL)
    free = canvas.at(0, 0)
    soft_circles(free, 116, 112, 92)
    layer = canvas.glyph_layer()
    gear_pair(layer, 96, 98, 56, 26, -50, TEAL, BRIGHT)
    canvas.place(layer)
    shield(free, 154, 112, 62)
    return canvas.finish()
