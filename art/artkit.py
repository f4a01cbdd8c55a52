"""Drawing helpers shared by Tarnwick's pictures: the palette, fonts, gradients,
colour-key flattening and a pen that draws in 100 % units on a supersampled
image, so one drawing serves every scale.
"""
import os

from PIL import Image, ImageChops, ImageDraw, ImageFont

SUPERSAMPLE = 4
SCALES = {"100": 1.0, "150": 1.5, "200": 2.0}
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

NAVY = (14, 52, 86)
TEAL = (10, 112, 140)
BRIGHT = (64, 170, 220)
GREEN = (46, 178, 96)
PALE = (196, 228, 244)
MUTED = (150, 198, 222)
WHITE = (255, 255, 255)
GREY = (120, 134, 150)
SILVER = (196, 206, 218)
RED = (200, 60, 60)
CARD_EDGE = (200, 216, 238)
# Shaped windows are cut out where their background shows this colour.
KEY = (0, 128, 0)
# The program paints its content panel in this colour; pictures on it must match.
PANEL = (215, 231, 251)


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def mix(a, b, t):
    """The colour a fraction t of the way from a to b."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def linear(t):
    return t


def vertical_gradient(size, top, bottom, ease=linear):
    width, height = size
    column = Image.new("RGB", (1, height))
    column.putdata([mix(top, bottom, ease(y / max(1, height - 1))) for y in range(height)])
    return column.resize((width, height))


def horizontal_gradient(size, left, right, ease=linear):
    return vertical_gradient(size[::-1], left, right, ease).transpose(Image.TRANSPOSE)


def flatten_on_key(image, key):
    """Opaque where the art covers at least half a pixel, the colour key elsewhere."""
    out = Image.new("RGB", image.size, key)
    alpha = image.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    out.paste(image.convert("RGB"), (0, 0), alpha)
    # The key must not occur inside the art, or holes would appear in the window.
    holes = alpha
    for channel, value in zip(out.split(), key):
        holes = ImageChops.multiply(holes, channel.point(lambda v, k=value: 255 if v == k else 0))
    out.paste((key[0], key[1] + 1, key[2]), None, holes)
    return out


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


def rounded_mask(size, radius, corners=None):
    """A rounded box; corners (top left, top right, bottom right, bottom left) says which are round."""
    width, height = size
    mask = Image.new("L", size, 0)
    draw = ImageDraw.Draw(mask)
    draw.rounded_rectangle((0, 0, width - 1, height - 1), radius=radius, fill=255)
    squares = [(0, 0), (width - radius, 0), (width - radius, height - radius), (0, height - radius)]
    for (x, y), round_corner in zip(squares, corners or [True] * 4):
        if not round_corner:
            draw.rectangle((x, y, x + radius, y + radius), fill=255)
    return mask


def crop(picture, scale, x, y, width, height):
    """The part of a finished picture under a box given in 100 % units."""
    left, top = round(x * scale), round(y * scale)
    return picture.crop((left, top, left + round(width * scale), top + round(height * scale)))


class Pen:
    """Draws shapes given in 100 % units onto a supersampled image.

    A snapping pen puts every coordinate on the final pixel grid, so straight
    edges of backgrounds stay crisp at 150 %; icons use free pens to keep
    their proportions. Boxes are (left, top, right, bottom) with right and
    bottom exclusive, like the layout they match.
    """

    def __init__(self, image, scale, origin=(0, 0), snap=False):
        self.image = image
        # RGBA ink blends on RGB images, so translucent fills work there.
        self.draw = ImageDraw.Draw(image, "RGBA")
        self.scale = scale
        self.unit = scale * SUPERSAMPLE
        self.origin = origin
        self.snap = snap

    def at(self, x, y, zoom=1):
        """A free pen whose origin is (x, y) of this one, for drawing a part, zoom times larger."""
        return Pen(self.image, self.scale * zoom, self.pt(x, y))

    def pt(self, x, y):
        if self.snap:
            x, y = round(x * self.scale) * SUPERSAMPLE, round(y * self.scale) * SUPERSAMPLE
        else:
            x, y = x * self.unit, y * self.unit
        return x + self.origin[0], y + self.origin[1]

    def box(self, x0, y0, x1, y1):
        left, top = self.pt(x0, y0)
        right, bottom = self.pt(x1, y1)
        return left, top, right - 1, bottom - 1

    def stroke(self, width):
        """A line width in supersampled pixels; whole final pixels on snapping pens."""
        if self.snap:
            return max(1, round(width * self.scale)) * SUPERSAMPLE
        return max(1, round(width * self.unit))

    def rect(self, box, fill=None, outline=None, width=1, radius=0):
        self.draw.rounded_rectangle(self.box(*box), radius=radius * self.unit, fill=fill, outline=outline,
                                    width=self.stroke(width))

    def ellipse(self, cx, cy, rx, ry=None, fill=None, outline=None, width=1):
        ry = rx if ry is None else ry
        self.draw.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill, outline=outline,
                          width=self.stroke(width))

    def ring(self, cx, cy, r, width, fill, start=0, end=360):
        """A circle or arc whose stroke is centred on radius r."""
        half = width / 2
        self.draw.arc(self.box(cx - r - half, cy - r - half, cx + r + half, cy + r + half), start, end,
                      fill=fill, width=self.stroke(width))

    def line(self, points, width, fill):
        """A polyline with round joints and round caps."""
        points = [self.pt(*p) for p in points]
        w = self.stroke(width)
        self.draw.line(points, fill=fill, width=w, joint="curve")
        for x, y in (points[0], points[-1]):
            self.draw.ellipse((x - w / 2, y - w / 2, x + w / 2 - 1, y + w / 2 - 1), fill=fill)

    def wedge(self, cx, cy, r, start, end, fill):
        self.draw.pieslice(self.box(cx - r, cy - r, cx + r, cy + r), start, end, fill=fill)

    def polygon(self, points, fill):
        self.draw.polygon([self.pt(*p) for p in points], fill=fill)

    def text(self, x, y, words, size, fill, bold=False, anchor="la"):
        self.draw.text(self.pt(x, y), words, font=font(round(size * self.unit), bold), fill=fill, anchor=anchor)

    def gradient(self, box, start, end, radius=0, horizontal=False, ease=linear, corners=None):
        """A box filled with a gradient, optionally with (some) rounded corners."""
        left, top, right, bottom = (round(v) for v in self.box(*box))
        size = (right - left + 1, bottom - top + 1)
        make = horizontal_gradient if horizontal else vertical_gradient
        self.image.paste(make(size, start, end, ease), (left, top), rounded_mask(size, radius * self.unit, corners))

    def logo(self, x, y, size):
        left, top = self.pt(x, y)
        chip_logo(self.draw, (left, top, left + size * self.unit, top + size * self.unit), self.unit)


class Canvas(Pen):
    """A picture of a given 100 % size at one scale, drawn supersampled."""

    def __init__(self, size, scale, background, snap=True):
        self.size = (round(size[0] * scale), round(size[1] * scale))
        big = (self.size[0] * SUPERSAMPLE, self.size[1] * SUPERSAMPLE)
        super().__init__(Image.new("RGB", big, background), scale, snap=snap)

    @classmethod
    def over(cls, picture, scale):
        """A canvas on top of a finished picture; untouched pixels come out unchanged."""
        canvas = cls((picture.width / scale, picture.height / scale), scale, WHITE)
        canvas.image.paste(picture.resize(canvas.image.size, Image.NEAREST))
        return canvas

    def glyph_layer(self):
        """A transparent layer for art that cuts holes in itself; see place()."""
        return Pen(Image.new("RGBA", self.image.size, (0, 0, 0, 0)), self.scale)

    def place(self, layer):
        self.image.paste(layer.image, (0, 0), layer.image)

    def finish(self):
        return self.image.reduce(SUPERSAMPLE)
