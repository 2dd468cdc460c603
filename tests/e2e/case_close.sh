#!/usr/bin/env bash
# Closing the window asks first: No keeps the program running, Yes ends it.
source "$(dirname "$0")/lib.sh"

QUESTION="您确认要退出网络连接查看器?"

ask_to_close() {
  dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"
  click_client 300 200          # a click in the list gives the window the focus
  xdotool key alt+F4
  dump_window "$APP_TITLE" 30 >/dev/null || fail "closing did not ask"
  grep -q -- "$QUESTION" "$OUT/dump$DUMPS.txt" || fail "the question is not \"$QUESTION\""
}

start_app
ask_to_close
screenshot question
click_control "$(control_field_matching '否')"
probe gone "$APP_TITLE" 10 || fail "the question stayed after No"
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "No ended the program"
probe dump "$MAIN_TITLE" 5 >/dev/null || fail "No closed the window"

ask_to_close
click_control "$(control_field_matching '是')"
wait_exit "$APP_PID" 30 || fail "Yes did not end the program"
