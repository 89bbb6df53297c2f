#!/usr/bin/env bash
# Installs the Debian packages that building and running need; with --package also what
# building and checking the Debian package needs (dpkg-shlibdeps, lintian, the desktop
# entry's, AppStream's and the man page's validators); with --test all that and what the
# tests, benchmarks and fuzzers need. Skips what is present; uses sudo when not root.
# `make run` calls it plain, `make package` with --package, `make test` with --test.
set -eu

PACKAGES="cmake g++ make ninja-build pkg-config
qt6-base-dev libqt6opengl6-dev libgl-dev
libgl1-mesa-dri libegl-mesa0 fonts-dejavu-core"

TEST_PACKAGES="libegl-dev libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
xvfb xauth xdotool imagemagick x11-utils python3-xlib poppler-utils locales"

PACKAGE_PACKAGES="dpkg-dev fakeroot file lintian desktop-file-utils appstream man-db groff"

case "${1:-}" in
  --package) PACKAGES="$PACKAGES $PACKAGE_PACKAGES" ;;
  --test) PACKAGES="$PACKAGES $PACKAGE_PACKAGES $TEST_PACKAGES" ;;
esac

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
