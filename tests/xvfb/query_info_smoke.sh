#!/usr/bin/env bash
# The Query and Info panels and the save dialog on the whole program, the sample district
# named on the command line, so loaded at start-up without a message. The Query panel
# lists the seven crime types of data/ui/fields.ui and the six beats; typing a type's
# name in the crime list chooses it; choosing a beat moves the view over it and shows the
# Info panel with its report; "Save" asks for a file in a dialog that starts in the last
# file's folder, adds ".txt" to a typed name that lacks it exactly (log.TXT ->
# log.TXT.txt), asks before replacing a file of the longer name, and writes the log with
# blanks for carriage returns. Runs under xvfb-run; $1 is the program.
# ZAVRO_SHOTS=FOLDER keeps the screenshots.
#
# Places in pixels come from the panels' dialog units (DejaVu Sans 8 pt at 96 dpi: base
# units 7 x 13 pixels, list rows 13 pixels high); a panel's body starts 1 pixel right of
# its frame and 18 below it, under the caption bar.
set -u
program=$1
tools="$(dirname "$0")/../tools"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=${ZAVRO_SHOTS:-$work}
mkdir -p "$shots"

BODY_X=1
BODY_Y=18

# a user whose language writes a decimal comma: the report still writes "1.86%"
localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null
[ -d "$work/de_DE.UTF-8" ] || { echo "FAIL: cannot build the de_DE.UTF-8 locale (package locales)"; exit 1; }
LOCPATH=$work LC_ALL=de_DE.UTF-8 "$program" data/district.csv &
pid=$!
source "$tools/session.sh"
find_window
drag() {
    xdotool mousemove $(( X + $1 )) $(( Y + $2 )) mousedown 1 \
        mousemove $(( X + ($1 + $3) / 2 )) $(( Y + ($2 + $4) / 2 )) \
        mousemove $(( X + $3 )) $(( Y + $4 )) mouseup 1
}
# the darkest grey level (0-255) of a rectangle of a screenshot
darkest() { convert "$shots/$1.png" -crop "$2" -colorspace gray -format '%[fx:round(255*minima)]' info:; }
no_window() { sleep 0.5; xdotool search --onlyvisible --name "$1" >/dev/null && fail "$2"; return 0; }

# the Query panel at 20, 20; its lists, inside a 2-pixel frame
query_x=$(( $(ux 20) + BODY_X )); query_y=$(( $(uy 20) + BODY_Y ))
crime_x=$(( query_x + $(ux 10) + 2 )); crime_w=$(( $(ux 190) - 4 ))
beat_x=$(( query_x + $(ux 215) + 2 )); beat_w=$(( $(ux 35) - 4 ))
list_y=$(( query_y + $(uy 20) + 2 ))
row_y() { echo $(( list_y + 13 * $1 + 6 )); }

sleep 1
# the Timeline, which covers the lists' first rows, dragged to the bottom right
drag 200 8 700 658
shoot start
for row in 0 1 2 3 4 5 6 7 8; do
    crime=$(darkest start "$(( crime_w - 8 ))x11+$(( crime_x + 2 ))+$(( list_y + 13 * row + 1 ))")
    beat=$(darkest start "$(( beat_w - 4 ))x11+$(( beat_x + 2 ))+$(( list_y + 13 * row + 1 ))")
    if [ "$row" -lt 7 ]; then [ "$crime" -lt 100 ] || fail "crime list row $row is empty"
    else [ "$crime" -gt 200 ] || fail "crime list row $row is not empty"; fi
    if [ "$row" -lt 6 ]; then [ "$beat" -lt 100 ] || fail "beat list row $row is empty"
    else [ "$beat" -gt 200 ] || fail "beat list row $row is not empty"; fi
done

# March 2004: the Timeline's year "+" 14 times, month "+" twice
timeline_x=$(( 500 + BODY_X )); timeline_y=$(( 650 + BODY_Y ))
button_y=$(( timeline_y + $(uy 26) + $(uy 10) / 2 ))
for _ in $(seq 14); do click $(( timeline_x + $(ux 130) + $(ux 10) / 2 )) "$button_y"; done
for _ in 1 2; do click $(( timeline_x + $(ux 80) + $(ux 10) / 2 )) "$button_y"; done

# "Theft" typed in the crime list chooses it alone; ALDER chosen in the beat list
click $(( crime_x + 60 )) "$(row_y 3)"
xdotool type --delay 60 Theft
sleep 0.5
shoot theft
click $(( beat_x + 20 )) "$(row_y 0)"
shoot alder
info=$(/usr/bin/python3 "$tools/find_captions.py" "$shots/alder.png" 58,86,128 | grep -c "^$(( $(ux 15) + 1 )) $(( $(uy 15) + 1 )) ")
[ "$info" -eq 1 ] || fail "the Info panel does not show at its place"
centre() { convert "$shots/$1.png" -crop 240x160+392+304 -resize 1x1 -format '%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]' info:; }
[ "$(centre theft)" != "$(centre alder)" ] || fail "the view did not move"

# the Info panel dragged off the crime list; "Robbery" chosen alone; CEDAR chosen
info_x=0; info_y=520
drag 60 $(( $(uy 15) + 8 )) $(( info_x + 34 )) $(( info_y + 8 ))
click $(( crime_x + 60 )) "$(row_y 3)"
xdotool type --delay 60 Robbery
sleep 0.3
click $(( beat_x + 20 )) "$(row_y 2)"
shoot cedar

# "Save": log.TXT typed in the dialog comes back as log.TXT.txt
save() { click $(( info_x + BODY_X + $(ux 127) + $(ux 50) / 2 )) $(( info_y + BODY_Y + $(uy 112) + $(uy 14) / 2 )); }
save
dialog '^Save As$'
shoot dialog
xdotool type --delay 20 "$work/log.TXT"
xdotool key Return
dialog '^Info$'
xdotool key Return
[ -f "$work/log.TXT.txt" ] && [ ! -e "$work/log.TXT" ] || fail "log.TXT was not saved as log.TXT.txt"
expected="$work/expected.txt"
printf '%s \n' '***********************************************************' 'Date: March,1,2004' \
    'Crime total for ZAVRO area: 6036' 'Crime total for beat ALDER: 112, 1.86%' \
    'Beat ALDER crime vs. citywide: 7.45%' '' '' \
    '***********************************************************' 'Date: March,1,2004' \
    'Crime total for ZAVRO area: 1172' 'Crime total for beat CEDAR: 14, 1.19%' \
    'Beat CEDAR crime vs. citywide: -12.16%' '' '' >"$expected"
cmp -s "$expected" "$work/log.TXT.txt" || fail "the saved log differs: $(diff "$expected" "$work/log.TXT.txt")"

# the next dialog starts in that folder, so a bare name lands there; old.txt exists, so
# the name "old" is asked about again: No (the default) saves nothing, Yes replaces it
echo old >"$work/old.txt"
for reply in Return alt+y; do
    save
    dialog '^Save As$'
    xdotool type --delay 20 old
    xdotool key Return
    dialog '^Confirm Save As$'
    shoot "question_$reply"
    xdotool key "$reply"
    if [ "$reply" = Return ]; then
        no_window '^Info$' "a refused replacement was saved"
        [ "$(cat "$work/old.txt")" = old ] || fail "old.txt was replaced after No"
    else
        dialog '^Info$'
        xdotool key Return
        cmp -s "$expected" "$work/old.txt" || fail "old.txt was not replaced after Yes"
    fi
done
[ "$(readlink "/proc/$pid/cwd")" = "$(pwd -P)" ] || fail "the working directory is not the start-up one"

close_and_expect_exit_0
echo "PASS"
