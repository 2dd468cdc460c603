#!/usr/bin/env bash
# A refresh over a few hundred connections takes seconds under Wine. While it reads them the
# window answers messages, and a click on the caption "本地端口" re-sorts the rows on screen; the
# worst answer time and the click's time to the screen are reported, beside the answer times of an
# idle window measured at the same moments (the machine's share). The button stays disabled
# meanwhile, and once the read is applied the rows are those of the snapshot.
source "$(dirname "$0")/lib.sh"

# 500 connections (1,000 rows) make the read last about five seconds under Wine: the checks
# during it need about two and a half.
CONNECTIONS=${NETSCRY_E2E_CONNECTIONS:-500}
start_helper "$CONNECTIONS"
start_app
dump_window "$MAIN_TITLE" 200 >/dev/null || fail "the main window did not appear"
read -r _ shown < <(counters)
note "connections shown at start: $shown"
[[ ${shown:-0} -ge $((2 * CONNECTIONS)) ]] || fail "the helper's $((2 * CONNECTIONS)) connection rows are not listed"

locate_first_rows
ROWS_SETTLE=0.3
refresh_enabled() {
  dump_window "$MAIN_TITLE" 10 >/dev/null || fail "main window not found"
  control_field "刷新" 5
}

first_rows before
# Message answers are timed from just before the click on "刷新" until 1.5 s after it. No
# screenshot is taken in that time: grabbing the whole screen holds up the window server, and with
# it any window that draws or asks where the mouse is.
timeout -k 5 60 "$NETSCRY_WINE" "$WORK/window_probe.exe" ping "$MAIN_TITLE" 2 </dev/null >"$OUT/ping.out" 2>>"$OUT/probe.log" &
PING_PID=$!
sleep 0.5
click_control "刷新"
clicked_at=$(date +%s%N)
sleep 0.3
# A click on "本地端口" while the read runs (from the start order, by process, it sorts by local
# port, descending), timed until the first rows on screen change.
repaint=$(probe click-repaint "$caption_x" "$caption_y" "$rows_x" "$rows_y" "$WIDTH" $((ROWS * ROW))) || fail "the click on the caption did not repaint the rows during the read: $repaint"
wait "$PING_PID"
ping=$(tr -d '\r' <"$OUT/ping.out")
first_rows clicked
during=$(refresh_enabled)
note "message answers from the refresh click on: ${ping:-none}"
note "the caption click reached the screen: $repaint"
note "pixels of the first $ROWS rows changed by the click: $(differing before clicked)"
[[ $during == 0 ]] || fail "the read was over before the checks: they did not all run during it (raise NETSCRY_E2E_CONNECTIONS)"
[[ $ping == answers* ]] || fail "the window did not answer during the read: ${ping:-no output}"
# The times are reported, not asserted; a window blocked by the read fails the checks above,
# which then could only run after it.
read -r answers < <(awk '{ print $2 }' <<<"$ping")
[[ ${answers:-0} -gt 1 ]] || fail "the window did not answer during the read: $ping"
[[ $(differing before clicked) -gt 0 ]] || fail "the rows re-sorted by the click are not on screen during the read"

# The read ends and is applied: the button comes back and the rows are the snapshot's, the
# helper's connections among them, in the order chosen meanwhile.
for ((i = 0; i < 240; i++)); do
  [[ $(refresh_enabled) == 1 ]] && break
  sleep 0.5
done
[[ $(refresh_enabled) == 1 ]] || fail "the refresh did not end"
note "the read ended within $((($(date +%s%N) - clicked_at) / 1000000)) ms of the click on 刷新 (polled every 0.5 s)"
read -r _ after < <(counters)
note "connections shown after the refresh: $after"
[[ ${after:-0} -ge $((2 * CONNECTIONS)) ]] || fail "the helper's connection rows are missing after the refresh"
probe repaint "$MAIN_TITLE" 10 || fail "the window could not be repainted"
first_rows applied
first_rows repainted
[[ $(differing applied repainted) -eq 0 ]] || fail "the screen after the refresh is not what the window paints"
