#!/usr/bin/env bash
# with_xvfb.sh WIDTHxHEIGHT -- COMMAND...: runs COMMAND on a fresh Xvfb screen of that
# size (24-bit) and returns its status. The server picks its display number itself and
# writes it to a pipe (-displayfd), so servers started together cannot take the same one.
# No TCP, no authorization: local clients only. COMMAND gets a fresh, empty
# XDG_CONFIG_HOME, so the program reads no settings of the user's or of another test.
set -u
size=$1
[ "${2:-}" = "--" ] && shift 2 || { echo "usage: with_xvfb.sh WIDTHxHEIGHT -- COMMAND..." >&2; exit 2; }
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" 2>/dev/null &
server=$!
config=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$config"' EXIT
trap 'exit 143' TERM INT
# a watchman ends the server should this script be killed outright (a test's timeout)
( while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$server" 2>/dev/null ) >/dev/null 2>&1 &
read -r -t 30 number <"$fifo"
rm -f "$fifo"
[ -n "${number:-}" ] || { echo "with_xvfb.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$number XDG_CONFIG_HOME=$config
"$@"
exit $?
