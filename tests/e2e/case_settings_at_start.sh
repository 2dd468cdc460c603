#!/usr/bin/env bash
# Stored values the user may have edited by hand: each is read as the program reads integers, a
# value that differs from the form default is applied (and written again), the others are left.
source "$(dirname "$0")/lib.sh"

printf '[Set]\r\nShowLocal=0x0\r\nAutoRefresh=yes\r\nAlwaysTop=5\r\nShowInfo=0X1F\r\n' >"$WORK/Netscry.ini"
start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"
screenshot settings-at-start
[[ $(control_field "显示本地连接" 6) == 0 ]] || fail "ShowLocal=0x0 did not untick the box"
[[ $(control_field "自动刷新" 6) == 0 ]] || fail "AutoRefresh=yes was not read as the default"
[[ $(control_field "始终保持在其他窗口前端" 6) == 1 ]] || fail "AlwaysTop=5 was not read as true"
[[ $(awk '$1 == "topmost" { print $2 }' "$OUT/dump$DUMPS.txt") == 1 ]] || fail "not topmost with AlwaysTop=5"
[[ $(control_field "显示文件详细信息" 6) == 1 ]] || fail "ShowInfo=0X1F did not tick the box"
expected=$'[Set]\nShowLocal=0\nAutoRefresh=yes\nAlwaysTop=5\nShowInfo=1'
[[ $(settings_text) == "$expected" ]] || fail "settings file after start: $(settings_text)"
