#!/usr/bin/env bash
# Installs the Debian packages that building and running need, and with --test also
# what the tests, benchmarks and fuzzers need. Skips what is present; uses sudo when not
# root. `make run` calls it plain, `make test` with --test: the one list of both.
set -eu

PACKAGES="cmake g++ make ninja-build pkg-config
qt6-base-dev libqt6opengl6-dev libgl-dev
libgl1-mesa-dri libegl-mesa0 fonts-dejavu-core"

TEST_PACKAGES="libegl-dev libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
xvfb xauth xdotool imagemagick x11-utils python3-xlib poppler-utils"

[ "${1:-}" = "--test" ] && PACKAGES="$PACKAGES $TEST_PACKAGES"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
