#!/usr/bin/python3
"""Finds the caption bars of the panels in a screenshot.

A caption bar is a run of the caption colour at least 40 pixels long whose row above is
not the caption colour at the run's left end: the top edge of a bar that shows.
Prints one line "X Y WIDTH" per bar top edge, top to bottom.
Usage: find_captions.py IMAGE R,G,B
"""
import re
import subprocess
import sys

colour = "rgb(%s)" % sys.argv[2]
# a byte a pixel: 255 where the pixel has the caption colour exactly, else 0 (neither is
# a blank, so the header splits off cleanly)
pgm = subprocess.run(["convert", sys.argv[1], "-fill", "black", "+opaque", colour, "-fill", "white",
                      "-opaque", colour, "-depth", "8", "pgm:-"], check=True, capture_output=True).stdout
_, width, height, _, mask = pgm.split(maxsplit=4)
width, height = int(width), int(height)
for y in range(height):
    for run in re.finditer(rb"\xff{40,}", mask[y * width:(y + 1) * width]):
        if y == 0 or mask[(y - 1) * width + run.start()] == 0:
            print(run.start(), y, run.end() - run.start())
