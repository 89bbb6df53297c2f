#!/usr/bin/env bash
# Settings that last, driven as a person would: a first start with no settings file is the
# usual start; the Timeline panel dragged by its caption, the window moved and sized, then
# "Quit"; the next start finds the window and the Timeline where they were left, and
# "Recent Data" holding the list loaded; "View > Reset Layout" puts them back where a first
# start has them. $1 is the program; XDG_CONFIG_HOME is a fresh folder (with_xvfb.sh).
# ZAVRO_SHOTS=FOLDER keeps the screenshots.
set -u
program=$1
tools="$(dirname "$0")/../tools"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=${ZAVRO_SHOTS:-$work}
mkdir -p "$shots"
state="$work/state"
source "$tools/session.sh"
conf="${XDG_CONFIG_HOME:?}/zavroview/zavroview.conf"
[ -e "$conf" ] && fail "a settings file exists before the first start"
start() { ZAVRO_TEST_STATE=$state "$program" data/district.csv & pid=$!; find_window; }
captions() { /usr/bin/python3 "$tools/find_captions.py" "$shots/$1.png" 58,86,128; }
geometry() { xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr '\n' ' '; }
# the View menu's last items, from the bottom up: Up once is "Recent Data", twice "Reset Layout"
view_from_bottom() {
    xdotool mousemove $(( X + MENU_VIEW )) $(( window_y + MENU_HEIGHT / 2 )) click 1
    sleep 0.3
    xdotool key "$@"
}

echo "first start"
start
expect_state "^place 3 0 0$" "the Timeline is not at its first place"
expect_state "^place 6 $(ux 330) 0$" "the Chart panel is not at its first place"
drag 200 8 600 400
expect_state "^place 3 400 392$" "the dragged Timeline is not at 400 392"
xdotool windowmove --sync "$window" 40 30 windowsize --sync "$window" 1000 720
sleep 0.5
moved=$(geometry)
[ "$moved" = "X=40 Y=30 WIDTH=1000 HEIGHT=720 " ] || fail "the window did not move: $moved"
find_window  # its new place
file_item 5
expect_exit_0
grep -q '^x=400$' "$conf" || fail "no Timeline place in $conf: $(cat "$conf")"

# the next start: the window, the Timeline (its caption on the screen too) and the list kept
echo "second start"
start
[ "$(geometry)" = "$moved" ] || fail "the window came back at $(geometry), not $moved"
expect_state "^place 3 400 392$" "the Timeline came back elsewhere" "^place"
expect_state "^panel 3 visible$" "the Timeline does not show" "^panel"
shoot restored
captions restored | grep -x "401 393 $(ux 291)" >/dev/null || fail "no Timeline caption at 401 393: $(captions restored)"
view_from_bottom Up Right Return
message "Info: Load complete"

# Reset Layout: the window 1024 x 768 at the top, the Timeline over the others at the corner
echo "reset"
view_from_bottom Up Up Return
expect_state "^place 3 0 0$" "Reset Layout left the Timeline elsewhere" "^place"
sleep 0.5
[ "$(geometry)" = "X=40 Y=0 WIDTH=1024 HEIGHT=768 " ] || fail "Reset Layout put the window at $(geometry)"
find_window
shoot reset
[ "$(captions reset)" = "1 1 $(ux 291)" ] || fail "after Reset Layout the captions are $(captions reset)"
file_item 5
expect_exit_0
echo "PASS"
