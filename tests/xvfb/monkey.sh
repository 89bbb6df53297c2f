#!/usr/bin/env bash
# Random input for MONKEY_SECONDS (60): clicks (some with Ctrl), left and right drags, wheel
# turns, keys and menu choices ("Quit" aside) over the program's window, each dialog that
# opens answered with Escape. Passes when at the end the program is alive and answering,
# closes with 0, and has written no sanitizer report. The choices follow MONKEY_SEED
# (printed; set it to replay a run). It runs in a scratch folder, its home there too, so
# what a dialog saves lands there. $1 is the program.
set -u
program=$(realpath "$1")
source "$(dirname "$0")/../tools/session.sh"
work=$(mktemp -d)
trap 'status=$?; [ "$status" = 0 ] || tail -n 40 "$work/stderr"; rm -rf "$work"' EXIT
cp -r data "$work/"
cd "$work" || exit 1
state=$work/state
seconds=${MONKEY_SECONDS:-60}
seed=${MONKEY_SEED:-$(( $(date +%s%N) / 1000 % 32768 ))}
RANDOM=$seed
echo "monkey: seed $seed, $seconds s (MONKEY_SEED=$seed replays the choices)"

HOME=$work ZAVRO_TEST_STATE=$state "$program" data/district.csv 2>"$work/stderr" &
pid=$!
find_window
reports() { grep -E "ERROR: AddressSanitizer|runtime error:" "$work/stderr"; }
lost() { fail "$1 after $events events, seed $seed (the program's last words follow)"; }
pick() { r=$(( RANDOM % $1 )); }  # r in 0..$1-1; not in a subshell, which reseeds RANDOM
spot() { pick "$WIDTH"; px=$r; pick "$HEIGHT"; py=$r; }
KEYS=(Left Right Up Down Escape Return space Tab Home End Prior Next plus minus a t)
MENUS=("18 4" "68 2" "118 4" "170 2" "221 4" "266 7" "308 1")  # x in the menu bar, items ("Quit" is File's 5th)
# every window but the main one (a dialog, a message box over it) answered with Escape,
# the newest first
answer_dialogs() {
    local id open
    for _ in $(seq 10); do
        open=$(xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$window" | sort -rn)
        [ -z "$open" ] && return
        for id in $open; do timeout 5 xdotool windowfocus --sync "$id" key Escape 2>/dev/null; done
        sleep 0.5
    done
    lost "windows $(for id in $open; do xdotool getwindowname "$id"; done | tr '\n' ' ')do not close with Escape"
}

events=0
while [ "$SECONDS" -lt "$seconds" ]; do
    kill -0 "$pid" 2>/dev/null || lost "the program ended"
    spot; pick 10
    case $r in
    0|1|2) pick 4; if [ "$r" = 0 ]; then modifier=ctrl; else modifier=; fi
           xdotool mousemove $(( X + px )) $(( Y + py )) ${modifier:+keydown $modifier} click 1 ${modifier:+keyup $modifier} ;;
    3|4) button=$(( r == 3 ? 1 : 3 )); xdotool mousemove $(( X + px )) $(( Y + py )) mousedown $button
         spot; xdotool mousemove $(( X + px )) $(( Y + py )) sleep 0.05 mouseup $button ;;
    5) pick 2; button=$(( 4 + r )); pick 3; xdotool mousemove $(( X + px )) $(( Y + py )) click --repeat $(( r + 1 )) $button ;;
    6|7) pick ${#KEYS[@]}; xdotool key "${KEYS[$r]}" ;;
    *) pick ${#MENUS[@]}; read -r menu_x items <<<"${MENUS[$r]}"; pick "$items"
       menu_item "$menu_x" $(( r + 1 )) ;;
    esac
    events=$(( events + 1 ))
    sleep 0.1
    answer_dialogs
done
echo "monkey: $events events"
answering || lost "the program does not answer"
reports && lost "a sanitizer report"
close_and_expect_exit_0
reports && lost "a sanitizer report at the end"
echo "PASS"
