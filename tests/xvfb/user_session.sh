#!/usr/bin/env bash
# A new user's session on the whole program, driven with the mouse and keys: the Timeline's
# month "+"; "File" > "Load Data.." with the sample district's path typed in the dialog
# ("Load complete"); a crime type chosen and "Data Start"; a Ctrl + left click on CEDAR's
# column writes its report in the Info panel; a right drag tilts the view and the columns
# stand up in their colours; the Right arrow key moves the date; "Save Snapshot.." writes
# the view as a BMP; "Print.." prints the view upright and centred on a PDF page; "Quit"
# ends the program with 0. Runs under xvfb-run; $1 is the program. ZAVRO_SHOTS=FOLDER
# keeps the screenshots.
#
# Texts are read from the program's test hook ZAVRO_TEST_STATE (what the panels and a
# message box show, rewritten on every frame-timer tick); places in pixels come from the
# panels' dialog units (DejaVu Sans 8 pt: base units 7 x 13 pixels).
set -u
program=$1
tools="$(dirname "$0")/../tools"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=${ZAVRO_SHOTS:-$work}
mkdir -p "$shots"
state="$work/state"

ux() { echo $(( ($1 * 7 + 2) / 4 )); }
uy() { echo $(( ($1 * 13 + 4) / 8 )); }

ZAVRO_TEST_STATE=$state ZAVRO_PRINT_TO_PDF="$work/page.pdf" "$program" &
pid=$!
fail() { echo "FAIL: $1"; kill "$pid" 2>/dev/null; exit 1; }
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^ZAVROView 1\.0b$' | head -n 1)
[ -n "$window" ] || fail "no window named 'ZAVROView 1.0b'"
eval "$(xdotool getwindowgeometry --shell "$window")"
window_y=$Y
source "$tools/client_area.sh"
client_area || fail "no client area"

shoot() { sleep 0.4; import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/$1.png"; }
click() { xdotool mousemove $(( X + $1 )) $(( Y + $2 )) click "${3:-1}"; sleep 0.15; }
# waits until the state file has a line matching the pattern
expect_state() {
    for _ in $(seq 40); do grep -qE "$1" "$state" 2>/dev/null && return 0; sleep 0.1; done
    fail "$2 (state: $(grep -E "${3:-message|  1044 }" "$state" 2>/dev/null | head -3))"
}
dialog() {
    local found
    found=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
    [ -n "$found" ] || fail "no window named '$1'"
    xdotool windowfocus --sync "$found"
    sleep 0.5  # a loaded machine may take a moment to give the dialog's field the focus
}
# "File" in the menu bar, then its item-th item with the keys
file_item() {
    xdotool mousemove $(( X + 18 )) $(( window_y + MENU_HEIGHT / 2 )) click 1
    sleep 0.3
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
}
# dismisses the message box with the text given, caption included ("Info: Load complete")
message() {
    expect_state "^message $1\$" "no message '$1'"
    dialog "^${1%%:*}\$"
    xdotool key Return
    sleep 0.2
}
count_colour() {  # pixels of a screenshot near a saturated side colour: red or green
    convert "$shots/$1.png" -fx "(r>0.75 && g<0.3 && b<0.3) || (g>0.75 && r<0.3 && b<0.3) ? 1 : 0" \
        -format '%[fx:round(mean*w*h)]' info:
}

sleep 0.8
expect_state "^  1044 January,1,1990$" "the Timeline does not show the first date"
# the Timeline panel at the client's top-left: its month "+" at 80, 26 (10 x 10 units)
body_x=1; body_y=18
click $(( body_x + $(ux 85) )) $(( body_y + $(uy 31) ))
expect_state "^  1044 February,1,1990$" "the month \"+\" did not step the date"

# "Load Data.." with the path typed in the open dialog
file_item 1
dialog '^Open'
xdotool type --delay 20 "$(pwd)/data/district.csv"
xdotool key Return
message "Info: Load complete"
expect_state "^  1048 ALDER;BIRCH;CEDAR;LINDEN;MAPLE;CITYWD;$" "the Query panel does not list the beats"
shoot loaded

# "Murder" alone (small counts keep the tops near the ground), then "Time" > "Data Start"
# (January 1999, the sample's first month); the Timeline moved off the Query panel first
xdotool mousemove $(( X + 200 )) $(( Y + 8 )) mousedown 1 mousemove $(( X + 450 )) $(( Y + 400 )) \
    mousemove $(( X + 700 )) $(( Y + HEIGHT - 80 )) mouseup 1
query_x=$(( $(ux 20) + body_x )); query_y=$(( $(uy 20) + body_y ))
click $(( query_x + $(ux 10) + 40 )) $(( query_y + $(uy 20) + 2 + 6 ))
expect_state "^  1047 \[Murder\];Rape;" "Murder is not chosen"
xdotool mousemove $(( X + 118 )) $(( window_y + MENU_HEIGHT / 2 )) click 1
sleep 0.3
xdotool key Down Down Return
expect_state "^  1044 January,1,1999$" "Data Start did not go to 1 January 1999"

# Ctrl + left click on CEDAR (-95.3215, 29.7375), seen from above at distance 20: it lies
# 0.195 and 0.2 scene units west and south of the centre, 4 / 20 of that on the near
# plane, (height - 1) / 2 pixels per unit
cx=$(( (WIDTH - 1) / 2 )); cy=$(( (HEIGHT - 1) / 2 ))
half=$(( (HEIGHT - 1) / 2 ))
cedar_x=$(awk -v c=$cx -v h=$half 'BEGIN { printf "%d", c - 0.195 * 0.2 * h + 0.5 }')
cedar_y=$(awk -v c=$cy -v h=$half 'BEGIN { printf "%d", c + 0.2 * 0.2 * h + 0.5 }')
xdotool mousemove $(( X + cedar_x )) $(( Y + cedar_y )) keydown ctrl click 1 keyup ctrl
expect_state "Crime total for beat CEDAR: " "no CEDAR report in the Info panel" "  1035 "
grep -q "^panel 4 visible" "$state" || fail "the Info panel does not show"

# a right drag upward tilts the view: the columns stand up with their coloured sides
shoot flat
xdotool mousemove $(( X + cx + 200 )) $(( Y + cy + 150 )) mousedown 3 mousemove $(( X + cx + 200 )) $(( Y + cy + 100 )) \
    mousemove $(( X + cx + 200 )) $(( Y + cy + 90 )) mouseup 3
shoot tilted
cmp -s "$shots/flat.png" "$shots/tilted.png" && fail "the right drag did not change the view"
[ "$(count_colour tilted)" -gt "$(count_colour flat)" ] || fail "no column sides show after tilting"

# the Right arrow key, released over the view, steps the date by the step unit (a year)
xdotool key Right
expect_state "^  1044 January,1,2000$" "the Right arrow did not move the date"

# "Save Snapshot..": the BMP holds the view's pixels (compared where no panel covers it)
file_item 3
dialog '^Save As'
xdotool type --delay 20 "$work/view"
xdotool key Return
message "Info: Save complete"
shoot after_snapshot
[ -f "$work/view.bmp" ] || fail "no view.bmp"
convert "$work/view.bmp" "$work/view.png"
[ "$(identify -format '%wx%h' "$work/view.png")" = "${WIDTH}x$HEIGHT" ] || fail "the snapshot is not ${WIDTH}x$HEIGHT"
region="300x200+$(( WIDTH - 320 ))+$(( HEIGHT / 4 ))"
differing=$(compare -metric AE -crop "$region" "$work/view.png" "$shots/after_snapshot.png" null: 2>&1)
[ "$differing" = 0 ] || fail "the snapshot differs from the screen in $differing pixels"

# "Print..": one page, the view centred between equal white bands, upright
file_item 4
message "Info: Print spooled"
[ -s "$work/page.pdf" ] || fail "no PDF page"
pdftoppm -r 40 -png -singlefile "$work/page.pdf" "$work/page"
bands=$(convert "$work/page.png" -fuzz 2% -trim -format '%X %Y %w %h %W %H' info: | tr -d '+')
read -r left top w h page_w page_h <<<"$bands"
right=$(( page_w - left - w )); bottom=$(( page_h - top - h ))
echo "page ${page_w}x$page_h, picture ${w}x$h at $left,$top; bands left $left right $right top $top bottom $bottom"
[ $(( top - bottom )) -le 2 ] && [ $(( bottom - top )) -le 2 ] || fail "unequal bands above and below"
[ $(( left - right )) -le 2 ] && [ $(( right - left )) -le 2 ] || fail "unequal bands left and right"
convert "$work/page.png" -crop "${w}x$h+$left+$top" +repage -resize 64x48! "$work/printed.png"
convert "$work/view.png" -resize 64x48! "$work/upright.png"
convert "$work/view.png" -flip -resize 64x48! "$work/flipped.png"
upright=$(compare -metric RMSE "$work/printed.png" "$work/upright.png" null: 2>&1 | cut -d' ' -f1)
flipped=$(compare -metric RMSE "$work/printed.png" "$work/flipped.png" null: 2>&1 | cut -d' ' -f1)
echo "printed against the view: $upright upright, $flipped flipped"
awk -v u="$upright" -v f="$flipped" 'BEGIN { exit !(u < f / 2) }' || fail "the printed picture is not upright"

# "Quit" ends the program with 0
file_item 5
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "FAIL: still running after Quit"; kill -9 "$pid"; exit 1; fi
wait "$pid"
code=$?
[ "$code" -eq 0 ] || { echo "FAIL: exit code $code"; exit 1; }
echo "PASS"
