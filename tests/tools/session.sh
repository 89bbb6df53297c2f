# session.sh: sourced by the Xvfb tests and benchmarks that drive the whole program as a
# person would, with pid (the program), work, state (its ZAVRO_TEST_STATE file) and shots
# set as they use them; window, X, Y, WIDTH, HEIGHT (the client area below the menu bar),
# MENU_HEIGHT and window_y (the window's top) come from find_window. Places in pixels come
# from the panels' dialog units (DejaVu Sans 8 pt: base units 7 x 13 pixels, times SCALE).
session_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fail() { echo "FAIL: $1"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
# the id of the first visible window whose name matches $1 within $2 seconds, or nothing.
# It asks again and again rather than once with --sync: a search stops at the first
# window that closes while it looks (a menu, a message box), and a dialog may open just then.
wait_for_window() {
    local found deadline=$(( SECONDS + $2 ))
    while :; do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$found" ] || [ "$SECONDS" -ge "$deadline" ]; then
            echo "$found"
            return
        fi
        sleep 0.1
    done
}
# the program's window, its geometry and its client area: the menu bar ends on the row
# above the Timeline panel's caption bar (the panel stands at the client's top-left corner
# with a 1-pixel outline, SCALE pixels on a screen scaled by SCALE). A MENU_HEIGHT known
# from an earlier start is kept: the panels may stand elsewhere on a later one.
find_window() {
    local shot menu_top=""
    window=$(wait_for_window '^ZAVROView 1\.0b$' 20)
    [ -n "$window" ] || fail "no window named 'ZAVROView 1.0b'"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    window_y=$Y
    if [ -n "${MENU_HEIGHT:-}" ]; then
        Y=$(( Y + MENU_HEIGHT )); HEIGHT=$(( HEIGHT - MENU_HEIGHT ))
        return
    fi
    shot=$(mktemp --suffix=.png)
    for _ in $(seq 20); do  # a slow start (sanitizers, a loaded machine) shows the panels late
        sleep 0.3
        import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shot"
        menu_top=$(/usr/bin/python3 "$session_tools/find_captions.py" "$shot" 58,86,128 |
                   awk -v s="${SCALE:-1}" '$1 <= 2 * s { print $2; exit }')
        [ -n "$menu_top" ] && break
    done
    rm -f "$shot"
    [ -n "$menu_top" ] || fail "no Timeline caption at the client's left edge"
    MENU_HEIGHT=$(( menu_top - ${SCALE:-1} ))
    Y=$(( Y + MENU_HEIGHT ))
    HEIGHT=$(( HEIGHT - MENU_HEIGHT ))
}
ux() { echo $(( ${SCALE:-1} * (($1 * 7 + 2) / 4) )); }
uy() { echo $(( ${SCALE:-1} * (($1 * 13 + 4) / 8) )); }
# a screenshot of the client area once two taken 0.3 s apart agree (a loaded machine may
# take a while to show the last frame), or the last of eight
shoot() {
    local last="" now
    for _ in 1 2 3 4 5 6 7 8; do
        sleep 0.3
        import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/$1.png"
        now=$(md5sum <"$shots/$1.png")
        [ "$now" = "$last" ] && return
        last=$now
    done
}
# a screenshot's mean colour "r,g,b" and grey-level spread (0-255) in a rectangle WxH+X+Y
mean() { convert "$shots/$1.png" -crop "$2" -format '%[fx:round(255*mean.r)],%[fx:round(255*mean.g)],%[fx:round(255*mean.b)]' info:; }
spread() { convert "$shots/$1.png" -crop "$2" -colorspace gray -format '%[fx:round(255*standard_deviation)]' info:; }
click() { xdotool mousemove $(( X + $1 )) $(( Y + $2 )) click 1; sleep 0.15; }
# press on (x, y) in the client area, drag to (x2, y2) through a point between, release
drag() {
    xdotool mousemove $(( X + $1 )) $(( Y + $2 )) mousedown 1 \
        mousemove $(( X + ($1 + $3) / 2 )) $(( Y + ($2 + $4) / 2 )) \
        mousemove $(( X + $3 )) $(( Y + $4 )) mouseup 1
    sleep 0.3
}
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
MENU_FILE=18; MENU_TIME=118; MENU_PANEL=221; MENU_VIEW=266; MENU_HELP=308
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
# the program runs (not ended, nor a zombie) and answers: its state file, removed, is
# written again on a later frame-timer tick
answering() {
    grep -q '^State:[[:space:]]*[RSD]' "/proc/$pid/status" 2>/dev/null || return 1
    rm -f "$state"
    for _ in $(seq 100); do [ -s "$state" ] && return 0; sleep 0.1; done
    return 1
}
# the window closed as by its close box; the program ends with code 0
close_and_expect_exit_0() {
    /usr/bin/python3 "$session_tools/close_window.py" "$window"
    expect_exit_0
}
# the program ends, with code 0
expect_exit_0() {
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done  # 20 s: a sanitizer build under load ends slowly
    kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; fail "still running"; }
    wait "$pid"
    local code=$?
    pid=
    [ "$code" -eq 0 ] || fail "exit code $code"
}
