# session.sh: sourced by the Xvfb tests that drive the whole program as a person would,
# with pid (the program), window, work, state (the ZAVRO_TEST_STATE file) and shots set;
# X, Y, WIDTH, HEIGHT, MENU_HEIGHT and window_y (the window's top) come from find_window. Places in pixels come from the panels' dialog units (DejaVu
# Sans 8 pt: base units 7 x 13 pixels, times SCALE).
source "$(dirname "${BASH_SOURCE[0]}")/wait_for_window.sh"
fail() { echo "FAIL: $1"; kill "$pid" 2>/dev/null; exit 1; }
# the program's window, its geometry and its client area below the menu bar
find_window() {
    window=$(wait_for_window '^ZAVROView 1\.0b$' 20)
    [ -n "$window" ] || fail "no window named 'ZAVROView 1.0b'"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    window_y=$Y
    source "$(dirname "${BASH_SOURCE[0]}")/client_area.sh"
    client_area || fail "no client area"
}
ux() { echo $(( ${SCALE:-1} * (($1 * 7 + 2) / 4) )); }
uy() { echo $(( ${SCALE:-1} * (($1 * 13 + 4) / 8) )); }
shoot() { sleep 0.4; import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/$1.png"; }
click() { xdotool mousemove $(( X + $1 )) $(( Y + $2 )) click 1; sleep 0.15; }
# waits until the state file has a line matching the pattern
expect_state() {
    for _ in $(seq 40); do grep -qE "$1" "$state" 2>/dev/null && return 0; sleep 0.1; done
    fail "$2 (state: $(grep -E "${3:-message|  1044 }" "$state" 2>/dev/null | head -3))"
}
# a window that has shown up, focused for typing
dialog() {
    local found
    found=$(wait_for_window "$1" 30)
    [ -n "$found" ] || fail "no window named '$1'"
    xdotool windowfocus --sync "$found"
    sleep 0.5  # a loaded machine may take a moment to give the dialog's field the focus
}
# the menu at x in the menu bar, then its item-th item with the keys
menu_item() {
    xdotool mousemove $(( X + $1 )) $(( window_y + MENU_HEIGHT / 2 )) click 1
    sleep 0.3
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
}
MENU_FILE=18; MENU_TIME=118; MENU_PANEL=221; MENU_HELP=266
file_item() { menu_item $MENU_FILE "$1"; }
# dismisses the message box with the text given, caption included ("Info: Load complete")
message() {
    expect_state "^message $1\$" "no message '$1'"
    dialog "^${1%%:*}\$"
    xdotool key Return
    sleep 0.2
}
# a file dialog answered with a typed path
answer_dialog() {
    dialog "$1"
    xdotool type --delay 20 "$2"
    xdotool key Return
}
# the window closed as by its close box; the program ends with code 0
close_and_expect_exit_0() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$window"
    expect_exit_0
}
# the program ends, with code 0
expect_exit_0() {
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then echo "FAIL: still running"; kill -9 "$pid"; exit 1; fi
    wait "$pid"
    local code=$?
    [ "$code" -eq 0 ] || { echo "FAIL: exit code $code"; exit 1; }
}
