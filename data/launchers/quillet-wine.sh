#!/bin/sh
# Started by the quillet-wine-*.bat launchers through Wine's "start /unix" with the
# start directory (as a Unix path) and the mode: runs the native program there, then
# removes the marker file the launcher waits on, however the program ended.
start_dir=$1
shift
trap 'rm -f "$start_dir/quillet-wine.running"' EXIT
trap 'exit 1' HUP INT TERM
cd "$start_dir" || exit 1
"$(dirname "$0")/quillet" "$@"
