#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Skips what is present; uses sudo when not root. Used by `make run` and `make test`.
set -eu

PACKAGES="cmake g++ make ninja-build pkg-config
qt6-base-dev libqt6opengl6-dev libgl-dev libegl-dev
libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
libgl1-mesa-dri libegl-mesa0
xvfb xauth xdotool imagemagick x11-utils python3-xlib
fonts-dejavu-core"

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
