#!/usr/bin/env python3
"""Writes the sample district that ships with ZAVROView: data/district.csv (the beat
list), data/beats/NAME.csv and NAME_yr.csv for every beat, and data/ui/fields.ui.

Deterministic (fixed seed, standard library only): run it from anywhere and the same
bytes come out. Counts are invented: a monthly mean per crime type, scaled per beat,
shaped by a yearly trend and a summer peak, then drawn as Poisson counts. Yearly lines
are the sums of their year's months.

In 2005, measured as that year's count over the largest yearly count, ALDER lies clearly
above the citywide record, BIRCH near it and LINDEN and MAPLE below it (CEDAR rises
through the years), so the columns take different colours; the script checks this
before writing.
"""
import math
import os
import random

SEED = 20050701
FIRST_YEAR, LAST_YEAR = 1999, 2011
TYPES = ["MURDER", "RAPE", "ROBBERY", "AGG_ASSAULT", "BURGLARY", "THEFT", "AUTO_THEFT"]
LABELS = ["Murder", "Rape", "Robbery", "Aggravated Assault", "Burglary", "Theft", "Auto Theft"]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]

# Monthly mean of each type for a beat of scale 1 in a year whose trend is 1.
BASE_MEAN = [0.9, 1.4, 19.0, 16.0, 42.0, 105.0, 27.0]
# How strongly each type peaks in summer (fraction of the mean at the July peak).
SEASON = [0.25, 0.20, 0.12, 0.25, 0.18, 0.15, 0.10]


def trend_peak_2005(y):
    return 1.0 - 0.04 * abs(y - 2005)


def trend_city(y):
    return 1.05 - 0.025 * (y - FIRST_YEAR)


def trend_birch(y):
    return 1.0 - 0.015 * (y - FIRST_YEAR)


def trend_rising(y):
    return 0.7 + 0.03 * (y - FIRST_YEAR)


def trend_falling(y):
    return 1.4 - 0.06 * (y - FIRST_YEAR)


def trend_valley(y):
    return 0.8 + 0.012 * (y - 2005) ** 2


# name, longitude, latitude, scale (the citywide record is a whole city), trend
BEATS = [
    ("ALDER", -95.3555, 29.7690, 1.20, trend_peak_2005),
    ("BIRCH", -95.2905, 29.7725, 1.00, trend_birch),
    ("CEDAR", -95.3215, 29.7375, 0.70, trend_rising),
    ("LINDEN", -95.3520, 29.7085, 1.10, trend_falling),
    ("MAPLE", -95.2840, 29.7125, 0.85, trend_valley),
    ("CITYWD", -95.2705, 29.6990, 64.0, trend_city),
]


def poisson(rng, mean):
    if mean < 30:
        limit, k, p = math.exp(-mean), 0, 1.0
        while True:
            p *= rng.random()
            if p <= limit:
                return k
            k += 1
    return max(0, int(round(rng.gauss(mean, math.sqrt(mean)))))


def make_beat(rng, scale, trend):
    """Returns {year: [12 lists of 7 counts]}."""
    data = {}
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        months = []
        for month in range(1, 13):
            summer = math.cos(2 * math.pi * (month - 7) / 12)
            months.append([poisson(rng, BASE_MEAN[t] * scale * trend(year) * (1 + SEASON[t] * summer))
                           for t in range(7)])
        data[year] = months
    return data


def yearly(months):
    return [sum(m[t] for m in months) for t in range(7)]


def ratio(data, year):
    """All seven types: the year's count over the sum of the yearly maxima."""
    years = {y: yearly(data[y]) for y in data}
    maxima = [max(years[y][t] for y in years) for t in range(7)]
    return sum(years[year]) / sum(maxima)


def write(path, lines, end):
    with open(path, "w", newline="") as out:
        out.write("".join(line + end for line in lines))


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    rng = random.Random(SEED)
    data = {name: make_beat(rng, scale, trend) for name, _, _, scale, trend in BEATS}

    city = ratio(data["CITYWD"], 2005)
    assert ratio(data["ALDER"], 2005) > city + 0.05
    assert abs(ratio(data["BIRCH"], 2005) - city) < 0.05
    assert ratio(data["LINDEN"], 2005) < city - 0.05
    assert ratio(data["MAPLE"], 2005) < city - 0.05

    os.makedirs(os.path.join(root, "data", "beats"), exist_ok=True)
    os.makedirs(os.path.join(root, "data", "ui"), exist_ok=True)
    crlf = "\r\n"
    write(os.path.join(root, "data", "district.csv"),
          ["BEAT,LON,LAT"] + ["%s,%.4f,%.4f" % (name, lon, lat) for name, lon, lat, _, _ in BEATS],
          crlf)
    for name, _, _, _, _ in BEATS:
        monthly = ["YEAR,MONTH,MON," + ",".join(TYPES)]
        annual = ["YEAR,PERIOD," + ",".join(TYPES)]
        for year in range(FIRST_YEAR, LAST_YEAR + 1):
            for month, counts in enumerate(data[name][year], start=1):
                monthly.append("%d,%d,%s,%s" % (year, month, MONTHS[month - 1], ",".join(map(str, counts))))
            annual.append("%d,Total,%s" % (year, ",".join(map(str, yearly(data[name][year])))))
        write(os.path.join(root, "data", "beats", name + ".csv"), monthly, crlf)
        write(os.path.join(root, "data", "beats", name + "_yr.csv"), annual, crlf)
    write(os.path.join(root, "data", "ui", "fields.ui"),
          ["%s,%d" % (label, code) for code, label in enumerate(LABELS)], "\n")

    for name, *_ in BEATS:
        print("%-7s 2005 ratio %.3f" % (name, ratio(data[name], 2005)))


if __name__ == "__main__":
    main()
