"""Device class icons, 16 units each, in the order the program indexes them.
Bold silhouettes in navy with one accent and grey, so they still read at
16 pixels; each is drawn at its own size rather than scaled from another.
"""
import math

from artkit import BRIGHT, GREEN, GREY, NAVY, PALE, RED, SILVER, TEAL, WHITE, Canvas, mix

ICON = 16
CLEAR = (0, 0, 0, 0)


def chip(pen):
    for y in (3, 7, 11):
        pen.rect((1, y, 4, y + 2), fill=GREY, radius=0.4)
        pen.rect((12, y, 15, y + 2), fill=GREY, radius=0.4)
    pen.rect((3.5, 1, 12.5, 15), fill=NAVY, radius=1.2)
    pen.ellipse(6, 3.6, 1, fill=BRIGHT)


def network(pen):
    pen.ellipse(8, 8, 7.2, fill=TEAL)
    pen.ellipse(8, 8, 2.9, 6.4, outline=WHITE, width=1.1)
    pen.line([(1.6, 8), (14.4, 8)], 1.1, WHITE)
    pen.ring(8, 8, 7.2, 1, NAVY)


def system(pen):
    """A motherboard: board, processor socket, slots and a trace."""
    pen.rect((1, 1.5, 15, 14.5), fill=TEAL, radius=1.2)
    pen.rect((3, 3.5, 8, 8.5), fill=NAVY, radius=0.6)
    pen.rect((10, 3.5, 13, 4.8), fill=PALE)
    pen.rect((10, 6, 13, 7.3), fill=PALE)
    pen.rect((3, 10.5, 13, 12), fill=PALE)


def computer(pen):
    pen.rect((10, 1.5, 15.5, 14.5), fill=NAVY, radius=1)
    pen.rect((11.3, 3.3, 14.2, 4.4), fill=SILVER)
    pen.ellipse(12.75, 12, 0.8, fill=BRIGHT)
    pen.rect((4, 11, 6, 13.3), fill=GREY)
    pen.rect((1.5, 13, 8.5, 14.5), fill=GREY, radius=0.5)
    pen.rect((0.5, 3, 9.5, 11.2), fill=NAVY, radius=1)
    pen.rect((1.7, 4.2, 8.3, 10), fill=BRIGHT)


def bluetooth(pen):
    pen.rect((3, 0.5, 13, 15.5), fill=BRIGHT, radius=5)
    pen.line([(5.2, 5.3), (10.7, 10.5), (8, 13.1), (8, 2.9), (10.7, 5.5), (5.2, 10.7)], 1.35, WHITE)


def camera(pen):
    pen.polygon([(4.8, 5), (6.2, 2.5), (9.8, 2.5), (11.2, 5)], fill=NAVY)
    pen.rect((1, 4.3, 15, 14), fill=NAVY, radius=1.6)
    pen.ellipse(8, 9.1, 3.5, fill=WHITE)
    pen.ellipse(8, 9.1, 2.2, fill=BRIGHT)
    pen.rect((12, 6, 13.6, 7.2), fill=SILVER)


def human_interface(pen):
    """A joystick."""
    pen.line([(8, 5), (8, 11)], 1.8, GREY)
    pen.rect((2, 10.5, 14, 14.8), fill=NAVY, radius=1.6)
    pen.ellipse(8, 4.2, 3, fill=BRIGHT)
    pen.ellipse(4.3, 9.7, 1.3, fill=BRIGHT)


def mouse(pen):
    pen.rect((3.5, 1, 12.5, 15), fill=NAVY, radius=4.5)
    pen.line([(3.5, 6.6), (12.5, 6.6)], 0.9, WHITE)
    pen.line([(8, 1), (8, 6.6)], 0.9, WHITE)
    pen.rect((7, 2.6, 9, 5.2), fill=BRIGHT, radius=1)


def disk_drive(pen):
    """A hard disk from above: platter and head arm."""
    pen.rect((2, 0.5, 14, 15.5), fill=GREY, radius=1.4)
    pen.ellipse(8, 6.6, 5, fill=mix(SILVER, WHITE, 0.45))
    pen.ellipse(8, 6.6, 1.2, fill=NAVY)
    pen.line([(11.6, 13.2), (8.9, 8.4)], 1.3, NAVY)
    pen.ellipse(11.6, 13.2, 1.3, fill=NAVY)


def usb(pen):
    pen.polygon([(8, 0.5), (5.6, 4.2), (10.4, 4.2)], fill=NAVY)
    pen.line([(8, 3.5), (8, 13)], 1.4, NAVY)
    pen.ellipse(8, 13.4, 2, fill=NAVY)
    pen.line([(8, 11.2), (4.5, 8.8), (4.5, 6.6)], 1.3, NAVY)
    pen.ellipse(4.5, 5.8, 1.5, fill=NAVY)
    pen.line([(8, 9.6), (11.5, 7.4), (11.5, 6)], 1.3, NAVY)
    pen.rect((10.2, 3.8, 12.8, 6.4), fill=NAVY)


def sound(pen):
    pen.rect((1, 5.5, 4.5, 10.5), fill=NAVY, radius=0.5)
    pen.polygon([(3.5, 5.5), (8.2, 1.8), (8.2, 14.2), (3.5, 10.5)], fill=NAVY)
    pen.ring(8.5, 8, 3, 1.4, TEAL, -55, 55)
    pen.ring(8.5, 8, 6, 1.4, TEAL, -55, 55)


def card_edge(pen, board):
    """An expansion card's bracket and gold-less contacts, shared by two icons."""
    pen.rect((4, 11.5, 11, 14), fill=GREY)
    for x in (5.5, 7.5, 9.5):
        pen.rect((x, 12.5, x + 0.7, 14), fill=WHITE)
    pen.rect((0.5, 1.5, 2.3, 14.5), fill=GREY, radius=0.4)
    pen.rect((2, 3, 15.5, 12), fill=board, radius=1)


def storage_controller(pen):
    """A controller card with a wide cable connector."""
    card_edge(pen, TEAL)
    pen.rect((4, 5.3, 8.3, 9.6), fill=NAVY, radius=0.5)
    pen.rect((9.8, 4.5, 14.2, 7), fill=NAVY, radius=0.5)
    pen.rect((10.6, 5.4, 13.4, 6.1), fill=PALE)


def monitor(pen):
    pen.rect((7, 11.5, 9, 13.6), fill=GREY)
    pen.rect((4, 13.3, 12, 15), fill=GREY, radius=0.7)
    pen.rect((0.5, 1.5, 15.5, 12), fill=NAVY, radius=1.2)
    pen.gradient((1.8, 2.8, 14.2, 10.7), BRIGHT, TEAL)


def optical_drive(pen):
    pen.ellipse(8, 8, 7.4, fill=SILVER)
    pen.wedge(8, 8, 7.4, 200, 250, PALE)
    pen.wedge(8, 8, 7.4, 20, 70, BRIGHT)
    pen.ring(8, 8, 7, 0.9, GREY)
    pen.ellipse(8, 8, 2.8, fill=WHITE)
    pen.ring(8, 8, 2.4, 0.8, GREY)
    pen.ellipse(8, 8, 1.1, fill=CLEAR)


def volume(pen):
    """A drive with a usage bar under it, as a file manager shows a volume."""
    pen.rect((1, 2, 15, 9.5), fill=GREY, radius=1.4)
    pen.rect((1, 2, 15, 6.5), fill=SILVER, radius=1.4)
    pen.ellipse(12.6, 7.9, 0.9, fill=GREEN)
    pen.rect((1, 11.5, 15, 15), fill=WHITE, outline=GREY, width=1, radius=0.6)
    pen.rect((2, 12.5, 10, 14), fill=TEAL)


def keyboard(pen):
    pen.rect((0.5, 3.5, 15.5, 12.5), fill=NAVY, radius=1.5)
    for row in (5.2, 7.4):
        for key in range(6):
            x = 1.9 + 2.1 * key
            pen.rect((x, row, x + 1.5, row + 1.4), fill=PALE, radius=0.2)
    pen.rect((4.2, 9.7, 11.8, 11), fill=PALE, radius=0.2)


def mobile(pen):
    pen.rect((3.8, 0.5, 12.2, 15.5), fill=NAVY, radius=1.8)
    pen.rect((5.1, 2.2, 10.9, 12.2), fill=BRIGHT)
    pen.ellipse(8, 13.9, 0.8, fill=PALE)


def ide_controller(pen):
    """A ribbon cable with its red first wire, plugged into a connector."""
    pen.rect((2.5, 5.5, 13.5, 15.5), fill=SILVER)
    for x in (6, 8, 10, 12):
        pen.rect((x, 5.5, x + 0.6, 15.5), fill=GREY)
    pen.rect((2.5, 5.5, 4, 15.5), fill=RED)
    pen.rect((1, 1, 15, 6.5), fill=NAVY, radius=0.8)
    pen.rect((2.8, 3.1, 13.2, 4.4), fill=PALE)


def processor(pen):
    for at in (3.9, 6.3, 8.7, 11.1):
        pen.rect((at, 0.5, at + 1, 15.5), fill=GREY)
        pen.rect((0.5, at, 15.5, at + 1), fill=GREY)
    pen.rect((2.5, 2.5, 13.5, 13.5), fill=NAVY, radius=1)
    pen.rect((5, 5, 11, 11), fill=SILVER, radius=0.8)
    pen.polygon([(5, 5), (7, 5), (5, 7)], fill=BRIGHT)


def battery(pen):
    pen.rect((1, 4, 13.6, 12), outline=NAVY, width=1.3, radius=1.5)
    pen.rect((13.6, 6.2, 15.2, 9.8), fill=NAVY, radius=0.5)
    pen.rect((2.8, 5.8, 9.6, 10.2), fill=GREEN, radius=0.4)


def display_adapter(pen):
    """A graphics card: a card with a fan."""
    card_edge(pen, NAVY)
    pen.ellipse(9.5, 7.5, 3.6, fill=SILVER)
    for blade in range(4):
        angle = blade * math.pi / 2 + 0.5
        pen.line([(9.5, 7.5), (9.5 + math.cos(angle) * 2.8, 7.5 + math.sin(angle) * 2.8)], 1, GREY)
    pen.ellipse(9.5, 7.5, 1.1, fill=NAVY)


def firewire(pen):
    """The 1394 mark: three arms with round ends from one point."""
    cx, cy = 8, 8.8
    for angle in (-90, 30, 150):
        x = cx + math.cos(math.radians(angle)) * 5.2
        y = cy + math.sin(math.radians(angle)) * 5.2
        pen.line([(cx, cy), (x, y)], 1.7, NAVY)
        pen.ellipse(x, y, 1.9, fill=TEAL)
    pen.ellipse(cx, cy, 1.7, fill=NAVY)


def ports(pen):
    """A serial port's D-shaped connector."""
    outline = [(1, 4), (15, 4), (13.4, 12), (2.6, 12)]
    pen.line(outline + [outline[0]], 1.2, NAVY)
    pen.polygon(outline, fill=NAVY)
    for i in range(5):
        pen.ellipse(3.6 + 2.2 * i, 6.6, 0.8, fill=PALE)
    for i in range(4):
        pen.ellipse(4.7 + 2.2 * i, 9.4, 0.8, fill=PALE)


def printer(pen):
    pen.rect((4, 0.5, 12, 6), fill=WHITE, outline=GREY, width=1, radius=0.4)
    pen.rect((0.5, 5, 15.5, 12), fill=NAVY, radius=1.5)
    pen.ellipse(13, 7, 0.8, fill=GREEN)
    pen.rect((3.5, 9.5, 12.5, 15.5), fill=WHITE, outline=GREY, width=1, radius=0.4)
    pen.rect((5.5, 11.8, 10.5, 12.6), fill=SILVER)


def unknown(pen):
    pen.ellipse(8, 8, 7.4, fill=GREY)
    pen.text(8, 8.4, "?", 12, WHITE, bold=True, anchor="mm")


DRAWERS = [chip, network, system, computer, bluetooth, camera, human_interface, mouse, disk_drive, usb, sound,
           storage_controller, monitor, optical_drive, volume, keyboard, mobile, ide_controller, processor,
           battery, display_adapter, firewire, ports, printer, unknown]


def class_icons(scale):
    canvas = Canvas((ICON * len(DRAWERS), ICON), scale, WHITE)
    layer = canvas.glyph_layer()
    for index, draw in enumerate(DRAWERS):
        draw(layer.at(ICON * index, 0))
    canvas.place(layer)
    return canvas.finish()
