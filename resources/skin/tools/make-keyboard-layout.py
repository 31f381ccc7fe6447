#!/usr/bin/env python3
"""Writes XML/DeviceXml/keyboard_keys.xml: the key panel of the keyboard page.

The panel is a picture of the 75% board (84 keys and the volume knob) made of one
"DeviceKeyButton" per key. A button is named "key_N" after the logical key it edits and
carries "light_N" as user data, the light of the same logical key (src/keyboard/LogicalKeys.h
numbers them: a 6 x 21 grid of a full-size board, row by row). Logical keys the board does not
have get a hidden button, so every logical key of the page has its control.

Run from anywhere:  resources/skin/tools/make-keyboard-layout.py
"""

import os
import sys

SKIN = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUTPUT = os.path.join(SKIN, "XML", "DeviceXml", "keyboard_keys.xml")

UNIT = 40          # one key unit in pixels (the light image keeps its own 2-pixel gap)
ROW_GAP = 8        # extra space under the function row
MARGIN = 12        # chassis edge around the keys
STRIP = 32         # strip above the keys: the knob's turn left / turn right chips
LOGICAL_KEYS = 170

# The board, row by row: (logical key, width in units, legend). None is a gap.
ROWS = [
    [(0, 1, "Esc"), (1, 1, "F1"), (2, 1, "F2"), (3, 1, "F3"), (4, 1, "F4"), (5, 1, "F5"), (6, 1, "F6"),
     (7, 1, "F7"), (8, 1, "F8"), (9, 1, "F9"), (10, 1, "F10"), (11, 1, "F11"), (12, 1, "F12"),
     (13, 1, "PrtSc"), (56, 1, "Del"), (18, 1, "")],
    [(21, 1, "`"), (22, 1, "1"), (23, 1, "2"), (24, 1, "3"), (25, 1, "4"), (26, 1, "5"), (27, 1, "6"),
     (28, 1, "7"), (29, 1, "8"), (30, 1, "9"), (31, 1, "0"), (32, 1, "-"), (33, 1, "="),
     (34, 2, "Backspace"), (36, 1, "Home")],
    [(42, 1.5, "Tab"), (43, 1, "Q"), (44, 1, "W"), (45, 1, "E"), (46, 1, "R"), (47, 1, "T"), (48, 1, "Y"),
     (49, 1, "U"), (50, 1, "I"), (51, 1, "O"), (52, 1, "P"), (53, 1, "["), (54, 1, "]"), (55, 1.5, "\\"),
     (37, 1, "PgUp")],
    [(63, 1.75, "Caps"), (64, 1, "A"), (65, 1, "S"), (66, 1, "D"), (67, 1, "F"), (68, 1, "G"), (69, 1, "H"),
     (70, 1, "J"), (71, 1, "K"), (72, 1, "L"), (73, 1, ";"), (74, 1, "'"), (75, 2.25, "Enter"),
     (58, 1, "PgDn")],
    [(84, 2.25, "Shift"), (85, 1, "Z"), (86, 1, "X"), (87, 1, "C"), (88, 1, "V"), (89, 1, "B"), (90, 1, "N"),
     (91, 1, "M"), (92, 1, ","), (93, 1, "."), (94, 1, "/"), (95, 1.75, "Shift"), (96, 1, "\u2191"),
     (57, 1, "End")],
    [(105, 1.25, "Ctrl"), (106, 1.25, "Win"), (107, 1.25, "Alt"), (108, 6.25, ""), (109, 1, "Alt"),
     (110, 1, "Fn"), (112, 1, "Ctrl"), (113, 1, "\u2190"), (114, 1, "\u2193"), (115, 1, "\u2192")],
]
KNOB = 18                    # pressing the knob
KNOB_TURNS = [(19, "Vol \u2212"), (20, "Vol +")]  # turning it left and right
CHIP_WIDTH = 56
CHIP_HEIGHT = 24

KEY_LOOK = ('bkcolor="#FF101216" lightimage="file=\'keyboard/key_light.png\' corner=\'8,8,8,8\'" '
            'keysetimage="file=\'keyboard/key_set.png\' corner=\'8,8,8,8\'" textcolor="#FFE6E8EB" '
            'hottextcolor="#FF19C3FF" font="9" textpadding="0,0,0,4"')
KNOB_LOOK = ('bkcolor="#FF101216" lightimage="keyboard/knob_light.png" keysetimage="keyboard/knob_set.png" '
             'hottextcolor="#FF19C3FF"')
CHIP_LOOK = ('bkcolor="#FF101216" lightimage="file=\'keyboard/key_light.png\' corner=\'8,8,8,8\'" '
             'keysetimage="file=\'keyboard/key_set.png\' corner=\'8,8,8,8\'" textcolor="#FFB8C0CC" '
             'hottextcolor="#FF19C3FF" font="10" align="center"')


def escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")
            .replace("\u2212", "&#x2212;").replace("\u2190", "&#x2190;").replace("\u2191", "&#x2191;")
            .replace("\u2192", "&#x2192;").replace("\u2193", "&#x2193;"))


def button(key, rect, look, legend=""):
    left, top, right, bottom = (round(v) for v in rect)
    text = f' text="{escape(legend)}"' if legend else ""
    return (f'  <DeviceKeyButton name="key_{key}" userdata="light_{key}" float="true" '
            f'pos="{left},{top},{right},{bottom}"{text} {look}/>')


def main():
    lines = []
    placed = set()
    board_width = 0
    y = MARGIN + STRIP
    for row_index, row in enumerate(ROWS):
        x = MARGIN
        for key, width, legend in row:
            rect = (x, y, x + width * UNIT, y + UNIT)
            look = KNOB_LOOK if key == KNOB else KEY_LOOK
            lines.append(button(key, rect, look, legend))
            placed.add(key)
            x += width * UNIT
        board_width = max(board_width, x - MARGIN)
        y += UNIT + (ROW_GAP if row_index == 0 else 0)
    height = y + MARGIN
    width = board_width + 2 * MARGIN

    # The knob's turns sit above it, right-aligned with the board.
    chip_right = MARGIN + board_width
    for key, legend in reversed(KNOB_TURNS):
        rect = (chip_right - CHIP_WIDTH, (MARGIN + STRIP - CHIP_HEIGHT) // 2 + 2,
                chip_right, (MARGIN + STRIP - CHIP_HEIGHT) // 2 + 2 + CHIP_HEIGHT)
        lines.append(button(key, rect, CHIP_LOOK, legend))
        placed.add(key)
        chip_right -= CHIP_WIDTH + 8

    hidden = [f'  <DeviceKeyButton name="key_{key}" userdata="light_{key}" float="true" pos="0,0,0,0" visible="false"/>'
              for key in range(LOGICAL_KEYS) if key not in placed]

    with open(OUTPUT, "w", encoding="utf-8", newline="\n") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n')
        out.write("<!-- Generated by resources/skin/tools/make-keyboard-layout.py; edit the script, not this file.\n"
                  f"     The keyboard page's key panel: {len(placed)} keys of the 75% board laid out on a\n"
                  f"     {UNIT}-pixel key unit, and a hidden button for each logical key the board does not have. -->\n")
        out.write(f'<SelectPanel name="keyboard_device_key_light" float="0.5,0,0.5,0" '
                  f'pos="{-width // 2},72,{width - width // 2},{72 + height}" '
                  f'bkcolor="#FF101216" bordercolor="#FF2C313A" bordersize="1" borderround="14,14">\n')
        out.write("\n".join(lines) + "\n")
        out.write("\n".join(hidden) + "\n")
        out.write("</SelectPanel>\n")
    print(f"{OUTPUT}: {len(placed)} keys shown, {len(hidden)} hidden, panel {width} x {height}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
