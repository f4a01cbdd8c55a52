"""Button and check box faces. Captions are drawn by the program, so faces keep
their middle free; each face is drawn onto exactly what lies beneath it in
the window, so its corners blend in.
"""
import functools

from artkit import BRIGHT, GREEN, NAVY, PANEL, RED, TEAL, WHITE, Canvas, crop, mix
from backgrounds import BAND_HEIGHT, main_bg, prompt_bg, warning_banner

NAV_SIZE = (179, 40)
NAV_LEFT = 5
WINDOW_BUTTON_SIZE = 25
WINDOW_BUTTON_TOP = 4
WINDOW_BUTTON_LEFT = {"min": 876, "close": 901}
BIG_SIZE = (308, 59)
MID_SIZE = (145, 35)
# Where the DOWNLOAD ALL button sits on the warning banner.
MID_ON_BANNER = (556, 18)
ROW_BUTTON_SIZE = (81, 26)
PROMPT_CLOSE_AT = (419, 3)
# Tall buttons leave white space above and below: the face is the middle 48 of 74.
TALL_HEIGHT = 74
TALL_FACE = (13, 61)

# Translucent, so the band shows through; closing turns red.
WINDOW_BUTTON_FILL = {
    ("min", "normal"): (255, 255, 255, 24),
    ("min", "hot"): (255, 255, 255, 64),
    ("min", "pressed"): (0, 0, 0, 56),
    ("close", "normal"): (255, 255, 255, 24),
    ("close", "hot"): RED,
    ("close", "pressed"): mix(RED, NAVY, 0.3),
}
GREEN_BUTTON = {
    "normal": ((58, 190, 108), (36, 154, 82), (26, 122, 64)),
    "hot": ((72, 200, 120), (42, 166, 90), (30, 132, 70)),
    "pressed": ((34, 150, 78), (30, 136, 70), (24, 112, 58)),
    "disabled": ((196, 205, 215), (176, 187, 199), (152, 164, 178)),
}
GREY_BUTTON = {
    "normal": ((236, 241, 248), (212, 222, 236), (166, 182, 204)),
    "hot": ((246, 249, 253), (224, 233, 244), (170, 188, 212)),
    "pressed": ((204, 215, 230), (196, 208, 225), (150, 168, 194)),
}
# A light face needs an edge to stand out from white and from the panel.
GREY_EDGE = {"normal": (176, 192, 214), "hot": (110, 166, 212), "pressed": (140, 160, 188)}
ROW_BUTTON = {
    "normal": (WHITE, (230, 240, 251), (156, 178, 204)),
    "hot": ((248, 252, 255), (216, 235, 252), (82, 156, 206)),
    "pressed": ((206, 223, 245), (226, 238, 251), (110, 142, 184)),
    "disabled": ((246, 247, 249), (238, 241, 245), (212, 218, 226)),
}


@functools.lru_cache(maxsize=None)
def nav_face(state, scale):
    """Drawn over the top of the navigation column, which is nearly flat where the buttons sit."""
    width, height = NAV_SIZE
    canvas = Canvas.over(crop(main_bg(scale), scale, NAV_LEFT, BAND_HEIGHT, width, height), scale)
    if state == "hot":
        canvas.rect((0, 0, width, height), fill=(255, 255, 255, 130), outline=(172, 198, 230), radius=6)
    elif state == "pressed":
        canvas.rect((0, 0, width, height), fill=GREEN, radius=6)
        # Darkest where the caption starts, for white text.
        canvas.gradient((4, 0, width, height), TEAL, mix(TEAL, BRIGHT, 0.55), radius=6, horizontal=True,
                        corners=(False, True, True, False))
        canvas.rect((10, 1, width - 6, 2), fill=(255, 255, 255, 40))
    return canvas.finish()


def window_button(kind, state, scale):
    under = crop(main_bg(scale), scale, WINDOW_BUTTON_LEFT[kind], WINDOW_BUTTON_TOP, WINDOW_BUTTON_SIZE,
                 WINDOW_BUTTON_SIZE)
    return window_face(under, kind, state, scale)


def prompt_close_button(state, scale):
    under = crop(prompt_bg(scale), scale, *PROMPT_CLOSE_AT, WINDOW_BUTTON_SIZE, WINDOW_BUTTON_SIZE)
    return window_face(under, "close", state, scale)


def window_face(under, kind, state, scale):
    size = WINDOW_BUTTON_SIZE
    canvas = Canvas.over(under, scale)
    canvas.rect((0, 0, size, size), fill=WINDOW_BUTTON_FILL[kind, state], radius=5)
    if kind == "close":
        free = canvas.at(0, 0)
        free.line([(8.5, 8.5), (16.5, 16.5)], 1.7, WHITE)
        free.line([(16.5, 8.5), (8.5, 16.5)], 1.7, WHITE)
    else:
        canvas.rect((8, 13, 17, 15), fill=WHITE)
    return canvas.finish()


def raised_face(canvas, box, colours, state, radius, edges=None):
    """A button with a darker lip below it; pressed sinks onto the lip."""
    x0, y0, x1, y1 = box
    top, bottom, lip = colours[state]
    sink = 1 if state == "pressed" else 0
    canvas.rect((x0, y0 + 2, x1, y1), fill=lip, radius=radius)
    canvas.gradient((x0, y0 + sink, x1, y1 - 2 + sink), top, bottom, radius=radius)
    if edges:
        canvas.rect((x0, y0 + sink, x1, y1 - 2 + sink), outline=edges[state], radius=radius)
    canvas.rect((x0 + radius, y0 + sink + 1, x1 - radius, y0 + sink + 2), fill=(255, 255, 255, 50))
    return canvas.finish()


def big_button(state, scale):
    return raised_face(Canvas(BIG_SIZE, scale, PANEL), (0, 0, *BIG_SIZE), GREEN_BUTTON, state, 10)


def mid_button(state, scale):
    under = crop(warning_banner(scale), scale, *MID_ON_BANNER, *MID_SIZE)
    return raised_face(Canvas.over(under, scale), (0, 0, *MID_SIZE), GREEN_BUTTON, state, 8)


# Tall buttons by name: width, colours, edges and what lies beneath them.
TALL_BUTTONS = {
    "promptbtn_cancel": (158, GREY_BUTTON, GREY_EDGE, WHITE),
    "promptbtn_continue": (250, GREEN_BUTTON, None, WHITE),
    "btn_reset": (181, GREY_BUTTON, GREY_EDGE, PANEL),
    "btn_saveall": (250, GREEN_BUTTON, None, PANEL),
}


def tall_button(name, state, scale):
    width, colours, edges, background = TALL_BUTTONS[name]
    canvas = Canvas((width, TALL_HEIGHT), scale, background)
    return raised_face(canvas, (0, TALL_FACE[0], width, TALL_FACE[1]), colours, state, 10, edges)


def row_button(state, scale):
    width, height = ROW_BUTTON_SIZE
    top, bottom, edge = ROW_BUTTON[state]
    canvas = Canvas(ROW_BUTTON_SIZE, scale, WHITE)
    canvas.gradient((0, 0, width, height), top, bottom, radius=5)
    canvas.rect((0, 0, width, height), outline=edge, radius=5)
    return canvas.finish()


def check_box(checked, hot, background, scale):
    canvas = Canvas((16, 16), scale, background)
    box = (1, 1, 15, 15)
    if checked:
        top, bottom = (mix(BRIGHT, WHITE, 0.15), mix(TEAL, BRIGHT, 0.35)) if hot else (BRIGHT, TEAL)
        canvas.gradient(box, top, bottom, radius=3)
        canvas.rect(box, outline=mix(TEAL, NAVY, 0.2 if hot else 0.4), radius=3)
        canvas.at(0, 0).line([(4.6, 8.2), (7, 10.6), (11.4, 5.6)], 1.8, WHITE)
    else:
        top, bottom = ((246, 251, 255), (222, 238, 252)) if hot else (WHITE, (238, 244, 251))
        canvas.gradient(box, top, bottom, radius=3)
        canvas.rect(box, outline=BRIGHT if hot else (138, 160, 188), radius=3)
    return canvas.finish()


def info_mark(scale):
    """Update available: a green disc with an up arrow."""
    canvas = Canvas((14, 14), scale, WHITE)
    free = canvas.at(0, 0)
    free.ellipse(7, 7, 7, fill=GREEN)
    free.line([(7, 10.6), (7, 3.8)], 1.7, WHITE)
    free.line([(4.2, 6.6), (7, 3.8), (9.8, 6.6)], 1.7, WHITE)
    return canvas.finish()
