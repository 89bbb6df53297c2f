#!/usr/bin/env bash
# The running program at rest: CPU time and resident memory with the panels shown and the
# six beats of the sample district loaded, beside a bare Qt GL window on the same display.
# $1 is the build folder. Starts its own Xvfb when no display is set.
set -u
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$(dirname "$0")/../tests/tools/with_xvfb.sh" 1280x1024 -- bash "$0" "$build"
fi
export XDG_RUNTIME_DIR=$(mktemp -d)
seconds=${IDLE_SECONDS:-10}
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
sample() {  # a running program's pid; waits, then prints "cpu_percent rss_kib" and ends it
  local pid=$1
  sleep 4  # started, data loaded, settled
  local before after
  before=$(cpu_ticks "$pid")
  sleep "$seconds"
  after=$(cpu_ticks "$pid")
  local rss
  rss=$(rss_kib "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null
  awk -v b="$before" -v a="$after" -v t="$ticks" -v s="$seconds" -v r="$rss" \
    'BEGIN { printf "%.1f %d\n", 100 * (a - b) / t / s, r }'
}
measure() {  # program and arguments
  "$@" >/dev/null 2>&1 &
  sample $!
}
read -r bare_cpu bare_rss <<<"$(measure "$build/bench/bare_window" --stay)"
read -r zavro_cpu zavro_rss <<<"$(measure "$build/zavro" data/district.csv)"
# the same with the Chart panel shown beside the legend (View > Show Chart Panel)
chart_shown() {
  "$build/zavro" data/district.csv >/dev/null 2>&1 &
  pid=$!
  source "$(dirname "$0")/../tests/tools/session.sh"
  find_window
  menu_item $MENU_VIEW 1
  sample "$pid"
}
read -r chart_cpu chart_rss <<<"$(chart_shown)"
echo "at rest for $seconds s (CPU as % of one core, resident memory in MiB):"
awk -v bc="$bare_cpu" -v br="$bare_rss" -v zc="$zavro_cpu" -v zr="$zavro_rss" 'BEGIN {
  printf "  bare Qt GL window:              %5.1f %%  %6.1f MiB\n", bc, br / 1024
  printf "  ZAVROView, panels, six beats:   %5.1f %%  %6.1f MiB\n", zc, zr / 1024
  printf "  above the bare window:          %5.1f %%  %6.1f MiB\n", zc - bc, (zr - br) / 1024 }'
awk -v c="$chart_cpu" -v r="$chart_rss" 'BEGIN {
  printf "  with the Chart panel and legend: %5.1f %%  %6.1f MiB\n", c, r / 1024 }'
