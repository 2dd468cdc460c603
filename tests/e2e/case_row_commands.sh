#!/usr/bin/env bash
# The row commands as a user reaches them: the helper's rows brought to the top by a click on the
# "进程" header, a right click on a row and "拷贝到剪贴板" (the clipboard read with xclip), a
# double click opening the details dialog, and "结束进程" on the helper's row ending it.
source "$(dirname "$0")/lib.sh"

start_helper
read -r listen_port client_port udp_port <<<"$HELPER_PORTS"
start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"

# The list starts sorted by image name ascending; rows of the host's own sockets have no name
# and come first. One click on the caption reverses the order: the helper's rows on top.
LIST_TOP=34 HEADER=20 ROW=22
click_client 60 $((LIST_TOP + HEADER / 2))
sleep 0.5
first_row_y=$((LIST_TOP + HEADER + ROW / 2))

printf 'nothing yet' | xclip -selection clipboard -i
click_client 200 $first_row_y 3
sleep 0.5
screenshot row-menu
# The menu: 进程信息, 结束进程(&E), 拷贝到剪贴板, ... (separators are skipped by the keys).
xdotool key Down Down Down Return
sleep 0.5
clip=$(timeout 5 xclip -selection clipboard -o | tr -d '\r')
echo "$clip"
grep -qx "程序名称:socket_helper.exe" <<<"$clip" || fail "the clipboard does not name the helper"
grep -qx "生成:Netscry" <<<"$clip" || fail "the clipboard block lacks its made-by line"
[[ $(wc -l <<<"$clip") -eq 14 ]] || fail "the clipboard block is not 14 lines"
pid_line=$(grep '^PID:' <<<"$clip")
[[ -n ${pid_line#PID:} ]] || fail "no process ID in the block"

# A double click on the row opens the details dialog for it, in the skin of its own.
xdotool mousemove --sync 0 0
click_client 200 $first_row_y
xdotool click --repeat 2 --delay 80 1
dump_window "进程详细信息" 20 >/dev/null || fail "a double click opened no details dialog"
grep -q "socket_helper.exe" "$OUT/dump$DUMPS.txt" || fail "the dialog does not show the helper"
grep -q "$pid_line" "$OUT/dump$DUMPS.txt" || fail "the dialog does not show the helper's process ID"
screenshot details-dialog
# The dialog wears its own skin (the main window is inactive behind it).
VISTA=$ROOT/resources/skins/vista
check_frame "$OUT/details-dialog.png" "$VISTA/frame.bmp" "$VISTA/mask.bmp" "2,20 3,14 2,166 375,166"
click_client 300 60            # without a window manager a click gives the dialog the focus
xdotool key Return
probe gone "进程详细信息" 10 || fail "Enter did not close the dialog"

# End the helper from its row with the bottom panel's button; its rows go with it.
dump_window "$MAIN_TITLE" 10 >/dev/null || fail "main window gone"
read -r programs_before _ < <(counters)
click_client 200 $first_row_y
click_control "结束进程"
wait_exit "$HELPER_PID" 30 || fail "the helper was not ended"
exec 7>&-
read -r programs_after _ < <(counters_after_refresh $((programs_before - 1)))
note "programs before $programs_before, after $programs_after"
[[ $programs_after -eq $((programs_before - 1)) ]] || fail "the ended helper's rows are still listed"
screenshot after-end-process
