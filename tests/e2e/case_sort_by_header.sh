#!/usr/bin/env bash
# A click on a column caption re-sorts the rows, and the screen shows the new order at once: the
# first rows as the user sees them right after the click are what the window paints when it is
# made to paint itself whole, and not what it showed before the click.
source "$(dirname "$0")/lib.sh"

start_helper
start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"

# The list's rectangle in the client area (1-pixel border), its header 20 high, rows 22 high;
# the visible columns 进程 协议 本地IP 本地端口 目标IP 目标端口 状态 管理 are 720 pixels wide.
read -r list_left list_top _ _ < <(awk '$1 == "control" && $2 == "NetscryTreeList" { print $7, $8, $9, $10; exit }' "$OUT/dump$DUMPS.txt")
[[ -n $list_left ]] || fail "no list in the main window"
read -r ox oy < <(client_origin)
HEADER=20 ROW=22 ROWS=4 WIDTH=720
rows_x=$((ox + list_left + 1)) rows_y=$((oy + list_top + 1 + HEADER))

# The first rows of the screen as they are now, with the mouse resting on the top panel.
first_rows() {
  xdotool mousemove --sync $((ox + 5)) $((oy + 5))
  sleep 1
  import -window root "$OUT/$1.png" || fail "no screenshot"
  convert "$OUT/$1.png" -crop "${WIDTH}x$((ROWS * ROW))+$rows_x+$rows_y" +repage "$OUT/$1-rows.png"
}
differing() { compare -metric AE "$OUT/$1-rows.png" "$OUT/$2-rows.png" null: 2>&1; }

first_rows before
# "本地端口": after 进程 (120), 协议 (60) and 本地IP (100). From the start state (进程, ascending)
# the click sorts by local port, descending.
xdotool mousemove --sync $((rows_x + 120 + 60 + 100 + 40)) $((rows_y - HEADER / 2)) click 1
first_rows clicked
probe repaint "$MAIN_TITLE" 10 || fail "the window could not be repainted"
first_rows repainted

note "pixels of the first $ROWS rows changed by the click: $(differing before clicked)"
note "pixels differing from a whole repaint: $(differing clicked repainted)"
[[ $(differing before repainted) -gt 0 ]] || fail "the click left the row order as it was (fixture)"
[[ $(differing clicked repainted) -eq 0 ]] || fail "after the click the screen shows rows that are not in the list's order"
