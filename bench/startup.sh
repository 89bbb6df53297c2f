#!/usr/bin/env bash
# Start-up to first frame on the screen: the program beside a bare Qt GL window, each
# started 10 times under one X server; prints the medians and their ratio.
# $1 is the build folder. Starts its own Xvfb when no display is set.
set -u
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$(dirname "$0")/../tests/tools/with_xvfb.sh" 1280x1024 -- bash "$0" "$build"
fi
export XDG_RUNTIME_DIR=$(mktemp -d)
runs=10
median_us() {
  local times=()
  for _ in $(seq $runs); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$((runs / 2 + 1))p"
}
bare=$(median_us "$build/bench/bare_window")
zavro=$(median_us "$build/bench/zavro_first_frame")
echo "start-up to first frame, median of $runs runs (microseconds):"
echo "  bare Qt GL window: $bare"
echo "  ZAVROView:         $zavro"
awk -v z="$zavro" -v b="$bare" 'BEGIN { printf "  ratio: %.2f\n", z / b }'
