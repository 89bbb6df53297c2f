#!/usr/bin/env bash
# The Debian package as a new user meets it: unpacked with dpkg-deb -x into a temporary
# root (no installation), its desktop entry, AppStream metadata, manual page and icons
# checked by their validators; then its program started from that root under Xvfb, from
# a fresh home folder with XDG_DATA_HOME unset, as the application menu would start it:
# it sets up ~/.local/share/zavroview with the sample data and starts there; the window
# shows the basemap and the three panels; File > Load Data.. of the copied sample
# district ends in "Load complete" with its six beats listed; closing the window exits
# with 0.
# Runs on an X server (tests/tools/with_xvfb.sh); $1 is the .deb. ZAVRO_SHOTS=FOLDER
# keeps the screenshots.
set -u
deb=$1
tools="$(cd "$(dirname "$0")/../tools" && pwd)"
source "$tools/session.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=${ZAVRO_SHOTS:-$work}
mkdir -p "$shots"

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "cannot unpack $deb"
program=$root/usr/bin/zavro
share=$root/usr/share

# the files beside the program, each as its own validator sees it
desktop-file-validate "$share/applications/org.example.zavroview.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/org.example.zavroview.metainfo.xml" >"$work/as.txt" ||
    fail "AppStream metadata: $(cat "$work/as.txt")"
warnings=$(zcat "$share/man/man1/zavro.1.gz" | groff -z -wall -man 2>&1)
[ -z "$warnings" ] || fail "manual page: $warnings"
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/zavroview.png
    [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${size}x$size" ] || fail "icon $icon"
done
for file in district.csv beats/ALDER.csv beats/CITYWD_yr.csv maps/basemap.bmp ui/fields.ui; do
    [ -f "$share/zavroview/data/$file" ] || fail "no shipped data/$file"
done

# the command line, with no window
[ "$("$program" --version)" = "ZAVROView 1.0b" ] || fail "--version"
"$program" --help | grep -q '^Usage: zavro' || fail "--help"
"$program" --bogus 2>/dev/null
[ $? -eq 2 ] || fail "an unknown option does not exit with 2"

# a new user starts it from the desktop: a fresh home, no data where it starts
home=$work/home
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
user=$home/.local/share/zavroview
cd "$home"
state=$work/state  # what the panels show, written by the program's test hook
env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$work/runtime" ZAVRO_TEST_STATE=$state "$program" &
pid=$!
find_window
[ "$(readlink "/proc/$pid/cwd")" = "$user" ] || fail "started in $(readlink "/proc/$pid/cwd"), not $user"
diff -r "$share/zavroview/data" "$user/data" >/dev/null || fail "the sample data was not copied whole"

# the basemap: the middle of the view is not the flat background grey
shoot start
[ "$(spread start 400x300+312+200)" -ge 5 ] || fail "no basemap in the middle of the view"

# the panels stand one over the other at the top left, the Timeline on top: with the
# Timeline dragged right and the Query panel down, the three caption bars show
drag 200 8 700 8
drag 100 $(( (20 * 13 + 4) / 8 + 5 )) 600 400
shoot panels
captions=$(/usr/bin/python3 "$tools/find_captions.py" "$shots/panels.png" 58,86,128 | wc -l)
[ "$captions" -eq 3 ] || fail "$captions panel caption bars show, not 3"

# File > Load Data.., the copied sample district typed into the dialog: "Load complete",
# the six beats listed
file_item 1
answer_dialog '^Open$' "$user/data/district.csv"
message "Info: Load complete"
expect_state "^  1048 ALDER;BIRCH;CEDAR;LINDEN;MAPLE;CITYWD;$" "the beats are not listed after the load" "  1048 "

close_and_expect_exit_0
echo "PASS"
