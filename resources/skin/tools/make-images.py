#!/usr/bin/env python3
"""Regenerates every picture of the skin from the small vector drawings below.

Each drawing is an SVG document in its own pixel units; it is rendered once at 96 DPI (the
file named in the layouts) and once at twice that density (the same name with "@2x", which
the window library picks up on high-DPI screens). Needs python3 and ImageMagick's convert.

Run from anywhere:  resources/skin/tools/make-images.py
"""

import os
import subprocess
import sys
import tempfile

SKIN = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# The palette of the dark theme; the layouts use the same values.
PAGE = "#15171C"
PANEL = "#1B1E24"
RAISED = "#1F232A"
LINE = "#2C313A"
CHASSIS = "#101216"
TEXT = "#E6E8EB"
SOFT = "#B8C0CC"
MUTED = "#5A6270"
ACCENT = "#19C3FF"
ACCENT_HOT = "#6FDCFF"
INK = "#0D1014"
ORANGE = "#FF5A3C"
GREEN = "#3DDC84"


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">{body}</svg>')


def stroke(colour, width=1.5):
    return (f'fill="none" stroke="{colour}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round"')


def fill(colour):
    return f'fill="{colour}" stroke="none"'


def render(name, document, two_x=True):
    """Writes name (relative to the skin folder) and, unless told not to, its @2x twin."""
    path = os.path.join(SKIN, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(document)
        source = f.name
    try:
        targets = [(96, path)]
        if two_x:
            stem, ext = os.path.splitext(path)
            targets.append((192, stem + "@2x" + ext))
        for density, target in targets:
            subprocess.run(["convert", "-background", "none", "-density", str(density), source,
                            "-depth", "8", "-strip", "PNG32:" + target], check=True)
    finally:
        os.unlink(source)


# ---- caption and small glyphs (16 x 16) ------------------------------------------------------

def glyph(body, colour=SOFT, width=1.5):
    return svg(16, 16, body.replace("STROKE", stroke(colour, width)).replace("FILL", fill(colour)))


GLYPHS = {
    "common/btn_close.png": '<path d="M4 4L12 12M12 4L4 12" STROKE/>',
    "common/btn_min.png": '<path d="M3.5 8.5H12.5" STROKE/>',
    "common/btn_max.png": '<rect x="3.5" y="3.5" width="9" height="9" rx="1.5" STROKE/>',
    "common/btn_restore.png": ('<rect x="3" y="5.5" width="7.5" height="7.5" rx="1.5" STROKE/>'
                               '<path d="M5.5 3H11.5A1.5 1.5 0 0 1 13 4.5V10.5" STROKE/>'),
    # A palette: the skin window changes the background.
    "common/btn_skin.png": ('<path d="M8 2.5A5.5 5.5 0 1 0 8 13.5C9 13.5 9.3 12.8 8.9 12.1C8.4 11.2 9 10.3 '
                            '10 10.3H11.5A2 2 0 0 0 13.5 8.3A5.5 5.5 0 0 0 8 2.5Z" STROKE/>'
                            '<circle cx="5.3" cy="7.2" r="1" FILL/><circle cx="8" cy="5.3" r="1" FILL/>'
                            '<circle cx="10.7" cy="7.2" r="1" FILL/>'),
    # A gear: eight teeth around a ring.
    "common/btn_set.png": ('<path d="M6.9 1.8H9.1L9.5 3.6L10.9 4.2L12.4 3.2L13.9 4.7L12.9 6.2L13.5 7.6L15.2 8'
                           'V10L13.5 10.4L12.9 11.8L13.9 13.3L12.4 14.8L10.9 13.8L9.5 14.4L9.1 16.2H6.9'
                           'L6.5 14.4L5.1 13.8L3.6 14.8L2.1 13.3L3.1 11.8L2.5 10.4L0.8 10V8L2.5 7.6'
                           'L3.1 6.2L2.1 4.7L3.6 3.2L5.1 4.2L6.5 3.6Z" transform="translate(1.2 -0.2) scale(0.85)" '
                           'STROKE/><circle cx="8" cy="7.6" r="2.1" STROKE/>'),
    "common/btn_cloud.png": ('<path d="M4.5 12.5H11.5A2.8 2.8 0 0 0 11.7 6.9A3.8 3.8 0 0 0 4.5 7.6'
                             'A2.5 2.5 0 0 0 4.5 12.5Z" STROKE/>'),
    "common/btn_gamemode.png": ('<path d="M5 4.5H11A3.5 3.5 0 0 1 14.4 8.7L13.8 11.6A1.6 1.6 0 0 1 11.1 12.3'
                                'L10 11H6L4.9 12.3A1.6 1.6 0 0 1 2.2 11.6L1.6 8.7A3.5 3.5 0 0 1 5 4.5Z" STROKE/>'
                                '<path d="M5 7V9M4 8H6" STROKE/><circle cx="10.8" cy="7.5" r="0.8" FILL/>'
                                '<circle cx="11.3" cy="9.3" r="0.8" FILL/>'),
    "common/btn_smarteyes.png": ('<path d="M1.5 8C3.2 5 5.4 3.5 8 3.5S12.8 5 14.5 8C12.8 11 10.6 12.5 8 12.5'
                                 'S3.2 11 1.5 8Z" STROKE/><circle cx="8" cy="8" r="2.2" STROKE/>'),
    "common/btn_prev.png": '<path d="M4.5 10L8 6.5L11.5 10" STROKE/>',
    "common/btn_next.png": '<path d="M4.5 6.5L8 10L11.5 6.5" STROKE/>',
    # Two arrows chasing each other: lighting in step across devices.
    "common/ico_sync.png": ('<path d="M13 6.5A5.2 5.2 0 0 0 3.6 5.2" STROKE/><path d="M3.2 2.6V5.6H6.2" STROKE/>'
                            '<path d="M3 9.5A5.2 5.2 0 0 0 12.4 10.8" STROKE/><path d="M12.8 13.4V10.4H9.8" STROKE/>'),
    "common/ico_bulb.png": ('<path d="M6 12H10M6.5 14H9.5M5.6 10.2A4.5 4.5 0 1 1 10.4 10.2C9.9 10.6 9.8 11.2 9.8 12'
                            'H6.2C6.2 11.2 6.1 10.6 5.6 10.2Z" STROKE/>'),
    "common/ico_desktop.png": ('<rect x="2" y="3" width="12" height="8" rx="1.2" STROKE/>'
                               '<path d="M6 14H10M8 11V14" STROKE/>'),
}
# The sync glyph also comes dark, for the accent-filled state of its button.
GLYPHS_DARK = {"common/ico_sync_dark.png": GLYPHS["common/ico_sync.png"]}


def check_box(selected):
    if selected:
        return svg(16, 16, f'<rect x="1" y="1" width="14" height="14" rx="3.5" {fill(ACCENT)}/>'
                           f'<path d="M4.3 8.2L6.9 10.7L11.8 5.4" {stroke(INK, 2)}/>')
    return svg(16, 16, f'<rect x="1.5" y="1.5" width="13" height="13" rx="3" {stroke(MUTED, 1.5)}/>')


def logo(size):
    return svg(28, 28, f'<path d="M4 4H16L24 14L16 24H4L10 14Z" {fill(ACCENT)}/>'
                       f'<path d="M12 9H16L20 14L16 19H12L15 14Z" {fill(ORANGE)}/>')


# ---- device list icons (40 x 40 tiles) -------------------------------------------------------

def device_glyph(kind, colour):
    s = stroke(colour, 1.8)
    f = fill(colour)
    if kind == "kb":
        keys = "".join(f'<rect x="{x}" y="{y}" width="2.4" height="2.2" rx="0.6" {f}/>'
                       for y in (16.2, 19.6) for x in (11.4, 14.8, 18.2, 21.6, 25.0))
        return (f'<rect x="8" y="12" width="24" height="16" rx="3" {s}/>{keys}'
                f'<rect x="14" y="23" width="12" height="2.2" rx="1" {f}/>')
    if kind == "ms":
        return (f'<path d="M20 9.5C15.6 9.5 13 12.3 13 16.5V23.5C13 27.9 15.9 30.5 20 30.5'
                f'S27 27.9 27 23.5V16.5C27 12.3 24.4 9.5 20 9.5Z" {s}/>'
                f'<path d="M13 18H27M20 9.5V18" {s}/><rect x="19" y="12.3" width="2" height="3.6" rx="1" {f}/>')
    if kind == "hard_mp":
        return (f'<rect x="7.5" y="11.5" width="25" height="17" rx="2.5" {s}/>'
                f'<rect x="10.8" y="14.8" width="18.4" height="10.4" rx="1" {stroke(colour, 1.2)}/>'
                f'<circle cx="26" cy="22" r="1.4" {f}/>')
    if kind == "soft_mp":
        return (f'<path d="M7.5 14A2.5 2.5 0 0 1 10 11.5H30A2.5 2.5 0 0 1 32.5 14V22.5C32.5 26 30.5 28.5 27 28.5'
                f'H10A2.5 2.5 0 0 1 7.5 26Z" {s}/>'
                f'<path d="M32.5 22.5C30.5 22 28 22.6 27.4 25.2C27 26.8 27 28.5 27 28.5" {s}/>')
    if kind == "hd":
        return (f'<path d="M10 23V19A10 10 0 0 1 30 19V23" {s}/>'
                f'<rect x="8.5" y="21" width="5.5" height="9" rx="2.2" {s}/>'
                f'<rect x="26" y="21" width="5.5" height="9" rx="2.2" {s}/>')
    if kind == "hub":
        return (f'<rect x="9" y="15" width="22" height="11" rx="2.5" {s}/>'
                + "".join(f'<rect x="{x}" y="19" width="3.4" height="3" rx="0.6" {f}/>' for x in (12.5, 18.3, 24.1))
                + f'<path d="M20 15V10.5M17.5 10.5H22.5" {s}/>')
    # Any other kind: a question in a circle.
    return (f'<circle cx="20" cy="20" r="10" {s}/>'
            f'<path d="M16.8 17.2A3.3 3.3 0 1 1 21.6 20.1C20.6 20.7 20 21.4 20 22.6" {s}/>'
            f'<circle cx="20" cy="26.3" r="1.2" {f}/>')


def sync_badge():
    # A small orange disc with the chasing arrows, at the tile's top right.
    return (f'<circle cx="32" cy="8" r="6.5" {fill(ORANGE)}/>'
            f'<g transform="translate(26.4 2.4) scale(0.7)">'
            f'<path d="M13 6.5A5.2 5.2 0 0 0 3.6 5.2" {stroke(INK, 2)}/><path d="M3.2 2.6V5.6H6.2" {stroke(INK, 2)}/>'
            f'<path d="M3 9.5A5.2 5.2 0 0 0 12.4 10.8" {stroke(INK, 2)}/><path d="M12.8 13.4V10.4H9.8" {stroke(INK, 2)}/>'
            f'</g>')


def device_tile(kind, selected, synchro):
    tile_colour = ACCENT if selected else RAISED
    glyph_colour = INK if selected else SOFT
    body = f'<rect x="0" y="0" width="40" height="40" rx="10" {fill(tile_colour)}/>'
    if not selected:
        body += f'<rect x="0.5" y="0.5" width="39" height="39" rx="9.5" {stroke(LINE, 1)}/>'
    body += device_glyph(kind, glyph_colour)
    if synchro:
        body += sync_badge()
    return svg(40, 40, body)


# ---- battery, link and phone images ----------------------------------------------------------

def battery(level_colour, fill_fraction, bolt=False):
    width = 20 * fill_fraction
    body = (f'<rect x="1" y="1" width="23" height="12" rx="2.5" {stroke(SOFT, 1.5)}/>'
            f'<rect x="25" y="4.5" width="2" height="5" rx="1" {fill(SOFT)}/>')
    if width > 0:
        body += f'<rect x="3.5" y="3.5" width="{width:.1f}" height="7" rx="1.2" {fill(level_colour)}/>'
    if bolt:
        body += (f'<path d="M14.2 2.2L9 7.6H12.6L11.2 11.8L16.4 6.4H12.8Z" fill="{ORANGE}" '
                 f'stroke="{PANEL}" stroke-width="0.8"/>')
    return svg(28, 14, body)


def wireless():
    return svg(16, 16, f'<path d="M2 6.6A8.6 8.6 0 0 1 14 6.6" {stroke(ACCENT, 1.6)}/>'
                       f'<path d="M4.4 9.2A5.2 5.2 0 0 1 11.6 9.2" {stroke(ACCENT, 1.6)}/>'
                       f'<circle cx="8" cy="12.2" r="1.5" {fill(ACCENT)}/>')


def phone_badge(kind):
    """A 176 x 32 badge: the phone glyph in the left 24 pixels, room for its name after it."""
    colour = MUTED if kind == "no_device" else SOFT
    dash = ' stroke-dasharray="2.2 2"' if kind == "no_device" else ""
    body = f'<rect x="5" y="3" width="14" height="26" rx="3" {stroke(colour, 1.6)}{dash}/>'
    if kind == "iphone":
        body += f'<rect x="9.5" y="5.2" width="5" height="1.8" rx="0.9" {fill(colour)}/>'
    elif kind == "samsung":
        body += f'<circle cx="12" cy="6.4" r="1.1" {fill(colour)}/>'
    elif kind == "other":
        body += f'<path d="M10 26H14" {stroke(colour, 1.4)}/>'
    else:
        body += f'<path d="M4 28L20 4" {stroke(colour, 1.4)}/>'
    if kind != "no_device":
        # A charging spark beside the phone: it lies on the pad's charging area.
        body += f'<path d="M22.6 10.5L20.4 16H22.8L21.6 21.5L25.2 14.8H22.6Z" {fill(ACCENT)}/>'
    return svg(176, 32, body)


# ---- keyboard picture ------------------------------------------------------------------------

def key_light():
    """Drawn over the light colour of a key: the chassis at the corners, a half-clear rim where
    the backlight shows and the opaque keycap in the middle (stretched with corner='8,8,8,8')."""
    return svg(40, 40,
               f'<path d="M0 0H40V40H0Z M1.5 7A5.5 5.5 0 0 1 7 1.5H33A5.5 5.5 0 0 1 38.5 7V33'
               f'A5.5 5.5 0 0 1 33 38.5H7A5.5 5.5 0 0 1 1.5 33Z" fill="{CHASSIS}" fill-rule="evenodd" stroke="none"/>'
               f'<path d="M1.5 7A5.5 5.5 0 0 1 7 1.5H33A5.5 5.5 0 0 1 38.5 7V33A5.5 5.5 0 0 1 33 38.5'
               f'H7A5.5 5.5 0 0 1 1.5 33Z M4.5 8A3.5 3.5 0 0 1 8 4.5H32A3.5 3.5 0 0 1 35.5 8V31'
               f'A3.5 3.5 0 0 1 32 34.5H8A3.5 3.5 0 0 1 4.5 31Z" fill="{CHASSIS}" fill-opacity="0.55" '
               f'fill-rule="evenodd" stroke="none"/>'
               f'<rect x="4.5" y="4.5" width="31" height="30" rx="3.5" {fill("#262A32")}/>'
               f'<rect x="4.5" y="4.5" width="31" height="26" rx="3.5" {fill("#2B3039")}/>')


def key_set():
    return svg(40, 40, f'<rect x="1.5" y="1.5" width="37" height="37" rx="5.5" {stroke(ACCENT, 2)}/>')


def knob_light():
    return svg(40, 40,
               f'<path d="M0 0H40V40H0Z M20 1.5A18.5 18.5 0 1 1 19.99 1.5Z" fill="{CHASSIS}" '
               f'fill-rule="evenodd" stroke="none"/>'
               f'<circle cx="20" cy="20" r="18.5" fill="{CHASSIS}" fill-opacity="0.55" stroke="none"/>'
               f'<circle cx="20" cy="20" r="15.5" {fill("#2B3039")}/>'
               f'<circle cx="20" cy="20" r="11.5" {stroke("#343A44", 1.2)}/>'
               f'<circle cx="20" cy="9.5" r="1.6" {fill(SOFT)}/>')


def knob_set():
    return svg(40, 40, f'<circle cx="20" cy="20" r="18.5" {stroke(ACCENT, 2)}/>')


# ---- empty state ------------------------------------------------------------------------------

def no_device():
    keys = "".join(f'<rect x="{30 + 11 * i}" y="{58 + 11 * r}" width="8" height="8" rx="1.8" {fill(LINE)}/>'
                   for r in range(3) for i in range(8))
    return svg(200, 120,
               f'<rect x="22" y="48" width="104" height="50" rx="8" {stroke(MUTED, 2)}/>{keys}'
               f'<path d="M155 46C145 46 140 52 140 61V79C140 89 147 96 155 96S170 89 170 79V61'
               f'C170 52 165 46 155 46Z" {stroke(MUTED, 2)}/><path d="M140 64H170M155 46V64" {stroke(MUTED, 2)}/>'
               f'<path d="M74 48V34C74 26 80 22 88 22H104" {stroke(LINE, 2)} stroke-dasharray="4 4"/>'
               f'<path d="M155 46V36C155 28 150 22 142 22H126" {stroke(LINE, 2)} stroke-dasharray="4 4"/>'
               f'<circle cx="115" cy="22" r="10" {fill(ACCENT)}/>'
               f'<path d="M110.5 22H119.5M115 17.5V26.5" {stroke(INK, 2.2)} transform="rotate(45 115 22)"/>')


def mouse_picture():
    """Top view of the mouse for its page (160 x 240)."""
    return svg(160, 240,
               f'<path d="M80 12C42 12 24 44 24 84V164C24 204 48 228 80 228S136 204 136 164V84C136 44 118 12 80 12Z" '
               f'fill="#1F232A" stroke="{LINE}" stroke-width="2"/>'
               f'<path d="M24 96H136M80 12V96" {stroke(LINE, 2)}/>'
               f'<rect x="73" y="36" width="14" height="36" rx="7" fill="#2B3039" stroke="{MUTED}" stroke-width="1.5"/>'
               f'<path d="M24 116L18 120V150L24 154" {stroke(MUTED, 2)}/>'
               f'<path d="M58 196Q80 206 102 196" {stroke(LINE, 2)}/>')


def headset_picture():
    """The headset for its page (220 x 200)."""
    return svg(220, 200,
               f'<path d="M40 120V96A70 70 0 0 1 180 96V120" {stroke(MUTED, 8)}/>'
               f'<path d="M40 120V96A70 70 0 0 1 180 96V120" {stroke("#1F232A", 4)}/>'
               f'<rect x="22" y="104" width="44" height="72" rx="18" fill="#1F232A" stroke="{LINE}" stroke-width="2"/>'
               f'<rect x="154" y="104" width="44" height="72" rx="18" fill="#1F232A" stroke="{LINE}" stroke-width="2"/>'
               f'<rect x="32" y="118" width="24" height="44" rx="10" fill="none" stroke="{ACCENT}" stroke-width="2" '
               f'stroke-opacity="0.7"/>'
               f'<rect x="164" y="118" width="24" height="44" rx="10" fill="none" stroke="{ACCENT}" stroke-width="2" '
               f'stroke-opacity="0.7"/>'
               f'<path d="M44 172Q52 192 84 190" {stroke(MUTED, 3)}/><circle cx="88" cy="190" r="5" {fill(MUTED)}/>')


def pad_picture():
    """The mousepad seen from above (480 x 240); its LEDs are the page's light buttons."""
    return svg(480, 240,
               f'<rect x="4" y="4" width="472" height="232" rx="18" fill="#181B21" stroke="{LINE}" stroke-width="2"/>'
               f'<rect x="16" y="16" width="448" height="208" rx="10" fill="#1C2027" stroke="none"/>'
               f'<path d="M36 200L84 152M52 200L100 152M68 200L116 152" {stroke("#242932", 2)}/>'
               f'<rect x="372" y="28" width="80" height="80" rx="10" fill="none" stroke="{MUTED}" stroke-width="1.5" '
               f'stroke-dasharray="4 4"/>'
               f'<path d="M414 52L404 70H412L408 86L422 64H414Z" {fill(MUTED)}/>')


def led_light():
    """Drawn over the colour of one LED of the pad's edge: a rounded opening in the chassis."""
    return svg(24, 24,
               f'<path d="M0 0H24V24H0Z M4 8A4 4 0 0 1 8 4H16A4 4 0 0 1 20 8V16A4 4 0 0 1 16 20H8'
               f'A4 4 0 0 1 4 16Z" fill="#181B21" fill-rule="evenodd" stroke="none"/>'
               f'<rect x="4" y="4" width="16" height="16" rx="4" fill="none" stroke="#0D1014" stroke-width="1.5" '
               f'stroke-opacity="0.6"/>')


def render_background(name):
    """A quiet page with a faint glow of the accent from the top left. The window library's
    SVG support has no gradients, so ImageMagick draws it directly; no @2x (a smooth gradient
    scales without losing anything)."""
    path = os.path.join(SKIN, name)
    subprocess.run(["convert", "-size", "1800x1400", "radial-gradient:#1B2430-#15171C",
                    "-crop", "1000x640+720+700", "+repage", "-depth", "8", "-strip", "PNG24:" + path], check=True)


def main():
    for name, body in GLYPHS.items():
        render(name, glyph(body))
    for name, body in GLYPHS_DARK.items():
        render(name, glyph(body, INK, 1.8))
    render("common/check_off.png", check_box(False))
    render("common/check_on.png", check_box(True))
    render("common/logo.png", logo(28))
    for kind in ("kb", "ms", "hard_mp", "soft_mp", "hd", "hub", "unknow"):
        for state, selected, synchro in (("normal", False, False), ("selected", True, False),
                                         ("synchro_normal", False, True), ("synchro_selected", True, True)):
            render(f"common/device_ico/{kind}_device_{state}.png", device_tile(kind, selected, synchro))
    render("power/powered.png", battery(GREEN, 1.0))
    render("power/powering.png", battery(ACCENT, 0.55, bolt=True))
    render("power/power.png", battery(GREEN, 0.6))
    render("power/wireless.png", wireless())
    for kind in ("iphone", "samsung", "other", "no_device"):
        render(f"power/Phone_type_{kind}.png", phone_badge(kind))
    render("keyboard/key_light.png", key_light())
    render("keyboard/key_set.png", key_set())
    render("keyboard/knob_light.png", knob_light())
    render("keyboard/knob_set.png", knob_set())
    render("common/nodevice.png", no_device())
    render("device/mouse.png", mouse_picture())
    render("device/headset.png", headset_picture())
    render("device/mousepad.png", pad_picture())
    render("device/led_light.png", led_light())
    render_background("common/background.png")
    return 0


if __name__ == "__main__":
    sys.exit(main())
