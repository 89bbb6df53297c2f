"""Pillow's figures for the image table of bench/image_ratios.sh: open + load of the
basemap, and a bilinear resize of a 1024 x 768 RGB image to 1024 x 1024. Prints one line
per measure, "name median_microseconds", over `rounds` rounds that alternate the two.
Exits 2 when Pillow is not installed. Runs from the repository root."""
import random
import sys
import time

try:
    from PIL import Image
except ImportError:
    sys.exit(2)

BASEMAP = "data/maps/basemap.bmp"


def read_basemap():
    with Image.open(BASEMAP) as image:
        image.load()


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    noise = random.Random(12345).randbytes(1024 * 768 * 3)
    capture = Image.frombytes("RGB", (1024, 768), noise)
    measures = {
        "pillow_open_load": read_basemap,
        "pillow_resize_bilinear": lambda: capture.resize((1024, 1024), Image.BILINEAR),
    }
    times = {name: [] for name in measures}
    for _ in range(rounds):
        for name, work in measures.items():
            work()  # warm
            start = time.perf_counter()
            count = 0
            while True:  # about 0.2 s a round, as the C++ benchmarks
                work()
                count += 1
                elapsed = time.perf_counter() - start
                if elapsed > 0.2:
                    break
            times[name].append(elapsed / count * 1e6)
    for name, values in times.items():
        values.sort()
        print(name, "%.1f" % values[len(values) // 2])


main()
