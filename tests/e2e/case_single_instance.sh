#!/usr/bin/env bash
# A second start shows "The program already start" and ends; the first keeps running.
source "$(dirname "$0")/lib.sh"

start_app
first=$APP_PID
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"
start_app
second=$APP_PID
dump_window "$APP_TITLE" 60 >/dev/null || fail "the second start showed no message"
grep -q "The program already start" "$OUT/dump$DUMPS.txt" || fail "the message is not \"The program already start\""
screenshot second-start
xdotool key Return
wait_exit "$second" 30 || fail "the second instance did not end after its message"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
probe dump "$MAIN_TITLE" 5 >/dev/null || fail "the first instance's window is gone"
