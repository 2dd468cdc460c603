#!/usr/bin/env bash
# A refresh over a few hundred connections takes seconds under Wine. While it reads them the
# window answers messages (the worst answer time seen is reported; each must come within 100 ms),
# the button stays disabled, and a click on the caption "本地端口" re-sorts the rows on screen;
# once the read is applied the rows are those of the snapshot.
source "$(dirname "$0")/lib.sh"

CONNECTIONS=${NETSCRY_E2E_CONNECTIONS:-300}
start_helper "$CONNECTIONS"
start_app
dump_window "$MAIN_TITLE" 200 >/dev/null || fail "the main window did not appear"
read -r _ shown < <(counters)
note "connections shown at start: $shown"
[[ ${shown:-0} -ge $((2 * CONNECTIONS)) ]] || fail "the helper's $((2 * CONNECTIONS)) connection rows are not listed"

read -r list_left list_top _ _ < <(awk '$1 == "control" && $2 == "NetscryTreeList" { print $7, $8, $9, $10; exit }' "$OUT/dump$DUMPS.txt")
[[ -n $list_left ]] || fail "no list in the main window"
read -r ox oy < <(client_origin)
HEADER=20 ROW=22 ROWS=4 WIDTH=720
rows_x=$((ox + list_left + 1)) rows_y=$((oy + list_top + 1 + HEADER))
first_rows() {
  xdotool mousemove --sync $((ox + 5)) $((oy + 5))
  sleep 0.3
  import -window root "$OUT/$1.png" || fail "no screenshot"
  convert "$OUT/$1.png" -crop "${WIDTH}x$((ROWS * ROW))+$rows_x+$rows_y" +repage "$OUT/$1-rows.png"
}
differing() { compare -metric AE "$OUT/$1-rows.png" "$OUT/$2-rows.png" null: 2>&1; }
refresh_enabled() {
  dump_window "$MAIN_TITLE" 10 >/dev/null || fail "main window not found"
  control_field "刷新" 5
}

first_rows before
click_control "刷新"
sleep 0.2
[[ $(refresh_enabled) == 0 ]] || fail "the read ended at once: no slow read to watch (raise NETSCRY_E2E_CONNECTIONS)"

# While the read runs: message answers, then a click on "本地端口" (after 进程 120, 协议 60 and
# 本地IP 100: from the start order, by process, it sorts by local port, descending).
ping=$(probe ping "$MAIN_TITLE" 2) || fail "the window did not answer during the read: $ping"
note "during the read: $ping"
xdotool mousemove --sync $((rows_x + 120 + 60 + 100 + 40)) $((rows_y - HEADER / 2)) click 1
first_rows clicked
during=$(refresh_enabled)
note "pixels of the first $ROWS rows changed by the click: $(differing before clicked)"
[[ $(differing before clicked) -gt 0 ]] || fail "the click on the caption did not repaint the rows during the read"
[[ $during == 0 ]] || fail "the read ended before the checks: they did not run during it (raise NETSCRY_E2E_CONNECTIONS)"
read -r _ _ late < <(awk '{ print $2, $4, $6 }' <<<"$ping")
[[ ${late:-1} -eq 0 ]] || fail "answers later than 100 ms during the read: $ping"

# The read ends and is applied: the button comes back and the rows are the snapshot's, the
# helper's connections among them, in the order chosen meanwhile.
for ((i = 0; i < 240; i++)); do
  [[ $(refresh_enabled) == 1 ]] && break
  sleep 0.5
done
[[ $(refresh_enabled) == 1 ]] || fail "the refresh did not end"
read -r _ after < <(counters)
note "connections shown after the refresh: $after"
[[ ${after:-0} -ge $((2 * CONNECTIONS)) ]] || fail "the helper's connection rows are missing after the refresh"
probe repaint "$MAIN_TITLE" 10 || fail "the window could not be repainted"
first_rows applied
first_rows repainted
[[ $(differing applied repainted) -eq 0 ]] || fail "the screen after the refresh is not what the window paints"
