# client_area.sh: sourced by the Xvfb tests after `eval "$(xdotool getwindowgeometry
# --shell "$window")"`. The window's top holds the menu bar; the view and the panels'
# places start below it. Moves Y down and shrinks HEIGHT to the client area, found as the
# row above the Timeline panel's caption bar (the panel stands at the client's top-left
# corner with a 1-pixel outline, SCALE pixels on a screen scaled by SCALE). Sets
# MENU_HEIGHT. Needs the Timeline panel in place.
client_area() {
    local shot menu_top=""
    shot=$(mktemp --suffix=.png)
    for _ in $(seq 20); do  # a slow start (sanitizers, a loaded machine) shows the panels late
        sleep 0.3
        import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shot"
        menu_top=$(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/find_captions.py" "$shot" 58,86,128 |
                   awk -v s="${SCALE:-1}" '$1 <= 2 * s { print $2; exit }')
        [ -n "$menu_top" ] && break
    done
    rm -f "$shot"
    [ -n "$menu_top" ] || { echo "FAIL: no Timeline caption at the client's left edge"; return 1; }
    MENU_HEIGHT=$(( menu_top - ${SCALE:-1} ))
    Y=$(( Y + MENU_HEIGHT ))
    HEIGHT=$(( HEIGHT - MENU_HEIGHT ))
}
