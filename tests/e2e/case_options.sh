#!/usr/bin/env bash
# Ticking the options writes Netscry.ini beside the program, one key per change, and the next
# start comes up with them.
source "$(dirname "$0")/lib.sh"

start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"
[[ -z $(settings_text) ]] || fail "a settings file was written without any change"
[[ $(ticked "自动刷新") == 0 && $(ticked "显示本地连接") == 1 ]] || fail "form defaults not shown"

click_control "自动刷新"
sleep 0.5
[[ $(ticked "自动刷新") == 1 ]] || fail "the box did not tick"
[[ $(settings_text) == $'[Set]\nAutoRefresh=1' ]] || fail "after auto refresh: $(settings_text)"

click_control "显示本地连接"
sleep 0.5
[[ $(settings_text) == $'[Set]\nAutoRefresh=1\nShowLocal=0' ]] || fail "after loopback: $(settings_text)"

click_control "始终保持在其他窗口前端"
sleep 0.5
[[ $(awk '$1 == "topmost" { print $2 }' <(probe dump "$MAIN_TITLE" 10)) == 0 ]] || fail "still topmost"
[[ $(settings_text) == $'[Set]\nAutoRefresh=1\nShowLocal=0\nAlwaysTop=0' ]] || fail "after always on top: $(settings_text)"
grep -q $'\r$' "$WORK/Netscry.ini" || fail "the settings file has no CR LF line ends"
screenshot options-changed

# The user closes the program and starts it again: the options come back.
click_client 300 200
xdotool key alt+F4
dump_window "$APP_TITLE" 30 >/dev/null || fail "closing did not ask"
click_control "$(control_field_matching '是')"
wait_exit "$APP_PID" 30 || fail "the program did not end"

start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not come back"
[[ $(control_field "自动刷新" 6) == 1 ]] || fail "auto refresh not restored"
[[ $(control_field "显示本地连接" 6) == 0 ]] || fail "loopback option not restored"
[[ $(control_field "始终保持在其他窗口前端" 6) == 0 ]] || fail "always on top not restored"
[[ $(awk '$1 == "topmost" { print $2 }' "$OUT/dump$DUMPS.txt") == 0 ]] || fail "topmost after a start with AlwaysTop=0"
