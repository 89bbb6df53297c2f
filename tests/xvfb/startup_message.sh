#!/usr/bin/env bash
# A message of the start-up (the basemap missing) shows once the main window is on the
# screen, above it; then the program goes on and ends with code 0 when closed. Runs on
# its own display (tests/tools/with_xvfb.sh); $1 is the program.
set -u
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
state="$work/state"
cp -r data "$work/data" && rm "$work/data/maps/basemap.bmp"
cd "$work" || exit 1
ZAVRO_TEST_STATE=$state "$program" &
pid=$!
source "$OLDPWD/tests/tools/session.sh"
expect_state "^message ERROR!: make_map\(\) - can't read map!$" "no message of the missing basemap"
main=$(xdotool search --name '^ZAVROView 1\.0b$' | head -n 1)
xwininfo -id "$main" | grep -q "Map State: IsViewable" || fail "the message shows before the main window"
# the root's children from the top: the box comes before the main window
order=$(xwininfo -root -children | grep -oE '"(ERROR!|ZAVROView 1\.0b)"' | tr '\n' ' ')
[ "$order" = '"ERROR!" "ZAVROView 1.0b" ' ] || fail "the message is not above the main window: $order"
message "ERROR!: make_map\(\) - can't read map!"
find_window
close_and_expect_exit_0
echo "PASS"
