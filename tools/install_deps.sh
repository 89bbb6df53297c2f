#!/usr/bin/env bash
# Installs the Debian packages that building and running need; with --package also what
# building and checking the Debian package needs (dpkg-shlibdeps, lintian, the desktop
# entry's, AppStream's and the man page's validators); with --test what the tests,
# benchmarks and fuzzers need. Skips what is present; uses sudo when not root.
# `make run` calls it plain, `make package` with --package, `make test` with --test.
set -eu

# package  needed for: build (always), test, package
TABLE="cmake build
g++ build
make build
ninja-build build
pkg-config build
qt6-base-dev build
libqt6opengl6-dev build
libgl-dev build
libgl1-mesa-dri build
libegl-mesa0 build
fonts-dejavu-core build
libavcodec-dev build
libavformat-dev build
libswscale-dev build
libavutil-dev build
libgif-dev build
libpng-dev build
libegl-dev test
libgtest-dev test
libbenchmark-dev test
clang test
xvfb test
xauth test
xdotool test
imagemagick test
x11-utils test
python3-xlib test
poppler-utils test
ffmpeg test
locales test
dpkg-dev package
fakeroot package
file package
lintian package
desktop-file-utils package
appstream package
man-db package
groff package"

group=build
case "${1:-}" in
  --package) group=package ;;
  --test) group=test ;;
esac
PACKAGES=$(awk -v g="$group" '$2 == "build" || $2 == g { print $1 }' <<<"$TABLE")

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# installs those of the packages named that are missing
install() {
  local missing="" p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $p"
    fi
  done
  [ -z "$missing" ] && return 0
  echo "installing:$missing"
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing
}
# shellcheck disable=SC2086
install $PACKAGES

# the sanitizer and fuzzer runtimes of the clang installed: libclang-rt-N-dev, where the
# release packages them apart from clang
if [ "$group" = test ]; then
  major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
  if [ -n "$major" ] && apt-cache show "libclang-rt-$major-dev" >/dev/null 2>&1; then
    install "libclang-rt-$major-dev"
  fi
fi
