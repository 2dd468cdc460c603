#!/usr/bin/env bash
# The main window wears its skin: frame pixels come from the skin's pictures (active, then
# inactive), the mask's white corners are cut away, a drag of the bottom-right corner stops at
# the minimum size, a double click on the caption maximises and another restores, and the
# close button asks before quitting.
source "$(dirname "$0")/lib.sh"

SKIN=$ROOT/resources/skins/win7
POINTS="2,20 3,14 6,27 2,289 701,289 702,27 698,286"

start_app
first=$APP_PID
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"
click_client 300 200   # the window is active once the user clicked it

dump_window "$MAIN_TITLE" 10 >/dev/null
screenshot frame-active
check_frame "$OUT/frame-active.png" "$SKIN/frame.bmp" "$SKIN/mask.bmp" "$POINTS"

# Another window taking the activation: the inactive picture. The second start's message box is
# such a window, and it goes away with its process.
start_app
second=$APP_PID
dump_window "$APP_TITLE" 60 >/dev/null || fail "the second start showed no message"
dump_window "$MAIN_TITLE" 10 >/dev/null
screenshot frame-inactive
check_frame "$OUT/frame-inactive.png" "$SKIN/inactiveframe.bmp" "$SKIN/mask.bmp" "$POINTS"
# The message has the keyboard focus (it may lie under the topmost main window).
xdotool key Return
wait_exit "$second" 30 || fail "the second start did not end"

# Drag the bottom-right corner far up and left: the window stops at its minimum size.
dump_window "$MAIN_TITLE" 10 >/dev/null
read -r left top w h < <(frame_rect)
xdotool mousemove --sync $((left + w - 3)) $((top + h - 3)) mousedown 1
xdotool mousemove --sync $((left + w - 200)) $((top + h - 150))
xdotool mousemove --sync $((left + 50)) $((top + 50)) mouseup 1
sleep 0.5
dump_window "$MAIN_TITLE" 10 >/dev/null
read -r left2 top2 w2 h2 < <(frame_rect)
note "after the drag: ${w2}x${h2} at $left2,$top2"
[[ $w2 -eq 704 && $h2 -eq 200 && $left2 -eq $left && $top2 -eq $top ]] || fail "the drag did not stop at 704x200: ${w2}x${h2}"
screenshot minimum-size

# Double click on the caption: maximised to the screen's work area; again: back where it was.
xdotool mousemove --sync $((left2 + 300)) $((top2 + 12)) click --repeat 2 --delay 80 1
sleep 0.5
dump_window "$MAIN_TITLE" 10 >/dev/null
read -r left3 top3 w3 h3 < <(frame_rect)
note "maximised: ${w3}x${h3} at $left3,$top3"
screen_w=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
((w3 >= screen_w - 2 && h3 > 800)) || fail "a caption double click did not maximise: ${w3}x${h3}"
screenshot maximised
xdotool mousemove --sync $((left3 + 300)) $((top3 + 12)) click --repeat 2 --delay 80 1
sleep 0.5
dump_window "$MAIN_TITLE" 10 >/dev/null
read -r left4 top4 w4 h4 < <(frame_rect)
[[ "$left4 $top4 $w4 $h4" == "$left2 $top2 $w2 $h2" ]] || fail "a second double click did not restore: ${w4}x${h4} at $left4,$top4"

# The close button (right end of the caption) asks; No keeps the program.
xdotool mousemove --sync $((left4 + w4 - 35)) $((top4 + 10)) click 1
dump_window "$APP_TITLE" 20 >/dev/null || fail "the close button did not ask"
grep -q "您确认要退出网络连接查看器?" "$OUT/dump$DUMPS.txt" || fail "the close button asked something else"
click_control "$(control_field_matching '否')"
probe gone "$APP_TITLE" 10 || fail "the question stayed after No"
kill -0 "$first" 2>/dev/null || fail "No ended the program"
