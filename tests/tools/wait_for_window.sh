# wait_for_window.sh: sourced; wait_for_window PATTERN SECONDS prints the id of the first
# visible window whose name matches, or nothing when none shows up in time. It asks again
# and again rather than once with --sync: a search stops at the first window that closes
# while it looks (a menu, a message box), and a dialog may open just then.
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
