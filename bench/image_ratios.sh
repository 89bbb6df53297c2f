#!/usr/bin/env bash
# The image table: read_bmp of the basemap against the floor (fread of the whole file
# plus a memcpy of its pixel bytes) and Pillow's open + load, scale_image_pow2 1024 x 768
# against Pillow's bilinear resize. Rounds of this program's benchmarks alternate with
# rounds of Pillow's; the table gives each measure's median over the rounds and the
# ratios. $1 is the build folder, $2 the number of rounds. Asserts nothing.
set -u
build=${1:-build}
rounds=${2:-7}
cd "$(dirname "$0")/.." || exit 1
program="$build/bench/image_bench"
[ -x "$program" ] || { echo "image table: $program not built"; exit 0; }

python=""
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c "import PIL" 2>/dev/null; then python=$candidate; break; fi
done

samples=$(mktemp)
trap 'rm -f "$samples"' EXIT
for _ in $(seq "$rounds"); do
  # csv: name,iterations,real_time,cpu_time,time_unit,...; times in microseconds
  "$program" --benchmark_filter='floor_basemap|read_bmp_basemap|scale_image_pow2' \
    --benchmark_min_time=0.2 --benchmark_format=csv 2>/dev/null |
    awk -F, '/^"BM_/ { gsub(/"/, "", $1); print $1, $3 }' >>"$samples"
  [ -n "$python" ] && "$python" bench/pillow_image.py 1 >>"$samples"
done

awk -v rounds="$rounds" -v pillow="${python:+yes}" '
  { values[$1] = values[$1] " " $2 }
  function median(name,    list, n, i, j, t) {
    if (!(name in values)) return 0
    n = split(values[name], list, " ")
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && list[j - 1] + 0 > list[j] + 0; j--) {
        t = list[j]; list[j] = list[j - 1]; list[j - 1] = t
      }
    return list[int((n + 1) / 2)]
  }
  function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
  END {
    floor = median("BM_read_floor_basemap")
    read = median("BM_read_bmp_basemap")
    scale = median("BM_scale_image_pow2_1024x768")
    open_load = median("pillow_open_load")
    resize = median("pillow_resize_bilinear")
    printf "image code, medians of %d alternated rounds (microseconds)\n", rounds
    printf "  %-40s %10s %10s %10s %9s %9s\n", "measure", "ZAVROView", "floor", "Pillow", "x floor", "x Pillow"
    if (pillow == "") { open_load = 0; resize = 0 }
    printf "  %-40s %10.1f %10.1f %10s %9s %9s\n", "read_bmp basemap 1024 x 1024", read, floor,
           (open_load > 0 ? sprintf("%.1f", open_load) : "-"), ratio(read, floor), ratio(read, open_load)
    printf "  %-40s %10.1f %10s %10s %9s %9s\n", "scale_image_pow2 1024x768 -> 1024x1024", scale, "-",
           (resize > 0 ? sprintf("%.1f", resize) : "-"), "-", ratio(scale, resize)
    if (pillow == "") print "  Pillow not installed (python3-pil): no Pillow figures"
  }' "$samples"
