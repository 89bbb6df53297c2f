#!/usr/bin/env bash
# A new user's whole session, driven with the mouse and keys, in a language that writes a
# decimal comma: started with the sample district on the command line, the window and its
# panels as they first show; the Timeline's month "+"; "Load Data.." with the path typed
# in the dialog; the Timeline dragged off the Query panel; a crime type chosen by typing its
# name, a second with Ctrl; playback for a second, then pause; "+" and the arrow keys; a
# beat chosen, the log cleared, a Ctrl + left click on its column writing its report; a
# right drag tilting the view; the log saved (a name's ".txt" added, a replacement asked
# about), the values exported, a snapshot saved and the view printed to a PDF file, each
# file checked for its content; the Query panel dragged past the corner; every panel hidden
# by its close box and shown again from the menu; the About box; "Quit" with exit code 0.
# $1 is the program. ZAVRO_SHOTS=FOLDER keeps the screenshots.
#
# Texts are read from the program's test hook ZAVRO_TEST_STATE (what the panels and a
# message box show, rewritten on every frame-timer tick and message box).
set -u
program=$1
tools="$(dirname "$0")/../tools"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=${ZAVRO_SHOTS:-$work}
mkdir -p "$shots"
state="$work/state"

localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null
[ -d "$work/de_DE.UTF-8" ] || { echo "FAIL: cannot build the de_DE.UTF-8 locale (package locales)"; exit 1; }
LOCPATH=$work LC_ALL=de_DE.UTF-8 ZAVRO_TEST_STATE=$state ZAVRO_PRINT_TO_PDF="$work/page.pdf" "$program" data/district.csv &
pid=$!
source "$tools/session.sh"
find_window
captions() { /usr/bin/python3 "$tools/find_captions.py" "$shots/$1.png" 58,86,128; }
date_is() { expect_state "^  1044 $1\$" "the date is not $1"; }
current_date_text() {  # the Timeline's (panel 3) date text
    awk '/^panel / { panel = $2 } panel == 3 && /^  1044 / { sub(/^  1044 /, ""); print }' "$state"
}
count_colour() {  # pixels near a saturated side colour: red or green
    convert "$shots/$1.png" -fx "(r>0.75 && g<0.3 && b<0.3) || (g>0.75 && r<0.3 && b<0.3) ? 1 : 0" \
        -format '%[fx:round(mean*w*h)]' info:
}

# started with the district: its beats listed; the window 1024 x 768 and its view sized
# once (a second size, the menu bar arriving late, leaves a framebuffer with the driver);
# the panels one over the other at the top left, the Timeline on top, the Info panel and
# the About box hidden; the grey background around the basemap
sleep 0.8
[ "${WIDTH}x$(( HEIGHT + MENU_HEIGHT ))" = 1024x768 ] || fail "the window is ${WIDTH}x$(( HEIGHT + MENU_HEIGHT ))"
grep -qx "view_sizes 1" "$state" || fail "the view was sized $(grep view_sizes "$state") at start-up"
[ "$(grep -cE '^panel [45] hidden$' "$state")" = 2 ] || fail "the Info panel or the About box shows at start"
shoot start
[ "$(captions start)" = "1 1 $(ux 291)" ] || fail "at start the caption bars are not the Timeline's alone: $(captions start)"
[ "$(mean start 20x20+5+$(( HEIGHT - 25 )))" = 127,127,127 ] || fail "the background is not 127,127,127"
[ "$(spread start 400x300+312+$(( HEIGHT / 2 - 150 )))" -ge 5 ] || fail "no basemap in the middle"
# the Timeline steps by month
expect_state "^  1048 ALDER;BIRCH;CEDAR;LINDEN;MAPLE;CITYWD;$" "the command line's beats are not listed"
date_is "January,1,1990"
click $(( 1 + $(ux 85) )) $(( 18 + $(uy 31) ))
date_is "February,1,1990"

# "Load Data.." with the path typed: "Load complete", the timeline back at its start
file_item 1
answer_dialog '^Open' "$(pwd)/data/district.csv"
message "Info: Load complete"
date_is "January,1,1990"

# the Timeline dragged by its caption to the bottom right: the Query panel's caption shows
# at its place, and the corner the Timeline left is the clean background again
timeline_x=700; timeline_y=$(( HEIGHT - 80 ))
drag 200 8 "$timeline_x" "$timeline_y"
shoot moved
captions moved | grep -x "$(( $(ux 20) + 1 )) $(( $(uy 20) + 1 )) $(ux 257)" >/dev/null || fail "no Query caption at its place"
[ "$(mean moved 20x20+5+5)" = 127,127,127 ] || fail "the Timeline left a trace at the top left"
tx=$(( timeline_x - 200 + 1 )); ty=$(( timeline_y - 8 + 18 ))  # the Timeline's body
timeline_button() { click $(( tx + $(ux "$1") + $(ux "$3") / 2 )) $(( ty + $(uy "$2") + $(uy "$4") / 2 )); }

# "Theft" typed in the crime list chooses it alone; Robbery added with Ctrl
crime_x=$(( $(ux 20) + 1 + $(ux 10) + 40 )); crime_y=$(( $(uy 20) + 18 + $(uy 20) + 2 + 6 ))
click "$crime_x" $(( crime_y + 13 * 2 ))
xdotool type --delay 60 Theft
expect_state "^  1047 Murder;Rape;Robbery;Aggravated Assault;Burglary;\[Theft\];Auto Theft;$" \
    "typing Theft did not choose it alone" "  1047 "
xdotool mousemove $(( X + crime_x )) $(( Y + crime_y + 13 * 2 )) keydown ctrl click 1 keyup ctrl
expect_state "^  1047 Murder;Rape;\[Robbery\];Aggravated Assault;Burglary;\[Theft\];Auto Theft;$" \
    "Robbery and Theft are not the two types chosen" "  1047 "

# "Data Start", "Month" as the step, play for a second and pause
menu_item $MENU_TIME 2
date_is "January,1,1999"
timeline_button 246 7 40 12
xdotool key Up Return
expect_state "^  1029 Month$" "Month is not the step" "  1029 "
timeline_button 47 7 20 12
sleep 1
timeline_button 27 7 20 12
played=$(current_date_text)
sleep 0.5
[ "$(current_date_text)" = "$played" ] || fail "the timeline goes on after the pause"
[ "$played" != "January,1,1999" ] || fail "playing did not move the date"
echo "played to $played"

# "+" by a month, the Right arrow a month on, the Left arrow a month back, also when held
# (the view focused by a click beside the map)
menu_item $MENU_TIME 2
timeline_button 80 26 10 10
date_is "February,1,1999"
click $(( WIDTH - 40 )) $(( HEIGHT / 2 ))
xdotool key Right
date_is "March,1,1999"
xdotool key Left
date_is "February,1,1999"
# held for two seconds, the X server repeating it, Left steps back once, when let go
xdotool keydown Left; sleep 2; xdotool keyup Left
date_is "January,1,1999"
sleep 0.5
[ "$(current_date_text)" = "January,1,1999" ] || fail "a held Left stepped more than once: $(current_date_text)"
xdotool key Right
date_is "February,1,1999"

# CEDAR chosen in the beat list: the view centred on it and its report; the log cleared;
# a Ctrl + left click on CEDAR's column (now in the view's centre) writes its report again
beat_x=$(( $(ux 20) + 1 + $(ux 215) + 12 ))
click "$beat_x" $(( crime_y + 13 * 2 ))
expect_state "Crime total for beat CEDAR: " "choosing CEDAR wrote no report" "  1035 "
info_x=$(( $(ux 15) + 1 )); info_y=$(( $(uy 15) + 18 ))
click $(( info_x + $(ux 40) )) $(( info_y + $(uy 119) ))
expect_state "^  1035 $" "Clear did not empty the log" "  1035 "
xdotool mousemove $(( X + (WIDTH - 1) / 2 )) $(( Y + (HEIGHT - 1) / 2 )) keydown ctrl click 1 keyup ctrl
expect_state "^  1035 \*{59}\\\\r\\\\nDate: February,1,1999\\\\r\\\\n.*Crime total for beat CEDAR: " \
    "the Ctrl + left click wrote no CEDAR report" "  1035 "
cedar_total=$(sed -n 's/.*Crime total for beat CEDAR: \([0-9]*\),.*/\1/p' "$state" | head -n 1)

# resting on CEDAR's column: its tooltip; the first beat chosen showed the Chart panel, a
# click in the middle of its plot moves the date to a month of the data; a click in the
# middle of the time bar goes to July 2001; "Go to Date.." with a month on and 2003 typed
xdotool mousemove_relative 1 1
expect_state '^tooltip CEDAR\\nFebruary 1999: [0-9]+ crimes\\nShare of the district: ' "no tooltip over CEDAR" "^tooltip"
expect_state "^panel 6 visible$" "the first beat chosen did not show the Chart panel" "^panel"
click $(( $(ux 330) + 1 + $(ux 125) )) $(( $(uy 0) + 18 + $(uy 60) ))
expect_state "^  1044 [A-Z][a-z]+,1,20(0[0-9]|1[01])$" "a click in the chart did not move the date to its month"
click $(( tx + $(ux 67) + ($(ux 180) - 1) / 2 )) $(( ty + $(uy 7) + $(uy 12) / 2 ))
date_is "July,1,2001"
menu_item $MENU_VIEW 4
dialog '^Go to Date$'
xdotool key Down Tab ctrl+a type 2003
xdotool key Return
date_is "August,1,2003"
click $(( $(ux 330) + 1 + $(ux 250) - 7 )) 9
expect_state "^panel 6 hidden$" "the Chart panel's close box did not hide it" "^panel"
menu_item $MENU_TIME 2
timeline_button 80 26 10 10
date_is "February,1,1999"

# a right drag upward tilts the view: the columns stand up with their coloured sides
shoot flat
xdotool mousemove $(( X + WIDTH - 60 )) $(( Y + 400 )) mousedown 3 mousemove $(( X + WIDTH - 60 )) $(( Y + 350 )) \
    mousemove $(( X + WIDTH - 60 )) $(( Y + 340 )) mouseup 3
shoot tilted
cmp -s "$shots/flat.png" "$shots/tilted.png" && fail "the right drag did not change the view"
[ "$(count_colour tilted)" -gt "$(count_colour flat)" ] || fail "no column sides show after tilting"

# the log saved as log.TXT, which lacks ".txt" exactly: each line ends with a blank where
# its carriage return was, the shares written with a decimal point
save_log() { click $(( info_x + $(ux 152) )) $(( info_y + $(uy 119) )); answer_dialog '^Save As' "$1"; }
save_log "$work/log.TXT"
message "Info: Save complete"
log=$work/log.TXT.txt
[ -f "$log" ] && [ ! -e "$work/log.TXT" ] || fail "log.TXT was not saved as log.TXT.txt"
[ "$(head -n 2 "$log")" = "$(printf '%s \n' '***********************************************************' 'Date: February,1,1999')" ] ||
    fail "the saved log does not start with the report's head: $(head -n 2 "$log")"
grep -q "^Crime total for beat CEDAR: $cedar_total, [0-9]*\.[0-9][0-9]% \$" "$log" || fail "the saved log lacks CEDAR's line"
grep -q "^Beat CEDAR crime vs. citywide: -\?[0-9]*\.[0-9][0-9]% \$" "$log" || fail "the saved log lacks CEDAR's share"
[ "$(grep -c ' $' "$log")" -eq "$(wc -l <"$log")" ] || fail "a saved line does not end with a blank"
grep -q $'\r' "$log" && fail "the saved log holds carriage returns"

# the next dialog starts in that folder, so a bare name lands there; old.txt exists, so
# the name "old" is asked about: No (the default) saves nothing, Yes replaces it
echo old >"$work/old.txt"
save_log old; dialog '^Confirm Save As$'; xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^Info$' >/dev/null && fail "a refused replacement was saved"
[ "$(cat "$work/old.txt")" = old ] || fail "old.txt was replaced after No"
save_log old; dialog '^Confirm Save As$'; xdotool key alt+y
message "Info: Save complete"
cmp -s "$log" "$work/old.txt" || fail "old.txt was not replaced after Yes"

# the values exported (a bare name again): one line a beat, CEDAR's the report's total
file_item 2
answer_dialog '^Save As' values
message "Info: Save complete"
[ "$(tr -d '\r' <"$work/values.csv" | cut -d, -f1 | tr '\n' ' ')" = "BEAT ALDER BIRCH CEDAR LINDEN MAPLE CITYWD " ] ||
    fail "values.csv does not list the beats: $(cat "$work/values.csv")"
grep -q $'^CEDAR,'"$cedar_total"$'\r$' "$work/values.csv" || fail "CEDAR's exported value is not $cedar_total"

# "Save Snapshot..": the BMP holds the view's pixels (compared where no panel covers it)
file_item 3
answer_dialog '^Save As' "$work/view"
message "Info: Save complete"
shoot after_snapshot
convert "$work/view.bmp" "$work/view.png"
[ "$(identify -format '%wx%h' "$work/view.png")" = "${WIDTH}x$HEIGHT" ] || fail "the snapshot is not ${WIDTH}x$HEIGHT"
differing=$(compare -metric AE -crop "300x200+$(( WIDTH - 320 ))+$(( HEIGHT / 4 ))" "$work/view.png" \
    "$shots/after_snapshot.png" null: 2>&1)
[ "$differing" = 0 ] || fail "the snapshot differs from the screen in $differing pixels"

# "Print..": one PDF page, the view centred between equal white bands, upright
file_item 4
message "Info: Print spooled"
pdftoppm -r 40 -png -singlefile "$work/page.pdf" "$work/page" || fail "no PDF page"
read -r left top w h page_w page_h <<<"$(convert "$work/page.png" -fuzz 2% -trim -format '%X %Y %w %h %W %H' info: | tr -d '+')"
right=$(( page_w - left - w )); bottom=$(( page_h - top - h ))
echo "page ${page_w}x$page_h: bands left $left right $right top $top bottom $bottom"
[ $(( top - bottom )) -le 2 ] && [ $(( bottom - top )) -le 2 ] || fail "unequal bands above and below"
[ $(( left - right )) -le 2 ] && [ $(( right - left )) -le 2 ] || fail "unequal bands left and right"
convert "$work/page.png" -crop "${w}x$h+$left+$top" +repage -resize 64x48! "$work/printed.png"
convert "$work/view.png" -resize 64x48! "$work/upright.png"
convert "$work/view.png" -flip -resize 64x48! "$work/flipped.png"
upright=$(compare -metric RMSE "$work/printed.png" "$work/upright.png" null: 2>&1 | cut -d' ' -f1)
flipped=$(compare -metric RMSE "$work/printed.png" "$work/flipped.png" null: 2>&1 | cut -d' ' -f1)
awk -v u="$upright" -v f="$flipped" 'BEGIN { exit !(u < f / 2) }' || fail "the printed page is not upright"

[ "$(readlink "/proc/$pid/cwd")" = "$(pwd -P)" ] || fail "the working directory is not the start-up one"

# the Query panel dragged far past the bottom-right corner stops at the client's edges
drag $(( $(ux 20) + $(ux 257) - 40 )) $(( $(uy 20) + 5 )) $(( WIDTH + 400 )) $(( HEIGHT + 400 ))

# every panel hidden by its close box, topmost first, each caption where the panel stands,
# then shown again from "Panel", whose items follow the handles (handle, caption's left
# and top, width)
panels="4 $(( $(ux 15) + 1 )) $(( $(uy 15) + 1 )) $(ux 192)
2 $(( WIDTH - $(ux 257) - 1 )) $(( HEIGHT - $(uy 133) - 18 )) $(ux 257)
1 $(( $(ux 40) + 1 )) $(( $(uy 40) + 1 )) $(ux 109)
3 $(( timeline_x - 199 )) $(( timeline_y - 7 )) $(ux 291)"
while read -r handle bx by width; do
    shoot panels
    captions panels | grep -x "$bx $by $width" >/dev/null || fail "no caption of panel $handle at $bx $by: $(captions panels)"
    click $(( bx + width - 7 )) $(( by + 8 ))
    expect_state "^panel $handle hidden$" "the close box did not hide panel $handle" "^panel"
done <<<"$panels"
while read -r handle _; do
    menu_item $MENU_PANEL "$handle"
    expect_state "^panel $handle visible$" "the Panel menu did not show panel $handle" "^panel"
done <<<"$panels"

# "Export Animation..": December 2010 to Data End by month, 12 frames, as MP4 and as a GIF
# with the caption strip below the view; ffprobe counts the frames and reads the size
menu_item $MENU_VIEW 4
dialog '^Go to Date$'
xdotool key End Tab ctrl+a type 2010
xdotool key Return
date_is "December,1,2010"
export_animation() {  # $1: the format's first letter, $2: the file
    menu_item $MENU_VIEW 8
    dialog '^Export Animation$'
    # Tab goes through the month, day and year of each date, then the step ("Month"), the
    # frames a second and the format
    xdotool key Tab Tab Tab Tab Tab Tab m Tab Tab
    xdotool key "$1"
    xdotool key Return
    answer_dialog '^Save As' "$2"
    message "Info: Save complete"
}
export_animation m "$work/anim.mp4"
export_animation a "$work/anim.gif"
date_is "December,1,2010"
for f in anim.mp4 anim.gif; do
    probed=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=width,height,nb_read_frames \
             -of csv=p=0 "$work/$f" | tr -d '\n')
    echo "$f: $probed"
    h=${probed#*,}; h=${h%,*}
    [ "${probed%%,*}" = "$WIDTH" ] && [ "${probed##*,}" = 12 ] && [ "$h" -gt "$HEIGHT" ] ||
        fail "$f is not 12 frames of the view with a caption: $probed"
    case $f in *.mp4) [ $(( h % 2 )) = 0 ] || fail "the MP4's height $h is odd" ;; esac
done
ffmpeg -v error -i "$work/anim.gif" -vf "select=eq(n\,11)" -frames:v 1 "$shots/gif_last.png" || fail "no last GIF frame"

# the About box: shown from "Help", hidden by its default button
menu_item $MENU_HELP 1
expect_state "^panel 5 visible$" "the About box does not show" "^panel"
dialog '^About ZAVROView 1\.0b$'
xdotool key Return
expect_state "^panel 5 hidden$" "OK did not hide the About box" "^panel"

# "Quit" ends the program with 0
file_item 5
expect_exit_0
echo "PASS"
