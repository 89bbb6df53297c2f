#!/usr/bin/env bash
# Prints every benchmark's figures. $1 is the build folder. Asserts nothing.
set -u
build=${1:-build}
for program in "$build"/bench/*_bench; do
  [ -x "$program" ] && "$program"
done
bash "$(dirname "$0")/image_ratios.sh" "$build"
bash "$(dirname "$0")/startup.sh" "$build"
bash "$(dirname "$0")/input_latency.sh" "$build"
bash "$(dirname "$0")/idle.sh" "$build"
