#!/usr/bin/python3
"""Finds the caption bars of the panels in a screenshot.

A caption bar is a run of the caption colour at least MIN_RUN pixels long whose row
above is not the caption colour at the run's left end: the top edge of a bar that shows.
Prints one line "X Y WIDTH" per bar top edge, top to bottom.
Usage: find_captions.py IMAGE R,G,B
"""
import subprocess
import sys

MIN_RUN = 40

image = sys.argv[1]
colour = bytes(int(c) for c in sys.argv[2].split(","))
size = subprocess.run(["identify", "-format", "%w %h", image], check=True,
                      capture_output=True, text=True).stdout.split()
width, height = int(size[0]), int(size[1])
pixels = subprocess.run(["convert", image, "-depth", "8", "rgb:-"], check=True,
                        capture_output=True).stdout


def is_caption(x, y):
    at = 3 * (y * width + x)
    return pixels[at:at + 3] == colour


for y in range(height):
    row = pixels[3 * y * width:3 * (y + 1) * width]
    x = 0
    while True:
        at = row.find(colour, 3 * x)
        if at < 0:
            break
        if at % 3:
            x = at // 3 + 1
            continue
        start = at // 3
        end = start
        while end < width and row[3 * end:3 * end + 3] == colour:
            end += 1
        if end - start >= MIN_RUN and (y == 0 or not is_caption(start, y - 1)):
            print(start, y, end - start)
        x = end
